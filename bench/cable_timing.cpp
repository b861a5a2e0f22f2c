// The Picture Picker against a phone as slow as a real cable (4 ms a command, 256 KB/s): how long
// the window goes without handling its events, how long each action takes next to what the
// cable itself needs for its commands and bytes, and how soon a phone that stops answering is
// given up. A plain timing tool, not a test; run it offscreen: build/bin/cable_timing
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QTreeWidget>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include <unistd.h>

#include "browser/browser_prompts.h"
#include "browser/core/file_listing.h"
#include "browser/picture_picker_dialog.h"
#include "base/local_file.h"
#include "phone/fsac_request.h"
#include "phone/phone_link.h"
#include "phone/socket_library.h"
#include "phonesim/demo_storage.h"
#include "phonesim/phone_server.h"
#include "widgets/progress_adapters.h"

namespace menuforge {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kLatency{4};
constexpr std::uint64_t kRate = 262144;
constexpr std::size_t kTransferSize = 256 * 1024;
constexpr char kIconFolder[] = "/a/mobile/picture";
// Besides the demo phone's three small icons, pictures as large as a preview may be.
constexpr int kLargePreviews = 6;
constexpr std::size_t kLargePreviewSize = 60 * 1024;
constexpr double kGapGoalMs = 100;
constexpr double kCableFactorGoal = 1.3;

double Ms(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

// The commands and file bytes that went over the cable.
class CountingLibrary : public SocketPhoneLibrary {
 public:
  using SocketPhoneLibrary::SocketPhoneLibrary;

  std::int32_t P2K_SendCMD(std::uint32_t command, ByteView request,
                           std::span<std::uint8_t> response,
                           std::uint32_t& responseLength) override {
    ++calls;
    const bool open = connectionOpen();
    const auto start = std::chrono::steady_clock::now();
    const std::int32_t rc =
        SocketPhoneLibrary::P2K_SendCMD(command, request, response, responseLength);
    if (open && !connectionOpen()) givenUpAfter = std::chrono::steady_clock::now() - start;
    if (command == kCommandFsac) {
      if (request.size() > kFsacHeaderSize && request[3] == kFsacWrite)
        bytes += request.size() - kFsacHeaderSize;
      else if (request.size() >= 4 && request[3] == kFsacRead)
        bytes += responseLength;
    }
    return rc;
  }
  std::int32_t File_CountEx(const std::string& pattern) override {
    ++calls;
    return SocketPhoneLibrary::File_CountEx(pattern);
  }
  std::int32_t File_ListEx(std::vector<FileListEntry>& entries, std::size_t count,
                           const ListProgressNotification& progress) override {
    ++calls;
    return SocketPhoneLibrary::File_ListEx(entries, count, progress);
  }

  // What the cable needs for what was counted.
  double CableMs() const {
    return static_cast<double>(calls) * static_cast<double>(kLatency.count()) +
           static_cast<double>(bytes) * 1000.0 / static_cast<double>(kRate);
  }

  std::uint64_t calls = 0;
  std::uint64_t bytes = 0;
  // How long the call that found the connection lost waited.
  std::chrono::steady_clock::duration givenUpAfter{};
};

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

// The longest time between two turns of the event loop, seen by a timer due every turn.
class GapMeter {
 public:
  GapMeter() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const Clock::time_point now = Clock::now();
      longest_ = std::max(longest_, now - last_);
      last_ = now;
    });
  }
  void Start() {
    longest_ = {};
    last_ = Clock::now();
    timer_.start(0);
  }
  double StopMs() {
    timer_.stop();
    return Ms(std::max(longest_, Clock::now() - last_));
  }

 private:
  QTimer timer_;
  Clock::time_point last_;
  Clock::duration longest_{};
};

class RunningServer {
 public:
  explicit RunningServer(PhoneServerConfig config, const std::filesystem::path& socket)
      : server_(std::move(config)) {
    if (const std::string error = server_.Listen(socket); !error.empty())
      throw std::runtime_error(error);
    thread_ = std::thread([this] { server_.Run(); });
  }
  ~RunningServer() {
    server_.Stop();
    thread_.join();
  }

 private:
  PhoneServer server_;
  std::thread thread_;
};

struct Figures {
  const char* action;
  double totalMs;
  double cableMs;
  double gapMs;
};

void Print(const Figures& f) {
  const double factor = f.cableMs > 0 ? f.totalMs / f.cableMs : 0;
  std::printf("%-34s %9.0f ms  cable %8.0f ms  x%.2f %-4s  longest gap %6.1f ms %s\n", f.action,
              f.totalMs, f.cableMs, factor, factor <= kCableFactorGoal ? "ok" : "SLOW", f.gapMs,
              f.gapMs <= kGapGoalMs ? "ok" : "OVER");
}

void ProcessUntil(const std::function<bool()>& done) {
  while (!done()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

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
    if (!link.session.Start()) throw std::runtime_error("the phone socket cannot be used");
    link.session.Poll();
    if (!link.session.connected()) throw std::runtime_error("no phone answered");

    GapMeter gaps;
    auto measure = [&](const char* action, const std::function<void()>& work) {
      const std::uint64_t calls = library.calls;
      const std::uint64_t bytes = library.bytes;
      library.calls = library.bytes = 0;
      gaps.Start();
      const Clock::time_point start = Clock::now();
      work();
      const double total = Ms(Clock::now() - start);
      figures.push_back({action, total, library.CableMs(), gaps.StopMs()});
      library.calls += calls;
      library.bytes += bytes;
    };

    measure("file list (one window turn)", [&] { FetchFileList(link.session, windows, prompts); });

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
    measure("previews of the icon folder", [&] {
      tree->setCurrentItem(iconFolder);
      ProcessUntil([&] { return missingPreviews() == 0 && !previews.fetching(); });
    });
    std::printf("(%zu files in %s, %d of %zu KB among them)\n", browser.rows().size(), kIconFolder,
                kLargePreviews, kLargePreviewSize / 1024);

    prompts.openFiles = {upload};
    measure("upload 256 KB", [&] {
      QMetaObject::invokeMethod(dialog.findChild<QAction*>(QStringLiteral("uploadAction")),
                                "trigger");
    });
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("fileList"));
    for (int row = 0; row < list->topLevelItemCount(); ++row)
      list->topLevelItem(row)->setSelected(list->topLevelItem(row)->text(0) == "upload.bin");
    prompts.savePath = folder / "download.bin";
    measure("download 256 KB", [&] {
      QMetaObject::invokeMethod(dialog.findChild<QAction*>(QStringLiteral("downloadAction")),
                                "trigger");
    });
    const Result<std::string> downloaded = ReadWholeFile(folder / "download.bin");
    const bool same = downloaded &&
                      Bytes(downloaded->begin(), downloaded->end()) == Pattern(kTransferSize, 7);
    std::printf("(the download %s the upload; %d messages shown)\n",
                same ? "matches" : "DIFFERS FROM", prompts.shown);
    dialog.done(QDialog::Rejected);
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
