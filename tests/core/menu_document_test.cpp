#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/core/command_states.h"
#include "document/menu_document.h"
#include "menu_test_items.h"
#include "support/test_support.h"

namespace menuforge::test {
namespace {

class Listener : public DocumentObserver {
 public:
  std::vector<DocumentChange> changes;
  int inserts = 0;
  bool gone = false;

  void DocumentChanged(DocumentChange change) override { changes.push_back(change); }
  void Inserted() override { ++inserts; }
  void DocumentGone() override { gone = true; }
};

// A working folder with the built-in item base, a menu file and a file that is no menu.
struct Folder {
  Folder() {
    MenuTree tree = NewMenu();
    AddLast(tree, *tree.menuRoot(), "Games");
    Catalog catalog(folder.path());
    EXPECT_TRUE(catalog.LoadItemBase().ok());
    EXPECT_EQ(SaveMenuFile(menuFile, tree, {}, catalog.itemBase()).status(), SaveStatus::Saved);
    WriteFileText(brokenFile, "not a menu");
  }
  TempFolder folder;
  std::filesystem::path menuFile = folder / "mma_ucp";
  std::filesystem::path brokenFile = folder / "broken";
  std::filesystem::path savedFile = folder / "saved";
};

using Step = std::function<void(MenuDocument&, const Folder&, RecordingDialogs&)>;

struct DocumentCase {
  const char* name;
  Step before;  // not listened to
  Step step;
  std::string shownName;
  bool hasMenu;
  bool modified;
  std::vector<DocumentChange> changes;
  std::size_t entries;
};

const Step kNothing = [](MenuDocument&, const Folder&, RecordingDialogs&) {};
const Step kNew = [](MenuDocument& document, const Folder&, RecordingDialogs&) { document.New(); };
const Step kNewModified = [](MenuDocument& document, const Folder&, RecordingDialogs&) {
  document.New();
  document.Edit("Add item", [](MenuTree& tree) { AddLast(tree, *tree.menuRoot(), "Games"); });
};

void Choose22(MenuDocument& document) {
  FormatOptions options = document.options();
  options.SelectSaveMode(RecordSize::k22);
  document.SetOptions(options);
}

TEST(MenuDocument, NewOpenSaveAndCloseTellEveryListener) {
  using enum DocumentChange;
  const std::vector<DocumentCase> cases = {
      {"new", kNothing, kNew, "untitled", true, false, {Contents, History}, 0},
      {"open",
       kNewModified,
       [](MenuDocument& d, const Folder& f, RecordingDialogs&) {
         EXPECT_TRUE(d.Open(f.menuFile).loaded());
       },
       "mma_ucp",
       true,
       false,
       {Contents, History},
       1},
      {"open from the phone",
       kNothing,
       [](MenuDocument& d, const Folder& f, RecordingDialogs&) {
         EXPECT_TRUE(d.OpenPhoneCopy(f.menuFile).loaded());
       },
       "phone",
       true,
       false,
       {Contents, History},
       1},
      {"a failed open leaves the menu",
       kNewModified,
       [](MenuDocument& d, const Folder& f, RecordingDialogs&) {
         const OpenResult result = d.Open(f.brokenFile);
         EXPECT_FALSE(result.loaded());
         EXPECT_FALSE(result.status.errorText().empty());
       },
       "untitled",
       true,
       true,
       {},
       1},
      {"save",
       kNewModified,
       [](MenuDocument& d, const Folder& f, RecordingDialogs&) {
         EXPECT_EQ(d.Save(f.savedFile).status(), SaveStatus::Saved);
         EXPECT_TRUE(std::filesystem::exists(f.savedFile));
       },
       "saved",
       true,
       false,
       {File, Modified},
       1},
      {"save as 22-byte: the status shows the format saved in",
       [](MenuDocument& d, const Folder& f, RecordingDialogs&) {
         EXPECT_TRUE(d.Open(f.menuFile).loaded());
         EXPECT_EQ(d.formatState().recordSize, 36);
         Choose22(d);
       },
       [](MenuDocument& d, const Folder& f, RecordingDialogs&) {
         EXPECT_EQ(d.SaveCopy(f.savedFile).status(), SaveStatus::Saved);
         EXPECT_EQ(d.formatState().recordSize, 36);
         EXPECT_EQ(d.Save(f.savedFile).status(), SaveStatus::Saved);
         EXPECT_EQ(d.formatState().recordSize, 22);
       },
       "saved",
       true,
       false,
       {File, Modified},
       1},
      {"a copy written to the phone it came from",
       [](MenuDocument& d, const Folder& f, RecordingDialogs&) {
         EXPECT_TRUE(d.OpenPhoneCopy(f.menuFile).loaded());
         Choose22(d);
       },
       [](MenuDocument& d, const Folder& f, RecordingDialogs&) {
         EXPECT_EQ(d.SaveCopy(f.savedFile).status(), SaveStatus::Saved);
         d.WrittenToPhone(d.position());
         EXPECT_EQ(d.formatState().recordSize, 22);
       },
       "phone",
       true,
       false,
       {PhoneCopyOutOfDate, Modified},
       1},
      {"a copy for the phone",
       kNewModified,
       [](MenuDocument& d, const Folder& f, RecordingDialogs&) {
         EXPECT_EQ(d.SaveCopy(f.savedFile).status(), SaveStatus::Saved);
       },
       "untitled",
       true,
       true,
       {},
       1},
      {"a failed save",
       kNewModified,
       [](MenuDocument& d, const Folder& f, RecordingDialogs&) {
         EXPECT_EQ(d.Save(f.folder / "none" / "x").status(), SaveStatus::Failed);
       },
       "untitled",
       true,
       true,
       {},
       1},
      {"close",
       kNewModified,
       [](MenuDocument& d, const Folder&, RecordingDialogs&) { d.Close(); },
       "untitled",
       false,
       false,
       {Contents, History},
       0},
      {"an edit that changes nothing leaves no step",
       kNewModified,
       [](MenuDocument& d, const Folder&, RecordingDialogs&) {
         EXPECT_FALSE(d.Edit("Move item", [](MenuTree& tree) {
           MoveUp(tree, *tree.menuRoot()->children().front());
         }));
       },
       "untitled",
       true,
       true,
       {},
       1},
  };
  for (const DocumentCase& c : cases) {
    SCOPED_TRACE(c.name);
    Folder folder;
    RecordingDialogs dialogs;
    MenuDocument document(folder.folder.path());
    ASSERT_TRUE(document.catalog().LoadItemBase().ok());
    c.before(document, folder, dialogs);
    Listener first, second;
    document.AddObserver(first);
    document.AddObserver(second);
    c.step(document, folder, dialogs);
    EXPECT_EQ(document.current().Name(), c.shownName);
    EXPECT_EQ(document.HasMenu(), c.hasMenu);
    EXPECT_EQ(document.modified(), c.modified);
    EXPECT_EQ(first.changes, c.changes);
    EXPECT_EQ(second.changes, c.changes);
    EXPECT_EQ(document.tree().EntryCount(), c.entries);
  }
}

TEST(MenuDocument, ListenersHearTheTreeAndOutliveTheDocumentSafely) {
  auto document = std::make_unique<MenuDocument>(".");
  Listener kept;
  document->AddObserver(kept);
  {
    Listener leaving;
    document->AddObserver(leaving);
  }
  document->New();
  document->Edit("Add item", [](MenuTree& tree) { AddLast(tree, *tree.menuRoot(), "Games"); });
  EXPECT_EQ(kept.inserts, 10);  // the nine fixed nodes, then the entry
  document.reset();
  EXPECT_TRUE(kept.gone);
}

// What the user sees of the history after each run of steps: the title's modified mark and what
// Undo and Redo name.
TEST(MenuDocument, IsModifiedExactlyWhereItDiffersFromWhatWasLastWritten) {
  struct Row {
    std::vector<std::string> steps;
    bool modified;
    std::optional<std::string> undo, redo;
  };
  const std::optional<std::string> none;
  const std::vector<Row> rows = {
      {{}, false, none, none},
      {{"add"}, true, "Add item", none},
      {{"add", "undo"}, false, none, "Add item"},
      {{"add", "undo", "redo"}, true, "Add item", none},
      {{"add", "save"}, false, "Add item", none},
      {{"add", "save", "undo"}, true, none, "Add item"},
      {{"add", "save", "undo", "redo"}, false, "Add item", none},
      {{"add", "save", "undo", "22"}, true, "Change format options", none},
      {{"22", "undo"}, false, none, "Change format options"},
      {{"profile"}, true, "Apply profile", none},
      {{"phone", "add"}, true, "Add item", none},
      {{"phone", "add", "undo"}, false, none, "Add item"},
      {{"add", "phone"}, false, "Add item", none},
      {{"add", "restored"}, true, "Add item", none},
      {{"add", "new"}, false, none, none},
  };
  for (const Row& row : rows) {
    Folder folder;
    MenuDocument document(folder.folder.path());
    ASSERT_TRUE(document.catalog().LoadItemBase().ok());
    ASSERT_TRUE(document.OpenPhoneCopy(folder.menuFile).loaded());
    // Written to the phone at the start of "phone", which then takes an edit during the transfer.
    DocumentHistory::Position sent = 0;
    bool sending = false;
    std::string done;
    for (const std::string& step : row.steps) {
      done += step + " ";
      if (step == "add")
        document.Edit("Add item", [](MenuTree& t) { AddLast(t, *t.menuRoot(), "Games"); });
      if (step == "undo") document.Undo();
      if (step == "redo") document.Redo();
      if (step == "save") {
        EXPECT_TRUE(document.Save(folder.savedFile).ok());
      }
      if (step == "22") Choose22(document);
      if (step == "profile")
        document.ApplyProfile([](Catalog&, FormatOptions& o) { o.saveAllData = true; });
      if (step == "phone") {
        sent = document.position();
        sending = true;
      }
      if (step == "restored") document.PhoneMenuReplaced();
      if (step == "new") document.New();
    }
    if (sending) document.WrittenToPhone(sent);
    EXPECT_EQ(document.modified(), row.modified) << done;
    EXPECT_EQ(document.UndoName(), row.undo) << done;
    EXPECT_EQ(document.RedoName(), row.redo) << done;
  }
}

TEST(CommandStates, FollowTheMenuThePhoneAndItsTransfers) {
  struct Row {
    int menu;  // 0 none yet, 1 open, 2 closed
    bool connected, busy;
    CommandStates states;  // save, save as, open from phone, save to phone, restart, restore,
                           // item list
  };
  const std::vector<Row> rows = {
      {0, false, false, {false, false, false, false, false, false, false}},
      {1, false, false, {true, true, false, false, false, false, true}},
      {2, false, false, {false, false, false, false, false, false, true}},
      {0, true, false, {false, false, true, false, true, true, false}},
      {1, true, false, {true, true, true, true, true, true, true}},
      {2, true, false, {false, false, true, false, true, true, true}},
      {1, true, true, {true, true, false, false, false, false, true}},
      {0, true, true, {false, false, false, false, false, false, false}},
  };
  for (const Row& row : rows) {
    MenuDocument document(".");
    if (row.menu > 0) document.New();
    if (row.menu > 1) document.Close();
    EXPECT_EQ(CommandStatesFor(document, row.connected, row.busy), row.states)
        << row.menu << row.connected << row.busy;
  }
}

}  // namespace
}  // namespace menuforge::test
