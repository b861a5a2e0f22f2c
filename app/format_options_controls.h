// The "MMA save mode" and "Custom icon attribute" groups: each click is one step of the document,
// and the controls show the options whenever the document says they, the profile or the menu
// changed.
#pragma once

#include <QObject>
#include <functional>

#include "document/menu_document.h"
#include "menu/format_options.h"

class QCheckBox;
class QGroupBox;
class QRadioButton;

namespace menuforge {

class FormatOptionsControls final : public QObject, private DocumentObserver {
  Q_OBJECT

 public:
  FormatOptionsControls(MenuDocument& document, QObject* parent);

  // Placed by the window, which takes them over.
  QGroupBox* saveModeGroup() const { return saveModeGroup_; }
  QGroupBox* iconAttributeGroup() const { return iconAttributeGroup_; }

  void Show();

 private:
  void DocumentChanged(DocumentChange change) override;
  void DocumentGone() override { document_ = nullptr; }
  void Change(const std::function<void(FormatOptions&)>& change);
  void Connect();

  MenuDocument* document_;
  QGroupBox* saveModeGroup_;
  QRadioButton* saveMode22_;
  QRadioButton* saveMode36_;
  QCheckBox* saveAllData_;
  QCheckBox* c698pFix_;
  QGroupBox* iconAttributeGroup_;
  QRadioButton* iconAttribute06_;
  QRadioButton* iconAttribute0C_;
};

}  // namespace menuforge
