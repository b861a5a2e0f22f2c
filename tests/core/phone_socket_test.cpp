// The phone simulator behind its local socket: the same transfers as in process, a simulator
// that dies in the middle, and requests no client of ours would send.
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <iostream>
#include <random>
#include <sstream>

#include "phone/fsac_request.h"
#include "phone/local_socket.h"
#include "phone/p2k_library.h"
#include "phone/phone_socket_path.h"
#include "phone/socket_library.h"
#include "phone/wire_format.h"
#include "phonesim/phone_server.h"
#include "support/phone_test_rig.h"

namespace menuforge::test {
namespace {

// The server of `config`, on a storage of its own.
struct SocketRig {
  explicit SocketRig(PhoneServerConfig config = {})
      : socket(folder / "phone.sock"),
        storage((MakePhoneStorage(folder / "phone"), folder / "phone")),
        server(std::make_unique<RunningServer>(
            (config.storage = folder / "phone", std::move(config)), socket)),
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
                    : rig.link.transfer.P2KFileRead("/a/" + name, down, 0, "");
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
  std::vector<FileListEntry> entries;
  int progressCalls = 0;
  EXPECT_EQ(library.File_ListEx(entries, 2,
                                [&](std::int32_t, std::int32_t done, std::int32_t total) {
                                  EXPECT_EQ(done, ++progressCalls);
                                  EXPECT_EQ(total, 2);
                                }),
            2);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].path(), "/a/mobile/picture/x.gif");
  EXPECT_EQ(entries[1].path(), "/a/y.gif");
  EXPECT_EQ(entries[1].size(), 6u);

  EXPECT_TRUE(rig.link.menuFiles.SetAttribute("/a/y.gif", kAttributeReadOnly).ok());
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
  SocketRig reads({.faults = Refusing(PhoneCall::FsacRead, 3)});
  const Bytes data = RandomBytes(5000, 4);
  WriteFileBytes(reads.PhonePath("/a/x"), data);
  const TransferResult read = reads.link.transfer.P2KFileRead("/a/x", reads.folder / "x", 0, "");
  EXPECT_EQ(read.bytes, 2048);
  EXPECT_FALSE(read.complete);
  EXPECT_TRUE(reads.link.session.connected());

  SocketRig writes({.faults = Refusing(PhoneCall::FsacWrite, 2)});
  WriteFileBytes(writes.PhonePath("/a/x"), data);
  WriteFileBytes(writes.folder / "up", RandomBytes(3000, 5));
  EXPECT_EQ(writes.link.transfer.P2KFileWrite(writes.folder / "up", "/a/x").bytes, -1);
  EXPECT_EQ(ReadFileBytes(writes.PhonePath("/a/x")), data);
}

