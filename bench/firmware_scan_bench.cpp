// Scanning a 256 MB firmware image whose version marker lies near its end, as a whole
// `menuforge-cli scan-firmware` process, next to `grep -a -b -o -m1 -F` finding the same marker
// in the same file; printed at the end as a ratio. The image is made in a temporary folder at
// start and removed at the end.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalog/firmware_scan.h"
#include "tests/support/synthetic_firmware.h"

namespace menuforge {
namespace {

constexpr std::uint64_t kImageSize = 256u << 20;
constexpr std::size_t kChunk = 1u << 20;
constexpr char kScan[] = "BM_ScanFirmwareProcess";
constexpr char kGrep[] = "BM_GrepProcess";
constexpr char kMarker[] = "@(#)R";

// Pseudo-random bytes, the same at every run.
void WriteFiller(std::ofstream& out, std::uint64_t length) {
  std::uint64_t state = 0x9E3779B97F4A7C15u;
  std::string chunk(kChunk, '\0');
  for (std::uint64_t written = 0; written < length; written += chunk.size()) {
    for (char& byte : chunk) {
      state ^= state << 13;
      state ^= state >> 7;
      state ^= state << 17;
      byte = static_cast<char>(state >> 56);
    }
    out.write(chunk.data(), static_cast<std::streamsize>(
                                std::min<std::uint64_t>(chunk.size(), length - written)));
  }
}

struct Setup {
  Setup() : folder(MakeFolder()) {
    const Bytes tables = test::SyntheticFirmware({});
    std::ofstream out(image, std::ios::binary);
    WriteFiller(out, kImageSize - tables.size());
    out.write(reinterpret_cast<const char*>(tables.data()),
              static_cast<std::streamsize>(tables.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + image.string());
    // The filler must not hold a marker of its own, or the two programs would find different ones.
    if (ScanFirmwareImage(image, nullptr).version != "R3624")
      throw std::runtime_error("the filler holds a version marker");
  }
  ~Setup() { std::filesystem::remove_all(folder); }

  static std::filesystem::path MakeFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "menuforge-scan-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    return pattern;
  }

  std::filesystem::path folder;
  std::filesystem::path image = folder / "cg1.smg";
};

Setup& Shared() {
  static Setup setup;
  return setup;
}

// Seconds from start to exit of the program, run in `folder` with its output discarded; a
// negative result when it failed.
double RunProcess(std::vector<std::string> arguments, const std::filesystem::path& folder) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    if (chdir(folder.c_str()) != 0 || null < 0) _exit(126);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return -1;
  const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? taken.count() : -1;
}

// Mean seconds per run of each benchmark's last round, for the ratio at the end.
std::map<std::string, double>& MeanSeconds() {
  static std::map<std::string, double> means;
  return means;
}

void TimeProcess(benchmark::State& state, const char* name,
                 const std::vector<std::string>& arguments) {
  Setup& setup = Shared();
  double total = 0;
  for (auto _ : state) {
    const double seconds = RunProcess(arguments, setup.folder);
    if (seconds < 0) {
      state.SkipWithError("the program failed");
      return;
    }
    state.SetIterationTime(seconds);
    total += seconds;
  }
  if (state.iterations() > 0) MeanSeconds()[name] = total / static_cast<double>(state.iterations());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kImageSize));
}

void BM_ScanFirmwareProcess(benchmark::State& state) {
  TimeProcess(state, kScan, {MENUFORGE_CLI, "scan-firmware", Shared().image.string()});
}

void BM_GrepProcess(benchmark::State& state) {
  TimeProcess(state, kGrep,
              {"grep", "-a", "-b", "-o", "-m1", "-F", kMarker, Shared().image.string()});
}

BENCHMARK(BM_ScanFirmwareProcess)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_GrepProcess)->Unit(benchmark::kMillisecond)->UseManualTime();

void PrintRatio() {
  const auto scan = MeanSeconds().find(kScan);
  const auto grep = MeanSeconds().find(kGrep);
  if (scan == MeanSeconds().end() || grep == MeanSeconds().end()) return;
  std::printf("scan-firmware %.1f ms, grep %.1f ms for the same marker: ratio %.2f (%s)\n",
              scan->second * 1e3, grep->second * 1e3, scan->second / grep->second,
              scan->second <= grep->second ? "no slower than grep" : "slower than grep");
}

}  // namespace
}  // namespace menuforge

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  menuforge::PrintRatio();
  benchmark::Shutdown();
  return 0;
}
