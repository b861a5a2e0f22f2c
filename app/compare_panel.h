// The side panel that lists what differs between two menus, one line per fact as the command
// line prints them; clicking a line asks for its entry to be selected in the tree.
#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "menu/menu_comparison.h"

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace menuforge {

inline constexpr char kSameMenusText[] = "The menus are the same";
inline constexpr char kFormatOnlyHeading[] = "Same entries, record format differs";

class ComparePanel : public QWidget {
  Q_OBJECT

 public:
  // Which of the two compared menus the window's tree holds.
  enum class ShownMenu { First, Second };

  explicit ComparePanel(QWidget* parent = nullptr);

  void ShowComparison(const MenuComparison& comparison, ShownMenu shown);
  // Keeps the lines, greyed, under `reason` as the heading; they lead nowhere any more.
  void ShowOutOfDate(const char* reason);

 Q_SIGNALS:
  // The place of the chosen entry in the menu the tree holds; an entry that is not there (one
  // removed, when the tree holds the second menu) and the format lines choose nothing.
  void EntryChosen(const std::vector<std::size_t>& path);

 private:
  void Choose(QListWidgetItem* item);

  QLabel* heading_;
  QListWidget* list_;
  std::vector<std::optional<std::vector<std::size_t>>> places_;  // by row
};

}  // namespace menuforge
