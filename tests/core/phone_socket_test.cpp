// The phone simulator behind its local socket: the same transfers as in process, a simulator
// that dies in the middle, and requests no client of ours would send.
#include <gtest/gtest.h>

#include <sys/socket.h>

#include <random>

#include "core/phone_test_rig.h"
#include "phone/fsac_request.h"
#include "phone/local_socket.h"
#include "phone/phone_socket_path.h"
#include "phone/socket_library.h"
#include "phone/wire_format.h"
#include "phonesim/phone_server.h"

namespace menuforge::test {
namespace {

struct SocketRig {
  explicit SocketRig(FaultPlan faults = {})
      : socket(folder / "phone.sock"),
        storage((MakePhoneStorage(folder / "phone"), folder / "phone")),
        server(std::make_unique<RunningServer>(folder / "phone", socket, std::move(faults))),
        library(socket),
        link(library, settings, dialogs, windows, observer, folder.path()) {
    EXPECT_TRUE(link.session.Start());
    link.session.Poll();
  }

  std::filesystem::path PhonePath(const std::string& phonePath) const {
    return folder / "phone" / phonePath.substr(1);
  }

  TempFolder folder;
  std::filesystem::path socket;
  PhoneStorage storage;
  std::unique_ptr<RunningServer> server;
  SocketPhoneLibrary library;
  Settings settings;
  RecordingDialogs dialogs;
  RecordingProgressWindows windows;
  CountingObserver observer;
  PhoneLink link;
};

TEST(PhoneSocketTest, ThePhoneConnectsAndTellsWhoItIs) {
  SocketRig rig;
  ASSERT_EQ(rig.server->error(), "");
  EXPECT_TRUE(rig.link.session.connected());
  EXPECT_EQ(rig.observer.connects, 1);
  EXPECT_EQ(rig.link.session.modelName(), "Menuforge Phone");
  EXPECT_EQ(rig.link.session.imei(), "354678012345679");
  EXPECT_EQ(rig.link.session.firmwareVersion(), "R3443H1_G_0A.65.0BR");
  EXPECT_EQ(rig.link.session.lpVersionText(), "0122");
}

TEST(PhoneSocketTest, FilesComeBackByteExact) {
  SocketRig rig;
  std::vector<std::size_t> sizes = {1,    2,    3,    1023, 1024, 1025, 1026,
                                    2047, 2048, 2049, 3071, 3072, 3073, 3100};
  std::mt19937 random(11);
  for (int i = 0; i < 3; ++i) sizes.push_back(3101 + random() % ((1 << 20) - 3101));
  sizes.push_back(1 << 20);
  for (const std::size_t size : sizes) {
    for (const std::uint8_t last : {std::uint8_t{0x08}, std::uint8_t{0x41}}) {
      if (size == 1 && last == 0x08) continue;  // the end-of-file marker alone
      Bytes data = RandomBytes(size, static_cast<std::uint32_t>(size));
      data.back() = last;
      const std::string name = std::to_string(size) + "-" + std::to_string(last);
      WriteFileBytes(rig.folder / ("up" + name), data);
      ASSERT_EQ(rig.link.transfer.P2KFileWrite(rig.folder / ("up" + name), "/a/" + name).bytes,
                static_cast<std::int32_t>(size));
      RecordingGroupWindow window;
      GroupProgress group(window);
      for (const bool asGroup : {false, true}) {
        const auto down = rig.folder / ((asGroup ? "group" : "file") + name);
        const TransferResult result =
            asGroup ? rig.link.transfer.P2KGroupRead("/a/" + name, down, 0, group)
                    : rig.link.transfer.P2KFileRead("/a/" + name, down, 0);
        ASSERT_TRUE(result.complete) << name;
        ASSERT_EQ(ReadFileBytes(down), data) << name;
      }
    }
  }
}

TEST(PhoneSocketTest, ListsSeemRecordsAndFileCommandsTravelWhole) {
  SocketRig rig;
  P2kLibrary& library = rig.library;
  std::filesystem::create_directories(rig.PhonePath("/a/mobile/picture"));
  WriteFileBytes(rig.PhonePath("/a/mobile/picture/x.gif"), Bytes(5));
  WriteFileBytes(rig.PhonePath("/a/y.gif"), Bytes(6));

  ASSERT_EQ(library.File_CountEx("/a/*.gif"), 2);
  std::vector<FileListEntry> entries(2);
  int progressCalls = 0;
  EXPECT_EQ(library.File_ListEx(entries,
                                [&](std::int32_t, std::int32_t done, std::int32_t total) {
                                  EXPECT_EQ(done, ++progressCalls);
                                  EXPECT_EQ(total, 2);
                                }),
            2);
  EXPECT_EQ(entries[0].path(), "/a/mobile/picture/x.gif");
  EXPECT_EQ(entries[1].path(), "/a/y.gif");
  EXPECT_EQ(entries[1].size(), 6u);

  EXPECT_EQ(rig.link.menuFiles.SetAttribute("/a/y.gif", kAttributeReadOnly), 0);
  EXPECT_EQ(rig.storage.Attributes("/a/y.gif"), kAttributeReadOnly);
  EXPECT_EQ(library.File_CreateDir("/a/new", 0), 0);
  EXPECT_EQ(library.File_DeleteDir("/a/new"), 0);
  EXPECT_EQ(library.File_Delete("/a/y.gif"), 0);
  EXPECT_EQ(library.File_Delete("/a/../y.gif"), -1);

  const Bytes record = RandomBytes(kSeemBufferSize, 3);
  EXPECT_EQ(library.Seem_Write(kSeemMenuFlags, 1, 0, record), 0);
  Bytes buffer(kSeemBufferSize);
  EXPECT_EQ(library.Seem_Read(kSeemMenuFlags, 1, 0, 0, buffer),
            static_cast<std::int32_t>(kSeemBufferSize));
  EXPECT_EQ(buffer, record);
}

TEST(PhoneSocketTest, RefusalsMidFileBehaveAsInProcess) {
  SocketRig reads(Refusing(PhoneCall::FsacRead, 3));
  const Bytes data = RandomBytes(5000, 4);
  WriteFileBytes(reads.PhonePath("/a/x"), data);
  const TransferResult read = reads.link.transfer.P2KFileRead("/a/x", reads.folder / "x", 0);
  EXPECT_EQ(read.bytes, 2048);
  EXPECT_FALSE(read.complete);
  EXPECT_TRUE(reads.link.session.connected());

  SocketRig writes(Refusing(PhoneCall::FsacWrite, 2));
  WriteFileBytes(writes.PhonePath("/a/x"), data);
  WriteFileBytes(writes.folder / "up", RandomBytes(3000, 5));
  EXPECT_EQ(writes.link.transfer.P2KFileWrite(writes.folder / "up", "/a/x").bytes, -1);
  EXPECT_EQ(ReadFileBytes(writes.PhonePath("/a/x")), data);
}

TEST(PhoneSocketTest, ADroppedConnectionIsADisconnectAndTheNextPollConnectsAgain) {
  SocketRig rig(FaultPlan{{}, 4000});
  WriteFileBytes(rig.PhonePath("/a/x"), RandomBytes(10000, 6));
  const TransferResult result = rig.link.transfer.P2KFileRead("/a/x", rig.folder / "x", 0);
  EXPECT_FALSE(result.complete);
  EXPECT_EQ(result.bytes, 3072);
  rig.link.session.Poll();
  EXPECT_EQ(rig.observer.disconnects, 1);
  EXPECT_EQ(rig.observer.connects, 2);
  EXPECT_TRUE(rig.link.session.connected());
}

TEST(PhoneSocketTest, ASimulatorKilledMidTransferLeavesNothingTakenAsCompleteAndComesBack) {
  SocketRig rig;
  const Bytes data = RandomBytes(20000, 7);
  WriteFileBytes(rig.PhonePath("/a/x"), data);
  WriteFileBytes(rig.folder / "up", data);
  rig.windows.onPosition = [&] { rig.server.reset(); };
  const TransferResult read = rig.link.transfer.P2KFileRead("/a/x", rig.folder / "x", 0);
  EXPECT_FALSE(read.complete);
  EXPECT_EQ(read.bytes, 1024);
  rig.link.session.Poll();
  EXPECT_FALSE(rig.link.session.connected());
  EXPECT_EQ(rig.observer.disconnects, 1);
  EXPECT_EQ(rig.link.transfer.P2KFileWrite(rig.folder / "up", "/a/y").bytes, -1);
  rig.link.session.Poll();
  EXPECT_FALSE(rig.link.session.connected());

  rig.windows.onPosition = nullptr;
  rig.server = std::make_unique<RunningServer>(rig.folder / "phone", rig.socket);
  ASSERT_EQ(rig.server->error(), "");
  rig.link.session.Poll();
  EXPECT_TRUE(rig.link.session.connected());
  EXPECT_EQ(rig.observer.connects, 2);
  EXPECT_TRUE(rig.link.transfer.P2KFileRead("/a/x", rig.folder / "x", 0).complete);
  EXPECT_EQ(ReadFileBytes(rig.folder / "x"), data);
  EXPECT_FALSE(std::filesystem::exists(rig.PhonePath("/a/y")));
}

TEST(PhoneSocketTest, ARestartedPhoneLeavesAndComesBack) {
  SocketRig rig;
  rig.link.menuFiles.RestartPhone();
  rig.link.session.Poll();
  EXPECT_EQ(rig.observer.disconnects, 1);
  EXPECT_EQ(rig.observer.connects, 2);
  EXPECT_TRUE(rig.link.session.connected());
}

// Sends one request frame and returns the result of the reply, or nothing when the connection
// closed instead.
std::optional<std::int32_t> Ask(int fd, const Bytes& frame) {
  if (!SendAll(fd, frame, std::chrono::seconds(5))) return std::nullopt;
  FrameBuffer input;
  Bytes buffer(kMaxFramePayload);
  bool tooLarge = false;
  while (true) {
    if (const std::optional<Bytes> payload = input.Next(tooLarge)) {
      WireReader reader(*payload);
      reader.U8();
      return reader.I32();
    }
    const std::size_t received = ReceiveSome(fd, buffer, std::chrono::seconds(5));
    if (received == 0) return std::nullopt;
    input.Append(ByteView(buffer.data(), received));
  }
}

TEST(PhoneSocketTest, HostileRequestsAreRefusedWithoutHarm) {
  SocketRig rig;
  SocketHandle raw = ConnectLocalSocket(rig.socket);
  ASSERT_TRUE(raw.valid());
  auto frame = [](Bytes payload) {
    Bytes framed;
    PutU32(framed, static_cast<std::uint32_t>(payload.size()));
    framed.insert(framed.end(), payload.begin(), payload.end());
    return framed;
  };
  EXPECT_EQ(Ask(raw.get(), frame({0x77})), -1);                             // unknown call
  EXPECT_EQ(Ask(raw.get(), frame({1, 0, 0})), -1);                          // command cut short
  EXPECT_EQ(Ask(raw.get(), frame({10, 0, 0x32})), -1);                      // SEEM read cut short
  EXPECT_EQ(Ask(raw.get(), frame({4})), -1);                                // list without a count
  EXPECT_EQ(Ask(raw.get(), frame(Bytes{7, '/', 'a', '/', '.', '.'})), -1);  // delete "/a/.."
  Bytes huge;
  PutU32(huge, 0xFFFFFFFF);
  EXPECT_EQ(Ask(raw.get(), huge), std::nullopt);  // the connection is closed
  EXPECT_TRUE(rig.storage.Volumes() == "abce");

  // The phone of our own client never noticed.
  rig.link.session.Poll();
  EXPECT_TRUE(rig.link.session.connected());
  EXPECT_EQ(rig.link.session.GetLpVersion(), 0x0122);
}

TEST(PhoneSocketTest, ListeningRefusesABusySocketAndReplacesAStaleOne) {
  SocketRig rig;
  PhoneServer second(PhoneServerConfig{rig.folder / "phone", {}, {}});
  EXPECT_EQ(second.Listen(rig.socket),
            "Another phone simulator is already listening on " + rig.socket.string());

  const auto stale = rig.folder / "stale.sock";
  {
    SocketHandle listener;
    ASSERT_EQ(ListenLocalSocket(stale, listener), "");
  }
  ASSERT_TRUE(std::filesystem::exists(stale));
  PhoneServer third(PhoneServerConfig{rig.folder / "phone", {}, {}});
  EXPECT_EQ(third.Listen(stale), "");

  WriteFileText(rig.folder / "plain", "not a socket");
  PhoneServer fourth(PhoneServerConfig{rig.folder / "phone", {}, {}});
  EXPECT_NE(fourth.Listen(rig.folder / "plain"), "");
  EXPECT_EQ(ReadFileText(rig.folder / "plain"), "not a socket");
}

TEST(PhoneSocketTest, TheSocketPathComesFromTheOptionTheEnvironmentOrTheDefault) {
  const char* saved = std::getenv("MENUFORGE_PHONE_SOCKET");
  const std::string savedValue = saved ? saved : "";
  ::setenv("MENUFORGE_PHONE_SOCKET", "/tmp/from-env.sock", 1);
  EXPECT_EQ(PhoneSocketPath(std::string("/tmp/option.sock")), "/tmp/option.sock");
  EXPECT_EQ(PhoneSocketPath(std::nullopt), "/tmp/from-env.sock");
  ::unsetenv("MENUFORGE_PHONE_SOCKET");
  EXPECT_EQ(PhoneSocketPath(std::nullopt), DefaultPhoneSocketPath());
  EXPECT_TRUE(DefaultPhoneSocketPath().filename().string().starts_with("menuforge-phone"));
  if (saved) ::setenv("MENUFORGE_PHONE_SOCKET", savedValue.c_str(), 1);
}

}  // namespace
}  // namespace menuforge::test
