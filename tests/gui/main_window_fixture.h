// What the main window's tests share: a working folder of their own, a quiet test log, and the
// item list driven as a user drives it.
#pragma once

#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>

#include "app/main_window.h"
#include "app/menu_tree_view.h"
#include "gui/widget_lookup.h"
#include "phone/phone_socket_path.h"

namespace menuforge::test {

// The offscreen platform has no window opacity and cannot raise popups or grab the keyboard for
// them; it says so at every fade step and every popup. Nothing else is kept from the test log.
inline void DropOffscreenNotices() {
  static QtMessageHandler previous = nullptr;
  previous = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (text.startsWith(QLatin1String("This plugin does not support "))) return;
        previous(type, context, text);
      });
}

// A fresh current folder for as long as it lives, where the window finds no phone unless the
// test hands it one, and keeps its phone backups in the folder's "data/menuforge/backups".
class WindowTestFolder {
 public:
  WindowTestFolder() : previous_(QDir::currentPath()) {
    if (!folder_.isValid() || !QDir::setCurrent(folder_.path())) qFatal("no working folder");
    qputenv(kPhoneSocketVariable, QFile::encodeName(folder_.filePath(QStringLiteral("no-phone"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder_.filePath(QStringLiteral("data"))));
  }
  ~WindowTestFolder() { QDir::setCurrent(previous_); }
  WindowTestFolder(const WindowTestFolder&) = delete;
  WindowTestFolder& operator=(const WindowTestFolder&) = delete;

  std::filesystem::path path() const { return QFile::encodeName(folder_.path()).toStdString(); }
  QString filePath(const QString& name) const { return folder_.filePath(name); }
  std::filesystem::path backups() const { return path() / "data/menuforge/backups"; }

 private:
  QTemporaryDir folder_;
  QString previous_;
};

inline void Trigger(QWidget& window, const char* action) {
  Find<QAction>(window, action)->trigger();
}

// Chooses the item list's entry as a click on it does, and closes the item menu that opens.
inline void ChooseItemListEntry(QWidget& window, const char* displayName) {
  auto* list = Find<QComboBox>(window, "itemList");
  const int index = list->findText(QString::fromLatin1(displayName));
  if (index < 0) qFatal("no item list entry %s", displayName);
  list->setCurrentIndex(index);
  Q_EMIT list->activated(index);
  Find<QMenu>(window, "itemMenu")->hide();
}

// Adds the entry to "Menu Root" through the item menu action `placement`; returns the new node
// when it became the last one.
inline MenuNode* AddToMenuRoot(MainWindow& window, const char* displayName,
                               const char* placement = "addSubitemLastAction") {
  Find<MenuTreeView>(window, "menuTree")->SelectNode(window.tree().menuRoot());
  ChooseItemListEntry(window, displayName);
  Trigger(window, placement);
  return window.tree().menuRoot()->children().back().get();
}

}  // namespace menuforge::test