TEST(PhoneSocketTest, ADroppedConnectionIsADisconnectAndTheNextPollConnectsAgain) {
  SocketRig rig({.faults = FaultPlan{{}, 4000}});
  WriteFileBytes(rig.PhonePath("/a/x"), RandomBytes(10000, 6));
  const TransferResult result = rig.link.transfer.P2KFileRead("/a/x", rig.folder / "x", 0, "");
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
  const TransferResult read = rig.link.transfer.P2KFileRead("/a/x", rig.folder / "x", 0, "");
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
  EXPECT_TRUE(rig.link.transfer.P2KFileRead("/a/x", rig.folder / "x", 0, "").complete);
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

Bytes CallFrame(WireCall call, ByteView arguments) {
  return WireWriter(static_cast<std::uint8_t>(call)).Append(arguments).Frame();
}

Bytes FsacFrame(const Bytes& request, std::uint32_t capacity = 0) {
  return WireWriter(static_cast<std::uint8_t>(WireCall::SendCommand))
      .U32(kCommandFsac)
      .U32(capacity)
      .Append(request)
      .Frame();
}

Bytes LpVersionQuery() {
  return WireWriter(static_cast<std::uint8_t>(WireCall::SendCommand))
      .U32(kCommandVersion)
      .U32(16)
      .Append(ByteView(kLpVersionRequest))
      .Frame();
}

// True once the server has closed its end: a send then fails instead of waiting.
bool ClosedByServer(int fd, std::chrono::seconds patience) {
  const auto end = std::chrono::steady_clock::now() + patience;
  const std::uint8_t byte = 0;
  do {
    if (::send(fd, &byte, 1, MSG_NOSIGNAL | MSG_DONTWAIT) < 0 && errno != EAGAIN) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (std::chrono::steady_clock::now() < end);
  return false;
}

TEST(PhoneSocketTest, AFullVolumeRefusesTheUploadAndKeepsWhatItHeld) {
  SocketRig rig({.volumeCapacity = 10000});
  WriteFileBytes(rig.PhonePath("/a/x"), RandomBytes(4000, 1));
  struct Case {
    std::size_t size;
    std::string path;
    bool fits;
  };
  for (const Case& c : {Case{7000, "/a/y", false}, Case{6000, "/a/y", true},
                        Case{4000, "/a/x", true}, Case{4001, "/a/x", false}}) {
    const Bytes before = ReadFileBytes(rig.PhonePath("/a/x"));
    const Bytes data = RandomBytes(c.size, static_cast<std::uint32_t>(c.size));
    WriteFileBytes(rig.folder / "up", data);
    EXPECT_EQ(rig.link.transfer.P2KFileWrite(rig.folder / "up", c.path).bytes,
              c.fits ? static_cast<std::int32_t>(c.size) : -1)
        << c.size << " " << c.path;
    if (c.fits) {
      EXPECT_EQ(ReadFileBytes(rig.PhonePath(c.path)), data);
    } else if (c.path == "/a/x") {
      EXPECT_EQ(ReadFileBytes(rig.PhonePath("/a/x")), before);
    } else {
      EXPECT_FALSE(std::filesystem::exists(rig.PhonePath(c.path)));
    }
  }
  EXPECT_TRUE(std::filesystem::is_empty(rig.folder / "phone" / kDraftFolder));
}

TEST(PhoneSocketTest, NoFileGrowsPastTheVolumeCapacitySparseOrNot) {
  constexpr std::uint32_t kCapacity = 1u << 20;
  SocketRig rig({.volumeCapacity = kCapacity});
  SocketHandle first = ConnectLocalSocket(rig.socket);
  SocketHandle second = ConnectLocalSocket(rig.socket);
  ASSERT_EQ(Ask(first.get(), FsacFrame(FsacOpenRequest("/a/p", true))), 0);
  ASSERT_EQ(Ask(second.get(), FsacFrame(FsacOpenRequest("/a/q", true))), 0);
  EXPECT_EQ(Ask(first.get(), FsacFrame(FsacSeekRequest(kCapacity + 1, kSeekFromStart))), -1);
  for (const SocketHandle* client : {&first, &second})
    EXPECT_EQ(Ask(client->get(), FsacFrame(FsacSeekRequest(kCapacity - 1, kSeekFromStart))), 0);
  EXPECT_EQ(Ask(first.get(), FsacFrame(FsacWriteRequest(Bytes{1}))), 0);
  EXPECT_EQ(Ask(second.get(), FsacFrame(FsacWriteRequest(Bytes{1}))), -1);
  EXPECT_EQ(Ask(first.get(), FsacFrame(FsacWriteRequest(Bytes{2}))), -1);
  EXPECT_EQ(Ask(second.get(), FsacFrame(FsacCloseRequest())), -1);
  EXPECT_EQ(Ask(first.get(), FsacFrame(FsacCloseRequest())), -1);
  EXPECT_FALSE(std::filesystem::exists(rig.PhonePath("/a/p")));
  EXPECT_FALSE(std::filesystem::exists(rig.PhonePath("/a/q")));
}

TEST(PhoneSocketTest, ADiskThatTakesNoMoreIsARefusedUploadNotASuccess) {
  SocketRig rig;
  const Bytes old = RandomBytes(100, 1);
  WriteFileBytes(rig.PhonePath("/a/x"), old);
  WriteFileBytes(rig.folder / "up", RandomBytes(50000, 2));
  // A file size limit fails the simulator's disk writes as a full disk would.
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
  const rlimit small{20000, saved.rlim_max};
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const TransferResult result = rig.link.transfer.P2KFileWrite(rig.folder / "up", "/a/x");
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, savedHandler);
  EXPECT_EQ(result.bytes, -1);
  EXPECT_EQ(ReadFileBytes(rig.PhonePath("/a/x")), old);
  EXPECT_TRUE(std::filesystem::is_empty(rig.folder / "phone" / kDraftFolder));
}

TEST(PhoneSocketTest, AClientThatDoesNotReadHoldsNoOtherUpAndIsDroppedInTheEnd) {
  SocketRig rig;
  for (int i = 0; i < 50; ++i) WriteFileBytes(rig.PhonePath("/b/f" + std::to_string(i)), Bytes(1));
  SocketHandle stalled = ConnectLocalSocket(rig.socket);
  ASSERT_EQ(Ask(stalled.get(), CallFrame(WireCall::CountFiles, Bytes{'/', 'b', '/', '*'})), 50);
  // Listings of the folder until neither the answers nor the requests fit anywhere.
  Bytes count;
  PutU32(count, 50);
  const Bytes listing = CallFrame(WireCall::ListFiles, count);
  int sent = 0;
  while (sent < 1'000'000 &&
         ::send(stalled.get(), listing.data(), listing.size(), MSG_NOSIGNAL | MSG_DONTWAIT) > 0)
    ++sent;
  ASSERT_EQ(errno, EAGAIN);

  EXPECT_EQ(rig.link.session.GetLpVersion(), 0x0122);
  EXPECT_FALSE(ClosedByServer(stalled.get(), std::chrono::seconds(0)));
  EXPECT_TRUE(ClosedByServer(stalled.get(), std::chrono::seconds(20)));
  EXPECT_TRUE(rig.link.session.connected());
}

TEST(PhoneSocketTest, AClientLettingTooManyAnswersPileUpIsDropped) {
  SocketRig rig({.limits = {.unsentBytes = 4096}});
  for (int i = 0; i < 20; ++i) WriteFileBytes(rig.PhonePath("/b/f" + std::to_string(i)), Bytes(1));
  SocketHandle client = ConnectLocalSocket(rig.socket);
  ASSERT_EQ(Ask(client.get(), CallFrame(WireCall::CountFiles, Bytes{'/', 'b', '/', '*'})), 20);
  Bytes count;
  PutU32(count, 20);
  EXPECT_EQ(Ask(client.get(), CallFrame(WireCall::ListFiles, count)), std::nullopt);
}

// True once the server has closed its end, found without sending it anything.
bool ClosedQuietly(int fd, std::chrono::milliseconds patience) {
  pollfd entry{fd, POLLIN, 0};
  std::uint8_t byte = 0;
  return ::poll(&entry, 1, static_cast<int>(patience.count())) > 0 &&
         ::recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
}

TEST(PhoneSocketTest, AClientSendingNoWholeCommandIsDroppedAndTheLogSaysSo) {
  std::ostringstream log;
  std::streambuf* const cerr = std::cerr.rdbuf(log.rdbuf());
  {
    SocketRig rig({.limits = {.idle = std::chrono::milliseconds(300)}});
    struct Case {
      const char* name;
      Bytes sent;
      bool asks;  // sends a whole command and takes its answer
    };
    const Case cases[] = {
        {"sends nothing", {}, false},
        {"half a frame header", {0, 0}, false},
        {"asks, then waits quietly", {}, true},
    };
    std::vector<SocketHandle> clients;
    for (const Case& c : cases) {
      clients.push_back(ConnectLocalSocket(rig.socket));
      if (c.asks)
        EXPECT_EQ(Ask(clients.back().get(), LpVersionQuery()), 0);
      else
        EXPECT_TRUE(SendAll(clients.back().get(), c.sent, std::chrono::seconds(1))) << c.name;
    }
    for (std::size_t i = 0; i < clients.size(); ++i)
      EXPECT_EQ(ClosedQuietly(clients[i].get(), std::chrono::seconds(i < 2 ? 5 : 1)),
                !cases[i].asks)
          << cases[i].name;
    EXPECT_EQ(rig.link.session.GetLpVersion(), 0x0122);
  }
  std::cerr.rdbuf(cerr);
  const std::string dropped = "Dropped a client that sent no complete command for 300 ms\n";
  EXPECT_EQ(log.str(), dropped + dropped);
}

TEST(PhoneSocketTest, AStalledPhoneAnswersNothingMoreKeepsTheConnectionAndServesOthers) {
  std::ostringstream log;
  std::streambuf* const cerr = std::cerr.rdbuf(log.rdbuf());
  {
    TempFolder folder;
    MakePhoneStorage(folder / "phone");
    RunningServer server({.storage = folder / "phone", .pace = {.stallAfter = 2}},
                         folder / "phone.sock");
    const SocketHandle stalled = ConnectLocalSocket(folder / "phone.sock");
    const SocketHandle other = ConnectLocalSocket(folder / "phone.sock");
    EXPECT_EQ(Ask(stalled.get(), LpVersionQuery()), 0);
    EXPECT_EQ(Ask(stalled.get(), LpVersionQuery()), 0);
    ASSERT_TRUE(SendAll(stalled.get(), LpVersionQuery(), std::chrono::seconds(1)));
    Bytes buffer(64);
    EXPECT_EQ(ReceiveSome(stalled.get(), buffer, std::chrono::milliseconds(300)), 0u);
    EXPECT_EQ(Ask(other.get(), LpVersionQuery()), 0);
    EXPECT_FALSE(ClosedByServer(stalled.get(), std::chrono::seconds(0)));

    // Our own library gives such a phone up after its reply time, as a lost connection.
    SocketPhoneLibrary library(folder / "phone.sock", {.reply = std::chrono::milliseconds(200)});
    ASSERT_EQ(library.P2K_Init([](int) {}), 0);
    library.Poll();
    std::uint8_t answer[16];
    for (const std::int32_t expected : {0, 0, kP2kFailure}) {
      std::uint32_t length = sizeof answer;
      EXPECT_EQ(library.P2K_SendCMD(kCommandVersion, kLpVersionRequest, answer, length), expected);
    }
    EXPECT_FALSE(library.connectionOpen());
  }
  std::cerr.rdbuf(cerr);
  const std::string stopped = "Stopped answering a client after 2 commands\n";
  EXPECT_EQ(log.str(), stopped + stopped);
}

// With every connection taken, a new client takes the place of the one quiet for longest; one
// in the middle of a command keeps its place.
TEST(PhoneSocketTest, ASeventeenthConnectionTakesThePlaceOfTheQuietest) {
  SocketRig rig;  // its own client holds the first connection, and is the quietest
  std::vector<SocketHandle> clients;
  for (int i = 0; i < 15; ++i) {
    clients.push_back(ConnectLocalSocket(rig.socket));
    ASSERT_EQ(Ask(clients.back().get(), LpVersionQuery()), 0) << i;
  }
  clients.push_back(ConnectLocalSocket(rig.socket));
  EXPECT_EQ(Ask(clients.back().get(), LpVersionQuery()), 0);
  const Bytes halfAHeader = {0, 0};
  for (const SocketHandle& client : clients)
    ASSERT_TRUE(SendAll(client.get(), halfAHeader, std::chrono::seconds(5)));
  SocketHandle refused = ConnectLocalSocket(rig.socket);
  EXPECT_EQ(Ask(refused.get(), LpVersionQuery()), std::nullopt);
}

PhoneServer* serverToStop = nullptr;

// Runs `server` in a child process whose descriptors are all taken for a second, then given
// back for another; exits 0 when the first second cost little processor time.
[[noreturn]] void ServeWithoutDescriptors(PhoneServer& server) {
  serverToStop = &server;
  std::signal(SIGALRM, [](int) { serverToStop->Stop(); });
  const rlimit few{64, 64};
  ::setrlimit(RLIMIT_NOFILE, &few);
  std::vector<int> taken;
  for (int fd; (fd = ::dup(0)) >= 0;) taken.push_back(fd);
  ::alarm(1);
  server.Run();
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  const long busyMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000 +
                      (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
  for (const int fd : taken) ::close(fd);
  ::alarm(1);
  server.Run();
  ::_exit(busyMs < 300 ? 0 : 1);
}

TEST(PhoneSocketTest, WithNoDescriptorLeftTheServerWaitsInsteadOfSpinning) {
  TempFolder folder;
  MakePhoneStorage(folder / "phone");
  PhoneServer server(PhoneServerConfig{folder / "phone", {}, {}});
  ASSERT_EQ(server.Listen(folder / "phone.sock"), "");
  SocketHandle client = ConnectLocalSocket(folder / "phone.sock");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) ServeWithoutDescriptors(server);
  EXPECT_EQ(Ask(client.get(), LpVersionQuery()), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
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
