// The session: what a connect reads and logs, the identity texts, bounded SEEM retries, the
// disconnect, and the log file itself.
#include <gtest/gtest.h>

#include "app/core/status_text.h"
#include "phone/phone_identity.h"
#include "phone/socket_library.h"
#include "support/phone_test_rig.h"

namespace menuforge::test {
namespace {

using Lines = std::vector<std::string>;

TEST(PhoneSessionTest, ConnectReadsTheIdentityAndLogsEachStep) {
  PhoneRig rig;
  const PhoneSession& session = rig.link.session;
  EXPECT_TRUE(session.connected());
  EXPECT_EQ(rig.observer.connects, 1);
  EXPECT_EQ(rig.LogLines(),
            (Lines{"Phone connected", "Read SEEM 279_1 RC=64",
                   "[GetFWVersion] Send command VERSION (0xFFFF)  RC=0", "Read SEEM 4_1 RC=9",
                   "[GetLPVersion] Send command VERSION (0x0004)  RC=0"}));
  EXPECT_EQ(session.modelName(), "Menuforge Phone");
  EXPECT_EQ(session.imei(), "354678012345679");
  EXPECT_EQ(session.firmwareVersion(), "R3443H1_G_0A.65.0BR");
  EXPECT_EQ(session.lpVersion(), 0x0122);
  EXPECT_EQ(session.lpVersionText(), "0122");
  EXPECT_EQ(session.ProfileToApply(), "R3443H1");
  EXPECT_EQ(ConnectedBalloonText(session), "Connected:  Menuforge Phone");
  EXPECT_EQ(PhonePanelText(session), "Phone: Menuforge Phone  [R3443H1_G_0A.65.0BR] ");
  EXPECT_EQ(ImeiPanelText(session), " IMEI: 354678012345679");
  EXPECT_EQ(PhoneInfoText(session),
            "Model: Menuforge Phone\r\nF/W Version: R3443H1_G_0A.65.0BR\r\nLP Version: 0122");
  EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST(PhoneSessionTest, ImeiDigitsAndCheckDigitFromTheSeemRecord) {
  const Bytes record = HexBytes("08 1A 32 54 76 98 10 32 04");
  EXPECT_EQ(ImeiFromSeem(record), "123456789012347");

  PhoneRig rig;
  ASSERT_TRUE(rig.storage.WriteSeem(kSeemImei, 1, record));
  rig.Replug();
  EXPECT_EQ(rig.link.session.imei(), "123456789012347");
}

TEST(PhoneSessionTest, IdentityEdgeCases) {
  PhoneAnswers noUnderscore;
  noUnderscore.firmwareVersion = "R374";
  PhoneRig rig({}, noUnderscore);
  ASSERT_TRUE(rig.storage.WriteSeem(kSeemModelName, 1, HexBytes("00 00 00 41")));
  rig.Replug();
  const PhoneSession& session = rig.link.session;
  EXPECT_EQ(session.modelName(), "");
  EXPECT_EQ(PhonePanelText(session), "Phone:   [R374] ");
  // A version without "_" names the profile "", which is then not found.
  EXPECT_EQ(session.ProfileToApply(), "");

  PhoneRig refused(Refusing(PhoneCall::VersionQuery, 1, 2));
  EXPECT_EQ(refused.link.session.firmwareVersion(), "");
  EXPECT_EQ(refused.link.session.ProfileToApply(), std::nullopt);
  EXPECT_EQ(refused.link.session.lpVersion(), 0);
  EXPECT_EQ(refused.link.session.lpVersionText(), "0000");
}

TEST(PhoneSessionTest, VersionAnswersAreReadWithinWhatCame) {
  const Bytes answer = {9, 0, 0, 0, 0, 'R', '1', '_', 'x', 'y', 'z'};
  EXPECT_EQ(FirmwareVersionFromResponse(answer, 11), "R1_xy");
  EXPECT_EQ(FirmwareVersionFromResponse(answer, 7), "R1");
  EXPECT_EQ(FirmwareVersionFromResponse(Bytes{4, 0, 0, 0, 0, 'R'}, 6), "");
  EXPECT_EQ(FirmwareVersionFromResponse(Bytes{}, 0), "");
  EXPECT_EQ(LpVersionFromResponse(Bytes{0, 0x0A, 0x1B, 0}, 4), 0x0A1B);
  EXPECT_EQ(LpVersionFromResponse(Bytes{0, 0x0A}, 2), 0);
  EXPECT_EQ(LpVersionText(0x0A1B), "0A1B");
  EXPECT_EQ(ProfileNameFromFirmware("R3624_G_0E"), "R3624");
}

TEST(PhoneSessionTest, ARefusedSeemReadIsTriedAgainAfterHalfASecond) {
  PhoneRig rig(Refusing(PhoneCall::SeemRead, 1));
  const Lines log = rig.LogLines();
  EXPECT_EQ(Lines(log.begin(), log.begin() + 3),
            (Lines{"Phone connected", "Read SEEM 279_1 RC=-1", "Read SEEM 279_1 RC=64"}));
  EXPECT_EQ(rig.waits, (std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(500)}));
  EXPECT_EQ(rig.link.session.modelName(), "Menuforge Phone");
  EXPECT_TRUE(rig.dialogs.shown.empty());
}

// Such a phone cannot say who it is, so it is not taken for a connected phone.
TEST(PhoneSessionTest, APhoneThatNeverAnswersSeemReadsIsGivenUpAndReported) {
  PhoneRig rig(Refusing(PhoneCall::SeemRead, 1, 1000));
  const Lines log = rig.LogLines();
  EXPECT_EQ(std::count(log.begin(), log.end(), "Read SEEM 279_1 RC=-1"), kSeemReadTries);
  EXPECT_EQ(std::count(log.begin(), log.end(), "Read SEEM 4_1 RC=-1"), kSeemReadTries);
  EXPECT_EQ(rig.waits.size(), 2u * (kSeemReadTries - 1));
  EXPECT_EQ(
      rig.dialogs.shown,
      (std::vector<Message>{{"Error reading SEEM 0117_0001", "P2K Error", MessageIcon::Error},
                            {"Error reading SEEM 0004_0001", "P2K Error", MessageIcon::Error}}));
  EXPECT_FALSE(rig.link.session.connected());
  EXPECT_TRUE(rig.link.session.linked());
  EXPECT_EQ(rig.link.session.modelName(), "");
  EXPECT_EQ(rig.link.session.imei(), "");
  EXPECT_EQ(rig.observer.connects, 0);
}

TEST(PhoneSessionTest, DisconnectClearsThePhoneState) {
  PhoneRig rig;
  PhoneSession& session = rig.link.session;
  session.RecordWrittenFile("/a/x", 1);
  ASSERT_TRUE(session.ReadVolumes().ok());
  WriteFileBytes(rig.workingFolder / "mma_temp", Bytes(100, 1));
  rig.link.menuFiles.WritePhoneMenuFiles();
  ASSERT_TRUE(rig.link.menuFiles.storedToPhone());
  rig.phone.Unplug();
  session.Poll();
  EXPECT_FALSE(session.connected());
  EXPECT_EQ(rig.observer.disconnects, 1);
  EXPECT_TRUE(session.fileList().empty());
  EXPECT_EQ(session.volumes(), "");
  EXPECT_EQ(session.profileName(), "");
  EXPECT_FALSE(rig.link.menuFiles.storedToPhone());
  EXPECT_EQ(session.ProfileToApply(), std::nullopt);
  EXPECT_EQ(rig.LogLines().back(), "Phone disconnected");
  EXPECT_EQ(session.GetFirmwareVersion(), "");
  EXPECT_EQ(session.GetLpVersion(), 0);
}

// Each phone operation fails with the message its callers show, naming a lost connection when
// that was why; a second try goes through, and a deleted file leaves the list.
TEST(PhoneSessionTest, PhoneOperationsSayWhyTheyFailed) {
  struct Case {
    PhoneCall refused;
    std::function<Status(PhoneRig&)> operation;
    Message failure;
  };
  const auto error = [](std::string text) {
    return Message{text, kErrorCaption, MessageIcon::Error};
  };
  const std::vector<Case> cases = {
      {PhoneCall::DeleteFile, [](PhoneRig& r) { return r.link.session.DeleteFile("/a/x"); },
       error("Error deleting /a/x")},
      {PhoneCall::CreateDir, [](PhoneRig& r) { return r.link.session.CreateFolder("/a/new"); },
       error("Error creating /a/new")},
      {PhoneCall::DeleteDir, [](PhoneRig& r) { return r.link.session.DeleteFolder("/a/p"); },
       error("Error deleting /a/p")},
      {PhoneCall::CreateFile,
       [](PhoneRig& r) { return r.link.menuFiles.SetAttribute("/a/x", kAttributeHidden); },
       error("Error changing attributes for /a/x")},
      {PhoneCall::VolumeList,
       [](PhoneRig& r) { return r.link.session.ReadVolumes(); },
       {"Error getting volume info", "", MessageIcon::Error}},
  };
  for (const Case& c : cases) {
    PhoneRig rig(Refusing(c.refused, 1));
    rig.PutPhoneFile("/a/x", Bytes(3));
    std::filesystem::create_directory(rig.PhonePath("/a/p"));
    rig.link.session.RecordWrittenFile("/a/x", 3);
    const Status refused = c.operation(rig);
    ASSERT_FALSE(refused.ok()) << c.failure.text;
    EXPECT_EQ(refused.error(), c.failure);
    EXPECT_TRUE(c.operation(rig).ok()) << c.failure.text;
    EXPECT_EQ(rig.link.session.fileList().empty(), c.refused == PhoneCall::DeleteFile);
  }

  PhoneRig unplugged;
  unplugged.phone.Unplug();
  EXPECT_EQ(unplugged.link.session.DeleteFile("/a/x").error().text,
            "Error deleting /a/x: the connection to the phone was lost");
}

// Only the browser's listings log the volume query; the table is kept when the phone refuses.
TEST(PhoneSessionTest, ReadVolumesLogsTheLineItIsGiven) {
  PhoneRig rig;
  const std::size_t before = rig.LogLines().size();
  ASSERT_TRUE(rig.link.session.ReadVolumes().ok());
  EXPECT_EQ(rig.LogLines().size(), before);
  EXPECT_EQ(rig.link.session.volumes(), "abce");

  rig.Replug(Refusing(PhoneCall::VolumeList, 2));
  ASSERT_TRUE(rig.link.session.ReadVolumes().ok());
  EXPECT_FALSE(rig.link.session.ReadVolumes("[GetIconList] Get volume info RC=").ok());
  EXPECT_EQ(rig.LogLines().back(), "[GetIconList] Get volume info RC=-1");
  EXPECT_EQ(rig.link.session.volumes(), "abce");
}

TEST(PhoneSessionTest, TheLogIsCreatedEmptyAndWrittenOnlyWhileLoggingIsOn) {
  TempFolder folder;
  const auto path = folder / "p2klog.txt";
  WriteFileText(path, "old run\r\n");
  Settings settings;
  PhoneLog log(settings);
  ASSERT_TRUE(log.Create(path));
  log.Write("not written");
  EXPECT_EQ(ReadFileText(path), "");
  settings.logging = true;
  log.Write("Phone connected");
  log.Write("Read SEEM 279_1 RC=-1");
  EXPECT_EQ(ReadFileText(path), "Phone connected\r\nRead SEEM 279_1 RC=-1\r\n");
  EXPECT_TRUE(
      log.Create(folder / "missing" / "p2klog.txt").errorText().starts_with("Cannot create file"));
}

TEST(PhoneSessionTest, ConnectWithLoggingOffLeavesTheLogEmpty) {
  PhoneRig rig;
  rig.settings.logging = false;
  ASSERT_TRUE(rig.link.log.Create(rig.workingFolder / "p2klog.txt"));
  rig.Replug();
  EXPECT_EQ(ReadFileText(rig.workingFolder / "p2klog.txt"), "");
}

TEST(PhoneSessionTest, ALibraryThatDoesNotStartIsReported) {
  RecordingDialogs dialogs;
  CountingObserver observer;
  Settings settings;
  PhoneLog log(settings);
  SocketPhoneLibrary library(std::string(200, 'x'));
  PhoneSession session(library, log, dialogs, observer);
  const Status started = session.Start();
  ASSERT_FALSE(started);
  EXPECT_EQ(started.error(),
            (Message{"Error initializing P2KAPI library", "", MessageIcon::Error}));
  session.Poll();
  EXPECT_FALSE(session.connected());
}

TEST(PhoneSessionTest, ListProgressIsLoggedAndShown) {
  PhoneRig rig;
  RecordingProgressWindows windows;
  const std::string title = "Retrieving file list from volume /a/";
  ShownProgress window(windows.Show(title), title);
  rig.link.session.ShowListProgress(1, 3, title, window);
  rig.link.session.ShowListProgress(1, 3, title, window);
  rig.link.session.ShowListProgress(3, 3, title, window);
  EXPECT_EQ(windows.windows[0]->captions, (Lines{"Retrieving file list from volume /a/",
                                                 "Retrieving file list from volume /a/ 33%",
                                                 "Retrieving file list from volume /a/ 100%"}));
  EXPECT_EQ(windows.windows[0]->positions, (std::vector<int>{33, 33, 100}));
  EXPECT_EQ(rig.LogLines().back(), "[ProgressProc] completion=3 of 3");
}

TEST(PhoneSessionTest, RestartLogsClearsStoredToPhoneAndThePhoneComesBack) {
  PhoneRig rig;
  WriteFileBytes(rig.workingFolder / "mma_temp", Bytes(100, 1));
  rig.link.menuFiles.WritePhoneMenuFiles();
  rig.link.menuFiles.RestartPhone();
  EXPECT_FALSE(rig.link.menuFiles.storedToPhone());
  EXPECT_EQ(rig.LogLines().back(), "Phone is restarted");
  rig.link.session.Poll();
  EXPECT_EQ(rig.observer.disconnects, 1);
  EXPECT_EQ(rig.observer.connects, 2);
  EXPECT_TRUE(rig.link.session.connected());
}

}  // namespace
}  // namespace menuforge::test
