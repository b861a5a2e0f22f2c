// The device side of the phone link: one session with a simulated phone whose files, attributes
// and SEEM records live in a PhoneStorage. It answers the library's calls as a phone would,
// reading the file-system commands from the request bytes exactly as the client sends them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_encoding.h"
#include "phone/file_list_entry.h"
#include "phonesim/phone_faults.h"
#include "phonesim/phone_open_file.h"
#include "phonesim/phone_storage.h"

namespace menuforge {

// What the phone answers that its storage does not hold.
struct PhoneAnswers {
  std::string firmwareVersion = "R3443H1_G_0A.65.0BR";
  std::uint16_t lpVersion = 0x0122;
};

class SimulatedPhone {
 public:
  using ListedEntry =
      std::function<void(std::int32_t done, std::int32_t total, const FileListEntry& entry)>;

  SimulatedPhone(PhoneStorage& storage, PhoneAnswers answers, FaultPlan faults = {});

  [[nodiscard]] std::int32_t SendCommand(std::uint32_t command, ByteView request,
                                         std::uint32_t capacity, Bytes& response);
  [[nodiscard]] std::int32_t CountFiles(std::string_view pattern);
  // Hands out up to `count` entries of the last count, one by one.
  [[nodiscard]] std::int32_t ListFiles(std::size_t count, const ListedEntry& listed);
  [[nodiscard]] std::int32_t CreateFile(std::string_view path, std::int32_t attributes);
  [[nodiscard]] std::int32_t CloseFile();
  [[nodiscard]] std::int32_t DeleteFile(std::string_view path);
  [[nodiscard]] std::int32_t CreateDir(std::string_view path);
  [[nodiscard]] std::int32_t DeleteDir(std::string_view path);
  [[nodiscard]] std::int32_t ReadSeem(std::uint16_t seem, std::uint16_t record,
                                      std::uint32_t offset, std::uint32_t size,
                                      std::uint32_t capacity, Bytes& data);
  [[nodiscard]] std::int32_t WriteSeem(std::uint16_t seem, std::uint16_t record,
                                       std::uint32_t offset, ByteView data);
  [[nodiscard]] std::int32_t Restart();

  // The connection is gone (a fault); every later command is refused.
  bool connectionDropped() const { return faults_.dropped(); }
  // File bytes read or written so far.
  std::uint64_t fileBytesMoved() const { return faults_.bytesMoved(); }
  // True once after a restart was accepted: the phone leaves and comes back.
  bool TakeRestart();

 private:
  [[nodiscard]] std::int32_t Fsac(ByteView request, std::uint32_t capacity, Bytes& response);
  [[nodiscard]] std::int32_t Open(ByteView request);
  [[nodiscard]] std::int32_t Seek(ByteView request);
  [[nodiscard]] std::int32_t Read(ByteView request, std::uint32_t capacity, Bytes& response);
  [[nodiscard]] std::int32_t Write(ByteView request);
  [[nodiscard]] std::int32_t Close();
  [[nodiscard]] std::int32_t VolumeList(std::uint32_t capacity, Bytes& response);
  [[nodiscard]] std::int32_t Version(ByteView request, std::uint32_t capacity, Bytes& response);

  PhoneStorage& storage_;
  PhoneAnswers answers_;
  FaultCounter faults_;
  std::unique_ptr<PhoneOpenFile> openFile_;
  std::optional<std::vector<FileListEntry>> counted_;
  std::optional<std::pair<std::string, std::uint16_t>> created_;
  bool restarting_ = false;
};

}  // namespace menuforge
