#include "app/main_actions.h"

#include <QAction>
#include <QStyle>
#include <QWidget>

#include "app/core/command_hints.h"
#include "widgets/shown_text.h"

namespace menuforge {
namespace {

constexpr char kNewHint[] = "Create new mma_ucp from scratch";
constexpr char kOpenHint[] = "Open mma_ucp from file";
constexpr char kSaveHint[] = "Save mma_ucp to file";
constexpr char kOpenFromPhoneHint[] = "Open mma_ucp from phone";
constexpr char kSaveToPhoneHint[] = "Save mma_ucp to phone";
constexpr char kRestartPhoneHint[] = "Restart phone";

QString Text(const char* text) { return ShownText(text); }

QAction* MakeAction(QObject* owner, const char* name, const char* caption, const char* hint,
                    const QIcon& icon) {
  auto* action = new QAction(icon, Text(caption), owner);
  action->setObjectName(QString::fromLatin1(name));
  if (hint != nullptr) action->setToolTip(Text(hint));
  return action;
}

// While off, the tooltip says why after the command's own hint; on, it is the hint alone (or,
// without one, the command's text, which Qt shows when no tooltip is set).
void ExplainWhenOff(QAction* action, const char* hint, const char* offHint) {
  const QString on = hint ? Text(hint) : QString();
  const QString off = (hint ? on + QLatin1Char('\n') : QString()) + Text(offHint);
  const auto show = [action, on, off](bool enabled) { action->setToolTip(enabled ? on : off); };
  QObject::connect(action, &QAction::enabledChanged, action, show);
  show(action->isEnabled());
}

}  // namespace

MainActions::MainActions(QWidget& owner) {
  QStyle* look = owner.style();
  newMenu =
      MakeAction(&owner, "newAction", "&New", kNewHint, look->standardIcon(QStyle::SP_FileIcon));
  newMenu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  open = MakeAction(&owner, "openAction", "&Open", kOpenHint,
                    look->standardIcon(QStyle::SP_DialogOpenButton));
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  save = MakeAction(&owner, "saveAction", "&Save", kSaveHint,
                    look->standardIcon(QStyle::SP_DialogSaveButton));
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  saveAs = MakeAction(&owner, "saveAsAction", "Save &as...", nullptr, QIcon());
  saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  openFromPhone = MakeAction(&owner, "openFromPhoneAction", "Open from &phone", kOpenFromPhoneHint,
                             look->standardIcon(QStyle::SP_ArrowDown));
  saveToPhone = MakeAction(&owner, "saveToPhoneAction", "Save to p&hone", kSaveToPhoneHint,
                           look->standardIcon(QStyle::SP_ArrowUp));
  restartPhone = MakeAction(&owner, "restartPhoneAction", "&Restart Phone", kRestartPhoneHint,
                            look->standardIcon(QStyle::SP_BrowserReload));
  restoreBackup =
      MakeAction(&owner, "restoreBackupAction", "Restore phone backup\u2026", nullptr, QIcon());
  exit = MakeAction(&owner, "exitAction", "E&xit", nullptr, QIcon());
  exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  help = MakeAction(&owner, "helpAction", "Menuforge &help", nullptr,
                    look->standardIcon(QStyle::SP_DialogHelpButton));
  help->setShortcut(QKeySequence(Qt::Key_F1));
  setup = MakeAction(&owner, "setupAction", "Setup", nullptr, QIcon());
  about = MakeAction(&owner, "aboutAction", "&About...", nullptr, QIcon());

  for (QAction* action : {save, saveAs, openFromPhone, saveToPhone, restartPhone, restoreBackup})
    action->setEnabled(false);
  ExplainWhenOff(save, kSaveHint, kNeedsMenuHint);
  ExplainWhenOff(saveAs, nullptr, kNeedsMenuHint);
  ExplainWhenOff(openFromPhone, kOpenFromPhoneHint, kNeedsPhoneToOpenHint);
  ExplainWhenOff(saveToPhone, kSaveToPhoneHint, kNeedsPhoneAndMenuHint);
  ExplainWhenOff(restartPhone, kRestartPhoneHint, kNeedsPhoneToOpenHint);
  ExplainWhenOff(restoreBackup, nullptr, kNeedsPhoneToOpenHint);
}

}  // namespace menuforge
