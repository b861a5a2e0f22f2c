// Merging the two largest menus an mma_ucp file can hold (245 entries, 64 KB of data each), every
// entry changed on one side: in the core, aim under 10 ms.
#include <benchmark/benchmark.h>

#include "bench/largest_menu.h"
#include "menu/menu_merge.h"

namespace menuforge {
namespace {

void BM_MergeLargestMenus(benchmark::State& state) {
  MenuTree base, mine, theirs;
  BuildLargestMenu(base, u'M');
  BuildLargestMenu(mine, u'M');
  BuildLargestMenu(theirs, u'N');
  const FormatOptions options;
  std::size_t entries = 0;
  for (auto _ : state) {
    Result<MergedMenu> merged =
        MergeMenus({base, options}, {mine, options}, {theirs, options}, ConflictChoice::KeepMine);
    if (!merged || !merged->conflicts.empty()) {
      state.SkipWithError("the merge did not come out clean");
      break;
    }
    entries = merged->tree.EntryCount();
    benchmark::DoNotOptimize(entries);
  }
  state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_MergeLargestMenus)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace menuforge

BENCHMARK_MAIN();
