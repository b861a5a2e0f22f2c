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
// Followed by the entry's folder and place there, as "Games #2".
inline constexpr char kOnlyInOtherMenuText[] = "Only in the other menu, at ";

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
  // The chosen entry is only in the other menu: nothing in the tree stands for it, and the panel
  // says where it is instead.
  void EntryNotShown();

 private:
  void Choose(QListWidgetItem* item);

  // Where a line's entry is: in the tree, by path, or only in the other menu, by its words.
  struct LinePlace {
    std::optional<std::vector<std::size_t>> shown;
    QString elsewhere;
  };

  QLabel* heading_;
  QListWidget* list_;
  QLabel* where_;
  std::vector<LinePlace> places_;  // by row
};

}  // namespace menuforge
