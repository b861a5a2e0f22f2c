// Quantising and encoding a 1600 x 1200 picture with alpha, the largest the conversion takes;
// then, when ImageMagick's convert is on the machine, the whole of "menuforge-cli gif" against
// the whole of "convert IN -colors 64 OUT.gif" on the same PNG. Aim: faster than ImageMagick.
#include <benchmark/benchmark.h>
#include <png.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "pictures/colour_quantiser.h"
#include "pictures/gif_encoding.h"

extern char** environ;

namespace {

using namespace menuforge;

constexpr std::uint32_t kWidth = 1600;
constexpr std::uint32_t kHeight = 1200;
constexpr int kProcessRuns = 5;

// Smooth colour fields with grain, as a photograph has, and a transparent corner.
RgbaPicture TestPicture() {
  RgbaPicture picture{{kWidth, kHeight}, {}};
  picture.pixels.reserve(std::size_t{kWidth} * kHeight);
  std::uint32_t grain = 12345;
  for (std::uint32_t y = 0; y < kHeight; ++y)
    for (std::uint32_t x = 0; x < kWidth; ++x) {
      grain = grain * 1103515245 + 12345;
      const int noise = static_cast<int>(grain >> 28) - 8;
      auto channel = [&](double value) {
        return static_cast<std::uint8_t>(std::clamp(static_cast<int>(value) + noise, 0, 255));
      };
      const double fx = x / double(kWidth);
      const double fy = y / double(kHeight);
      const std::uint8_t alpha = x < 200 && y < 200 ? static_cast<std::uint8_t>(x + y) / 2 : 255;
      picture.pixels.push_back({alpha, channel(255 * fx),
                                channel(128 + 127 * std::sin(fx * 9 + fy * 5)),
                                channel(255 * fy * (1 - fx))});
    }
  return picture;
}

void BM_QuantiseAndEncode(benchmark::State& state) {
  const RgbaPicture picture = TestPicture();
  for (auto _ : state) {
    const std::optional<Bytes> gif = EncodeGif(QuantisePicture(picture).picture);
    benchmark::DoNotOptimize(gif);
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_QuantiseAndEncode)->Unit(benchmark::kMillisecond);

void BM_Quantise(benchmark::State& state) {
  const RgbaPicture picture = TestPicture();
  for (auto _ : state) benchmark::DoNotOptimize(QuantisePicture(picture));
}
BENCHMARK(BM_Quantise)->Unit(benchmark::kMillisecond);

#ifdef MENUFORGE_CLI

// The best of a few runs of a whole process, in seconds; negative when it failed.
double ProcessSeconds(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  double best = -1;
  for (int run = 0; run < kProcessRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    best = best < 0 ? seconds : std::min(best, seconds);
  }
  return best;
}

bool HasImageMagick() {
  FILE* pipe = popen("convert -version 2>/dev/null", "r");
  if (!pipe) return false;
  char buffer[256] = {};
  const bool found = std::fgets(buffer, sizeof buffer, pipe) &&
                     std::string(buffer).find("ImageMagick") != std::string::npos;
  pclose(pipe);
  return found;
}

void CompareWithImageMagick() {
  if (!HasImageMagick()) {
    std::cout << "ImageMagick's convert is not on this machine: no comparison\n";
    return;
  }
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "menuforge-gif-bench";
  std::filesystem::create_directories(folder);
  const std::string in = (folder / "picture.png").string();
  const RgbaPicture picture = TestPicture();
  std::vector<std::uint8_t> rgba;
  for (const Colour& c : picture.pixels) rgba.insert(rgba.end(), {c.red, c.green, c.blue, c.alpha});
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = kWidth;
  image.height = kHeight;
  image.format = PNG_FORMAT_RGBA;
  if (!png_image_write_to_file(&image, in.c_str(), 0, rgba.data(), 0, nullptr)) {
    std::cout << "could not write " << in << '\n';
    return;
  }
  const double ours = ProcessSeconds({MENUFORGE_CLI, "gif", in, (folder / "ours.gif").string()});
  const double theirs =
      ProcessSeconds({"convert", in, "-colors", "64", (folder / "imagemagick.gif").string()});
  std::filesystem::remove_all(folder);
  if (ours < 0 || theirs < 0) {
    std::cout << "a conversion failed: menuforge-cli " << ours << " s, convert " << theirs
              << " s\n";
    return;
  }
  std::printf(
      "1600 x 1200 PNG to a 64-colour GIF, whole process, best of %d:\n"
      "  menuforge-cli gif  %8.1f ms\n  convert -colors 64 %8.1f ms\n  ImageMagick / ours "
      "%8.2f\n",
      kProcessRuns, ours * 1000, theirs * 1000, theirs / ours);
}

#endif

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
#ifdef MENUFORGE_CLI
  CompareWithImageMagick();
#endif
  return 0;
}
