// Keeps the comparison panel in step with the menu document: the other menu stays in memory, so
// every edit, undo, New and Open compares again as soon as it is complete (an edit tells of its
// parts, and may change a folder's record after the last notice). A comparison with the phone's
// menu cannot follow the phone: once the phone goes away or is written to, and while no menu is
// open, the panel says the comparison is out of date.
#pragma once

#include <QTimer>
#include <memory>

#include "app/compare_panel.h"
#include "app/core/menu_document.h"
#include "app/core/other_menu.h"

namespace menuforge {

class ComparisonDocumentLink final : public DocumentObserver {
 public:
  ComparisonDocumentLink(MenuDocument& document, ComparePanel& panel);

  // Compares the open menu with `other` now and after every change; `fromPhone` when `other` is
  // the phone's menu as just read.
  void Start(std::unique_ptr<OtherMenu> other, bool fromPhone);
  // The phone's menu is no longer known to be the one compared with.
  void PhoneMenuChanged();
  // Compares once the event loop turns: after the format options changed, which the tree does
  // not tell of, and after every notice of the document.
  void CompareSoon();

 private:
  void Compare();
  void DocumentChanged(DocumentChange change) override;
  void DocumentGone() override { document_ = nullptr; }
  void Inserted() override { CompareSoon(); }
  void Removed() override { CompareSoon(); }
  void Moved() override { CompareSoon(); }
  void Reset() override { CompareSoon(); }
  void RecordChanged(MenuNode*) override { CompareSoon(); }

  MenuDocument* document_;
  ComparePanel& panel_;
  std::unique_ptr<OtherMenu> other_;
  bool fromPhone_ = false;
  bool phoneChanged_ = false;
  QTimer soon_;
};

}  // namespace menuforge
