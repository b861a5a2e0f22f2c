// The Picture Picker, the phone preview's icons, the item editor's indicator and the main window's
// phone commands against a phone as slow as a real cable (4 ms a command, 256 KB/s): how long the
// windows go without handling their events, how long each action takes next to what the cable
// itself needs for its commands and bytes, and how soon a phone that stops answering is given
// up. A plain timing tool, not a test; run it offscreen:
// build/bin/cable_timing
#include <QApplication>
#include <QTreeWidget>
#include <fstream>

#include <unistd.h>

#include "app/preview_phone_icons.h"
#include "base/local_file.h"
#include "bench/cable_bench.h"
#include "browser/browser_prompts.h"
#include "browser/core/file_listing.h"
#include "browser/picture_picker_dialog.h"
#include "phone/phone_link.h"
#include "phonesim/demo_storage.h"
#include "widgets/phone_wait_turn.h"
#include "widgets/progress_adapters.h"

namespace menuforge {
namespace {

using namespace cable;

constexpr std::size_t kTransferSize = 256 * 1024;
constexpr char kIconFolder[] = "/a/mobile/picture";
// Besides the demo phone's three small icons, pictures as large as a preview may be.
constexpr int kLargePreviews = 6;
constexpr std::size_t kLargePreviewSize = 60 * 1024;

// Answers the picker's questions from a script, and counts the messages it shows.
class ScriptedPrompts final : public BrowserPrompts {
 public:
  void Show(const Message& message) override {
    std::fprintf(stderr, "message: %s\n", message.text.c_str());
    ++shown;
  }
  bool Ask(const Message&) override { return true; }
  std::vector<std::filesystem::path> OpenFileNames(const FileDialogText&) override {
    return openFiles;
  }
  std::optional<std::filesystem::path> SaveFileName(const FileDialogText&) override {
    return savePath;
  }
  std::optional<std::filesystem::path> ChooseFolder(const char*,
                                                    const std::filesystem::path&) override {
    return std::nullopt;
  }
  std::optional<std::u16string> InputText(const char*, const char*) override {
    return std::nullopt;
  }
  bool RunModal(QDialog&) override { return false; }

