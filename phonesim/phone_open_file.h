// The file the simulated phone has open for its file-system commands.
//
// Reads hand out at most the bytes wanted, and a read at or past the end answers with the
// end-of-file marker alone. No read ever answers with a lone data byte equal to the marker: when
// a file would end on one, the read before it leaves two bytes for the last answer. The seek
// from the end lands past the end, so the reader's end-of-file check reads the marker and adds
// nothing. With that, every file of two bytes or more, and every one-byte file but the marker
// byte itself, comes back whole.
//
// A write cuts the file at its own end, so writes from the start replace the whole file. What
// is written goes to a draft in the storage's draft folder, which takes the file's place at
// close, in one piece; a refused write spoils the open file, and the close then keeps the old
// contents. Neither the old file nor the draft is held in memory, only the last 64 KB written and
// read, so many open files cost little more than their descriptors. A write the volume has no room
// for is refused, as is a seek past the volume's capacity, so no file ever grows past it. A missing
// file that is opened and closed without a read is made, empty when nothing was written: that is an
// upload of an empty file, while a reader of a missing file tries a read first and leaves nothing
// behind.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>

#include "base/text_encoding.h"
#include "phone/fsac_request.h"
#include "phonesim/phone_storage.h"

namespace menuforge {

class PhoneOpenFile {
 public:
  // Fails for a folder, a file that cannot be read, or a missing parent folder. A missing file
  // opens and is made by the first write. `volume` is the letter of the volume holding `local`.
  [[nodiscard]] static std::unique_ptr<PhoneOpenFile> Open(PhoneStorage& storage, char volume,
                                                           const std::filesystem::path& local);
  ~PhoneOpenFile();
  PhoneOpenFile(const PhoneOpenFile&) = delete;
  PhoneOpenFile& operator=(const PhoneOpenFile&) = delete;

  [[nodiscard]] bool Seek(std::uint32_t offset, std::uint8_t mode);
  // Nothing for a file that does not exist or cannot be read.
  std::optional<Bytes> Read(std::size_t wanted);
  [[nodiscard]] bool Write(ByteView data);
  void Spoil() { spoiled_ = true; }
  // Puts the new contents in place when there are any; false when they could not be kept.
  [[nodiscard]] bool Close();

 private:
  PhoneOpenFile(PhoneStorage& storage, char volume, std::filesystem::path local)
      : storage_(storage), volume_(volume), local_(std::move(local)) {}

  // The draft once something was written, else the old file; -1 when there is neither.
  int Current() const { return draft_ >= 0 ? draft_ : old_; }
  // The size of the file before it was opened; nothing when it was not there.
  std::optional<std::uint64_t> Before() const {
    return old_ >= 0 ? std::optional<std::uint64_t>(oldSize_) : std::nullopt;
  }
  // Reads `bytes.size()` bytes that lie within the file, through a window onto it: a download
  // asks for small blocks, and a system call for each of them costs a good share of the rate.
  [[nodiscard]] bool ReadAt(std::span<std::uint8_t> bytes, std::uint64_t offset);
  // Claims room on the volume for the file to be `size` bytes long.
  [[nodiscard]] bool Reserve(std::uint64_t size);
  // Makes the draft, holding the old contents up to the write position.
  [[nodiscard]] bool StartDraft();
  [[nodiscard]] bool WriteAt(ByteView data);
  // Hands the held writes to the draft; false spoils the file.
  [[nodiscard]] bool Flush();
  void DropDraft();

  PhoneStorage& storage_;
  char volume_;
  std::filesystem::path local_;
  int old_ = -1;
  std::uint64_t oldSize_ = 0;
  int draft_ = -1;
  std::filesystem::path draftPath_;
  // Writes held back and given to the draft in large pieces: an upload comes in small blocks,
  // and a system call for each of them costs a good share of the transfer rate.
  Bytes pending_;
  std::uint64_t pendingAt_ = 0;
  Bytes window_;  // the file's bytes from `windowAt_` on, as last read
  std::uint64_t windowAt_ = 0;
  std::uint64_t size_ = 0;
  std::uint64_t position_ = 0;
  std::uint64_t granted_ = 0;  // room claimed on the volume beyond the old size
  bool readTried_ = false;
  bool spoiled_ = false;
};

}  // namespace menuforge
