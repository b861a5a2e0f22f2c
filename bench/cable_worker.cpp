// The phone worker under a window's event loop, against a phone at the cable's pace that works,
// hangs mid-transfer, vanishes (the simulator gone) or is cancelled during a hang: how long the
// event loop goes without a turn, how soon the link is given up, and how soon Cancel is
// acknowledged.
#include <QApplication>

#include "base/local_file.h"
#include "bench/cable_bench.h"
#include "phone/phone_worker.h"

namespace menuforge::cable {
namespace {

constexpr char kLargeFile[] = "/a/mobile/picture/worker.bin";
constexpr std::size_t kLargeSize = 1024 * 1024;
// The identity's four commands, then a few blocks of the download.
constexpr std::uint64_t kHangAfter = 4 + 40;

struct Counted : UserDialogs {
  void Show(const Message& message) override {
    std::fprintf(stderr, "message: %s\n", message.text.c_str());
    ++shown;
  }
  bool Ask(const Message&) override { return true; }
  int shown = 0;
};

struct NoWindows : ProgressWindows {
  std::unique_ptr<ProgressSink> Show(const std::string&) override { return nullptr; }
};

// One worker on its own simulator, owned by this thread's event loop.
class WorkerBench {
 public:
  WorkerBench(const std::filesystem::path& folder, const std::filesystem::path& storage,
              std::optional<std::uint64_t> hangAfter)
      : folder_(folder),
        server_(std::make_unique<RunningServer>(
            PhoneServerConfig{.storage = storage, .pace = {kLatency, kRate, hangAfter}},
            folder / "worker.sock")),
        library_(folder / "worker.sock"),
        worker_(library_, settings_,
                PhoneOwner{[](std::function<void()> call) {
                             QMetaObject::invokeMethod(qApp, std::move(call), Qt::QueuedConnection);
                           },
                           dialogs_, windows_,
                           [this](const PhoneShown& shown) { connected_ = shown.connected; }},
                folder) {
    if (!worker_.Start()) throw std::runtime_error("the phone socket cannot be used");
    ProcessUntil([&] { return connected_; });
  }

  // Starts the download; `done` is set once the owner hears it ended.
  void StartDownload() {
    done_ = false;
    if (!worker_.Submit(
            [this](PhoneJobContext& job) {
              complete_ = job.link.transfer
                              .P2KFileRead(kLargeFile, folder_ / "worker-down.bin", kLargeSize, "")
                              .complete;
            },
            [this](bool) { done_ = true; }))
      throw std::runtime_error("the worker is busy");
  }
  void WaitDone() {
    ProcessUntil([&] { return done_; });
  }
  // Lets the loop run for `duration` while the job goes on.
  static void Spin(std::chrono::milliseconds duration) {
    const Clock::time_point until = Clock::now() + duration;
    ProcessUntil([&] { return Clock::now() >= until; });
  }

  void Vanish() { server_.reset(); }
  void Cancel() { worker_.Cancel(); }
  CountingLibrary& library() { return library_; }
  bool complete() const { return complete_; }
  bool connected() const { return connected_; }
  int messages() const { return dialogs_.shown; }

 private:
  std::filesystem::path folder_;
  std::unique_ptr<RunningServer> server_;
  CountingLibrary library_;
  Settings settings_;
  Counted dialogs_;
  NoWindows windows_;
  bool connected_ = false;
  bool done_ = false;
  bool complete_ = false;
  PhoneWorker worker_;
};

void Report(const char* scenario, double ms, double gapMs, const WorkerBench& bench) {
  std::printf("%-44s %9.0f ms  %s, %d message(s), lamp %s; longest gap %6.1f ms %s\n", scenario, ms,
              bench.complete() ? "complete" : "not complete", bench.messages(),
              bench.connected() ? "connected" : "not connected", gapMs,
              gapMs <= kGapGoalMs ? "ok" : "OVER");
}

}  // namespace

std::vector<Figures> WorkerFigures(const std::filesystem::path& folder,
                                   const std::filesystem::path& storage) {
  if (!WriteFileAtomically(storage / "a/mobile/picture/worker.bin", Bytes(kLargeSize, 0x5A)))
    throw std::runtime_error("cannot write the file to download");
  std::vector<Figures> figures;
  GapMeter gaps;
  {
    WorkerBench bench(folder, storage, std::nullopt);
    Stopwatch stopwatch(bench.library(), figures);
    stopwatch.Measure("worker: download 1 MB", [&] {
      bench.StartDownload();
      bench.WaitDone();
    });
  }
  std::printf("\nphones that go wrong, through the worker (reply time %lld ms):\n",
              static_cast<long long>(kPhoneReplyTimeout.count()));
  {
    WorkerBench bench(folder, storage, kHangAfter);
    gaps.Start();
    const Clock::time_point start = Clock::now();
    bench.StartDownload();
    bench.WaitDone();
    Report("worker: phone hangs mid-download", Ms(Clock::now() - start), gaps.StopMs(), bench);
  }
  {
    WorkerBench bench(folder, storage, std::nullopt);
    gaps.Start();
    const Clock::time_point start = Clock::now();
    bench.StartDownload();
    WorkerBench::Spin(std::chrono::milliseconds(500));
    bench.Vanish();
    bench.WaitDone();
    Report("worker: phone vanishes mid-download", Ms(Clock::now() - start), gaps.StopMs(), bench);
  }
  {
    WorkerBench bench(folder, storage, kHangAfter);
    gaps.Start();
    bench.StartDownload();
    WorkerBench::Spin(std::chrono::milliseconds(1000));
    const Clock::time_point start = Clock::now();
    bench.Cancel();
    bench.WaitDone();
    const double acknowledged = Ms(Clock::now() - start);
    Report("worker: Cancel during a hang", acknowledged, gaps.StopMs(), bench);
    std::printf("(Cancel acknowledged after %.1f ms; goal <= 200 ms: %s)\n", acknowledged,
                acknowledged <= 200 ? "ok" : "OVER");
  }
  return figures;
}

}  // namespace menuforge::cable
