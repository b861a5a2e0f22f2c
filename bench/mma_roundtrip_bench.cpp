// Loading and saving the largest menu an mma_ucp file can hold, and the memory the loaded menu
// takes. Aims: under 1 ms per round trip, under 1 MB per menu.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "bench/largest_menu.h"
#include "menu/mma_format.h"
#include "menu/mma_loader.h"
#include "menu/mma_saver.h"
#include "menu/tree_operations.h"

namespace {

// Heap bytes in use, kept by the global operator new and delete below. The block size is kept
// in front of each block, so that an unsized delete knows what it frees. Kept out of line, so
// that the compiler never pairs a caller's new with the free inside delete.
std::size_t liveBytes = 0;
constexpr std::size_t kBlockHeader = alignof(std::max_align_t);

}  // namespace

[[gnu::noinline]] void* operator new(std::size_t size) {
  void* block = std::malloc(size + kBlockHeader);
  if (!block) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  liveBytes += size;
  return static_cast<char*>(block) + kBlockHeader;
}

[[gnu::noinline]] void operator delete(void* pointer) noexcept {
  if (!pointer) return;
  void* block = static_cast<char*>(pointer) - kBlockHeader;
  liveBytes -= *static_cast<std::size_t*>(block);
  std::free(block);
}

void operator delete(void* pointer, std::size_t) noexcept { operator delete(pointer); }

namespace {

using namespace menuforge;

Bytes LargestFile(int recordSize) {
  MenuTree tree;
  BuildLargestMenu(tree);

  FormatOptions options;
  options.SelectSaveMode(*RecordSizeOf(recordSize));
  Bytes file;
  if (EncodeMenuFile(tree, options, LargestMenuItems(), file).status() != SaveStatus::Saved)
    std::abort();
  return file;
}

// Heap bytes of a loaded menu: the tree, its records and names, and the item data table.
std::size_t ModelBytes(const Bytes& file) {
  const std::size_t before = liveBytes;
  auto tree = std::make_unique<MenuTree>();
  {
    FormatOptions options;
    FormatState state;
    if (ParseMenuFile(file, {LargestMenuItems(), true}, *tree, options, state).status() !=
        LoadStatus::Loaded)
      std::abort();
  }
  return liveBytes - before;
}

void RoundTrip(benchmark::State& state, int recordSize) {
  const Bytes file = LargestFile(recordSize);
  Bytes saved;
  for (auto _ : state) {
    MenuTree tree;
    FormatOptions options;
    FormatState formatState;
    const bool loaded =
        ParseMenuFile(file, {LargestMenuItems(), true}, tree, options, formatState).status() ==
        LoadStatus::Loaded;
    if (!loaded ||
        EncodeMenuFile(tree, options, LargestMenuItems(), saved).status() != SaveStatus::Saved) {
      state.SkipWithError("the largest menu does not load and save");
      break;
    }
    benchmark::DoNotOptimize(saved.data());
  }
  if (saved != file) state.SkipWithError("the saved file differs from the loaded one");
  state.counters["file_bytes"] = static_cast<double>(file.size());
  state.counters["model_bytes"] = static_cast<double>(ModelBytes(file));
}

BENCHMARK_CAPTURE(RoundTrip, records22, 22)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RoundTrip, records36, 36)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
