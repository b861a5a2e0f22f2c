// The steps that can be taken back and done again, and the one the document stood at when it was
// last written to a file or the phone: the document is modified exactly when it stands elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "menu/format_options.h"
#include "menu/tree_edit.h"

namespace menuforge {

// One change of the menu: its tree, its format options, or both.
struct DocumentStep {
  std::string name;  // what Undo and Redo name, as "Delete item"
  std::optional<TreeEdit> treeEdit;
  FormatOptions optionsBefore;
  FormatOptions optionsAfter;
};

class DocumentHistory {
 public:
  // Where the document stands: one value for each state the steps lead to.
  using Position = std::uint64_t;

  // Drops the steps taken back, and the oldest one beyond the limit.
  void Push(DocumentStep step);
  // Nothing to take back or do again; clean where it stands.
  void Clear();
  const DocumentStep* ToUndo() const;
  const DocumentStep* ToRedo() const;
  void StepBack();
  void StepForward();

  Position position() const;
  // The menu as it stands at `position` is what was written; a position that can no longer be
  // reached leaves the document modified until it is written again.
  void WrittenAt(Position position) { written_ = position; }
  // What was written matches no state any step leads to.
  void WrittenElsewhere() { written_ = kNowhere; }
  bool clean() const { return written_ == position(); }

 private:
  struct Entry {
    DocumentStep step;
    Position after;
  };
  static constexpr Position kNowhere = 0;

  std::vector<Entry> entries_;
  std::size_t done_ = 0;  // the steps done, from the front
  Position start_ = 1;    // before the first step kept
  Position next_ = 2;
  Position written_ = 1;
};

}  // namespace menuforge
