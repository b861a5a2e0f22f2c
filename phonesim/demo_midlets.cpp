#include "phonesim/demo_midlets.h"

#include <algorithm>
#include <array>
#include <vector>

#include "base/local_file.h"
#include "base/text_encoding.h"
#include "phone/phone_identity.h"
#include "phonesim/seem_records.h"

namespace menuforge {
namespace {

constexpr std::size_t kRecords = 31;
constexpr std::uint8_t kEntryBit = 0x01;
constexpr std::uint8_t kCoreletBit = 0x01;

// Where a record of each table keeps its texts; byte 0 holds the CORELET flag in both.
struct RecordLayout {
  std::size_t size;
  std::size_t name;
  std::size_t vendor;
  std::size_t launchText;
  std::size_t flags;
};
constexpr RecordLayout kPhoneLayout{708, 6, 39, 152, 1};
constexpr RecordLayout kCardLayout{1112, 6, 39, 156, 1};

struct DemoMidlet {
  const char* name;
  const char* vendor;
  const char* launchText;  // a digit, ":" and a blank is wrong CORELET info
  const char* mainClass;
};

constexpr std::array<DemoMidlet, 3> kPhoneMidlets = {{
    {"Snake", "Menuforge", "demo.snake.Snake", "demo.snake.Snake"},
    {"Notes", "Menuforge", "2: demo.notes.Notes", "demo.notes.Notes"},
    {"Sky Chart", "Star Apps", "5: sky.Chart", "sky.Chart"},
}};
constexpr std::array<DemoMidlet, 2> kCardMidlets = {{
    {"Chess", "Board Games", "1: chess.Chess", "chess.Chess"},
    {"Metro Map", "City Apps", "metro.Map", "metro.Map"},
}};

template <std::size_t N>
Bytes Table(const RecordLayout& layout, const std::array<DemoMidlet, N>& midlets) {
  Bytes table(layout.size * kRecords, 0);
  for (std::size_t i = 0; i < midlets.size(); ++i) {
    const auto record = table.begin() + static_cast<std::ptrdiff_t>(i * layout.size);
    auto put = [&](std::size_t offset, std::string_view text) {
      std::copy(text.begin(), text.end(), record + static_cast<std::ptrdiff_t>(offset));
    };
    put(layout.name, midlets[i].name);
    put(layout.vendor, midlets[i].vendor);
    put(layout.launchText, midlets[i].launchText);
    record[layout.flags] |= kEntryBit;
    record[0] |= kCoreletBit;
  }
  return table;
}

std::string Jad(const DemoMidlet& midlet) {
  const std::string name = midlet.name;
  return "MIDlet-1: " + name + ", /icon.png, " + midlet.mainClass + "\r\nMIDlet-Jar-URL: " + name +
         ".jar\r\nMIDlet-Name: " + name + "\r\nMIDlet-Vendor: " + midlet.vendor +
         "\r\nMIDlet-Version: 1.0\r\n";
}

std::string CreateFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return error ? FileError("create", folder, error.value()) : "";
}

// The table, and in the MIDlet folder the JAD file of each of its MIDlets: "j2me" + record
// number + ".jad".
template <std::size_t N>
std::string WriteMidlets(const std::filesystem::path& table, const std::filesystem::path& folder,
                         const RecordLayout& layout, const std::array<DemoMidlet, N>& midlets) {
  for (const std::filesystem::path& needed : {table.parent_path(), folder})
    if (std::string problem = CreateFolder(needed); !problem.empty()) return problem;
  if (const Status written = WriteFileAtomically(table, Table(layout, midlets)); !written)
    return written.error().text;
  for (std::size_t i = 0; i < midlets.size(); ++i)
    if (const Status written = WriteFileAtomically(folder / ("j2me" + std::to_string(i) + ".jad"),
                                                   std::string_view(Jad(midlets[i])));
        !written)
      return written.error().text;
  return {};
}

}  // namespace

std::string CreateDemoMidlets(const std::filesystem::path& root) {
  if (std::string problem = WriteMidlets(root / "a/mobile/kjava/J2MEST", root / "c/mobile/kjava",
                                         kPhoneLayout, kPhoneMidlets);
      !problem.empty())
    return problem;
  const std::filesystem::path card =
      root / "b/mobile/kjava" / (std::string(kDefaultImei) + ImeiCheckDigit(kDefaultImei));
  return WriteMidlets(card / "J2MEST", card, kCardLayout, kCardMidlets);
}

}  // namespace menuforge
