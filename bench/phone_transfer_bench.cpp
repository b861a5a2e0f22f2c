// Throughput of a 4 MB file through the phone simulator's socket, up and down, next to a plain
// copy of the same file over a local socket; printed at the end as ratios.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <thread>

#include "phone/phone_link.h"
#include "phone/socket_library.h"
#include "phonesim/phone_server.h"

namespace menuforge {
namespace {

constexpr std::size_t kFileSize = 4u << 20;
constexpr std::size_t kPlainChunk = 64 * 1024;
constexpr char kUpload[] = "BM_SimulatorUpload";
constexpr char kDownload[] = "BM_SimulatorDownload";
constexpr char kPlainCopy[] = "BM_PlainSocketCopy";

struct Quiet : UserDialogs, ProgressWindows, PhoneObserver, ProgressSink {
  void Show(const Message&) override {}
  bool Ask(const Message&) override { return false; }
  std::unique_ptr<ProgressSink> Show(const std::string&) override {
    return std::make_unique<Quiet>();
  }
  void PhoneConnected() override {}
  void PhoneDisconnected() override {}
  void SetCaption(const std::string&) override {}
  void SetPosition(int) override {}
  void Close() override {}
};

// Files on a memory file system when there is one, so that the disk does not set the pace.
std::filesystem::path BenchFolder() {
  const std::filesystem::path base = access("/dev/shm", W_OK) == 0
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
  std::string pattern = (base / "menuforge-bench-XXXXXX").string();
  if (!mkdtemp(pattern.data()))
    throw std::runtime_error("cannot make a folder in " + base.string());
  return pattern;
}

struct Setup {
  Setup()
      : folder(BenchFolder()),
        server(PhoneServerConfig{
            (std::filesystem::create_directories(folder / "phone" / "a"), folder / "phone"),
            {},
            {}}),
        library(folder / "phone.sock"),
        link(library, settings, quiet, quiet, quiet, folder) {
    if (const std::string error = server.Listen(folder / "phone.sock"); !error.empty())
      throw std::runtime_error(error);
    thread = std::thread([this] { server.Run(); });
    std::mt19937 random(1);
    std::string data(kFileSize, '\0');
    for (char& c : data) c = static_cast<char>(random());
    std::ofstream(local, std::ios::binary) << data;
    if (!link.session.Start()) throw std::runtime_error("the phone library does not start");
    link.session.Poll();
    if (!link.session.connected() || !link.transfer.P2KFileWrite(local, "/a/bench.bin").complete)
      throw std::runtime_error("the simulator does not answer");
  }
  ~Setup() {
    server.Stop();
    thread.join();
    std::filesystem::remove_all(folder);
  }

  std::filesystem::path folder;
  std::filesystem::path local = folder / "file.bin";
  Settings settings;
  Quiet quiet;
  PhoneServer server;
  std::thread thread;
  SocketPhoneLibrary library;
  PhoneLink link;
};

Setup& Shared() {
  static Setup setup;
  return setup;
}

void BM_SimulatorUpload(benchmark::State& state) {
  Setup& setup = Shared();
  for (auto _ : state)
    if (!setup.link.transfer.P2KFileWrite(setup.local, "/a/bench.bin").complete)
      state.SkipWithError("upload failed");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}

void BM_SimulatorDownload(benchmark::State& state) {
  Setup& setup = Shared();
  for (auto _ : state)
    if (!setup.link.transfer.P2KFileRead("/a/bench.bin", setup.folder / "down.bin", kFileSize, "")
             .complete)
      state.SkipWithError("download failed");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}

// The same file read, sent through a local socket and written on the other side.
void BM_PlainSocketCopy(benchmark::State& state) {
  Setup& setup = Shared();
  for (auto _ : state) {
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, ends) != 0) state.SkipWithError("no socket pair");
    std::thread receiver([&] {
      std::FILE* out = std::fopen((setup.folder / "copy.bin").c_str(), "wb");
      char buffer[kPlainChunk];
      for (ssize_t n; (n = read(ends[1], buffer, sizeof buffer)) > 0;)
        std::fwrite(buffer, 1, static_cast<std::size_t>(n), out);
      std::fclose(out);
    });
    std::FILE* in = std::fopen(setup.local.c_str(), "rb");
    char buffer[kPlainChunk];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
      for (std::size_t sent = 0; sent < n;)
        sent += static_cast<std::size_t>(write(ends[0], buffer + sent, n - sent));
    std::fclose(in);
    close(ends[0]);
    receiver.join();
    close(ends[1]);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}

BENCHMARK(BM_SimulatorUpload)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SimulatorDownload)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainSocketCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps each benchmark's throughput to set them side by side at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (!run.aggregate_name.empty() && run.aggregate_name != "median") continue;
      const auto rate = run.counters.find("bytes_per_second");
      if (rate != run.counters.end()) throughput_[run.run_name.function_name] = rate->second;
    }
  }

  void PrintRatios() const {
    const auto plain = throughput_.find(kPlainCopy);
    if (plain == throughput_.end()) return;
    for (const char* name : {kUpload, kDownload}) {
      const auto simulated = throughput_.find(name);
      if (simulated == throughput_.end()) continue;
      std::printf(
          "%s: %.1f MB/s, plain socket copy %.1f MB/s, ratio %.3f (plain copy %.1f times faster)\n",
          name, simulated->second / 1e6, plain->second / 1e6, simulated->second / plain->second,
          plain->second / simulated->second);
    }
  }

 private:
  std::map<std::string, double> throughput_;
};

}  // namespace
}  // namespace menuforge

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  menuforge::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
