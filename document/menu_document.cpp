#include "document/menu_document.h"

#include <algorithm>

#include "document/profile_mismatch.h"
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

namespace {

constexpr char kOptionsStep[] = "Change format options";
constexpr char kProfileStep[] = "Apply profile";

}  // namespace

bool MenuDocument::Edit(const std::string& step, const std::function<void(MenuTree&)>& edit) {
  // An edit within an edit (the item editor adding an entry) belongs to the outer step.
  if (recorder_) {
    edit(tree_);
    return true;
  }
  const bool wasModified = modified();
  recorder_ = std::make_unique<TreeEditRecorder>(tree_);
  // An edit that throws must not leave the recorder behind to swallow the next one.
  struct StopRecording {
    std::unique_ptr<TreeEditRecorder>& recorder;
    ~StopRecording() { recorder.reset(); }
  } stop{recorder_};
  edit(tree_);
  std::optional<TreeEdit> done = recorder_->Finish();
  recorder_.reset();
  if (!done) return false;
  history_.Push({step, std::move(done), options_, options_});
  Changed(DocumentChange::Entries, wasModified);
  return true;
}

void MenuDocument::SetOptions(const FormatOptions& options) {
  if (options == options_) return;
  const bool wasModified = modified();
  history_.Push({kOptionsStep, std::nullopt, options_, options});
  options_ = options;
  Changed(DocumentChange::Options, wasModified);
}

void MenuDocument::ApplyProfile(const std::function<void(Catalog&, FormatOptions&)>& apply) {
  const bool wasModified = modified();
  FormatOptions options = options_;
  apply(catalog_, options);
  // The profile chosen is the target phone's, not part of the menu: a step takes back the
  // options it set, while the items it makes available stay.
  if (options != options_) {
    history_.Push({kProfileStep, std::nullopt, options_, options});
    options_ = options;
  }
  Changed(DocumentChange::Profile, wasModified);
}

MenuNode* MenuDocument::Undo() {
  const DocumentStep* step = history_.ToUndo();
  if (!step) return nullptr;
  const bool wasModified = modified();
  history_.StepBack();
  return TakeStep(*step, false, wasModified);
}

MenuNode* MenuDocument::Redo() {
  const DocumentStep* step = history_.ToRedo();
  if (!step) return nullptr;
  const bool wasModified = modified();
  history_.StepForward();
  return TakeStep(*step, true, wasModified);
}

MenuNode* MenuDocument::TakeStep(const DocumentStep& step, bool forward, bool wasModified) {
  MenuNode* shown = nullptr;
  if (step.treeEdit)
    shown = forward ? RedoTreeEdit(tree_, *step.treeEdit) : UndoTreeEdit(tree_, *step.treeEdit);
  // A step changes the tree or the options, never both.
  options_ = forward ? step.optionsAfter : step.optionsBefore;
  Changed(step.treeEdit ? DocumentChange::Entries : DocumentChange::Options, wasModified);
  return shown;
}

std::optional<std::string> MenuDocument::UndoName() const {
  if (const DocumentStep* step = history_.ToUndo()) return step->name;
  return std::nullopt;
}

std::optional<std::string> MenuDocument::RedoName() const {
  if (const DocumentStep* step = history_.ToRedo()) return step->name;
  return std::nullopt;
}

void MenuDocument::Changed(DocumentChange change, bool wasModified) {
  Notify(change);
  if (modified() != wasModified) Notify(DocumentChange::Modified);
  Notify(DocumentChange::History);
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
  OpenResult result;
  TakeIn(
      [&](MenuTree& tree, Catalog& catalog, FormatOptions& options, FormatState& state) {
        result = OpenMenuFile(path, tree, catalog, options, state);
        return result.loaded();
      },
      std::move(menu));
  return result;
}

