// The J2MEST copies read with the menu from the simulated phone: parsed, patched from the JAD
// files, and what Open from phone does with them.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "app/core/java_after_open.h"
#include "java/j2mest_patch.h"
#include "support/j2mest_files.h"
#include "support/phone_test_rig.h"

namespace menuforge::test {
namespace {

constexpr char kPhoneJ2mest[] = "/a/mobile/kjava/J2MEST";
constexpr std::size_t kPhoneLeading = 3;
const std::string kLongName(40, 'L');

Bytes Jad(const std::string& name) {
  const std::string text = "MIDlet-Name: " + name + "\r\nMIDlet-1: " + name +
                           ", /icon.png, app.Main\r\nMIDlet-Vendor: Someone\r\n";
  return Bytes(text.begin(), text.end());
}

// `original` with the 33-byte field at `offset` holding the first 32 bytes of `name` at most,
// then zero bytes.
Bytes WithLaunchText(Bytes original, std::size_t offset, const std::string& name) {
  std::fill_n(original.begin() + static_cast<std::ptrdiff_t>(offset), 33, 0);
  std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 32),
              original.begin() + static_cast<std::ptrdiff_t>(offset));
  return original;
}

// A phone with a J2MEST in phone memory (record 5's JAD missing, record 8 fine as it is) and one
// on the card, both read as Open from phone reads them.
struct JavaRig : PhoneRig {
  JavaRig() {
    settings.readJ2mest = settings.fromPhone = settings.fromCard = true;
    settings.patchJ2mest = true;
    PutPhoneFile("/a/mobile/system/mma_ucp", RandomBytes(200, 1));
    PutPhoneFile(kPhoneJ2mest, phoneTable);
    PutPhoneFile("/c/mobile/kjava/j2me2.jad", Jad("Chess"));
    PutPhoneFile("/c/mobile/kjava/j2me6.jad", Jad(kLongName));
    PutPhoneFile("/c/mobile/kjava/j2me8.jad", Jad("Never asked for"));
    PutPhoneFile(CardFolder() + "J2MEST", cardTable);
    PutPhoneFile(CardFolder() + "j2me1.jad", Jad("Notes"));
    if (link.menuFiles.ReadPhoneMenuFiles().empty()) throw std::runtime_error("no menu");
  }
  std::string CardFolder() const { return "/b/mobile/kjava/" + link.session.imei() + "/"; }
  Bytes PhoneCopy() const { return ReadFileBytes(workingFolder / "j2mest_temp"); }
  Bytes CardCopy() const { return ReadFileBytes(workingFolder / "j2mest_mmc"); }
  J2mestState& state() { return link.menuFiles.j2mest; }
  J2mestTables Parsed() {
    J2mestTables tables;
    if (!ParseJ2mest(state(), workingFolder, dialogs, tables)) throw std::runtime_error("parse");
    return tables;
  }
  std::size_t PhoneOffset(std::size_t record) const {
    return LaunchTextOffset(kJ2mest708, kPhoneLeading, record);
  }
  Bytes PatchedPhoneTable() const {
    return WithLaunchText(WithLaunchText(phoneTable, PhoneOffset(2), "Chess"), PhoneOffset(6),
                          kLongName);
  }
  Bytes PatchedCardTable() const {
    return WithLaunchText(cardTable, LaunchTextOffset(kJ2mest1112, 0, 1), "Notes");
  }

  Bytes phoneTable = J2mestFile(kJ2mest708, kPhoneLeading,
                                {{2, "Chess", "Games", "2: chess.Main", true},
                                 {5, "Sky", "Stars", "1: sky", true},
                                 {6, "Long", "V", "3: long", true},
                                 {8, "Plain", "V", "plain.Main", true}});
  Bytes cardTable = J2mestFile(kJ2mest1112, 0, {{1, "Notes", "Acme", "4: notes", true}});
};

TEST(J2mestPatchTest, JadNamesGoToTheListedOffsets) {
  JavaRig rig;
  const J2mestTables tables = rig.Parsed();
  EXPECT_TRUE(tables.needsPatching);
  ASSERT_EQ(tables.phonePatches.size(), 3u);
  EXPECT_EQ(tables.phonePatches[0], (PatchTarget{2, 2 * 708 + 3 + 152}));
  EXPECT_EQ(tables.cardPatches, (std::vector<PatchTarget>{{1, 1 * 1112 + 156}}));

  PatchJ2mest(rig.link, tables, rig.workingFolder, rig.dialogs);
  EXPECT_TRUE(rig.dialogs.shown.empty());
  EXPECT_TRUE(rig.state().phoneCopyPatched);
  EXPECT_TRUE(rig.state().cardCopyPatched);
  EXPECT_EQ(rig.PhoneCopy(), rig.PatchedPhoneTable());
  EXPECT_EQ(rig.CardCopy(), rig.PatchedCardTable());
  std::vector<std::string> captions;
  for (const auto& window : rig.windows.windows) captions.push_back(window->captions.front());
  EXPECT_EQ(std::vector<std::string>(captions.end() - 4, captions.end()),
            (std::vector<std::string>{"Downloading j2me2.jad 0%", "Downloading j2me5.jad 0%",
                                      "Downloading j2me6.jad 0%", "Downloading j2me1.jad 0%"}));

  // Fresh copies go back to the phone only once they are patched themselves.
  ASSERT_FALSE(rig.link.menuFiles.ReadPhoneMenuFiles().empty());
  EXPECT_FALSE(rig.state().phoneCopyPatched || rig.state().cardCopyPatched);
}

