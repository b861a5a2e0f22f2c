// Phones that lie, stall or answer garbage, on a socket of their own: every call and command
// ends, a broken answer gives the connection up, and nothing passes for what it is not.
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "base/bytes.h"
#include "phone/fsac_request.h"
#include "phone/local_socket.h"
#include "phone/socket_library.h"
#include "phone/wire_format.h"
#include "phonesim/seem_records.h"
#include "support/cli_runner.h"
#include "support/phone_test_rig.h"

namespace menuforge::test {
namespace {

using namespace std::chrono_literals;

struct Request {
  WireCall call;
  Bytes arguments;
  // The file-system sub-command of a SendCommand with code 0x4A, else none.
  std::optional<std::uint32_t> fsac;
};

// Answers one request by writing to the socket; false ends the connection.
using Script = std::function<bool(int fd, const Request& request)>;

bool Send(int fd, const Bytes& frame) {
  return ::send(fd, frame.data(), frame.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(frame.size());
}

Bytes Result(std::int32_t result, const Bytes& data = {}) {
  return WireWriter(static_cast<std::uint8_t>(WireReply::Result)).I32(result).Append(data).Frame();
}

Bytes Entry(std::int32_t number, const std::string& path) {
  return WireWriter(static_cast<std::uint8_t>(WireReply::ListedEntry))
      .I32(number)
      .I32(number)
      .Append(FileListEntry::Make(1, 0, path).bytes)
      .Frame();
}

std::optional<Request> ReadRequest(int fd) {
  std::uint8_t header[kFrameHeaderSize];
  if (::recv(fd, header, sizeof header, MSG_WAITALL) != sizeof header) return std::nullopt;
  Bytes payload(ReadU32Be(ByteView(header, sizeof header), 0));
  if (payload.empty() || ::recv(fd, payload.data(), payload.size(), MSG_WAITALL) !=
                             static_cast<ssize_t>(payload.size()))
    return std::nullopt;
  Request request{static_cast<WireCall>(payload[0]), Bytes(payload.begin() + 1, payload.end()), {}};
  WireReader reader(request.arguments);
  const std::uint32_t command = reader.U32();
  reader.U32();
  const std::uint32_t sub = reader.U32();
  if (request.call == WireCall::SendCommand && reader.ok() && command == kCommandFsac)
    request.fsac = sub;
  return request;
}

// Every call answered at once with success and no data.
bool Plain(int fd, const Request&) { return Send(fd, Result(0)); }

// Sends the frame a byte at a time, `pause` apart.
bool Trickle(int fd, const Bytes& frame, std::chrono::milliseconds pause) {
  for (const std::uint8_t byte : frame) {
    std::this_thread::sleep_for(pause);
    if (!Send(fd, {byte})) return false;
  }
  return true;
}

// A phone of our own making on a socket, serving one connection after another with `script`.
class FakePhone {
 public:
  FakePhone(const std::filesystem::path& socket, Script script) : script_(std::move(script)) {
    EXPECT_EQ(ListenLocalSocket(socket, listener_), "");
    thread_ = std::thread([this] { Serve(); });
  }
  ~FakePhone() {
    stop_ = true;
    thread_.join();
  }

 private:
  void Serve() {
    while (!stop_) {
      pollfd entry{listener_.get(), POLLIN, 0};
      if (::poll(&entry, 1, 20) <= 0) continue;
      SocketHandle client(::accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC));
      // Neither side may hang the test should the other stop halfway.
      const timeval patience{2, 0};
      ::setsockopt(client.get(), SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
      ::setsockopt(client.get(), SOL_SOCKET, SO_SNDTIMEO, &patience, sizeof patience);
      while (!stop_) {
        const std::optional<Request> request = ReadRequest(client.get());
        if (!request || !script_(client.get(), *request)) break;
      }
    }
  }

  Script script_;
  SocketHandle listener_;
  std::atomic<bool> stop_ = false;
  std::thread thread_;
};

// The program's phone link on the fake phone's socket, deadlines short.
struct LinkRig {
  explicit LinkRig(Script script, PhoneTimeouts timeouts = {300ms})
      : phone(folder / "phone.sock", std::move(script)),
        library(folder / "phone.sock", timeouts),
        link(library, settings, dialogs, windows, observer, folder.path(),
             [](std::chrono::milliseconds) {}) {
    EXPECT_TRUE(link.session.Start());
    link.session.Poll();
  }

  TempFolder folder;
  FakePhone phone;
  SocketPhoneLibrary library;
  Settings settings;
  RecordingDialogs dialogs;
  RecordingProgressWindows windows;
  CountingObserver observer;
  PhoneLink link;
};

TEST(HostilePhoneTest, APhoneThatCannotTellWhoItIsIsNotShownConnected) {
  struct Case {
    const char* name;
    Script script;
    bool connected;
  };
  const Case cases[] = {
      {"answers at once", Plain, true},
      {"closes at once", [](int, const Request&) { return false; }, false},
      {"answers garbage",
       [](int fd, const Request&) {
         return Send(fd, {0, 0, 0, 2, 0x7F, 1});
       },
       false},
      // However long the identity takes in all, each answer came within its time.
      {"answers slowly",
       [](int fd, const Request& request) {
         std::this_thread::sleep_for(120ms);
         return Plain(fd, request);
       },
       true},
      {"trickles its answers", [](int fd, const Request&) { return Trickle(fd, Result(0), 50ms); },
       false},
  };
  for (const Case& c : cases) {
    LinkRig rig(c.script);
    EXPECT_EQ(rig.link.session.connected(), c.connected) << c.name;
    EXPECT_EQ(rig.observer.connects, c.connected ? 1 : 0) << c.name;
  }
}

TEST(HostilePhoneTest, AListTakesEachEntryOnceInOrderUpToWhatWasAsked) {
  struct Case {
    const char* name;
    std::int32_t count;              // the phone's answer to the count
    std::vector<std::int32_t> sent;  // the entries' numbers, then the result
    bool endless;                    // entry 1 again and again, never a result
    std::int32_t result;
    std::size_t entries;
  };
  const Case cases[] = {
      {"claims 2^31-1 files", INT32_MAX, {1, 2, 3}, false, 3, 3},
      {"in order", 3, {1, 2, 3}, false, 3, 3},
      {"repeats an entry without end", 2, {}, true, -1, 0},
      {"repeats an entry", 3, {1, 1, 2}, false, -1, 0},
      {"skips an entry", 3, {1, 3}, false, -1, 0},
      {"lists more than asked", 2, {1, 2, 3}, false, -1, 0},
  };
  for (const Case& c : cases) {
    std::atomic<std::uint32_t> asked = 0;
    LinkRig rig([&](int fd, const Request& request) {
      if (request.call == WireCall::CountFiles) return Send(fd, Result(c.count));
      if (request.call != WireCall::ListFiles) return Plain(fd, request);
      asked = ReadU32Be(request.arguments, 0);
      while (c.endless)
        if (!Send(fd, Entry(1, "/a/again"))) return false;
      for (const std::int32_t number : c.sent)
        if (!Send(fd, Entry(number, "/a/" + std::to_string(number)))) return false;
      return Send(fd, Result(static_cast<std::int32_t>(c.sent.size())));
    });
    P2kLibrary& library = rig.library;
    ASSERT_EQ(library.File_CountEx("/a/*"), c.count) << c.name;
    std::vector<FileListEntry> entries;
    EXPECT_EQ(library.File_ListEx(entries, static_cast<std::size_t>(c.count), {}), c.result)
        << c.name;
    EXPECT_EQ(entries.size(), c.entries) << c.name;
    EXPECT_EQ(asked.load(), std::min<std::uint32_t>(c.count, 0xFFFF)) << c.name;
  }
}

// A read is bounded by what its kind of file holds, not by time: a slow phone that keeps
// answering is waited for, a phone that sends without end is stopped by the count of bytes.
TEST(HostilePhoneTest, AReadGoesOnWhileAnswersComeAndEndsAtTheMostItsFileHolds) {
  struct Case {
    const char* name;
    std::chrono::milliseconds pause;  // before each block
    int blocks;                       // then the end-of-file marker; -1: never
    std::uint64_t mostBytes;
    std::int32_t bytes;
    bool complete;
  };
  const Case cases[] = {
      {"blocks without end", 0ms, -1, 8 * 1024, -1, false},
      {"slow blocks without end", 20ms, -1, 8 * 1024, -1, false},
      {"slow blocks, longer than a reply time in all", 60ms, 8, kAnyPhoneFileBytes, 8000, true},
      {"as many bytes as its kind holds", 0ms, 8, 8000, 8000, true},
  };
  for (const Case& c : cases) {
    std::atomic<int> sent = 0;
    LinkRig rig([&](int fd, const Request& request) {
      if (request.fsac != kFsacRead) return Plain(fd, request);
      std::this_thread::sleep_for(c.pause);
      if (c.blocks >= 0 && sent == c.blocks) return Send(fd, Result(0, Bytes{kEndOfFileMarker}));
      ++sent;
      return Send(fd, Result(0, Bytes(1000, 'x')));
    });
    ASSERT_TRUE(rig.link.session.connected()) << c.name;
    const TransferResult read =
        rig.link.transfer.P2KFileRead("/a/x", rig.folder / "x", 0, "", c.mostBytes);
    EXPECT_EQ(read.bytes, c.bytes) << c.name;
    EXPECT_EQ(read.complete, c.complete) << c.name;
    EXPECT_EQ(std::filesystem::exists(rig.folder / "x"), c.complete) << c.name;
    EXPECT_TRUE(rig.library.connectionOpen()) << c.name;
  }
}

// What the phone says beyond the answer to the question asked, or when nothing was asked, is
// never taken for the next answer: the connection is given up and the command fails.
TEST(HostilePhoneTest, AnAnswerNobodyAskedForDropsTheConnectionAndFailsTheCommand) {
  struct Case {
    const char* name;
    Script script;
    std::int32_t first;  // the result of the call that drew the extra answer
  };
  const Case cases[] = {
      {"two answers to one question",
       [](int fd, const Request&) {
         Bytes twice = Result(0);
         const Bytes extra = Result(0);
         twice.insert(twice.end(), extra.begin(), extra.end());
         return Send(fd, twice);
       },
       -1},
      {"an answer after the answer",
       [](int fd, const Request&) {
         if (!Send(fd, Result(0))) return false;
         std::this_thread::sleep_for(20ms);
         return Send(fd, Result(0));
       },
       0},
  };
  for (const Case& c : cases) {
    std::atomic<bool> identityDone = false;
    LinkRig rig([&](int fd, const Request& request) {
      return identityDone ? c.script(fd, request) : Plain(fd, request);
    });
    ASSERT_TRUE(rig.link.session.connected()) << c.name;
    identityDone = true;
    P2kLibrary& library = rig.library;
    EXPECT_EQ(library.File_Close(), c.first) << c.name;
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(library.File_Delete("/a/x"), -1) << c.name;
    EXPECT_FALSE(library.connectionOpen()) << c.name;
  }
}

// Abandoning ends the call that waits on a hung phone at once, from another thread, and the
// next look for the phone opens a fresh connection.
TEST(HostilePhoneTest, AbandoningEndsTheWaitingCallAndTheNextPollConnectsAfresh) {
  std::atomic<bool> hang = false;
  LinkRig rig(
      [&](int fd, const Request& request) {
        if (!hang) return Plain(fd, request);
        while (hang) std::this_thread::sleep_for(10ms);
        return false;
      },
      {30s});
  ASSERT_TRUE(rig.link.session.connected());
  hang = true;
  P2kLibrary& library = rig.library;
  std::thread canceller([&] {
    std::this_thread::sleep_for(50ms);
    library.Abandon();
  });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(library.File_Close(), -1);
  // Well under the reply time: the call ended because it was abandoned.
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
  canceller.join();
  EXPECT_FALSE(library.connectionOpen());
  EXPECT_EQ(library.File_Close(), -1);
  hang = false;
  rig.link.session.Poll();
  EXPECT_EQ(rig.observer.disconnects, 1);
  EXPECT_EQ(rig.observer.connects, 2);
  EXPECT_EQ(library.File_Close(), 0);
}

#ifdef MENUFORGE_CLI

// The command-line tool run against a fake phone, which serves it alone.
CliRun RunAgainst(Script script, const std::string& arguments) {
  const TempFolder folder;
  const FakePhone phone(folder / "phone.sock", std::move(script));
  return RunCli(MENUFORGE_CLI, folder.path(), arguments,
                "MENUFORGE_PHONE_SOCKET='" + (folder / "phone.sock").string() + "'");
}

// A phone whose files and model name carry line feeds and escape sequences.
bool Forging(int fd, const Request& request) {
  if (request.call == WireCall::SeemRead && ReadU32Be(request.arguments, 0) >> 16 == kSeemModelName)
    return Send(fd, Result(64, ModelNameRecord("Evil\x1B[2J\nimei: 1")));
  if (request.call == WireCall::SeemRead) return Send(fd, Result(9, ImeiRecord("35467801234567")));
  if (request.call == WireCall::CountFiles) return Send(fd, Result(INT32_MAX));
  if (request.call != WireCall::ListFiles) return Plain(fd, request);
  return Send(fd, Entry(1, "/a/x\n1 [RHS] /a/evil\x9B")) && Send(fd, Result(1));
}

// Entry 1 again and again, never the end of the list.
bool Endless(int fd, const Request& request) {
  if (request.call == WireCall::CountFiles) return Send(fd, Result(2));
  if (request.call != WireCall::ListFiles) return Plain(fd, request);
  while (Send(fd, Entry(1, "/a/x"))) {
  }
  return false;
}

bool IsLpVersionQuestion(const Request& request) {
  const Bytes lpVersion(kLpVersionRequest.begin(), kLpVersionRequest.end());
  return request.call == WireCall::SendCommand &&
         request.arguments.size() == 8 + lpVersion.size() &&
         ReadU32Be(request.arguments, 0) == kCommandVersion &&
         Bytes(request.arguments.begin() + 8, request.arguments.end()) == lpVersion;
}

// Closes the connection when asked its LP version, the identity's last question.
bool GoneAtLpVersion(int fd, const Request& request) {
  return !IsLpVersionQuestion(request) && Plain(fd, request);
}

// Refuses every change to its files, with an answer nobody asked for just ahead of the refusal.
bool StrayThenRefusing(int fd, const Request& request) {
  if (request.call != WireCall::DeleteFile && request.call != WireCall::CreateDir &&
      request.call != WireCall::DeleteDir)
    return Plain(fd, request);
  Bytes answers = Result(0);
  const Bytes refusal = Result(-1);
  answers.insert(answers.end(), refusal.begin(), refusal.end());
  return Send(fd, answers);
}

TEST(HostilePhoneTest, TheToolEscapesPhoneTextAndFailsOnAPhoneThatLies) {
  struct Case {
    const char* name;
    Script script;
    const char* arguments;
    int exitCode;
    std::string out;
    std::string errEnd;
  };
  const Case cases[] = {
      {"forged lines", Forging, "phone ls '/a/*'", 0, "1 [] /a/x\\x0A1 [RHS] /a/evil\\x9B\n", ""},
      {"forged model", Forging, "phone info", 0,
       "model: Evil\\x1B[2J\\x0Aimei: 1\nimei: 354678012345679\nfirmware: \nlp-version: 0000\n",
       ""},
      {"no identity", [](int, const Request&) { return false; }, "phone info", 1, "",
       "error: Error reading the phone's identity: the connection to the phone was lost\n"},
      {"gone at the last question of the identity", GoneAtLpVersion, "phone info", 1, "",
       "error: Error reading the phone's identity: the connection to the phone was lost\n"},
      {"endless list", Endless, "phone ls '/a/*'", 1, "",
       "error: Error listing /a/*: the connection to the phone was lost\n"},
      {"endless list for attr", Endless, "phone attr /a/x", 1, "",
       "error: Error changing attributes for /a/x: the connection to the phone was lost\n"},
      {"stray answer, then rm", StrayThenRefusing, "phone rm /a/x", 1, "",
       "error: Error deleting /a/x: the connection to the phone was lost\n"},
      {"stray answer, then mkdir", StrayThenRefusing, "phone mkdir /a/d", 1, "",
       "error: Error creating /a/d: the connection to the phone was lost\n"},
      {"stray answer, then rmdir", StrayThenRefusing, "phone rmdir /a/d", 1, "",
       "error: Error deleting /a/d: the connection to the phone was lost\n"},
  };
  for (const Case& c : cases) {
    const CliRun run = RunAgainst(c.script, c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.name << run.err;
    EXPECT_EQ(run.out, c.out) << c.name;
    EXPECT_TRUE(run.err.ends_with(c.errEnd)) << c.name << run.err;
  }
}

#endif

}  // namespace
}  // namespace menuforge::test
