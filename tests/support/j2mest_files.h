// J2MEST files built byte by byte for the tests, from the record layouts as the phone writes
// them, so that the parser is held to the layouts rather than to itself.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "base/text_encoding.h"

namespace menuforge::test {

struct J2mestRecordLayout {
  std::size_t size;
  std::size_t name;
  std::size_t vendor;
  std::size_t launchText;
  std::size_t flags;
  bool coreletFlag;  // bit 0 of record byte 0
};

inline constexpr J2mestRecordLayout kJ2mest652{652, 4, 37, 100, 0, false};
inline constexpr J2mestRecordLayout kJ2mest660{660, 4, 37, 108, 0, false};
inline constexpr J2mestRecordLayout kJ2mest708{708, 6, 39, 152, 1, true};
inline constexpr J2mestRecordLayout kJ2mest712{712, 4, 37, 156, 0, false};
inline constexpr J2mestRecordLayout kJ2mest1104{1104, 6, 39, 152, 1, true};
inline constexpr J2mestRecordLayout kJ2mest1112{1112, 6, 39, 156, 1, true};

struct J2mestRecord {
  std::size_t number;
  std::string name;
  std::string vendor;
  std::string launchText;
  bool corelet = false;
};

// Where a record's launch text starts in the file.
inline std::size_t LaunchTextOffset(const J2mestRecordLayout& layout, std::size_t leading,
                                    std::size_t record) {
  return leading + record * layout.size + layout.launchText;
}

// A leading block of `leading` bytes 0xA5, then 31 records of `layout.size` bytes; each of
// `records` is an entry, every other record is zero.
inline Bytes J2mestFile(const J2mestRecordLayout& layout, std::size_t leading,
                        const std::vector<J2mestRecord>& records) {
  Bytes file(leading + 31 * layout.size, 0);
  std::fill_n(file.begin(), leading, 0xA5);
  for (const J2mestRecord& record : records) {
    const std::size_t start = leading + record.number * layout.size;
    auto put = [&](std::size_t offset, const std::string& text) {
      std::copy(text.begin(), text.end(),
                file.begin() + static_cast<std::ptrdiff_t>(start + offset));
    };
    put(layout.name, record.name);
    put(layout.vendor, record.vendor);
    put(layout.launchText, record.launchText);
    file[start + layout.flags] |= 0x01;
    if (record.corelet) file[start] |= 0x01;
  }
  return file;
}

}  // namespace menuforge::test
