// "DRM Icon Picker": browses the entries of the current DRM binary by number, with a preview of
// each, and hands the chosen number to the item editor.
#pragma once

#include <QDialog>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "base/user_messages.h"
#include "editor/core/current_drm_binary.h"

class QBuffer;
class QCheckBox;
class QLabel;
class QLineEdit;

namespace menuforge {

// Asks the user for a DRM binary ("Select a DRM binary"); nothing when cancelled.
using DrmBinaryChooser = std::function<std::optional<std::filesystem::path>()>;

class DrmPickerDialog : public QDialog {
  Q_OBJECT

 public:
  // `binary` is loaded; "Load new..." replaces it for the rest of the run.
  DrmPickerDialog(CurrentDrmBinary& binary, DrmBinaryChooser choose, UserDialogs& dialogs,
                  QWidget* parent = nullptr);

  // The number in the field, nothing when the field is empty.
  std::optional<std::uint16_t> number() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* CreateNumberRow();
  QWidget* CreateOptions();
  QWidget* CreateButtons();
  void ShowBinary();
  void ShowNumber(std::uint16_t number);
  void ShowPicture(const QByteArray& gif);
  void Step(bool up);
  void TypeDigit(QChar digit);
  void LoadNew();
  void ChooseScreenSize(int index);
  void SetCentered(bool centered);

  CurrentDrmBinary& binary_;
  DrmBinaryChooser choose_;
  UserDialogs& dialogs_;
  std::uint16_t position_ = 1;
  std::uint16_t maximum_ = 0;

  QLineEdit* field_ = nullptr;
  QLabel* sizeLabel_ = nullptr;
  QLabel* preview_ = nullptr;
  QCheckBox* centered_ = nullptr;
  // Holds the shown GIF and, as its child, the movie that plays it.
  QBuffer* gif_ = nullptr;
};

}  // namespace menuforge
