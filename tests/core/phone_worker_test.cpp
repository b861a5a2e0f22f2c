// The phone link on its own thread: jobs answer through the owner's queue, questions wait for the
// owner, Cancel ends a job on a hung phone, and a phone that hangs is retried quietly.
#include <gtest/gtest.h>

#include <mutex>

#include "phone/phone_worker.h"
#include "phone/socket_library.h"
#include "support/phone_test_rig.h"

namespace menuforge::test {
namespace {

using namespace std::chrono_literals;

// The owner's thread is the test's: posted calls wait in a queue until the test runs them.
class OwnerQueue {
 public:
  PostToOwner Poster() {
    return [this](std::function<void()> call) {
      const std::lock_guard guard(mutex_);
      calls_.push_back(std::move(call));
    };
  }
  // Runs what comes until `done` holds, or gives up after `patience`.
  bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds patience = 20s) {
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    while (!done()) {
      if (std::chrono::steady_clock::now() > giveUp) return false;
      std::vector<std::function<void()>> calls;
      {
        const std::lock_guard guard(mutex_);
        calls.swap(calls_);
      }
      for (auto& call : calls) call();
      std::this_thread::sleep_for(2ms);
    }
    return true;
  }

 private:
  std::mutex mutex_;
  std::vector<std::function<void()>> calls_;
};

// A worker on the phone simulator's socket, with the owner's side recorded.
struct WorkerRig {
  explicit WorkerRig(CablePace pace, PhoneTimeouts timeouts = {300ms})
      : server(PhoneServerConfig{.storage = (MakePhoneStorage(folder / "phone"), folder / "phone"),
                                 .pace = pace},
               folder / "phone.sock"),
        library(folder / "phone.sock", timeouts),
        worker(library, settings,
               PhoneOwner{queue.Poster(), dialogs, windows,
                          [this](const PhoneShown& shown) {
                            events.push_back(shown.connected ? "connected" : "not connected");
                          }},
               folder.path(), PhoneWorker::Threading::Thread, {10ms, 40ms, 20ms}) {
    EXPECT_TRUE(worker.Start());
  }
  bool Connected() {
    return queue.RunUntil([&] { return !events.empty() && events.back() == "connected"; });
  }

  TempFolder folder;
  RunningServer server;
  SocketPhoneLibrary library;
  Settings settings;
  OwnerQueue queue;
  RecordingDialogs dialogs;
  RecordingProgressWindows windows;
  std::vector<std::string> events;
  PhoneWorker worker;
};

// The identity takes four commands; a job's first command then meets the hang.
constexpr std::uint64_t kIdentityCommands = 4;

TEST(PhoneWorkerTest, AJobRunsOnTheWorkerAndAnswersThroughTheOwnersQueue) {
  WorkerRig rig({});
  ASSERT_TRUE(rig.Connected());
  std::optional<bool> cancelled;
  std::thread::id ranOn;
  ASSERT_TRUE(rig.worker.Submit(
      [&](PhoneJobContext& job) {
        ranOn = std::this_thread::get_id();
        if (!job.dialogs.Ask({"Delete /a/x?", "", MessageIcon::Question})) return;
        if (const Status deleted = job.link.session.DeleteFile("/a/x"); !deleted)
          job.dialogs.Show(deleted.error());
      },
      [&](bool wasCancelled) { cancelled = wasCancelled; }));
  EXPECT_FALSE(rig.worker.Submit([](PhoneJobContext&) {}));
  ASSERT_TRUE(rig.queue.RunUntil([&] { return cancelled.has_value(); }));
  EXPECT_FALSE(*cancelled);
  EXPECT_NE(ranOn, std::this_thread::get_id());
  ASSERT_EQ(rig.dialogs.asked.size(), 1u);
  ASSERT_EQ(rig.dialogs.shown.size(), 1u);
  EXPECT_EQ(rig.dialogs.shown[0].text, "Error deleting /a/x");
  EXPECT_FALSE(rig.worker.busy());
}

TEST(PhoneWorkerTest, CancelOnAHungPhoneEndsTheJobAtOnceAndConnectsAfresh) {
  WorkerRig rig({.stallAfter = kIdentityCommands}, {30s});
  ASSERT_TRUE(rig.Connected());
  std::optional<bool> cancelled;
  ASSERT_TRUE(rig.worker.Submit(
      [&](PhoneJobContext& job) { static_cast<void>(job.link.menuFiles.ReadPhoneMenuFiles()); },
      [&](bool wasCancelled) { cancelled = wasCancelled; }));
  std::this_thread::sleep_for(100ms);
  const auto start = std::chrono::steady_clock::now();
  rig.worker.Cancel();
  ASSERT_TRUE(rig.queue.RunUntil([&] { return cancelled.has_value(); }));
  // Far under the reply time: the job did not wait for the phone.
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
  EXPECT_TRUE(*cancelled);
  EXPECT_TRUE(rig.dialogs.shown.empty());
  ASSERT_TRUE(rig.Connected());
  EXPECT_EQ(rig.events, (std::vector<std::string>{"connected", "not connected", "connected"}));
}

TEST(PhoneWorkerTest, APhoneThatHangsIsToldOnceAndRetriedQuietly) {
  struct Case {
    const char* name;
    std::uint64_t stallAfter;
    std::vector<std::string> shown;
    std::vector<std::string> events;
  };
  const Case cases[] = {
      {"hangs at the identity",
       0,
       {"Error reading SEEM 0117_0001", "Error reading SEEM 0004_0001"},
       {}},
      {"hangs in a job",
       kIdentityCommands,
       {"Error reading mma_ucp: the connection to the phone was lost"},
       {"connected", "not connected", "connected"}},
  };
  for (const Case& c : cases) {
    WorkerRig rig({.stallAfter = c.stallAfter});
    if (c.stallAfter > 0) {
      ASSERT_TRUE(rig.Connected()) << c.name;
      ASSERT_TRUE(rig.worker.Submit([&](PhoneJobContext& job) {
        static_cast<void>(job.link.menuFiles.ReadPhoneMenuFiles());
      })) << c.name;
    }
    // Long enough for several tries of the identity on the hung phone.
    rig.queue.RunUntil([] { return false; }, 2s);
    std::vector<std::string> shown;
    for (const Message& message : rig.dialogs.shown) shown.push_back(message.text);
    EXPECT_EQ(shown, c.shown) << c.name;
    EXPECT_EQ(rig.events, c.events) << c.name;
  }
}

}  // namespace
}  // namespace menuforge::test