TEST(J2mestPatchTest, OpenFromPhoneAsksWhenAllowedAndListsWhatTheCopiesHold) {
  struct Case {
    bool allowed;
    bool yes;
    bool asked;
    const char* chessLaunchText;
  };
  for (const Case c : {Case{false, true, false, "2: chess.Main"},
                       Case{true, false, true, "2: chess.Main"}, Case{true, true, true, "Chess"}}) {
    JavaRig rig;
    rig.dialogs.answers = {c.yes};
    const InstalledMidlets midlets =
        ReadJ2mestAfterOpen(rig.link, c.allowed, rig.workingFolder, rig.dialogs);
    EXPECT_EQ(rig.dialogs.asked.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(rig.dialogs.asked[0],
                (Message{"J2MEST file(s) seem to contain wrong CORELET info\r\npreventing them "
                         "from starting from main menu\r\n      Attempt patching?",
                         "Patch request", MessageIcon::Question}));
    }
    EXPECT_EQ(rig.PhoneCopy() == rig.phoneTable, !(c.allowed && c.yes));
    ASSERT_EQ(midlets.phone.size(), 30u);
    EXPECT_EQ(midlets.phone[2], (InstalledMidlet{c.chessLaunchText, "Chess", "Games"}));
    EXPECT_TRUE(midlets.phone[3].empty());
    EXPECT_EQ(midlets.card[1].name, "Notes");
    EXPECT_TRUE(midlets.phoneRead && midlets.cardRead);
  }
}

TEST(J2mestPatchTest, AnUnsupportedPhoneCopySkipsTheCardAndAsksNothing) {
  JavaRig rig;
  WriteFileBytes(rig.workingFolder / "j2mest_temp", Bytes(31 * 700, 1));
  const InstalledMidlets midlets =
      ReadJ2mestAfterOpen(rig.link, true, rig.workingFolder, rig.dialogs);
  EXPECT_EQ(rig.dialogs.shown,
            (std::vector<Message>{{"Unsupported J2MEST format", "Error", MessageIcon::Error}}));
  EXPECT_TRUE(rig.dialogs.asked.empty());
  EXPECT_TRUE(midlets.card[1].empty());
}

// Makes every file write of the process past `bytes` fail, as a full disk would.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, saved_.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }

 private:
  rlimit saved_{};
  void (*previous_)(int);
};

TEST(J2mestPatchTest, ACopyThatCannotBeReadOrWrittenStopsThePatchUnchanged) {
  for (const bool unreadable : {true, false}) {
    JavaRig rig;
    rig.settings.logging = false;
    const J2mestTables tables = rig.Parsed();
    const std::filesystem::path copy = rig.workingFolder / "j2mest_temp";
    if (unreadable) {
      std::filesystem::remove(copy);
      std::filesystem::create_directory(copy);
      PatchJ2mest(rig.link, tables, rig.workingFolder, rig.dialogs);
    } else {
      const FileSizeLimit limit(4096);
      PatchJ2mest(rig.link, tables, rig.workingFolder, rig.dialogs);
    }
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].caption, "Error");
    EXPECT_TRUE(rig.dialogs.shown[0].text.starts_with(
        (unreadable ? "Cannot open file \"" : "Cannot create file \"") + copy.string() + "\". "))
        << rig.dialogs.shown[0].text;
    if (!unreadable) {
      EXPECT_EQ(rig.PhoneCopy(), rig.phoneTable);
    }
    EXPECT_EQ(rig.CardCopy(), rig.cardTable);
    EXPECT_FALSE(rig.state().phoneCopyPatched || rig.state().cardCopyPatched);
    for (const auto& file : std::filesystem::directory_iterator(rig.workingFolder))
      EXPECT_FALSE(file.path().filename().string().starts_with("j2mest_temp.")) << file.path();
  }
}

}  // namespace
}  // namespace menuforge::test
