#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "app/application_icon.h"
#include "app/main_window.h"
#include "app/window_translation.h"
#include "app/working_folder_lock.h"
#include "base/version.h"
#include "phone/phone_socket_path.h"
#include "phone/socket_library.h"
#include "workspace/settings.h"

namespace {

// --help and --version are answered before the window system starts, so they work without a
// display. Qt's own options (-platform, -style...) are unknown to the parser; the window system
// takes them from the command line later, and everything else is judged then.
void AnswerWithoutWindows(QCommandLineParser& parser, int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  parser.parse(arguments);
  const bool version = parser.isSet(QStringLiteral("version"));
  if (!version && !parser.isSet(QStringLiteral("help"))) return;
  QCoreApplication application(argc, argv);
  if (version) parser.showVersion();
  parser.showHelp();
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication::setApplicationName(QString::fromLatin1(menuforge::kProductName));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(menuforge::kVersion));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Editor for the main menu file of P2K phones"));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A mma_ucp file to open"),
                               QStringLiteral("[file]"));
  const QCommandLineOption screenshot(
      QStringLiteral("screenshot"),
      QStringLiteral("Save a picture of the window as PNG once it has faded in, then quit"),
      QStringLiteral("path"));
  parser.addOption(screenshot);
  const QCommandLineOption phoneSocket(
      QString::fromLatin1(menuforge::kPhoneSocketOption + 2),
      QStringLiteral("The simulated phone's socket (default: $%1, else one in the runtime folder)")
          .arg(QString::fromLatin1(menuforge::kPhoneSocketVariable)),
      QStringLiteral("path"));
  parser.addOption(phoneSocket);
  AnswerWithoutWindows(parser, argc, argv);

  QApplication application(argc, argv);
  QGuiApplication::setDesktopFileName(QString::fromLatin1(menuforge::kApplicationId));
  QApplication::setWindowIcon(menuforge::ApplicationIcon());
  parser.process(application);
  // The working folder's settings choose the language before the first window is made.
  menuforge::LoadWindowTranslation(
      menuforge::ReadSettings(menuforge::kSettingsFileName).windowLanguage);

  // A second program in the same folder would empty the first one's log; it may still look.
  menuforge::WorkingFolderLock folderLock(std::filesystem::current_path());
  const menuforge::FolderAccess access = folderLock.Take(menuforge::AskToOpenReadOnly);
  if (access == menuforge::FolderAccess::Quit) return 0;

  std::optional<std::string> socketOption;
  if (parser.isSet(phoneSocket))
    socketOption = QFile::encodeName(parser.value(phoneSocket)).toStdString();
  menuforge::MainWindow window(
      nullptr,
      std::make_unique<menuforge::SocketPhoneLibrary>(menuforge::PhoneSocketPath(socketOption)),
      nullptr, access == menuforge::FolderAccess::ReadOnly);
  window.show();
  if (const QStringList files = parser.positionalArguments(); !files.isEmpty())
    window.OpenFile(QFile::encodeName(files.front()).toStdString());

  if (parser.isSet(screenshot)) {
    const QString path = parser.value(screenshot);
    QObject::connect(&window, &menuforge::MainWindow::FadeInFinished, &window, [&window, path] {
      if (!window.grab().save(path, "PNG")) {
        std::fprintf(stderr, "Cannot save the picture to %s\n", qPrintable(path));
        QApplication::exit(1);
        return;
      }
      QApplication::quit();
    });
  }
  return QApplication::exec();
}
