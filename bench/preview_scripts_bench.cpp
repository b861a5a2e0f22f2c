// The phone preview of the largest menu in every script of the phone's 47 languages, next to the
// same menu in Latin titles. As whole `menuforge-cli preview` processes, fontconfig's cache and
// the fonts' loading included: one round previews the 47 menus, each in its own language, the
// other the Latin menu 47 times (aim: the scripts within twice the Latin time, printed at the end
// as a ratio). In the process: the picture drawn again after an entry's title is edited, the
// language changing every time (aim: under 1 ms).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/local_file.h"
#include "bench/largest_menu.h"
#include "menu/mma_saver.h"
#include "preview/preview_rendering.h"
#include "tests/support/language_titles.h"

namespace menuforge {
namespace {

using test::kLanguageTitles;
using test::LanguageTitles;

constexpr std::size_t kTitleUnits = 58;  // as long as the largest menu's titles

std::u16string Repeated(std::u16string_view title) {
  std::u16string text;
  while (text.size() < kTitleUnits) text.append(title).append(u" ");
  return text.substr(0, kTitleUnits);
}

// The largest menu with every title in English and in the language's script.
MenuTree ScriptMenu(const LanguageTitles& language) {
  MenuTree tree;
  BuildLargestMenu(tree);
  const std::u16string english(kTitleUnits, u'M');
  const std::u16string own = Repeated(language.title);
  tree.ForEach([&](MenuNode& node) {
    if (&node == tree.softkeys() || &node == tree.menuRoot()) return;
    ItemDataRecord data;
    data.slots.push_back(
        ChunkSlot::Titles(TitleList::Menu, {{1, english}, {language.languageId, own}}));
    data.slots.push_back(ChunkSlot::DrmIcon(DrmIconKind::List, kDrmByteFromEditor, 1234));
    data.slots.push_back(ChunkSlot::Action(0x0102));
    tree.SetEntryData(node, std::move(data));
  });
  return tree;
}

struct Files {
  Files() : folder(MakeFolder()) {
    MenuTree latin;
    BuildLargestMenu(latin);
    Write(latin, folder / "latin");
    for (const LanguageTitles& language : kLanguageTitles) {
      MenuTree menu = ScriptMenu(language);
      Write(menu, folder / std::to_string(language.languageId));
    }
  }
  ~Files() { std::filesystem::remove_all(folder); }

  static std::filesystem::path MakeFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "menuforge-scripts-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    return pattern;
  }

  static void Write(MenuTree& tree, const std::filesystem::path& path) {
    Bytes file;
    if (EncodeMenuFile(tree, FormatOptions{}, LargestMenuItems(), file).status() !=
            SaveStatus::Saved ||
        !WriteFileAtomically(path, file))
      throw std::runtime_error("cannot write " + path.string());
  }

  std::filesystem::path folder;
};

Files& Shared() {
  static Files files;
  return files;
}

// Seconds the preview took as a whole process, or a negative number when it failed.
double RunPreview(const std::string& menu, unsigned languageId) {
  const std::string out = (Shared().folder / "out.png").string();
  const std::string language = std::to_string(languageId);
  std::vector<const char*> argv{MENUFORGE_CLI, "preview",        menu.c_str(), out.c_str(),
                                "--language",  language.c_str(), nullptr};
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    if (chdir(Shared().folder.c_str()) != 0 || null < 0) _exit(126);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execv(argv[0], const_cast<char* const*>(argv.data()));
    _exit(127);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return -1;
  const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? taken.count() : -1;
}

double& MeanSeconds(bool scripts) {
  static double means[2] = {0, 0};
  return means[scripts ? 1 : 0];
}

void BM_PreviewProcesses(benchmark::State& state) {
  const bool scripts = state.range(0) == 1;
  double total = 0;
  for (auto _ : state) {
    double round = 0;
    for (const LanguageTitles& language : kLanguageTitles) {
      const std::string menu = scripts ? std::to_string(language.languageId) : "latin";
      const double taken =
          RunPreview((Shared().folder / menu).string(), scripts ? language.languageId : 1);
      if (taken < 0) {
        state.SkipWithError("the preview failed");
        return;
      }
      round += taken;
    }
    state.SetIterationTime(round);
    total += round;
  }
  if (state.iterations() > 0) MeanSeconds(scripts) = total / double(state.iterations());
  state.SetLabel(scripts ? "47 scripts" : "Latin");
}
BENCHMARK(BM_PreviewProcesses)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime();

// An edit of the first entry's title, in a language other than the last edit's, then the scene
// built and drawn again with the fonts and shaped lines kept from before, as in the window.
void BM_RedrawAfterEditInEveryScript(benchmark::State& state) {
  std::vector<MenuTree> menus;
  for (const LanguageTitles& language : kLanguageTitles) menus.push_back(ScriptMenu(language));
  TextDrawing text;
  if (!text.Open()) {
    state.SkipWithError("no font");
    return;
  }
  std::size_t edits = 0;
  for (auto _ : state) {
    const std::size_t which = edits % std::size(kLanguageTitles);
    const LanguageTitles& language = kLanguageTitles[which];
    MenuTree& tree = menus[which];
    MenuNode& entry = *tree.menuRoot()->children()[0];
    ItemDataRecord data;
    data.slots.push_back(ChunkSlot::Titles(
        TitleList::Menu, {{language.languageId, std::u16string(language.title) + u" " +
                                                    Utf8ToWide(std::to_string(++edits))}}));
    tree.SetEntryData(entry, std::move(data));
    const PreviewScene scene = BuildScene(
        tree, *tree.menuRoot(), {kDefaultPreviewScreen, PreviewLayout::List, language.languageId});
    benchmark::DoNotOptimize(RenderPreview(scene, {}, text).pixels.data());
  }
}
BENCHMARK(BM_RedrawAfterEditInEveryScript)->Unit(benchmark::kMicrosecond);

void PrintRatio() {
  const double latin = MeanSeconds(false);
  const double scripts = MeanSeconds(true);
  if (latin <= 0 || scripts <= 0) return;
  std::printf("47 previews: every script %.1f ms, Latin %.1f ms: %.2f times (%s)\n", scripts * 1e3,
              latin * 1e3, scripts / latin,
              scripts <= 2 * latin ? "within twice" : "slower than twice");
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
