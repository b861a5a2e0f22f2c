// The "Settings" window: edits a pending copy of the settings and stores it on OK.
#pragma once

#include <QDialog>
#include <filesystem>

#include "app/core/settings_editor.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QVBoxLayout;

namespace menuforge {

class SettingsDialog : public QDialog {
  Q_OBJECT

 public:
  // `settings` are the run's settings; OK updates them and writes them to `settingsPath`, unless
  // it is empty.
  SettingsDialog(Settings& settings, std::filesystem::path settingsPath, bool phoneConnected,
                 QWidget* parent = nullptr);

 public Q_SLOTS:
  // The SEEM buttons work only while a phone is connected.
  void SetPhoneConnected(bool connected);

 Q_SIGNALS:
  void backupRequested();
  void restoreRequested();

 private:
  QComboBox* AddLanguageChoice(QVBoxLayout* layout);
  void ShowPending();
  void Confirm();

  Settings& settings_;
  std::filesystem::path settingsPath_;
  SettingsEditor editor_;

  QPushButton* backupButton_;
  QPushButton* restoreButton_;
  QCheckBox* loggingBox_;
  QCheckBox* systemAttributeBox_;
  QCheckBox* readJ2mestBox_;
  QCheckBox* fromPhoneBox_;
  QCheckBox* fromCardBox_;
  QCheckBox* patchJ2mestBox_;
  QCheckBox* showPhoneChangesBox_;
  QComboBox* languageBox_;
};

}  // namespace menuforge
