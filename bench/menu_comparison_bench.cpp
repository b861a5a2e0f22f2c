// Comparing the two largest menus an mma_ucp file can hold (245 entries, 64 KB of data each) that
// differ in every entry: in the core (aim: under 5 ms), and as a whole `menuforge-cli diff`
// process next to `cmp` on the same two files (aim: no slower than three times cmp; with --json
// no slower than twice cmp), printed at the end as a ratio. The files are made in a temporary
// folder and removed at the end.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/local_file.h"
#include "bench/largest_menu.h"
#include "menu/menu_comparison.h"
#include "menu/mma_saver.h"
#include "menu/tree_operations.h"

namespace menuforge {
namespace {

constexpr char kDiff[] = "BM_DiffProcess";
constexpr char kDiffJson[] = "BM_DiffJsonProcess";
constexpr char kCmp[] = "BM_CmpProcess";

void BM_CompareLargestMenus(benchmark::State& state) {
  MenuTree before, after;
  BuildLargestMenu(before, u'M');
  BuildLargestMenu(after, u'N');
  const FormatOptions options;
  std::size_t entries = 0;
  for (auto _ : state) {
    const MenuComparison comparison = CompareMenus({before, options}, {after, options});
    entries = comparison.entries.size();
    benchmark::DoNotOptimize(entries);
  }
  // Every entry and soft key changed, none moved.
  if (entries != kMaxMenuEntries + kSoftkeyCount)
    state.SkipWithError("not every entry was found changed");
  state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_CompareLargestMenus)->Unit(benchmark::kMillisecond);

struct Files {
  Files() : folder(MakeFolder()) {
    Write(first, u'M');
    Write(second, u'N');
  }
  ~Files() { std::filesystem::remove_all(folder); }

  static std::filesystem::path MakeFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "menuforge-diff-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    return pattern;
  }

  static void Write(const std::filesystem::path& path, char16_t letter) {
    MenuTree tree;
    BuildLargestMenu(tree, letter);
    Bytes file;
    if (EncodeMenuFile(tree, FormatOptions{}, LargestMenuItems(), file).status() !=
            SaveStatus::Saved ||
        !WriteFileAtomically(path, file))
      throw std::runtime_error("cannot write " + path.string());
  }

  std::filesystem::path folder;
  std::filesystem::path first = folder / "a";
  std::filesystem::path second = folder / "b";
};

Files& Shared() {
  static Files files;
  return files;
}

struct ProcessTime {
  double wall = -1;  // negative unless it exited 1, as both do for files that differ
  double cpu = 0;    // user and system time: on a busy machine, waiting is not the program's
};

// The program run in the files' folder with its output discarded.
ProcessTime RunProcess(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    if (chdir(Shared().folder.c_str()) != 0 || null < 0) _exit(126);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child) return {};
  const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 1) return {};
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return {taken.count(), seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}

// Mean wall and processor seconds per run of each benchmark's last round.
std::map<std::string, ProcessTime>& MeanSeconds() {
  static std::map<std::string, ProcessTime> means;
  return means;
}

void TimeProcess(benchmark::State& state, const char* name,
                 const std::vector<std::string>& arguments) {
  ProcessTime total{0, 0};
  for (auto _ : state) {
    const ProcessTime run = RunProcess(arguments);
    if (run.wall < 0) {
      state.SkipWithError("the program failed");
      return;
    }
    state.SetIterationTime(run.wall);
    total.wall += run.wall;
    total.cpu += run.cpu;
  }
  const auto runs = static_cast<double>(state.iterations());
  if (runs > 0) MeanSeconds()[name] = {total.wall / runs, total.cpu / runs};
  state.counters["cpu_ms"] = runs > 0 ? total.cpu / runs * 1e3 : 0;
}

void BM_DiffProcess(benchmark::State& state) {
  TimeProcess(state, kDiff,
              {MENUFORGE_CLI, "diff", Shared().first.string(), Shared().second.string()});
}
void BM_DiffJsonProcess(benchmark::State& state) {
  TimeProcess(state, kDiffJson,
              {MENUFORGE_CLI, "diff", "--json", Shared().first.string(), Shared().second.string()});
}
void BM_CmpProcess(benchmark::State& state) {
  TimeProcess(state, kCmp, {"cmp", Shared().first.string(), Shared().second.string()});
}
BENCHMARK(BM_DiffProcess)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_DiffJsonProcess)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_CmpProcess)->Unit(benchmark::kMillisecond)->UseManualTime();

void PrintRatio(const char* name, double aim) {
  const auto diff = MeanSeconds().find(name);
  const auto cmp = MeanSeconds().find(kCmp);
  if (diff == MeanSeconds().end() || cmp == MeanSeconds().end()) return;
  for (const bool cpu : {false, true}) {
    const double d = cpu ? diff->second.cpu : diff->second.wall;
    const double c = cpu ? cmp->second.cpu : cmp->second.wall;
    std::printf("%s, %s: diff %.2f ms, cmp %.2f ms: %.2f times cmp (%s %.0f times cmp)\n", name,
                cpu ? "processor time" : "wall time", d * 1e3, c * 1e3, d / c,
                d <= aim * c ? "within" : "slower than", aim);
  }
}

}  // namespace
}  // namespace menuforge

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  menuforge::PrintRatio(menuforge::kDiff, 3);
  menuforge::PrintRatio(menuforge::kDiffJson, 2);
  benchmark::Shutdown();
  return 0;
}
