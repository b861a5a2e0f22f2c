#include "phonesim/in_process_library.h"

#include <algorithm>

namespace menuforge {

InProcessPhoneLibrary::InProcessPhoneLibrary(PhoneStorage& storage, PhoneAnswers answers)
    : storage_(storage), answers_(std::move(answers)) {}

void InProcessPhoneLibrary::Plug(FaultPlan faults) {
  pending_.push_back({true, std::move(faults)});
}

void InProcessPhoneLibrary::Unplug() {
  if (!phone_) return;
  phone_.reset();
  pending_.push_back({false, {}});
}

template <typename Call>
std::int32_t InProcessPhoneLibrary::OnPhone(Call call) {
  if (abandoned_.exchange(false) && phone_) {
    Unplug();
    Plug();
  }
  if (!phone_) return kP2kFailure;
  const std::int32_t result = call(*phone_);
  if (phone_->connectionDropped()) {
    Unplug();
  } else if (phone_->TakeRestart()) {
    Unplug();
    Plug();
  }
  return result;
}

std::int32_t InProcessPhoneLibrary::P2K_Init(ConnectionNotification notification) {
  notification_ = std::move(notification);
  return 0;
}

void InProcessPhoneLibrary::Poll() {
  while (notification_ && !pending_.empty()) {
    CableEvent event = std::move(pending_.front());
    pending_.pop_front();
    if (event.connect) phone_.emplace(storage_, answers_, std::move(event.faults));
    notification_(event.connect ? 1 : 0);
  }
}

std::int32_t InProcessPhoneLibrary::P2K_SendCMD(std::uint32_t command, ByteView request,
                                                std::span<std::uint8_t> response,
                                                std::uint32_t& responseLength) {
  const auto capacity =
      static_cast<std::uint32_t>(std::min<std::size_t>(responseLength, response.size()));
  responseLength = 0;
  return OnPhone([&](SimulatedPhone& phone) {
    Bytes answer;
    const std::int32_t result = phone.SendCommand(command, request, capacity, answer);
    std::copy(answer.begin(), answer.end(), response.begin());
    responseLength = static_cast<std::uint32_t>(answer.size());
    return result;
  });
}

std::int32_t InProcessPhoneLibrary::P2K_Restart() {
  return OnPhone([](SimulatedPhone& phone) { return phone.Restart(); });
}

std::int32_t InProcessPhoneLibrary::File_CountEx(const std::string& pattern) {
  return OnPhone([&](SimulatedPhone& phone) { return phone.CountFiles(pattern); });
}

std::int32_t InProcessPhoneLibrary::File_ListEx(std::vector<FileListEntry>& entries,
                                                std::size_t count,
                                                const ListProgressNotification& progress) {
  return OnPhone([&](SimulatedPhone& phone) {
    return phone.ListFiles(std::min(count, kMostListedFiles),
                           [&](std::int32_t done, std::int32_t total, const FileListEntry& entry) {
                             entries.push_back(entry);
                             if (progress) progress(0, done, total);
                           });
  });
}

std::int32_t InProcessPhoneLibrary::File_Create(const std::string& path, std::int32_t attributes) {
  return OnPhone([&](SimulatedPhone& phone) { return phone.CreateFile(path, attributes); });
}

std::int32_t InProcessPhoneLibrary::File_Close() {
  return OnPhone([](SimulatedPhone& phone) { return phone.CloseFile(); });
}

std::int32_t InProcessPhoneLibrary::File_Delete(const std::string& path) {
  return OnPhone([&](SimulatedPhone& phone) { return phone.DeleteFile(path); });
}

std::int32_t InProcessPhoneLibrary::File_CreateDir(const std::string& path, std::int32_t) {
  return OnPhone([&](SimulatedPhone& phone) { return phone.CreateDir(path); });
}

std::int32_t InProcessPhoneLibrary::File_DeleteDir(const std::string& path) {
  return OnPhone([&](SimulatedPhone& phone) { return phone.DeleteDir(path); });
}

std::int32_t InProcessPhoneLibrary::Seem_Read(std::uint16_t seem, std::uint16_t record,
                                              std::uint32_t offset, std::uint32_t size,
                                              std::span<std::uint8_t> buffer) {
  return OnPhone([&](SimulatedPhone& phone) {
    Bytes data;
    const std::int32_t result =
        phone.ReadSeem(seem, record, offset, size, static_cast<std::uint32_t>(buffer.size()), data);
    std::copy(data.begin(), data.end(), buffer.begin());
    return result;
  });
}

std::int32_t InProcessPhoneLibrary::Seem_Write(std::uint16_t seem, std::uint16_t record,
                                               std::uint32_t offset, ByteView data) {
  return OnPhone(
      [&](SimulatedPhone& phone) { return phone.WriteSeem(seem, record, offset, data); });
}

}  // namespace menuforge
