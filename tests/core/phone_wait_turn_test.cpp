// The window's turns while a call waits for a slow or stalled phone: nothing started in a turn
// reaches the phone, and the call in flight still gets its own answer (or gives up in time).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "browser/core/picture_previews.h"
#include "phone/fsac_request.h"
#include "phone/phone_link.h"
#include "phone/socket_library.h"
#include "support/phone_test_rig.h"
#include "support/test_support.h"

namespace menuforge::test {
namespace {

using std::chrono::milliseconds;

struct CallInTurn {
  const char* name;
  std::function<std::int32_t(SocketPhoneLibrary&)> call;
};

std::int32_t AskVersion(SocketPhoneLibrary& library) {
  std::uint8_t answer[16];
  std::uint32_t length = sizeof answer;
  return library.P2K_SendCMD(kCommandVersion, kLpVersionRequest, answer, length);
}

const std::vector<CallInTurn>& CallsInTurn() {
  static const std::vector<CallInTurn> calls = {
      {"command", AskVersion},
      {"count", [](SocketPhoneLibrary& l) { return l.File_CountEx("/a/*"); }},
      {"list",
       [](SocketPhoneLibrary& l) {
         std::vector<FileListEntry> entries;
         return l.File_ListEx(entries, 4, {});
       }},
      {"create", [](SocketPhoneLibrary& l) { return l.File_Create("/a/x", 0); }},
      {"close", [](SocketPhoneLibrary& l) { return l.File_Close(); }},
      {"delete", [](SocketPhoneLibrary& l) { return l.File_Delete("/a/x"); }},
      {"create folder", [](SocketPhoneLibrary& l) { return l.File_CreateDir("/a/d", 0); }},
      {"delete folder", [](SocketPhoneLibrary& l) { return l.File_DeleteDir("/a/d"); }},
      {"seem read",
       [](SocketPhoneLibrary& l) {
         Bytes buffer(kSeemBufferSize);
         return l.Seem_Read(kSeemImei, kSeemRecordOne, 0, 0, buffer);
       }},
      {"seem write",
       [](SocketPhoneLibrary& l) { return l.Seem_Write(kSeemImei, kSeemRecordOne, 0, Bytes(4)); }},
      {"restart", [](SocketPhoneLibrary& l) { return l.P2K_Restart(); }},
  };
  return calls;
}

struct PaceCase {
  const char* name;
  CablePace pace;
  bool answers;  // the second call after the turns were set
};

TEST(PhoneWaitTurnTest, TurnsComeWhileACallWaitsAndNothingStartedInOneReachesThePhone) {
  const std::vector<PaceCase> cases = {
      {"slow phone", {.latency = milliseconds(120), .stallAfter = std::nullopt}, true},
      {"stalled phone", {.latency = milliseconds(0), .bytesPerSecond = 0, .stallAfter = 2}, false},
  };
  for (const PaceCase& row : cases) {
    SCOPED_TRACE(row.name);
    TempFolder folder;
    MakePhoneStorage(folder / "phone");
    PhoneServerConfig config{folder / "phone", {}, {}};
    config.pace = row.pace;
    RunningServer server(config, folder / "phone.sock");
    ASSERT_EQ(server.error(), "");
    SocketPhoneLibrary library(folder / "phone.sock", {.reply = milliseconds(400)});
    int notices = 0;
    ASSERT_EQ(library.P2K_Init([&](std::int32_t) { ++notices; }), 0);
    library.Poll();
    ASSERT_EQ(notices, 1);
    Bytes imei(kSeemBufferSize);
    const std::int32_t imeiSize = library.Seem_Read(kSeemImei, kSeemRecordOne, 0, 0, imei);
    ASSERT_GT(imeiSize, 0);

    int turns = 0;
    std::vector<std::string> faults;
    library.SetWaitTurn([&] {
      ++turns;
      if (!library.callInFlight()) faults.push_back("turn outside a call");
      // The answer may be there by now; a poll would take it for a phone that left.
      library.Poll();
      if (turns > 1) return;
      for (const CallInTurn& call : CallsInTurn())
        if (call.call(library) != kP2kFailure || !library.connectionOpen())
          faults.push_back(call.name);
    });
    // The answers prove the refused calls sent nothing: the phone answers in order, so a frame
    // more would have had its answer taken for the SEEM read's.
    EXPECT_EQ(AskVersion(library), 0);
    Bytes again(kSeemBufferSize);
    EXPECT_EQ(library.Seem_Read(kSeemImei, kSeemRecordOne, 0, 0, again),
              row.answers ? imeiSize : kP2kFailure);
    EXPECT_GE(turns, 3);
    EXPECT_EQ(faults, std::vector<std::string>{});
    EXPECT_EQ(notices, 1);
    EXPECT_FALSE(library.callInFlight());
    EXPECT_EQ(library.connectionOpen(), row.answers);
  }
}

// A window's turn may come while a preview's block is on its way: a preview asked for then waits
// instead of ending the fetch under way or taking its picture for unreadable.
TEST(PhoneWaitTurnTest, APictureAskedForInATurnIsLeftForLater) {
  TempFolder folder;
  MakePhoneStorage(folder / "phone");
  const Bytes picture = RandomBytes(3000, 5);
  WriteFileBytes(folder / "phone" / "a" / "x.gif", picture);
  PhoneServerConfig config{folder / "phone", {}, {}};
  config.pace.latency = milliseconds(60);
  RunningServer server(config, folder / "phone.sock");
  SocketPhoneLibrary library(folder / "phone.sock");
  Settings settings;
  RecordingDialogs dialogs;
  RecordingProgressWindows windows;
  CountingObserver observer;
  PhoneLink link(library, settings, dialogs, windows, observer, folder.path());
  ASSERT_TRUE(link.session.Start());
  link.session.Poll();
  ASSERT_TRUE(link.session.connected());

  PicturePreviews previews;
  int turns = 0;
  library.SetWaitTurn([&] {
    ++turns;
    EXPECT_EQ(previews.FetchStep(link.session, "/a/x.gif"), std::nullopt);
    EXPECT_EQ(previews.Fetch(link.session, "/a/y.gif"), nullptr);
  });
  while (!previews.FetchStep(link.session, "/a/x.gif")) {
  }
  EXPECT_GT(turns, 0);
  ASSERT_NE(previews.Find("/a/x.gif"), nullptr);
  EXPECT_EQ(*previews.Find("/a/x.gif"), picture);
  EXPECT_FALSE(previews.Known("/a/y.gif"));
}

}  // namespace
}  // namespace menuforge::test
