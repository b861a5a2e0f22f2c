// The phone's menu and J2MEST files through their working copies, the system attribute, and
// the SEEM backup.
#include <gtest/gtest.h>

#include "phone/restart_at_close.h"
#include "phone/seem_backup.h"
#include "support/phone_test_rig.h"

namespace menuforge::test {
namespace {

constexpr char kMenu[] = "/a/mobile/system/mma_ucp";

Message Fatal(const std::string& text) { return {text, "Fatal P2K error", MessageIcon::Error}; }

struct J2mestRig : PhoneRig {
  J2mestRig(bool fromPhone, bool fromCard, FaultPlan faults = {}) : PhoneRig(std::move(faults)) {
    settings.readJ2mest = fromPhone || fromCard;
    settings.fromPhone = fromPhone;
    settings.fromCard = fromCard;
    PutPhoneFile(kMenu, menu);
  }
  std::string CardFolder(bool installed) const {
    return std::string("/b/mobile/kjava/") + (installed ? "installed/" : "") + link.session.imei() +
           "/";
  }
  bool HasCopy(const char* name) const { return std::filesystem::exists(workingFolder / name); }

  Bytes menu = RandomBytes(3100, 1);
};

TEST(PhoneMenuFilesTest, ReadsTheMenuFileAndTheVolumes) {
  J2mestRig rig(false, false);
  WriteFileText(rig.workingFolder / "j2mest_temp", "from an earlier phone");
  EXPECT_EQ(rig.link.menuFiles.ReadPhoneMenuFiles(), rig.workingFolder / "mma_temp");
  EXPECT_EQ(ReadFileBytes(rig.workingFolder / "mma_temp"), rig.menu);
  EXPECT_EQ(rig.link.session.volumes(), "abce");
  EXPECT_EQ(rig.windows.windows.at(0)->captions.front(), "Reading mma_ucp 0%");
  EXPECT_FALSE(rig.HasCopy("j2mest_temp"));
  EXPECT_TRUE(rig.dialogs.shown.empty());
}

// The bar follows the size the phone lists for its menu file, so it reaches 100% only at the
// end, whatever the file's size; the guess of 3000 bytes serves only a phone that lists none.
TEST(PhoneMenuFilesTest, TheMenuReadsBarFollowsThePhonesSizeOfTheFile) {
  struct Case {
    std::size_t size;
    FaultPlan faults;
    std::vector<std::string> captions;
  };
  const Case cases[] = {
      {2000, {}, {"Reading mma_ucp 0%", "Reading mma_ucp 51%", "Reading mma_ucp 100%"}},
      {6000,
       {},
       {"Reading mma_ucp 0%", "Reading mma_ucp 17%", "Reading mma_ucp 34%", "Reading mma_ucp 51%",
        "Reading mma_ucp 68%", "Reading mma_ucp 85%", "Reading mma_ucp 100%"}},
      {2000,
       Refusing(PhoneCall::ListFiles, 1),
       {"Reading mma_ucp 0%", "Reading mma_ucp 34%", "Reading mma_ucp 67%"}},
  };
  for (const Case& c : cases) {
    J2mestRig rig(false, false, c.faults);
    rig.PutPhoneFile(kMenu, RandomBytes(c.size, 2));
    ASSERT_EQ(rig.link.menuFiles.ReadPhoneMenuFiles(), rig.workingFolder / "mma_temp") << c.size;
    EXPECT_EQ(rig.windows.windows.at(0)->captions, c.captions) << c.size;
  }
}

TEST(PhoneMenuFilesTest, AMenuFileThatDidNotComeWholeIsNeverOffered) {
  struct Case {
    FaultPlan faults;
    bool present;
  };
  for (const Case& c : {Case{Refusing(PhoneCall::FsacRead, 2), true},
                        Case{Refusing(PhoneCall::FsacOpen, 1), true}, Case{{}, false}}) {
    J2mestRig rig(false, false, c.faults);
    if (!c.present) std::filesystem::remove(rig.PhonePath(kMenu));
    EXPECT_EQ(rig.link.menuFiles.ReadPhoneMenuFiles(), std::filesystem::path());
    EXPECT_EQ(rig.dialogs.shown, std::vector<Message>{Fatal("Error reading mma_ucp")});
    EXPECT_FALSE(rig.HasCopy("mma_temp"));
  }
}

TEST(PhoneMenuFilesTest, ARefusedVolumeListKeepsTheMenuFile) {
  J2mestRig rig(true, true, Refusing(PhoneCall::VolumeList, 1));
  EXPECT_EQ(rig.link.menuFiles.ReadPhoneMenuFiles(), rig.workingFolder / "mma_temp");
  EXPECT_EQ(rig.dialogs.shown, std::vector<Message>{Fatal("Error getting volume info")});
  EXPECT_FALSE(rig.HasCopy("j2mest_temp"));
}

TEST(PhoneMenuFilesTest, PhoneJ2mestFromTheFirstOrTheSecondPlace) {
  for (const bool installed : {false, true}) {
    J2mestRig rig(true, false);
    const Bytes table = RandomBytes(20212, 2);
    rig.PutPhoneFile(installed ? "/a/mobile/kjava/installed/J2MEST" : "/a/mobile/kjava/J2MEST",
                     table);
    ASSERT_FALSE(rig.link.menuFiles.ReadPhoneMenuFiles().empty());
    const J2mestState& j2mest = rig.link.menuFiles.j2mest;
    EXPECT_TRUE(j2mest.readFromPhone);
    EXPECT_EQ(j2mest.phonePath,
              installed ? "/a/mobile/kjava/installed/J2MEST" : "/a/mobile/kjava/J2MEST");
    EXPECT_EQ(j2mest.phoneMidletFolder,
              installed ? "/c/mobile/kjava/installed/" : "/c/mobile/kjava/");
    EXPECT_EQ(ReadFileBytes(rig.workingFolder / "j2mest_temp"), table);
    EXPECT_EQ(rig.windows.windows.back()->captions.front(), "Reading J2MEST [phone] 0%");
    EXPECT_TRUE(rig.dialogs.shown.empty());
  }
}

TEST(PhoneMenuFilesTest, AFailedPhoneJ2mestSkipsTheCard) {
  J2mestRig rig(true, true);
  rig.PutPhoneFile(rig.CardFolder(false) + "J2MEST", RandomBytes(100, 3));
  EXPECT_FALSE(rig.link.menuFiles.ReadPhoneMenuFiles().empty());
  EXPECT_EQ(rig.dialogs.shown, std::vector<Message>{Fatal("Error reading J2MEST [phone]")});
  EXPECT_EQ(rig.link.menuFiles.j2mest.phonePath, "");
  EXPECT_FALSE(rig.link.menuFiles.j2mest.readFromPhone);
  EXPECT_FALSE(rig.link.menuFiles.j2mest.readFromCard);
  EXPECT_FALSE(rig.HasCopy("j2mest_temp"));
  EXPECT_FALSE(rig.HasCopy("j2mest_mmc"));
}

TEST(PhoneMenuFilesTest, CardJ2mestFollowsTheImei) {
  for (const bool installed : {false, true}) {
    J2mestRig rig(false, true);
    const Bytes table = RandomBytes(2000, 4);
    rig.PutPhoneFile(rig.CardFolder(installed) + "J2MEST", table);
    ASSERT_FALSE(rig.link.menuFiles.ReadPhoneMenuFiles().empty());
    const J2mestState& j2mest = rig.link.menuFiles.j2mest;
    EXPECT_TRUE(j2mest.readFromCard);
    EXPECT_EQ(j2mest.cardPath, rig.CardFolder(installed) + "J2MEST");
    EXPECT_EQ(j2mest.cardMidletFolder, rig.CardFolder(installed));
    EXPECT_EQ(ReadFileBytes(rig.workingFolder / "j2mest_mmc"), table);
  }
}

TEST(PhoneMenuFilesTest, AMissingCardJ2mestIsReportedAndNoCardMeansNoQuestion) {
  J2mestRig rig(false, true);
  EXPECT_FALSE(rig.link.menuFiles.ReadPhoneMenuFiles().empty());
  EXPECT_EQ(
      rig.dialogs.shown,
      (std::vector<Message>{{"    Error reading J2MEST [card]\r\nFile read error or J2MEST absent",
                             "P2K error", MessageIcon::Error}}));
  EXPECT_FALSE(rig.link.menuFiles.j2mest.readFromCard);
  EXPECT_EQ(rig.link.menuFiles.j2mest.cardPath, "");
  EXPECT_EQ(rig.link.menuFiles.j2mest.cardMidletFolder, rig.CardFolder(true));

  J2mestRig noCard(false, true);
  std::filesystem::remove_all(noCard.storageRoot / "b");
  EXPECT_FALSE(noCard.link.menuFiles.ReadPhoneMenuFiles().empty());
  EXPECT_TRUE(noCard.dialogs.shown.empty());
  EXPECT_EQ(noCard.link.session.volumes(), "ace");
  EXPECT_EQ(noCard.windows.windows.size(), 1u);
}

TEST(PhoneMenuFilesTest, WritingSetsTheSystemAttributeOnlyWhenAsked) {
  for (const bool setAttribute : {false, true}) {
    PhoneRig rig;
    rig.settings.setSystemAttribute = setAttribute;
    const Bytes menu = RandomBytes(1500, 5);
    WriteFileBytes(rig.workingFolder / "mma_temp", menu);
    rig.link.menuFiles.WritePhoneMenuFiles();
    EXPECT_EQ(rig.PhoneFile(kMenu), menu);
    EXPECT_TRUE(rig.link.menuFiles.storedToPhone());
    EXPECT_EQ(rig.storage.Attributes(kMenu), setAttribute ? kAttributeSystem : 0);
    EXPECT_EQ(rig.LogLines().back(), setAttribute
                                         ? "Set attribute 4 to /a/mobile/system/mma_ucp RC=0"
                                         : "[P2KFileWrite] Send command FSAC (0x0004) RC=0");
    EXPECT_TRUE(rig.dialogs.shown.empty());
  }
}

TEST(PhoneMenuFilesTest, PatchedJ2mestCopiesAreWrittenBackWithTheSystemAttribute) {
  PhoneRig rig;
  rig.settings.readJ2mest = rig.settings.fromPhone = rig.settings.fromCard = true;
  rig.settings.patchJ2mest = true;
  J2mestState& j2mest = rig.link.menuFiles.j2mest;
  j2mest.phonePath = "/a/mobile/kjava/J2MEST";
  j2mest.cardPath = "/b/J2MEST";
  j2mest.phoneCopyPatched = j2mest.cardCopyPatched = true;
  std::filesystem::create_directories(rig.storageRoot / "a/mobile/kjava");
  WriteFileBytes(rig.workingFolder / "mma_temp", RandomBytes(100, 6));
  WriteFileBytes(rig.workingFolder / "j2mest_temp", RandomBytes(200, 7));
  WriteFileBytes(rig.workingFolder / "j2mest_mmc", RandomBytes(300, 8));
  rig.link.menuFiles.WritePhoneMenuFiles();
  EXPECT_EQ(rig.PhoneFile("/a/mobile/kjava/J2MEST"), RandomBytes(200, 7));
  EXPECT_EQ(rig.PhoneFile("/b/J2MEST"), RandomBytes(300, 8));
  EXPECT_EQ(rig.storage.Attributes("/a/mobile/kjava/J2MEST"), kAttributeSystem);
  EXPECT_EQ(rig.storage.Attributes("/b/J2MEST"), kAttributeSystem);
  EXPECT_EQ(rig.storage.Attributes(kMenu), 0);
}

// Patched copies belong to the phone they were read from: once it is gone, Save writes only the
// menu file, whether the same phone comes back or another one.
TEST(PhoneMenuFilesTest, PatchedJ2mestCopiesAreForgottenWhenThePhoneGoes) {
  for (const bool otherPhone : {false, true}) {
    PhoneRig rig;
    rig.settings.patchJ2mest = true;
    J2mestState& j2mest = rig.link.menuFiles.j2mest;
    j2mest.phonePath = "/a/J2MEST";
    j2mest.cardPath = "/b/J2MEST";
    j2mest.readFromPhone = j2mest.phoneCopyPatched = j2mest.cardCopyPatched = true;
    WriteFileBytes(rig.workingFolder / "mma_temp", RandomBytes(100, 16));
    WriteFileBytes(rig.workingFolder / "j2mest_temp", RandomBytes(200, 17));
    WriteFileBytes(rig.workingFolder / "j2mest_mmc", RandomBytes(300, 18));
    rig.phone.Unplug();
    rig.link.session.Poll();
    const Bytes otherImei = {8, 0x1A, 0x32, 0x54, 0x76, 0x98, 0x10, 0x32, 4};
    if (otherPhone) {
      ASSERT_TRUE(rig.storage.WriteSeem(kSeemImei, 1, otherImei));
    }
    rig.Replug();
    EXPECT_EQ(rig.link.session.imei(), otherPhone ? "123456789012347" : "354678012345679");
    rig.link.menuFiles.WritePhoneMenuFiles();
    EXPECT_TRUE(rig.link.menuFiles.storedToPhone());
    EXPECT_FALSE(j2mest.readFromPhone);
    EXPECT_FALSE(std::filesystem::exists(rig.PhonePath("/a/J2MEST")));
    EXPECT_FALSE(std::filesystem::exists(rig.PhonePath("/b/J2MEST")));
  }
}

TEST(PhoneMenuFilesTest, ARefusedMenuWriteStopsEverything) {
  for (const PhoneCall refused : {PhoneCall::FsacWrite, PhoneCall::FsacClose}) {
    PhoneRig rig(Refusing(refused, 1));
    rig.settings.patchJ2mest = true;
    rig.link.menuFiles.j2mest.phoneCopyPatched = true;
    rig.link.menuFiles.j2mest.phonePath = "/a/J2MEST";
    WriteFileBytes(rig.workingFolder / "mma_temp", RandomBytes(100, 9));
    WriteFileBytes(rig.workingFolder / "j2mest_temp", RandomBytes(100, 10));
    rig.link.menuFiles.WritePhoneMenuFiles();
    EXPECT_FALSE(rig.link.menuFiles.storedToPhone());
    EXPECT_EQ(rig.dialogs.shown,
              (std::vector<Message>{{"Error writing mma_ucp", "", MessageIcon::Error}}));
    EXPECT_FALSE(std::filesystem::exists(rig.PhonePath("/a/J2MEST")));
    EXPECT_FALSE(std::filesystem::exists(rig.PhonePath(kMenu)));
  }
}

TEST(PhoneMenuFilesTest, SeemBackupAndRestoreKeepTheRecordsExactLength) {
  PhoneRig rig;
  const Bytes record = RandomBytes(77, 11);
  ASSERT_TRUE(rig.storage.WriteSeem(kSeemMenuFlags, 1, record));
  BackupSeem(rig.link.session, rig.folder / "0032_0001.seem", rig.dialogs);
  EXPECT_EQ(ReadFileBytes(rig.folder / "0032_0001.seem"), record);

  ASSERT_TRUE(rig.storage.WriteSeem(kSeemMenuFlags, 1, RandomBytes(500, 12)));
  RestoreSeem(rig.link.session, rig.folder / "0032_0001.seem", rig.dialogs);
  EXPECT_EQ(rig.storage.ReadSeem(kSeemMenuFlags, 1), record);
  EXPECT_EQ(
      rig.dialogs.shown,
      (std::vector<Message>{{"SEEM 0032_0001 backed up", "", MessageIcon::Information},
                            {"Backup SEEM 0032_0001 restored", "", MessageIcon::Information}}));
}

TEST(PhoneMenuFilesTest, SeemFailuresAreReportedAndWriteNothing) {
  PhoneRig rig(FaultPlan{{{PhoneCall::SeemRead, 3}, {PhoneCall::SeemWrite, 1}}, std::nullopt});
  BackupSeem(rig.link.session, rig.folder / "backup.seem", rig.dialogs);
  EXPECT_FALSE(std::filesystem::exists(rig.folder / "backup.seem"));
  WriteFileBytes(rig.folder / "ok.seem", RandomBytes(10, 13));
  RestoreSeem(rig.link.session, rig.folder / "ok.seem", rig.dialogs);
  WriteFileBytes(rig.folder / "big.seem", RandomBytes(10001, 14));
  RestoreSeem(rig.link.session, rig.folder / "big.seem", rig.dialogs);
  ASSERT_EQ(rig.dialogs.shown.size(), 3u);
  EXPECT_EQ(rig.dialogs.shown[0],
            (Message{"Error reading SEEM", "P2K Error", MessageIcon::Information}));
  EXPECT_EQ(rig.dialogs.shown[1],
            (Message{"Error writing SEEM", "P2K Error", MessageIcon::Information}));
  EXPECT_EQ(rig.dialogs.shown[2].caption, "P2K Error");

  rig.phone.Unplug();
  rig.link.session.Poll();
  BackupSeem(rig.link.session, rig.folder / "backup.seem", rig.dialogs);
  EXPECT_EQ(rig.dialogs.shown.size(), 3u);
}

// A peer that claims more record bytes than it can have put in the buffer.
struct ClaimingLibrary : RecordingLibrary {
  using RecordingLibrary::RecordingLibrary;
  std::int32_t Seem_Read(std::uint16_t s, std::uint16_t r, std::uint32_t o, std::uint32_t z,
                         std::span<std::uint8_t> b) override {
    const std::int32_t result = RecordingLibrary::Seem_Read(s, r, o, z, b);
    return s == kSeemMenuFlags ? claimed : result;
  }
  std::int32_t claimed = 0;
};

TEST(PhoneMenuFilesTest, ASeemBackupTakesNoMoreThanTheBufferHolds) {
  for (const std::int32_t claimed : {10000, 10001}) {
    TempFolder folder;
    MakePhoneStorage(folder / "phone");
    PhoneStorage storage(folder / "phone");
    InProcessPhoneLibrary phone(storage, {});
    ClaimingLibrary library(phone);
    library.claimed = claimed;
    Settings settings;
    RecordingDialogs dialogs;
    RecordingProgressWindows windows;
    CountingObserver observer;
    PhoneLink link(library, settings, dialogs, windows, observer, folder.path());
    ASSERT_TRUE(link.session.Start());
    phone.Plug();
    link.session.Poll();
    BackupSeem(link.session, folder / "backup.seem", dialogs);
    const bool fits = claimed == 10000;
    EXPECT_EQ(std::filesystem::exists(folder / "backup.seem"), fits);
    if (fits) {
      EXPECT_EQ(ReadFileBytes(folder / "backup.seem").size(), 10000u);
    }
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              fits ? "SEEM 0032_0001 backed up"
                   : "The phone claims more bytes of SEEM 0032_0001 than a SEEM record can hold "
                     "(10000 bytes); nothing was backed up");
  }
}

TEST(PhoneMenuFilesTest, TheRestartQuestionAtCloseComesOnceAfterAStore) {
  const Message question{"mma_ucp was stored to the phone\r\n      Should we reboot it?", "",
                         MessageIcon::Question};
  for (const bool yes : {true, false}) {
    PhoneRig rig;
    WriteFileBytes(rig.workingFolder / "mma_temp", RandomBytes(100, 15));
    rig.link.menuFiles.WritePhoneMenuFiles();
    rig.dialogs.answers = {yes};
    AskRestartAtClose(rig.link.session, rig.link.menuFiles, rig.dialogs);
    AskRestartAtClose(rig.link.session, rig.link.menuFiles, rig.dialogs);
    EXPECT_EQ(rig.dialogs.asked, std::vector<Message>{question});
    EXPECT_EQ(rig.LogLines().back() == "Phone is restarted", yes);
  }

  PhoneRig restarted;
  WriteFileBytes(restarted.workingFolder / "mma_temp", RandomBytes(100, 16));
  restarted.link.menuFiles.WritePhoneMenuFiles();
  EXPECT_TRUE(restarted.link.menuFiles.RestartPhone());
  AskRestartAtClose(restarted.link.session, restarted.link.menuFiles, restarted.dialogs);
  EXPECT_TRUE(restarted.dialogs.asked.empty());

  // A phone that refuses says so, so the window does not claim it restarts.
  PhoneRig refusing(FaultPlan{{{PhoneCall::Restart, 1}}, std::nullopt});
  EXPECT_FALSE(refusing.link.menuFiles.RestartPhone());
}

}  // namespace
}  // namespace menuforge::test
