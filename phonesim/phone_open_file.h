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
// was written reaches the disk at close, in one piece; a refused write spoils the open file,
// and the close then keeps the old contents. A missing file that is opened and closed without
// a read is made, empty when nothing was written: that is an upload of an empty file, while a
// reader of a missing file tries a read first and leaves nothing behind.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "menu/commondata.h"
#include "phone/fsac_request.h"

namespace menuforge {

// The largest file the simulated phone takes.
inline constexpr std::size_t kMaxPhoneFileSize = 64u << 20;

class PhoneOpenFile {
 public:
  // Fails for a folder, a file that cannot be read, or a missing parent folder. A missing file
  // opens and is made by the first write.
  [[nodiscard]] static std::optional<PhoneOpenFile> Open(const std::filesystem::path& local);

  [[nodiscard]] bool Seek(std::uint32_t offset, std::uint8_t mode);
  // Nothing for a file that does not exist.
  std::optional<Bytes> Read(std::size_t wanted);
  [[nodiscard]] bool Write(ByteView data);
  void Spoil() { spoiled_ = true; }
  // Writes the new contents when there are any; false when they could not be kept.
  [[nodiscard]] bool Close();

 private:
  std::filesystem::path local_;
  bool exists_ = false;
  Bytes contents_;
  std::uint64_t position_ = 0;
  bool written_ = false;
  bool readTried_ = false;
  bool spoiled_ = false;
};

}  // namespace menuforge
