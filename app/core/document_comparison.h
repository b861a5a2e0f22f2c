// The open menu compared with another one kept in memory, again after every change of the
// document that a comparison can see (an edit, undo or redo, the format options, a profile, New,
// Open). A comparison with the phone's menu cannot follow the phone: once the phone's copy is out
// of date it goes on following the open menu under that warning, and while no menu is open the
// last lines stay under a warning of their own.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "app/core/other_menu.h"
#include "document/menu_document.h"
#include "menu/menu_comparison.h"

namespace menuforge {

inline constexpr char kPhoneComparisonOutOfDate[] =
    "Out of date: the phone's menu may have changed since it was read";
inline constexpr char kNoMenuComparisonOutOfDate[] = "Out of date: no menu is open";

struct ShownComparison {
  MenuComparison comparison;
  // Why the lines may not hold, or nullptr while they do.
  const char* outOfDate = nullptr;
};

class DocumentComparison final : public DocumentObserver {
 public:
  // `shown` hears of every comparison made anew.
  DocumentComparison(MenuDocument& document, std::function<void()> shown);

  // Compares the open menu with `other` now and after every change; `fromPhone` when `other` is
  // the phone's menu as just read.
  void Start(std::unique_ptr<OtherMenu> other, bool fromPhone);
  // Nothing until a comparison started.
  const std::optional<ShownComparison>& shown() const { return shown_; }

 private:
  void Compare();
  void DocumentChanged(DocumentChange change) override;
  void DocumentGone() override { document_ = nullptr; }

  MenuDocument* document_;
  std::function<void()> tell_;
  std::unique_ptr<OtherMenu> other_;
  bool fromPhone_ = false;
  bool phoneChanged_ = false;
  std::optional<ShownComparison> shown_;
};

}  // namespace menuforge