  std::vector<std::filesystem::path> openFiles;
  std::optional<std::filesystem::path> savePath;
  int shown = 0;
};

struct Quiet : PhoneObserver {
  void PhoneConnected() override {}
  void PhoneDisconnected() override {}
};

Bytes Pattern(std::size_t size, unsigned seed) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<std::uint8_t>((i * 131 + seed) >> 3);
  return bytes;
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

int Run() {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("menuforge-cable-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path storage = folder / "phone";
  if (const std::string error = CreateDemoStorage(storage); !error.empty())
    throw std::runtime_error(error);
  for (int i = 0; i < kLargePreviews; ++i)
    WriteBytes(storage / "a/mobile/picture" / ("large_" + std::to_string(i) + ".gif"),
               Pattern(kLargePreviewSize, static_cast<unsigned>(i)));
  const std::filesystem::path upload = folder / "upload.bin";
  WriteBytes(upload, Pattern(kTransferSize, 7));

  std::vector<Figures> figures;
  {
    PhoneServerConfig config;
    config.storage = storage;
    config.pace = {kLatency, kRate, std::nullopt};
    RunningServer server(config, folder / "phone.sock");
    CountingLibrary library(folder / "phone.sock");
    Settings settings;
    ScriptedPrompts prompts;
    Quiet observer;
    QWidget owner;
    ProgressWindowFactory windows(&owner);
    PhoneLink link(library, settings, prompts, windows, observer, folder);
    // As the main window does for the program.
    LetWindowsTurnWhileWaiting(library);
    if (!link.session.Start()) throw std::runtime_error("the phone socket cannot be used");
    link.session.Poll();
    if (!link.session.connected()) throw std::runtime_error("no phone answered");

    Stopwatch stopwatch(library, figures);
    const auto measure = [&](const char* action, const std::function<void()>& work) {
      stopwatch.Measure(action, work);
    };

    measure("picker: file list", [&] { FetchFileList(link.session, windows, prompts); });

    BrowserRunState state;
    PicturePreviews previews;
    PicturePickerDialog dialog(nullptr, link, state, previews, prompts);
    dialog.show();
    auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("folderTree"));
    QTreeWidgetItem* iconFolder = nullptr;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
      if ((*it)->data(0, Qt::UserRole).toByteArray() == kIconFolder) iconFolder = *it;
    if (!iconFolder) throw std::runtime_error("the icon folder is not in the tree");

    const PhoneBrowser& browser = dialog.browser();
    const auto missingPreviews = [&] {
      int missing = 0;
      for (const FileRow& row : browser.rows())
        if (IsPreviewable(row.name, row.size) && !previews.Known(browser.PhonePathOf(row)))
          ++missing;
      return missing;
    };
    measure("picker: previews of the icon folder", [&] {
      tree->setCurrentItem(iconFolder);
      ProcessUntil([&] { return missingPreviews() == 0 && !previews.fetching(); });
    });
    std::printf("(%zu files in %s, %d of %zu KB among them)\n", browser.rows().size(), kIconFolder,
                kLargePreviews, kLargePreviewSize / 1024);

    prompts.openFiles = {upload};
    measure("picker: upload 256 KB", [&] {
      QMetaObject::invokeMethod(dialog.findChild<QAction*>(QStringLiteral("uploadAction")),
                                "trigger");
    });
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("fileList"));
    for (int row = 0; row < list->topLevelItemCount(); ++row)
      list->topLevelItem(row)->setSelected(list->topLevelItem(row)->text(0) == "upload.bin");
    prompts.savePath = folder / "download.bin";
    measure("picker: download 256 KB", [&] {
      QMetaObject::invokeMethod(dialog.findChild<QAction*>(QStringLiteral("downloadAction")),
                                "trigger");
    });
    const Result<std::string> downloaded = ReadWholeFile(folder / "download.bin");
    const bool same =
        downloaded && Bytes(downloaded->begin(), downloaded->end()) == Pattern(kTransferSize, 7);
    std::printf("(the download %s the upload; %d messages shown)\n",
                same ? "matches" : "DIFFERS FROM", prompts.shown);
    dialog.done(QDialog::Rejected);

    // The phone preview asks for the same pictures, a drawing at a time, with pictures of its own.
    PicturePreviews previewPictures;
    PreviewPhoneIcons previewIcons(link.session, previewPictures, [] { return true; });
    std::vector<std::u16string> iconPaths = {u"/a/mobile/picture/disc.gif",
                                             u"/a/mobile/picture/frame.gif",
                                             u"/a/mobile/picture/cross.gif"};
    for (int i = 0; i < kLargePreviews; ++i)
      iconPaths.push_back(u"/a/mobile/picture/large_" + Utf8ToWide(std::to_string(i)) + u".gif");
    measure("phone preview's icons", [&] {
      ProcessUntil([&] {
        previewIcons.BeginDrawing();
        bool waiting = false;
        for (const std::u16string& path : iconPaths)
          waiting = previewIcons.Find(path).status == IconStatus::Waiting || waiting;
        return !waiting;
      });
    });

    // The item editor's indicator reads a picked picture whole, in one go.
    PicturePreviews indicator;
    measure("item editor: indicator's 60 KB picture", [&] {
      if (!indicator.Fetch(link.session, "/a/mobile/picture/large_1.gif"))
        throw std::runtime_error("the indicator's picture did not come");
    });
  }

  // A phone that stops answering some way into a download.
  double noticedMs = 0;
  {
    PhoneServerConfig config;
    config.storage = storage;
    config.pace = {kLatency, kRate, 40};
    RunningServer server(config, folder / "stall.sock");
    CountingLibrary library(folder / "stall.sock");
    Settings settings;
    ScriptedPrompts prompts;
    Quiet observer;
    QWidget owner;
    ProgressWindowFactory windows(&owner);
    PhoneLink link(library, settings, prompts, windows, observer, folder);
    if (!link.session.Start()) throw std::runtime_error("the phone socket cannot be used");
    link.session.Poll();
    const TransferResult result =
        link.transfer.P2KFileRead("/a/mobile/picture/large_0.gif", folder / "stalled.bin", 0, "");
    noticedMs = Ms(library.givenUpAfter);
    std::printf(
        "\nstalled phone: download %s after the unanswered command: %.0f ms "
        "(reply time %lld ms)\n",
        result.complete ? "COMPLETE?" : "given up", noticedMs,
        static_cast<long long>(kPhoneReplyTimeout.count()));
  }
  for (Figures& f : MainWindowFigures(folder, storage)) figures.push_back(std::move(f));
  for (Figures& f : WorkerFigures(folder, storage)) figures.push_back(std::move(f));
  std::filesystem::remove_all(folder);

  std::printf(
      "\nphone at --latency %lld --rate %llu; goals: gap <= %.0f ms, time <= %.1f x cable\n",
      static_cast<long long>(kLatency.count()), static_cast<unsigned long long>(kRate), kGapGoalMs,
      kCableFactorGoal);
  for (const Figures& f : figures) Print(f);
  return 0;
}

}  // namespace
}  // namespace menuforge

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  try {
    return menuforge::Run();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "cable_timing: %s\n", error.what());
    return 1;
  }
}
