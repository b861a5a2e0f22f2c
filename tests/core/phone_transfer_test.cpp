// Files through the four transfers: byte-exact round trips, what the windows and the log are
// told, and what a refusal leaves behind.
#include <gtest/gtest.h>

#include <random>

#include "support/phone_test_rig.h"

namespace menuforge::test {
namespace {

using Lines = std::vector<std::string>;

TransferResult FileRead(PhoneRig& rig, const std::string& phonePath,
                        const std::filesystem::path& local) {
  return rig.link.transfer.P2KFileRead(phonePath, local, 3000, "");
}

TransferResult GroupRead(PhoneRig& rig, const std::string& phonePath,
                         const std::filesystem::path& local) {
  RecordingGroupWindow window;
  GroupProgress group(window);
  return rig.link.transfer.P2KGroupRead(phonePath, local, 3000, group);
}

// Writes `data` to the phone with the single-file write, then reads it back with the single-file
// and the group read. Every trip uses files of its own: rewriting a file in place costs the file
// system a flush.
void ExpectRoundTrip(PhoneRig& rig, const Bytes& data) {
  const std::string name = "file" + std::to_string(data.size()) + ".bin";
  const std::string phonePath = "/a/" + name;
  const auto up = rig.folder / ("up-" + name);
  WriteFileBytes(up, data);
  ASSERT_EQ(rig.link.transfer.P2KFileWrite(up, phonePath).bytes,
            static_cast<std::int32_t>(data.size()));
  for (const auto read : {FileRead, GroupRead}) {
    const auto down = rig.folder / ((read == FileRead ? "file-" : "group-") + name);
    const TransferResult result = read(rig, phonePath, down);
    ASSERT_EQ(result.bytes, static_cast<std::int32_t>(data.size())) << name;
    ASSERT_TRUE(result.complete) << name;
    ASSERT_EQ(ReadFileBytes(down), data) << name;
  }
}

TEST(PhoneTransferTest, EverySizeUpTo3100ComesBackByteExact) {
  PhoneRig rig;
  rig.settings.logging = false;
  for (std::size_t size = 1; size <= 3100; ++size) {
    Bytes data = RandomBytes(size, static_cast<std::uint32_t>(size));
    // Half of them end on the byte that also marks the end of a file.
    data.back() = size % 2 && size > 1 ? 0x08 : 0x41;
    ExpectRoundTrip(rig, data);
    if (HasFatalFailure()) return;
  }
}

TEST(PhoneTransferTest, LargerFilesComeBackByteExact) {
  PhoneRig rig;
  rig.settings.logging = false;
  std::mt19937 random(7);
  std::vector<std::size_t> sizes = {4096, 65536 + 1, 1 << 20};
  for (int i = 0; i < 4; ++i) sizes.push_back(3101 + random() % ((1 << 20) - 3101));
  for (const std::size_t size : sizes) {
    Bytes data = RandomBytes(size, static_cast<std::uint32_t>(size));
    data.back() = 0x08;
    ExpectRoundTrip(rig, data);
  }
}

TEST(PhoneTransferTest, EmptyMissingAndLoneMarkerFilesReadAsFailure) {
  PhoneRig rig;
  rig.PutPhoneFile("/a/empty", {});
  rig.PutPhoneFile("/a/marker", {0x08});
  for (const char* path : {"/a/empty", "/a/missing", "/a/marker"}) {
    for (const auto read : {FileRead, GroupRead}) {
      const TransferResult result = read(rig, path, rig.folder / "down");
      EXPECT_EQ(result.bytes, -1) << path;
      EXPECT_FALSE(result.complete) << path;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(rig.PhonePath("/a/missing")));
}

TEST(PhoneTransferTest, EmptyUploadMakesAnEmptyFile) {
  PhoneRig rig;
  WriteFileBytes(rig.folder / "empty", {});
  const TransferResult result = rig.link.transfer.P2KFileWrite(rig.folder / "empty", "/a/empty");
  EXPECT_EQ(result.bytes, 0);
  EXPECT_TRUE(result.complete);
  EXPECT_EQ(rig.PhoneFile("/a/empty"), Bytes{});
}

TEST(PhoneTransferTest, PercentRoundsHalvesToEvenAndStopsAt100) {
  struct Case {
    std::uint64_t part, whole;
    int percent;
  };
  for (const Case& c :
       {Case{0, 8, 0}, Case{1, 8, 12}, Case{3, 8, 38}, Case{5, 200, 2}, Case{7, 200, 4},
        Case{1024, 2500, 41}, Case{2500, 2500, 100}, Case{4000, 3000, 100}, Case{0, 0, 100}})
    EXPECT_EQ(Percent(c.part, c.whole), c.percent) << c.part << "/" << c.whole;
}

TEST(PhoneTransferTest, SingleReadShowsItsWindowAndLogsEveryCommand) {
  PhoneRig rig;
  rig.PutPhoneFile("/a/x", RandomBytes(1500, 1));
  const std::size_t before = rig.LogLines().size();
  EXPECT_EQ(rig.link.transfer.P2KFileRead("/a/x", rig.folder / "x", 3000, "Reading x").bytes, 1500);

  ASSERT_EQ(rig.windows.windows.size(), 1u);
  const auto& window = *rig.windows.windows[0];
  EXPECT_EQ(window.captions, (Lines{"Reading x 0%", "Reading x 34%", "Reading x 50%"}));
  EXPECT_EQ(window.positions, (std::vector<int>{34, 50}));
  EXPECT_TRUE(window.closed);
  const Lines log = rig.LogLines();
  EXPECT_EQ(Lines(log.begin() + static_cast<std::ptrdiff_t>(before), log.end()),
            (Lines{"[P2KFileRead] Enter /a/x", "[P2KFileRead] Send command FSAC (0x0000) RC=0",
                   "[P2KFileRead] Send command FSAC (0x0003) RC=0",
                   "[P2KFileRead] Send command FSAC (0x0001) RC=0 bytes received=1024",
                   "[P2KFileRead] Send command FSAC (0x0001) RC=0 bytes received=476",
                   "[P2KFileRead] Send command FSAC (0x0001) RC=0 bytes received=1",
                   "[P2KFileRead] Send command FSAC (0x0003) - check EOF RC=0",
                   "[P2KFileRead] Send command FSAC (0x0001) RC=0 bytes received=1",
                   "[P2KFileRead] Send command FSAC (0x0004) RC=0"}));
}

TEST(PhoneTransferTest, GroupReadAdvancesTheGroupAndLogsWithoutEquals) {
  PhoneRig rig;
  rig.PutPhoneFile("/a/x", RandomBytes(1000, 2));
  RecordingGroupWindow window;
  GroupProgress group(window);
  group.total = 4000;
  group.done = 1000;
  const std::size_t before = rig.LogLines().size();
  EXPECT_EQ(rig.link.transfer.P2KGroupRead("/a/x", rig.folder / "d.gif", 500, group).bytes, 1000);

  EXPECT_EQ(group.done, 2000u);
  EXPECT_EQ(window.captions,
            (Lines{"Downloading x 0% (Total 25%)", "Downloading x 100% (Total 50%)"}));
  EXPECT_EQ(window.filePositions, (std::vector<int>{0, 100}));
  EXPECT_EQ(window.groupPositions, (std::vector<int>{50}));
  EXPECT_TRUE(rig.windows.windows.empty());
  const Lines log = rig.LogLines();
  EXPECT_EQ(Lines(log.begin() + static_cast<std::ptrdiff_t>(before), log.end()),
            (Lines{"[P2KGroupRead] Enter /a/x", "[P2KGroupRead] Send command FSAC (0x0000) RC=0",
                   "[P2KGroupRead] Send command FSAC (0x0003) RC=0",
                   "[P2KGroupRead] Send command FSAC (0x0001) RC=0 bytes received1000",
                   "[P2KGroupRead] Send command FSAC (0x0001) RC=0 bytes received1",
                   "[P2KGroupRead] Send command FSAC (0x0004) RC=0"}));
}

TEST(PhoneTransferTest, SingleWriteTitlesItsWindowAndShowsEveryBlock) {
  PhoneRig rig;
  WriteFileBytes(rig.folder / "up.gif", RandomBytes(2500, 3));
  const std::size_t before = rig.LogLines().size();
  EXPECT_EQ(rig.link.transfer.P2KFileWrite(rig.folder / "up.gif", "/a/up.gif").bytes, 2500);

  ASSERT_EQ(rig.windows.windows.size(), 1u);
  const auto& window = *rig.windows.windows[0];
  EXPECT_EQ(window.captions, (Lines{"Uploading up.gif 0%", "Uploading up.gif 41%",
                                    "Uploading up.gif 82%", "Uploading up.gif 100%"}));
  EXPECT_EQ(window.positions, (std::vector<int>{41, 82, 100}));
  EXPECT_TRUE(window.closed);
  const Lines log = rig.LogLines();
  EXPECT_EQ(
      Lines(log.begin() + static_cast<std::ptrdiff_t>(before), log.end()),
      (Lines{"[P2KFileWrite] Enter /a/up.gif", "[P2KFileWrite] Send command FSAC (0x0000) RC=0",
             "[P2KFileWrite] Send command FSAC (0x0003) RC=0",
             "[P2KFileWrite] Send command FSAC (0x0002) RC=0 bytes sent=1032",
             "[P2KFileWrite] Send command FSAC (0x0002) RC=0 bytes sent=1032",
             "[P2KFileWrite] Send command FSAC (0x0002) RC=0 bytes sent=460",
             "[P2KFileWrite] Send command FSAC (0x0004) RC=0"}));
}

TEST(PhoneTransferTest, GroupWriteAdvancesTheGroup) {
  PhoneRig rig;
  WriteFileBytes(rig.folder / "up.gif", RandomBytes(1500, 4));
  RecordingGroupWindow window;
  GroupProgress group(window);
  group.total = 3000;
  EXPECT_EQ(rig.link.transfer.P2KGroupWrite(rig.folder / "up.gif", "/a/up.gif", group).bytes, 1500);
  EXPECT_EQ(group.done, 1500u);
  EXPECT_EQ(window.captions,
            (Lines{"Uploading up.gif 0% (Total 0%)", "Uploading up.gif 68% (Total 34%)",
                   "Uploading up.gif 100% (Total 50%)"}));
  EXPECT_EQ(window.filePositions, (std::vector<int>{68, 100}));
  EXPECT_EQ(window.groupPositions, (std::vector<int>{34, 50}));
  EXPECT_TRUE(rig.windows.windows.empty());
  EXPECT_EQ(rig.LogLines().back(), "[P2KGroupWrite] Send command FSAC (0x0004) RC=0");
}

TEST(PhoneTransferTest, ReadRefusedMidFileCountsWhatCameButLeavesTheLocalFileAsItWas) {
  PhoneRig rig(Refusing(PhoneCall::FsacRead, 3));
  const Bytes data = RandomBytes(5000, 5);
  rig.PutPhoneFile("/a/x", data);
  WriteFileText(rig.folder / "x", "older copy");
  const TransferResult result = rig.link.transfer.P2KFileRead("/a/x", rig.folder / "x", 5000, "");
  EXPECT_EQ(result.bytes, 2048);
  EXPECT_FALSE(result.complete);
  EXPECT_EQ(ReadFileText(rig.folder / "x"), "older copy");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(rig.folder.path()), {}), 3)
      << "x, phone and work only";
  EXPECT_EQ(rig.LogLines().back(), "[P2KFileRead] Send command FSAC (0x0004) RC=0");
  EXPECT_TRUE(rig.windows.windows.at(0)->closed);
}

TEST(PhoneTransferTest, RefusedOpenOrSeekEndsTheReadAtOnce) {
  struct Case {
    PhoneCall refused;
    bool group;
  };
  for (const Case& c : {Case{PhoneCall::FsacOpen, false}, Case{PhoneCall::FsacSeek, false},
                        Case{PhoneCall::FsacSeek, true}}) {
    PhoneRig rig(Refusing(c.refused, 1));
    rig.PutPhoneFile("/a/x", RandomBytes(100, 6));
    WriteFileBytes(rig.folder / "x", RandomBytes(10, 7));
    const TransferResult result = c.group ? GroupRead(rig, "/a/x", rig.folder / "x")
                                          : FileRead(rig, "/a/x", rig.folder / "x");
    EXPECT_EQ(result.bytes, -1);
    EXPECT_EQ(ReadFileBytes(rig.folder / "x"), RandomBytes(10, 7));
    EXPECT_TRUE(rig.windows.windows.empty());
    EXPECT_TRUE(rig.LogLines().back().ends_with("RC=-1"));
  }
}

TEST(PhoneTransferTest, GroupReadSeeksEvenAfterARefusedOpen) {
  PhoneRig rig(Refusing(PhoneCall::FsacOpen, 1));
  rig.PutPhoneFile("/a/x", RandomBytes(100, 8));
  EXPECT_EQ(GroupRead(rig, "/a/x", rig.folder / "x").bytes, -1);
  const Lines log = rig.LogLines();
  EXPECT_EQ(Lines(log.end() - 2, log.end()),
            (Lines{"[P2KGroupRead] Send command FSAC (0x0000) RC=-1",
                   "[P2KGroupRead] Send command FSAC (0x0003) RC=-1"}));
}

TEST(PhoneTransferTest, WriteRefusedMidFileSendsTheRestAndKeepsThePhoneFile) {
  PhoneRig rig(Refusing(PhoneCall::FsacWrite, 2));
  const Bytes old = RandomBytes(700, 9);
  rig.PutPhoneFile("/a/x", old);
  WriteFileBytes(rig.folder / "x", RandomBytes(3000, 10));
  rig.library.sent.clear();
  const TransferResult result = rig.link.transfer.P2KFileWrite(rig.folder / "x", "/a/x");
  EXPECT_EQ(result.bytes, -1);
  EXPECT_FALSE(result.complete);
  std::vector<std::size_t> writeLengths;
  for (const auto& sent : rig.library.sent)
    if (sent.request[3] == 0x02) writeLengths.push_back(sent.request.size());
  EXPECT_EQ(writeLengths, (std::vector<std::size_t>{1032, 1032, 960}));
  EXPECT_EQ(rig.LogLines().back(), "[P2KFileWrite] Send command FSAC (0x0004) RC=-1");
  EXPECT_EQ(rig.PhoneFile("/a/x"), old);
}

// The phone keeps its old file unless every block was taken and the close went through; the
// single and the group write say so alike.
TEST(PhoneTransferTest, AnUploadIsDoneOnlyWhenEveryWriteAndTheCloseWentThrough) {
  struct Case {
    const char* name;
    Refusal refusal;
    std::size_t size;
  };
  const Case cases[] = {
      {"refused close", {PhoneCall::FsacClose, 1}, 2500},
      {"refused close of an empty file", {PhoneCall::FsacClose, 1}, 0},
      {"refused last partial block", {PhoneCall::FsacWrite, 3}, 2500},
      {"refused last full block", {PhoneCall::FsacWrite, 2}, 2048},
      {"refused open", {PhoneCall::FsacOpen, 1}, 2500},
  };
  for (const Case& c : cases) {
    for (const bool group : {false, true}) {
      PhoneRig rig(FaultPlan{{c.refusal}, std::nullopt});
      const Bytes old = RandomBytes(700, 20);
      rig.PutPhoneFile("/a/x", old);
      WriteFileBytes(rig.folder / "x", RandomBytes(c.size, 21));
      RecordingGroupWindow window;
      GroupProgress progress(window);
      const TransferResult result =
          group ? rig.link.transfer.P2KGroupWrite(rig.folder / "x", "/a/x", progress)
                : rig.link.transfer.P2KFileWrite(rig.folder / "x", "/a/x");
      EXPECT_EQ(result.bytes, -1) << c.name << group;
      EXPECT_FALSE(result.complete) << c.name << group;
      EXPECT_EQ(rig.PhoneFile("/a/x"), old) << c.name << group;
    }
  }
}

// A refused last block adds nothing to the group's bytes, and the total bar never goes back,
// not even when the counter is about to run over.
TEST(PhoneTransferTest, GroupWriteCountsOnlyTheBytesThePhoneTook) {
  struct Case {
    std::uint32_t doneBefore;
    std::uint32_t total;
    std::uint32_t doneAfter;
    std::vector<int> groupPositions;
  };
  const Case cases[] = {
      {0, 3000, 1024, {34, 34}},
      {0xFFFFFF00u, 0xFFFFFFFFu, 0xFFFFFFFFu, {100, 100}},
  };
  for (const Case& c : cases) {
    PhoneRig rig(Refusing(PhoneCall::FsacWrite, 2));
    WriteFileBytes(rig.folder / "up.gif", RandomBytes(1500, 22));
    RecordingGroupWindow window;
    GroupProgress group(window);
    group.done = c.doneBefore;
    group.total = c.total;
    EXPECT_EQ(rig.link.transfer.P2KGroupWrite(rig.folder / "up.gif", "/a/up.gif", group).bytes, -1);
    EXPECT_EQ(group.done, c.doneAfter);
    EXPECT_EQ(window.groupPositions, c.groupPositions);
  }
}

TEST(PhoneTransferTest, RefusedSeekEndsTheWriteWithoutClosing) {
  for (const std::size_t size : {0u, 10u}) {
    PhoneRig rig(Refusing(PhoneCall::FsacSeek, 1));
    WriteFileBytes(rig.folder / "x", RandomBytes(size, 11));
    const TransferResult result = rig.link.transfer.P2KFileWrite(rig.folder / "x", "/a/x");
    EXPECT_EQ(result.bytes, -1);
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(rig.LogLines().back(), "[P2KFileWrite] Send command FSAC (0x0003) RC=-1");
    EXPECT_FALSE(std::filesystem::exists(rig.PhonePath("/a/x")));
  }
}

TEST(PhoneTransferTest, LocalFileFailuresSendNothingAndSayWhy) {
  PhoneRig rig;
  rig.PutPhoneFile("/a/x", RandomBytes(100, 12));
  rig.library.sent.clear();
  const TransferResult write = rig.link.transfer.P2KFileWrite(rig.folder / "absent", "/a/x");
  EXPECT_EQ(write.bytes, -1);
  EXPECT_TRUE(write.localError.starts_with("Cannot open file ")) << write.localError;
  const TransferResult read = FileRead(rig, "/a/x", rig.folder / "no-folder" / "x");
  EXPECT_EQ(read.bytes, -1);
  EXPECT_TRUE(read.localError.starts_with("Cannot create file ")) << read.localError;
  EXPECT_EQ(read.LocalErrorMessage().caption, "Error");
  EXPECT_TRUE(rig.library.sent.empty());
}

TEST(PhoneTransferTest, DroppedConnectionEndsTheTransferAndThePhoneComesBack) {
  PhoneRig rig(FaultPlan{{}, 3000});
  CountingObserver& observer = rig.observer;
  rig.PutPhoneFile("/a/x", RandomBytes(10000, 13));
  const TransferResult result = FileRead(rig, "/a/x", rig.folder / "x");
  EXPECT_FALSE(result.complete);
  EXPECT_EQ(result.bytes, 2048);
  EXPECT_FALSE(rig.phone.plugged());
  rig.link.session.Poll();
  EXPECT_FALSE(rig.link.session.connected());
  EXPECT_EQ(observer.disconnects, 1);

  rig.phone.Plug();
  rig.link.session.Poll();
  EXPECT_TRUE(rig.link.session.connected());
  EXPECT_EQ(observer.connects, 2);
  EXPECT_EQ(FileRead(rig, "/a/x", rig.folder / "y").bytes, 10000);
}

// The window processes its events between blocks and polls the phone there; a phone pulled out
// meanwhile is told of only once the transfer is over, whichever way it goes.
TEST(PhoneTransferTest, ConnectionNoticesWaitForTheTransferToEnd) {
  PhoneRig rig;
  rig.PutPhoneFile("/a/x", RandomBytes(5000, 23));
  WriteFileBytes(rig.folder / "up", RandomBytes(5000, 24));
  for (const bool upload : {false, true}) {
    std::vector<bool> connectedMeanwhile;
    rig.windows.onPosition = [&] {
      rig.phone.Unplug();
      rig.link.session.Poll();
      connectedMeanwhile.push_back(rig.link.session.connected());
    };
    const TransferResult result = upload ? rig.link.transfer.P2KFileWrite(rig.folder / "up", "/a/y")
                                         : FileRead(rig, "/a/x", rig.folder / "x");
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(connectedMeanwhile, std::vector<bool>(connectedMeanwhile.size(), true));
    EXPECT_FALSE(connectedMeanwhile.empty());
    rig.link.session.Poll();
    EXPECT_FALSE(rig.link.session.connected());
    rig.Replug();
  }
}

// A read a block per step sends the same commands and logs the same lines as one in a piece.
TEST(PhoneTransferTest, ASteppedReadIsTheSameReadAsOneInAPiece) {
  PhoneRig rig;
  const std::size_t sizes[] = {0, 2, 1024, 5000};
  for (const std::size_t size : sizes) {
    const std::string phonePath = "/a/s" + std::to_string(size);
    if (size > 0) rig.PutPhoneFile(phonePath, RandomBytes(size, 9));
    const std::size_t lines = rig.LogLines().size();
    const std::size_t sent = rig.library.sent.size();
    const TransferResult whole = rig.link.transfer.P2KFileRead(phonePath, rig.folder / "a", 0, "");
    const Lines afterWhole = rig.LogLines();
    const Lines wholeLines(afterWhole.begin() + static_cast<std::ptrdiff_t>(lines),
                           afterWhole.end());
    const std::size_t wholeSent = rig.library.sent.size() - sent;

    SteppedFileRead read(rig.link.transfer, phonePath, rig.folder / "b", 0, kAnyPhoneFileBytes);
    int steps = 0;
    while (read.Step()) ++steps;
    const TransferResult stepped = read.Finish();
    const Lines afterStepped = rig.LogLines();
    EXPECT_EQ(Lines(afterStepped.begin() + static_cast<std::ptrdiff_t>(afterWhole.size()),
                    afterStepped.end()),
              wholeLines)
        << size;
    EXPECT_EQ(rig.library.sent.size() - sent, 2 * wholeSent) << size;
    EXPECT_EQ(stepped.complete, whole.complete) << size;
    EXPECT_EQ(steps, static_cast<int>((size + kFsacBlockSize - 1) / kFsacBlockSize)) << size;
    if (whole.complete) {
      EXPECT_EQ(ReadFileBytes(rig.folder / "b"), ReadFileBytes(rig.folder / "a"));
    }
  }
}

}  // namespace
}  // namespace menuforge::test
