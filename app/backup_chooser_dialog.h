// The chooser of a phone backup, titled for what the choice is for ("Restore phone backup",
// "Compare with phone backup"): the kept safety copies listed with their phone, IMEI and time in
// full, newest first, and a way to pick a copy kept anywhere else.
#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "app/core/backup_rows.h"

class QTreeWidget;

namespace menuforge {

// Asks for a backup file outside the list; nothing when cancelled.
using OtherBackupChooser = std::function<std::optional<std::filesystem::path>()>;

class BackupChooserDialog : public QDialog {
  Q_OBJECT

 public:
  BackupChooserDialog(const char* title, const std::vector<PhoneBackup>& backups,
                      const std::vector<BackupRow>& rows, OtherBackupChooser other,
                      QWidget* parent = nullptr);

  // The copy chosen, once the dialog was accepted.
  const std::optional<std::filesystem::path>& chosen() const { return chosen_; }

 private:
  void ChooseOther();
  void accept() override;

  std::vector<PhoneBackup> backups_;
  OtherBackupChooser other_;
  QTreeWidget* list_ = nullptr;
  std::optional<std::filesystem::path> chosen_;
};

}  // namespace menuforge
