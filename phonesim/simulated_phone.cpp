#include "phonesim/simulated_phone.h"

#include <algorithm>
#include <utility>

#include "phone/fsac_request.h"
#include "phone/p2k_library.h"
#include "phonesim/storage_file.h"

namespace menuforge {
namespace {

constexpr std::int32_t kDone = 0;
constexpr std::size_t kFirmwareLengthBias = 4;
constexpr std::size_t kFirmwareTextOffset = 5;
constexpr std::size_t kMaxFirmwareLength = 0xFF - kFirmwareLengthBias;

bool IsFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

bool IsFolder(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

Bytes Truncated(Bytes bytes, std::uint32_t capacity) {
  if (bytes.size() > capacity) bytes.resize(capacity);
  return bytes;
}

}  // namespace

SimulatedPhone::SimulatedPhone(PhoneStorage& storage, PhoneAnswers answers, FaultPlan faults)
    : storage_(storage), answers_(std::move(answers)), faults_(std::move(faults)) {}

std::int32_t SimulatedPhone::SendCommand(std::uint32_t command, ByteView request,
                                         std::uint32_t capacity, Bytes& response) {
  response.clear();
  if (command == kCommandFsac) return Fsac(request, capacity, response);
  if (command == kCommandVersion) return Version(request, capacity, response);
  return kP2kFailure;
}

std::int32_t SimulatedPhone::Fsac(ByteView request, std::uint32_t capacity, Bytes& response) {
  if (request.size() < 4) return kP2kFailure;
  switch (ReadU32Be(request, 0)) {
    case kFsacOpen: return faults_.Refuses(PhoneCall::FsacOpen) ? kP2kFailure : Open(request);
    case kFsacSeek: return faults_.Refuses(PhoneCall::FsacSeek) ? kP2kFailure : Seek(request);
    case kFsacRead:
      return faults_.Refuses(PhoneCall::FsacRead) ? kP2kFailure : Read(request, capacity, response);
    case kFsacWrite:
      if (faults_.Refuses(PhoneCall::FsacWrite)) {
        if (openFile_) openFile_->Spoil();
        return kP2kFailure;
      }
      return Write(request);
    case kFsacClose: return faults_.Refuses(PhoneCall::FsacClose) ? kP2kFailure : Close();
    case kFsacVolumeList:
      return faults_.Refuses(PhoneCall::VolumeList) ? kP2kFailure : VolumeList(capacity, response);
    default: return kP2kFailure;
  }
}

std::int32_t SimulatedPhone::Open(ByteView request) {
  openFile_.reset();
  if (request.size() < kFsacHeaderSize) return kP2kFailure;
  const ByteView pathBytes = request.subspan(kFsacHeaderSize);
  const auto end = std::find(pathBytes.begin(), pathBytes.end(), std::uint8_t{0});
  const std::string path(pathBytes.begin(), end);
  const auto local = storage_.Resolve(path);
  if (!local) return kP2kFailure;
  openFile_ = PhoneOpenFile::Open(storage_, path[1], *local);
  return openFile_ ? kDone : kP2kFailure;
}

std::int32_t SimulatedPhone::Seek(ByteView request) {
  if (!openFile_ || request.size() != kSeekRequestSize) return kP2kFailure;
  return openFile_->Seek(ReadU32Be(request, 4), request[8]) ? kDone : kP2kFailure;
}

std::int32_t SimulatedPhone::Read(ByteView request, std::uint32_t capacity, Bytes& response) {
  if (!openFile_ || request.size() != kFsacHeaderSize) return kP2kFailure;
  const std::size_t wanted = std::min<std::size_t>(ReadU32Be(request, 4), capacity);
  std::optional<Bytes> data = openFile_->Read(wanted);
  if (!data || data->size() > capacity || faults_.Drops(data->size())) return kP2kFailure;
  response = std::move(*data);
  return kDone;
}

std::int32_t SimulatedPhone::Write(ByteView request) {
  if (!openFile_ || request.size() < kFsacHeaderSize) return kP2kFailure;
  const ByteView data = request.subspan(kFsacHeaderSize);
  if (ReadU32Be(request, 4) != data.size() || faults_.Drops(data.size())) {
    openFile_->Spoil();
    return kP2kFailure;
  }
  return openFile_->Write(data) ? kDone : kP2kFailure;
}

std::int32_t SimulatedPhone::Close() {
  if (!openFile_) return kP2kFailure;
  const bool kept = openFile_->Close();
  openFile_.reset();
  return kept ? kDone : kP2kFailure;
}

std::int32_t SimulatedPhone::VolumeList(std::uint32_t capacity, Bytes& response) {
  for (const char letter : storage_.Volumes()) {
    if (response.size() + kVolumeRecordSize > capacity) break;
    Bytes record(kVolumeRecordSize, 0);
    record[kVolumeLetterOffset] = static_cast<std::uint8_t>(letter);
    response.insert(response.end(), record.begin(), record.end());
  }
  return kDone;
}

std::int32_t SimulatedPhone::Version(ByteView request, std::uint32_t capacity, Bytes& response) {
  if (faults_.Refuses(PhoneCall::VersionQuery) || request.size() != 2) return kP2kFailure;
  if (std::equal(request.begin(), request.end(), kFirmwareVersionRequest.begin())) {
    const std::string& version = answers_.firmwareVersion;
    const std::size_t length = std::min(version.size(), kMaxFirmwareLength);
    Bytes answer(kFirmwareTextOffset, 0);
    answer[0] = static_cast<std::uint8_t>(length + kFirmwareLengthBias);
    answer.insert(answer.end(), version.begin(),
                  version.begin() + static_cast<std::ptrdiff_t>(length));
    response = Truncated(std::move(answer), capacity);
    return kDone;
  }
  if (std::equal(request.begin(), request.end(), kLpVersionRequest.begin())) {
    const std::uint16_t lp = answers_.lpVersion;
    response = Truncated({0, static_cast<std::uint8_t>(lp >> 8), static_cast<std::uint8_t>(lp), 0},
                         capacity);
    return kDone;
  }
  return kP2kFailure;
}

std::int32_t SimulatedPhone::CountFiles(std::string_view pattern) {
  counted_.reset();
  if (faults_.Refuses(PhoneCall::CountFiles)) return kP2kFailure;
  counted_ = storage_.List(pattern);
  return counted_ ? static_cast<std::int32_t>(counted_->size()) : kP2kFailure;
}

std::int32_t SimulatedPhone::ListFiles(std::size_t count, const ListedEntry& listed) {
  if (faults_.Refuses(PhoneCall::ListFiles) || !counted_) return kP2kFailure;
  const auto total = static_cast<std::int32_t>(std::min(count, counted_->size()));
  for (std::int32_t i = 0; i < total; ++i)
    listed(i + 1, total, (*counted_)[static_cast<std::size_t>(i)]);
  return total;
}

std::int32_t SimulatedPhone::CreateFile(std::string_view path, std::int32_t attributes) {
  created_.reset();
  if (faults_.Refuses(PhoneCall::CreateFile)) return kP2kFailure;
  const auto local = storage_.Resolve(path);
  if (!local || !IsFolder(local->parent_path()) || IsFolder(*local)) return kP2kFailure;
  if (!IsFile(*local) && !storage_.CreateEmptyFile(path[1], *local)) return kP2kFailure;
  created_.emplace(std::string(path), static_cast<std::uint16_t>(attributes));
  return kDone;
}

std::int32_t SimulatedPhone::CloseFile() {
  if (faults_.Refuses(PhoneCall::CloseFile) || !created_) return kP2kFailure;
  const bool set = storage_.SetAttributes(created_->first, created_->second);
  created_.reset();
  return set ? kDone : kP2kFailure;
}

std::int32_t SimulatedPhone::DeleteFile(std::string_view path) {
  if (faults_.Refuses(PhoneCall::DeleteFile)) return kP2kFailure;
  const auto local = storage_.Resolve(path);
  std::error_code error;
  if (!local || !IsFile(*local)) return kP2kFailure;
  const std::uintmax_t size = std::filesystem::file_size(*local, error);
  if (error || !std::filesystem::remove(*local, error)) return kP2kFailure;
  storage_.Resized(path[1], size, std::nullopt);
  storage_.ForgetAttributes(path);
  return kDone;
}

std::int32_t SimulatedPhone::CreateDir(std::string_view path) {
  if (faults_.Refuses(PhoneCall::CreateDir)) return kP2kFailure;
  const auto local = storage_.Resolve(path);
  std::error_code error;
  if (!local || !IsFolder(local->parent_path()) || std::filesystem::exists(*local, error))
    return kP2kFailure;
  return std::filesystem::create_directory(*local, error) ? kDone : kP2kFailure;
}

std::int32_t SimulatedPhone::DeleteDir(std::string_view path) {
  if (faults_.Refuses(PhoneCall::DeleteDir)) return kP2kFailure;
  const auto local = storage_.Resolve(path);
  std::error_code error;
  const bool isVolume = local && local->parent_path() == storage_.root();
  if (!local || isVolume || !IsFolder(*local) || !std::filesystem::is_empty(*local, error))
    return kP2kFailure;
  return std::filesystem::remove(*local, error) ? kDone : kP2kFailure;
}

std::int32_t SimulatedPhone::ReadSeem(std::uint16_t seem, std::uint16_t record,
                                      std::uint32_t offset, std::uint32_t size,
                                      std::uint32_t capacity, Bytes& data) {
  data.clear();
  if (faults_.Refuses(PhoneCall::SeemRead)) return kP2kFailure;
  const std::optional<Bytes> stored = storage_.ReadSeem(seem, record);
  if (!stored || offset > stored->size()) return kP2kFailure;
  const std::size_t length = size == 0 ? stored->size() - offset : size;
  if (length > stored->size() - offset || length > capacity) return kP2kFailure;
  data.assign(stored->begin() + offset,
              stored->begin() + static_cast<std::ptrdiff_t>(offset + length));
  return static_cast<std::int32_t>(length);
}

std::int32_t SimulatedPhone::WriteSeem(std::uint16_t seem, std::uint16_t record,
                                       std::uint32_t offset, ByteView data) {
  if (faults_.Refuses(PhoneCall::SeemWrite) || data.size() > kSeemBufferSize) return kP2kFailure;
  Bytes stored;
  if (offset > 0) {
    const std::optional<Bytes> old = storage_.ReadSeem(seem, record);
    if (!old || offset + data.size() > old->size()) return kP2kFailure;
    stored = *old;
  }
  stored.resize(std::max<std::size_t>(stored.size(), offset + data.size()));
  std::copy(data.begin(), data.end(), stored.begin() + offset);
  return storage_.WriteSeem(seem, record, stored) ? kDone : kP2kFailure;
}

std::int32_t SimulatedPhone::Restart() {
  if (faults_.Refuses(PhoneCall::Restart)) return kP2kFailure;
  openFile_.reset();
  created_.reset();
  counted_.reset();
  restarting_ = true;
  return kDone;
}

bool SimulatedPhone::TakeRestart() { return std::exchange(restarting_, false); }

}  // namespace menuforge
