// The panels of the window's status bar: the menu's format, the phone, its IMEI and the
// connection lamp.
#pragma once

#include <string>

class QFrame;
class QLabel;
class QStatusBar;

namespace menuforge {

class PhoneSession;

class StatusPanels {
 public:
  // Into `bar`, whose font shrinks until the longest format text fits its panel.
  explicit StatusPanels(QStatusBar& bar);

  int imeiWidth() const;
  void ShowFormat(const std::string& text);
  // The connected phone, or none.
  void ShowPhone(const PhoneSession* session);
  void ShowConnection(bool connected);

 private:
  QLabel* format_;
  QLabel* phone_;
  QLabel* imei_;
  QFrame* lamp_;
};

}  // namespace menuforge
