#include "phone/phone_session.h"

#include <algorithm>
#include <array>
#include <thread>

#include "phone/fsac_request.h"
#include "phone/phone_identity.h"

namespace menuforge {
namespace {

constexpr char kConnectedLine[] = "Phone connected";
constexpr char kDisconnectedLine[] = "Phone disconnected";
constexpr char kSeemReadLine[] = "Read SEEM ";
constexpr char kFirmwareQueryLine[] = "[GetFWVersion] Send command VERSION (0xFFFF)  RC=";
constexpr char kLpQueryLine[] = "[GetLPVersion] Send command VERSION (0x0004)  RC=";
constexpr char kListProgressLine[] = "[ProgressProc] completion=";
constexpr std::size_t kMaxVolumes = 255;

std::string SeemName(std::uint16_t seem) {
  const std::string hex = ByteToHex(static_cast<std::uint8_t>(seem >> 8)) +
                          ByteToHex(static_cast<std::uint8_t>(seem & 0xFF));
  return hex + "_0001";
}

}  // namespace

PhoneSession::PhoneSession(P2kLibrary& library, PhoneLog& log, UserDialogs& dialogs,
                           PhoneObserver& observer, Wait wait)
    : library_(library),
      log_(log),
      dialogs_(dialogs),
      observer_(observer),
      wait_(std::move(wait)) {}

void PhoneSession::DefaultWait(std::chrono::milliseconds duration) {
  std::this_thread::sleep_for(duration);
}

Status PhoneSession::Start() {
  if (started_) return {};
  if (connected_ || library_.P2K_Init([this](std::int32_t connected) {
        ConnectionChanged(connected);
      }) == kP2kFailure)
    return Failure(Message{kLibraryStartFailedText, "", MessageIcon::Error});
  started_ = true;
  return {};
}

void PhoneSession::Poll() {
  if (busy_ > 0) return;
  const Busy delivering(*this);
  library_.Poll();
}

void PhoneSession::ConnectionChanged(std::int32_t connected) {
  if (connected != 0)
    Connect();
  else
    Disconnect();
}

bool PhoneSession::ReadSeemOnConnect(std::uint16_t seem, Bytes& buffer) {
  for (int attempt = 1;; ++attempt) {
    const std::int32_t result = library_.Seem_Read(seem, kSeemRecordOne, 0, 0, buffer);
    log_.Write(kSeemReadLine + std::to_string(seem) + "_" + std::to_string(kSeemRecordOne) +
               " RC=" + std::to_string(result));
    if (result != kP2kFailure) return true;
    // A connection given up stays so until the next connect: trying again only waits.
    if (attempt == kSeemReadTries || !library_.connectionOpen()) break;
    wait_(kSeemRetryWait);
  }
  std::fill(buffer.begin(), buffer.end(), 0);
  if (!identityFailureShown_)
    dialogs_.Show({std::string(kSeemReadFailedText) + " " + SeemName(seem), kP2kErrorCaption,
                   MessageIcon::Error});
  return false;
}

void PhoneSession::Connect() {
  linked_ = true;
  log_.Write(kConnectedLine);
  bool modelRead = false;
  bool imeiRead = false;
  {
    Bytes model(kSeemBufferSize, 0);
    modelRead = ReadSeemOnConnect(kSeemModelName, model);
    firmwareVersion_ = GetFirmwareVersion();
    Bytes imei(kSeemBufferSize, 0);
    imeiRead = ReadSeemOnConnect(kSeemImei, imei);
    modelName_ = modelRead ? ModelNameFromSeem(model) : "";
    imei_ = imeiRead ? ImeiFromSeem(imei) : "";
    lpVersion_ = GetLpVersion();
  }
  lpVersionText_ = LpVersionText(lpVersion_);
  profileName_ = firmwareVersion_.empty() ? "" : ProfileNameFromFirmware(firmwareVersion_);
  // A phone that cannot say who it is (a link that answers nothing, or garbage) is not taken
  // for a phone: nothing is shown connected, and no command is offered for it.
  connected_ = modelRead && imeiRead;
  // A phone that hangs is connected again and again in the background; what it failed to say
  // is told once, not at every try, until a phone has told who it is.
  identityFailureShown_ = !connected_;
  if (connected_) observer_.PhoneConnected();
}

void PhoneSession::Disconnect() {
  const bool shown = connected_;
  connected_ = false;
  linked_ = false;
  if (shown) observer_.PhoneDisconnected();
  fileList_.clear();
  volumes_.clear();
  profileName_.clear();
  log_.Write(kDisconnectedLine);
}

std::optional<std::string> PhoneSession::ProfileToApply() const {
  if (!connected_ || firmwareVersion_.empty()) return std::nullopt;
  return profileName_;
}

std::string PhoneSession::GetFirmwareVersion() {
  if (!linked_) return {};
  std::array<std::uint8_t, kFirmwareVersionCapacity> response{};
  std::uint32_t received = kFirmwareVersionCapacity;
  const std::int32_t result =
      library_.P2K_SendCMD(kCommandVersion, kFirmwareVersionRequest, response, received);
  log_.Write(kFirmwareQueryLine + std::to_string(result));
  if (result == kP2kFailure) return {};
  return FirmwareVersionFromResponse(response, received);
}

std::uint16_t PhoneSession::GetLpVersion() {
  if (!linked_) return 0;
  std::array<std::uint8_t, kLpVersionCapacity> response{};
  std::uint32_t received = kLpVersionCapacity;
  const std::int32_t result =
      library_.P2K_SendCMD(kCommandVersion, kLpVersionRequest, response, received);
  log_.Write(kLpQueryLine + std::to_string(result));
  if (result == kP2kFailure) return 0;
  return LpVersionFromResponse(response, received);
}

void PhoneSession::ShowListProgress(std::int32_t done, std::int32_t total, const std::string& title,
                                    ShownProgress& window) {
  log_.Write(kListProgressLine + std::to_string(done) + " of " + std::to_string(total));
  const int percent = Percent(static_cast<std::uint64_t>(std::max(done, 0)),
                              static_cast<std::uint64_t>(std::max(total, 0)));
  window.SetCaption(title + " " + std::to_string(percent) + "%");
  window.SetPosition(percent);
}

void PhoneSession::FillVolumeTable(ByteView response, std::uint32_t received) {
  const std::size_t count = std::min<std::size_t>(
      std::min<std::size_t>(received, response.size()) / kVolumeRecordSize, kMaxVolumes);
  volumes_.clear();
  for (std::size_t i = 0; i < count; ++i)
    volumes_ += static_cast<char>(response[i * kVolumeRecordSize + kVolumeLetterOffset]);
}

Status PhoneSession::ReadVolumes(std::string_view logLine) {
  std::array<std::uint8_t, kFsacBufferSize> response{};
  std::uint32_t received = kVolumeListCapacity;
  const std::int32_t result =
      library_.P2K_SendCMD(kCommandFsac, FsacVolumeListRequest(), response, received);
  if (!logLine.empty()) log_.Write(std::string(logLine) + std::to_string(result));
  if (result == kP2kFailure)
    return Failure(Message{kGettingVolumesFailedText, "", MessageIcon::Error});
  FillVolumeTable(response, received);
  return {};
}

}  // namespace menuforge
