// The main window's own phone commands against the cable-paced simulator, driven through the real
// window as a user drives it: Open from phone with its J2MEST files read and patched, Save to
// phone with and without reading the phone's menu for the safety copy first, Restore phone
// backup, the SEEM backup and restore of the settings window, and Open from phone with a phone
// that stops answering.
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QTreeWidget>

#include "app/main_window.h"
#include "bench/cable_bench.h"
#include "widgets/window_prompts.h"

namespace menuforge::cable {
namespace {

// Stands in for the user: says yes, discards, takes the paths given, and lets `onModal` work a
// dialog.
class BenchPrompts final : public WindowPrompts {
 public:
  void Show(const Message& message) override {
    std::fprintf(stderr, "message: %s\n", message.text.c_str());
    ++shown;
  }
  bool Ask(const Message&) override { return true; }
  SaveChoice AskToSave(const Message&) override { return SaveChoice::Discard; }
  std::optional<bool> AskOrShowChanges(const Message&) override { return true; }
  std::optional<SaveChoice> AskToSaveOrShowChanges(const Message&) override {
    return SaveChoice::Discard;
  }
  std::optional<std::filesystem::path> OpenFileName(const FileDialogText&) override {
    return openPath;
  }
  std::optional<std::filesystem::path> SaveFileName(const FileDialogText&) override {
    return savePath;
  }
  void ShowModal(QDialog& dialog) override {
    if (onModal) onModal(dialog);
  }
  bool OpenDocument(const std::filesystem::path&) override { return false; }

  std::optional<std::filesystem::path> openPath;
  std::optional<std::filesystem::path> savePath;
  std::function<void(QDialog&)> onModal;
  int shown = 0;
};

// A main window of its own working folder, on the phone behind `socket`.
class BenchWindow {
 public:
  BenchWindow(const std::filesystem::path& socket, PhoneTimeouts timeouts = {}) {
    auto prompts = std::make_unique<BenchPrompts>();
    prompts_ = prompts.get();
    auto library = std::make_unique<CountingLibrary>(socket, timeouts);
    library_ = library.get();
    window_ = std::make_unique<MainWindow>(std::move(prompts), std::move(library));
    window_->show();
    window_->PollPhone();
    if (!Action("openFromPhoneAction")->isEnabled())
      throw std::runtime_error("the window found no phone");
  }

  QAction* Action(const char* name) const {
    auto* action = window_->findChild<QAction*>(QString::fromLatin1(name));
    if (!action) throw std::runtime_error(std::string("no action ") + name);
    return action;
  }
  void Trigger(const char* name) const { Action(name)->trigger(); }
  // Clicks `button` in the settings window.
  void Setup(const char* button) {
    prompts_->onModal = [button](QDialog& dialog) {
      dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    };
    Trigger("setupAction");
    prompts_->onModal = nullptr;
  }

  CountingLibrary& library() const { return *library_; }
  BenchPrompts& prompts() const { return *prompts_; }
  const MainWindow& window() const { return *window_; }

 private:
  BenchPrompts* prompts_ = nullptr;
  CountingLibrary* library_ = nullptr;
  std::unique_ptr<MainWindow> window_;
};

// The current folder and the place of the phone backups for as long as it lives.
class WindowFolder {
 public:
  explicit WindowFolder(const std::filesystem::path& folder) : previous_(QDir::currentPath()) {
    std::filesystem::create_directories(folder);
    QDir::setCurrent(QString::fromStdString(folder.string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((folder / "data").string()));
    // J2MEST read from phone memory and the card, and patched; every command logged.
    std::FILE* ini = std::fopen("menuforge.ini", "wb");
    if (!ini) throw std::runtime_error("cannot write menuforge.ini");
    std::fputs("[setup]\r\nLogEnabled=1\r\nReadJ2MEST=Both\r\nPatchJ2MEST=1\r\nSetSystemAttr=1\r\n",
               ini);
    std::fclose(ini);
  }
  ~WindowFolder() { QDir::setCurrent(previous_); }
  WindowFolder(const WindowFolder&) = delete;
  WindowFolder& operator=(const WindowFolder&) = delete;

 private:
  QString previous_;
};

}  // namespace

std::vector<Figures> MainWindowFigures(const std::filesystem::path& folder,
                                       const std::filesystem::path& storage) {
  std::vector<Figures> figures;
  const WindowFolder working(folder / "window");
  {
    PhoneServerConfig config;
    config.storage = storage;
    config.pace = {kLatency, kRate, std::nullopt};
    RunningServer server(config, folder / "window.sock");
    {
      // Nothing remembered of the phone's menu yet: the safety copy reads it first.
      BenchWindow fresh(folder / "window.sock");
      Stopwatch stopwatch(fresh.library(), figures);
      fresh.Trigger("newAction");
      stopwatch.Measure("window: Save to phone, safety copy read",
                        [&] { fresh.Trigger("saveToPhoneAction"); });
    }
    BenchWindow bench(folder / "window.sock");
    Stopwatch stopwatch(bench.library(), figures);
    stopwatch.Measure("window: Open from phone, J2MEST patched",
                      [&] { bench.Trigger("openFromPhoneAction"); });
    stopwatch.Measure("window: Save to phone, J2MEST written",
                      [&] { bench.Trigger("saveToPhoneAction"); });
    bench.prompts().onModal = [](QDialog& chooser) {
      auto* list = chooser.findChild<QTreeWidget*>(QStringLiteral("backupList"));
      list->setCurrentItem(list->topLevelItem(0));
      chooser.accept();
    };
    stopwatch.Measure("window: Restore phone backup",
                      [&] { bench.Trigger("restoreBackupAction"); });
    bench.prompts().savePath = folder / "0032_0001.seem";
    stopwatch.Measure("window: SEEM backup", [&] { bench.Setup("backupSeemButton"); });
    bench.prompts().openPath = folder / "0032_0001.seem";
    stopwatch.Measure("window: SEEM restore", [&] { bench.Setup("restoreBackupButton"); });
    std::printf("(the main window showed %d messages)\n", bench.prompts().shown);
  }

  // A phone that stops answering in the middle of the menu file of Open from phone.
  PhoneServerConfig config;
  config.storage = storage;
  config.pace = {kLatency, kRate, 6};
  RunningServer server(config, folder / "stall.sock");
  BenchWindow stalled(folder / "stall.sock");
  Stopwatch stopwatch(stalled.library(), figures);
  stopwatch.Measure("window: Open from phone, phone stalls",
                    [&] { stalled.Trigger("openFromPhoneAction"); });
  std::printf("(stalled phone: Open from phone gave up after %.0f ms without an answer; %s)\n",
              Ms(stalled.library().givenUpAfter),
              stalled.window().tree().menuRoot() ? "a menu was OPENED" : "nothing opened");
  return figures;
}

}  // namespace menuforge::cable
