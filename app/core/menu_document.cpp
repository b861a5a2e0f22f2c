#include "app/core/menu_document.h"

#include <algorithm>

#include "app/core/profile_mismatch.h"
#include "menu/tree_operations.h"

namespace menuforge {

DocumentObserver::~DocumentObserver() {
  if (watched_) watched_->RemoveObserver(*this);
}

MenuDocument::MenuDocument(std::filesystem::path workingFolder)
    : catalog_(std::move(workingFolder)) {
  tree_.SetObserver(this);
}

MenuDocument::~MenuDocument() {
  // Views may outlive the document (Qt deletes a window's widgets after its members).
  for (DocumentObserver* observer : observers_) {
    observer->watched_ = nullptr;
    observer->DocumentGone();
  }
  tree_.SetObserver(nullptr);
}

void MenuDocument::AddObserver(DocumentObserver& observer) {
  if (observer.watched_) observer.watched_->RemoveObserver(observer);
  observer.watched_ = this;
  observers_.push_back(&observer);
}

void MenuDocument::RemoveObserver(DocumentObserver& observer) {
  std::erase(observers_, &observer);
  if (observer.watched_ == this) observer.watched_ = nullptr;
}

void MenuDocument::SetModified(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  Notify(DocumentChange::Modified);
}

void MenuDocument::New() {
  EmptyTree(tree_);
  BuildSkeleton(tree_);
  Start(CurrentMenu(CurrentMenu::Source::New));
}

void MenuDocument::Close() {
  EmptyTree(tree_);
  Start(CurrentMenu());
}

OpenResult MenuDocument::Open(const std::filesystem::path& path) {
  return Load(path, CurrentMenu(CurrentMenu::Source::File, path));
}

OpenResult MenuDocument::OpenPhoneCopy(const std::filesystem::path& path) {
  return Load(path, CurrentMenu(CurrentMenu::Source::Phone));
}

OpenResult MenuDocument::Load(const std::filesystem::path& path, CurrentMenu menu) {
  // Loaded aside and swapped in only once it loaded, so that a file that cannot be opened leaves
  // the menu, its catalogue and its format as they were.
  MenuTree loaded;
  loaded.customItemCounter = tree_.customItemCounter;
  Catalog catalog = catalog_;
  FormatOptions options = options_;
  FormatState state = formatState_;
  OpenResult result = OpenMenuFile(path, loaded, catalog, options, state);
  if (!result.loaded()) return result;
  catalog_ = std::move(catalog);
  options_ = options;
  formatState_ = state;
  tree_.TakeContentOf(loaded);
  Start(std::move(menu));
  return result;
}

SaveResult MenuDocument::Save(const std::filesystem::path& path) {
  SaveResult result = SaveCopy(path);
  if (!result) return result;
  current_ = CurrentMenu(CurrentMenu::Source::File, path);
  // The file now holds the records of the size it was saved in, whatever it was loaded from.
  formatState_.recordSize = RecordBytes(options_.saveMode);
  Notify(DocumentChange::File);
  SetModified(false);
  return result;
}

SaveResult MenuDocument::SaveCopy(const std::filesystem::path& path) {
  SaveResult result = SaveMenuFile(path, tree_, options_, catalog_.availableItems());
  if (!result.refused()) return result;
  Message refusal = result.error();
  refusal.text = ProfileMismatchText(ItemsOutsideProfile());
  return SaveResult(std::move(refusal), SaveStatus::Refused);
}

void MenuDocument::WrittenToPhone() {
  if (current_.source() == CurrentMenu::Source::Phone)
    formatState_.recordSize = RecordBytes(options_.saveMode);
}

std::vector<std::string> MenuDocument::ItemsOutsideProfile() const {
  return ItemsOutsideTable(tree_, catalog_.availableItems());
}

void MenuDocument::Start(CurrentMenu menu) {
  current_ = std::move(menu);
  modified_ = false;
  begun_ = true;
  Notify(DocumentChange::Contents);
}

template <typename Notice>
void MenuDocument::Tell(Notice notice) {
  // An observer may add or remove observers while it hears a notice.
  const std::vector<DocumentObserver*> listening = observers_;
  for (DocumentObserver* observer : listening)
    if (std::find(observers_.begin(), observers_.end(), observer) != observers_.end())
      notice(*observer);
}

void MenuDocument::Notify(DocumentChange change) {
  Tell([change](DocumentObserver& observer) { observer.DocumentChanged(change); });
}

void MenuDocument::AboutToInsert(MenuNode* parent, std::size_t index) {
  Tell([&](DocumentObserver& observer) { observer.AboutToInsert(parent, index); });
}

void MenuDocument::Inserted() {
  Tell([](DocumentObserver& observer) { observer.Inserted(); });
}

void MenuDocument::AboutToRemove(MenuNode* node) {
  Tell([&](DocumentObserver& observer) { observer.AboutToRemove(node); });
}

void MenuDocument::Removed() {
  Tell([](DocumentObserver& observer) { observer.Removed(); });
}

void MenuDocument::AboutToMove(MenuNode* node, MenuNode* newParent, std::size_t newIndex) {
  Tell([&](DocumentObserver& observer) { observer.AboutToMove(node, newParent, newIndex); });
}

void MenuDocument::Moved() {
  Tell([](DocumentObserver& observer) { observer.Moved(); });
}

void MenuDocument::AboutToReset() {
  Tell([](DocumentObserver& observer) { observer.AboutToReset(); });
}

void MenuDocument::Reset() {
  Tell([](DocumentObserver& observer) { observer.Reset(); });
}

void MenuDocument::RecordChanged(MenuNode* node) {
  Tell([&](DocumentObserver& observer) { observer.RecordChanged(node); });
}

}  // namespace menuforge
