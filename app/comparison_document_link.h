// Shows the document's comparison in the comparison panel whenever it is made anew.
#pragma once

#include <memory>

#include "app/compare_panel.h"
#include "app/core/document_comparison.h"

namespace menuforge {

class ComparisonDocumentLink {
 public:
  ComparisonDocumentLink(MenuDocument& document, ComparePanel& panel);

  // Compares the open menu with `other` now and after every change; `fromPhone` when `other` is
  // the phone's menu as just read.
  void Start(std::unique_ptr<OtherMenu> other, bool fromPhone) {
    comparison_.Start(std::move(other), fromPhone);
  }

 private:
  void Show();

  ComparePanel& panel_;
  DocumentComparison comparison_;
};

}  // namespace menuforge