bool MenuDocument::TakeIn(const MenuReader& read, CurrentMenu menu) {
  // Loaded aside and swapped in only once it loaded, so that a file that cannot be opened leaves
  // the menu, its catalogue and its format as they were.
  MenuTree loaded;
  loaded.customItemCounter = tree_.customItemCounter;
  Catalog catalog = catalog_;
  FormatOptions options = options_;
  FormatState state = formatState_;
  if (!read(loaded, catalog, options, state)) return false;
  catalog_ = std::move(catalog);
  options_ = options;
  formatState_ = state;
  tree_.TakeContentOf(loaded);
  Start(std::move(menu));
  return true;
}

SaveResult MenuDocument::Save(const std::filesystem::path& path) {
  SaveResult result = SaveCopy(path);
  if (!result) return result;
  const bool wasModified = modified();
  current_ = CurrentMenu(CurrentMenu::Source::File, path);
  // The file now holds the records of the size it was saved in, whatever it was loaded from.
  formatState_.recordSize = RecordBytes(options_.saveMode);
  history_.WrittenAt(history_.position());
  Notify(DocumentChange::File);
  if (wasModified) Notify(DocumentChange::Modified);
  return result;
}

SaveResult MenuDocument::WriteCopy(const std::filesystem::path& path) {
  return SaveMenuFile(path, tree_, options_, catalog_.availableItems());
}

SaveResult MenuDocument::Encode(Bytes& out) {
  return EncodeMenuFile(tree_, options_, catalog_.availableItems(), out);
}

SaveResult MenuDocument::SaveCopy(const std::filesystem::path& path) {
  SaveResult result = WriteCopy(path);
  if (!result.refused()) return result;
  Message refusal = result.error();
  refusal.text = ProfileMismatchText(ItemsOutsideProfile());
  return SaveResult(std::move(refusal), SaveStatus::Refused);
}

void MenuDocument::WrittenToPhone(DocumentHistory::Position position) {
  const bool wasModified = modified();
  if (current_.source() == CurrentMenu::Source::Phone)
    formatState_.recordSize = RecordBytes(options_.saveMode);
  // Edits made while the copy travelled are not on the phone.
  history_.WrittenAt(position);
  Notify(DocumentChange::PhoneCopyOutOfDate);
  if (modified() != wasModified) Notify(DocumentChange::Modified);
}

void MenuDocument::PhoneMenuReplaced() {
  const bool wasModified = modified();
  if (current_.source() == CurrentMenu::Source::Phone) history_.WrittenElsewhere();
  Notify(DocumentChange::PhoneCopyOutOfDate);
  if (modified() != wasModified) Notify(DocumentChange::Modified);
}

void MenuDocument::PhoneMenuUnknown() { Notify(DocumentChange::PhoneCopyOutOfDate); }

std::vector<std::string> MenuDocument::ItemsOutsideProfile() const {
  return ItemsOutsideTable(tree_, catalog_.availableItems());
}

void MenuDocument::Start(CurrentMenu menu) {
  current_ = std::move(menu);
  history_.Clear();
  begun_ = true;
  Notify(DocumentChange::Contents);
  Notify(DocumentChange::History);
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
  if (recorder_) recorder_->AboutToInsert(parent, index);
  Tell([&](DocumentObserver& observer) { observer.AboutToInsert(parent, index); });
}

void MenuDocument::Inserted() {
  if (recorder_) recorder_->Inserted();
  Tell([](DocumentObserver& observer) { observer.Inserted(); });
}

void MenuDocument::AboutToRemove(MenuNode* node) {
  if (recorder_) recorder_->AboutToRemove(node);
  Tell([&](DocumentObserver& observer) { observer.AboutToRemove(node); });
}

void MenuDocument::Removed() {
  Tell([](DocumentObserver& observer) { observer.Removed(); });
}

void MenuDocument::AboutToMove(MenuNode* node, MenuNode* newParent, std::size_t newIndex) {
  if (recorder_) recorder_->AboutToMove(node, newParent, newIndex);
  Tell([&](DocumentObserver& observer) { observer.AboutToMove(node, newParent, newIndex); });
}

void MenuDocument::Moved() {
  if (recorder_) recorder_->Moved();
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
