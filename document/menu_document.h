// The open menu as one document: its tree, format options and state, the catalogue it is read
// and written against, the file it belongs to, the steps that can be taken back and whether it
// changed since it was last written. Only the document changes the menu, each change one step;
// every view of the menu looks at one document and hears of its changes through the observers it
// lists.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "catalog/menu_opening.h"
#include "document/current_menu.h"
#include "document/document_history.h"
#include "menu/format_options.h"
#include "menu/menu_tree.h"
#include "menu/mma_saver.h"

namespace menuforge {

class MenuDocument;

enum class DocumentChange {
  Contents,  // another menu, or none: New, Open, Close
  // An edit, undo or redo of the tree is complete; its parts were told as they happened, while
  // the records and data could still be half restored.
  Entries,
  Options,   // the format options changed
  Profile,   // a profile was applied: the available items and the options may differ
  File,      // the menu now belongs to another file (a save)
  Modified,  // the modified flag flipped
  History,   // what Undo and Redo would do changed
  // The phone's menu is no longer known to be the one last read from it (written, restored).
  PhoneCopyOutOfDate,
};

// Hears every change of shape of the tree, and the document's own changes. Each notice does
// nothing unless overridden.
class DocumentObserver : public TreeObserver {
 public:
  DocumentObserver() = default;
  DocumentObserver(const DocumentObserver&) = delete;
  DocumentObserver& operator=(const DocumentObserver&) = delete;

  virtual void DocumentChanged(DocumentChange) {}
  // The document is being destroyed; its tree must not be read from now on.
  virtual void DocumentGone() {}

  void AboutToInsert(MenuNode*, std::size_t) override {}
  void Inserted() override {}
  void AboutToRemove(MenuNode*) override {}
  void Removed() override {}
  void AboutToMove(MenuNode*, MenuNode*, std::size_t) override {}
  void Moved() override {}
  void AboutToReset() override {}
  void Reset() override {}
  void RecordChanged(MenuNode*) override {}

 protected:
  // Stops listening to the document it watches, should that still exist.
  ~DocumentObserver() override;

 private:
  friend class MenuDocument;
  MenuDocument* watched_ = nullptr;
};

class MenuDocument : private TreeObserver {
 public:
  // The catalogue reads and writes under `workingFolder`.
  explicit MenuDocument(std::filesystem::path workingFolder);
  ~MenuDocument() override;
  MenuDocument(const MenuDocument&) = delete;
  MenuDocument& operator=(const MenuDocument&) = delete;

  // An observer listens until it is removed or destroyed.
  void AddObserver(DocumentObserver& observer);
  void RemoveObserver(DocumentObserver& observer);

  const MenuTree& tree() const { return tree_; }
  const FormatOptions& options() const { return options_; }
  const FormatState& formatState() const { return formatState_; }
  Catalog& catalog() { return catalog_; }
  const Catalog& catalog() const { return catalog_; }
  const CurrentMenu& current() const { return current_; }
  // True while a menu is open, even an empty-looking new one.
  bool HasMenu() const { return !tree_.empty(); }
  // True once New, Open or Close has run, even when no menu came of it.
  bool begun() const { return begun_; }
  bool modified() const { return HasMenu() && !history_.clean(); }

  // Runs `edit` on the tree as one step named `step`; false when it changed nothing, which leaves
  // no step behind. The node to show is the edit's own business.
  bool Edit(const std::string& step, const std::function<void(MenuTree&)>& edit);
  // The format options as one step, when they differ.
  void SetOptions(const FormatOptions& options);
  // Applies a profile through `apply`, which may change the catalogue and the options; the
  // options it changed are one step.
  void ApplyProfile(const std::function<void(Catalog&, FormatOptions&)>& apply);
  // Take back and do again the last step; the node the step worked on, or nullptr.
  MenuNode* Undo();
  MenuNode* Redo();
  // The name of the step Undo or Redo would take, or nothing.
  std::optional<std::string> UndoName() const;
  std::optional<std::string> RedoName() const;
  // Where the steps stand, for writes that finish after later edits (Save to phone).
  DocumentHistory::Position position() const { return history_.position(); }

  // A fresh menu: the soft keys and an empty main menu, named "untitled".
  void New();
  // No menu at all.
  void Close();
  // Loads the file against the catalogue; the menu then belongs to it. A file that cannot be
  // loaded leaves everything as it was; the result says why, and what to tell the user anyway.
  [[nodiscard]] OpenResult Open(const std::filesystem::path& path);
  // Builds a menu aside through `read`, which gets an empty tree and copies of the catalogue,
  // options and format state, and false when it fails; the menu then belongs to `menu`. A failed
  // read, or one that throws, leaves everything as it was.
  using MenuReader = std::function<bool(MenuTree&, Catalog&, FormatOptions&, FormatState&)>;
  bool TakeIn(const MenuReader& read, CurrentMenu menu);
  // As Open, for the phone's menu fetched into `path`; the menu then belongs to the phone.
  [[nodiscard]] OpenResult OpenPhoneCopy(const std::filesystem::path& path);
  // Writes the menu to `path`, which it then belongs to, unmodified, in the format it was saved in.
  [[nodiscard]] SaveResult Save(const std::filesystem::path& path);
  // The items of the menu that the catalogue's profile does not know, as a save would refuse them.
  std::vector<std::string> ItemsOutsideProfile() const;
  // Writes the menu to `path` and leaves the document as it was (the copy that goes to a phone).
  [[nodiscard]] SaveResult SaveCopy(const std::filesystem::path& path);
  // As SaveCopy, but a refusal says only what the saver says, without the items it names.
  [[nodiscard]] SaveResult WriteCopy(const std::filesystem::path& path);
  // The bytes a save would write, in `out`.
  [[nodiscard]] SaveResult Encode(Bytes& out);
  // The copy made at `position` went to the phone: that is what was last written, and a menu that
  // belongs to the phone now has the format saved in.
  void WrittenToPhone(DocumentHistory::Position position);
  // The phone's menu changed behind the document (a backup restored): a menu that belongs to the
  // phone is modified until it is written again.
  void PhoneMenuReplaced();
  // The phone's menu may no longer be the one last read from it (the phone went away).
  void PhoneMenuUnknown();

 private:
  [[nodiscard]] OpenResult Load(const std::filesystem::path& path, CurrentMenu menu);
  void Start(CurrentMenu menu);
  // Tells of a change, then of the modified flag and the history when they changed with it.
  void Changed(DocumentChange change, bool wasModified);
  MenuNode* TakeStep(const DocumentStep& step, bool forward, bool wasModified);
  void Notify(DocumentChange change);
  template <typename Notice>
  void Tell(Notice notice);

  void AboutToInsert(MenuNode* parent, std::size_t index) override;
  void Inserted() override;
  void AboutToRemove(MenuNode* node) override;
  void Removed() override;
  void AboutToMove(MenuNode* node, MenuNode* newParent, std::size_t newIndex) override;
  void Moved() override;
  void AboutToReset() override;
  void Reset() override;
  void RecordChanged(MenuNode* node) override;

  Catalog catalog_;
  MenuTree tree_;
  FormatOptions options_;
  FormatState formatState_;
  CurrentMenu current_;
  DocumentHistory history_;
  // Hears the tree while an edit runs.
  std::unique_ptr<TreeEditRecorder> recorder_;
  bool begun_ = false;
  std::vector<DocumentObserver*> observers_;
};

}  // namespace menuforge
