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
  document.SetModified(true);
};

TEST(MenuDocument, NewOpenSaveAndCloseTellEveryListener) {
  using enum DocumentChange;
  const std::vector<DocumentCase> cases = {
      {"new", kNothing, kNew, "untitled", true, false, {Contents}, 0},
      {"open",
       kNewModified,
       [](MenuDocument& d, const Folder& f, RecordingDialogs&) {
         EXPECT_TRUE(d.Open(f.menuFile).loaded());
       },
       "mma_ucp",
       true,
       false,
       {Contents},
       1},
      {"open from the phone",
       kNothing,
       [](MenuDocument& d, const Folder& f, RecordingDialogs&) {
         EXPECT_TRUE(d.OpenPhoneCopy(f.menuFile).loaded());
       },
       "phone",
       true,
       false,
       {Contents},
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
       0},
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
       0},
      {"save as 22-byte: the status shows the format saved in",
       [](MenuDocument& d, const Folder& f, RecordingDialogs&) {
         EXPECT_TRUE(d.Open(f.menuFile).loaded());
         EXPECT_EQ(d.formatState().recordSize, 36);
         d.options().SelectSaveMode(RecordSize::k22);
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
       {File},
       1},
      {"a copy written to the phone it came from",
       [](MenuDocument& d, const Folder& f, RecordingDialogs&) {
         EXPECT_TRUE(d.OpenPhoneCopy(f.menuFile).loaded());
         d.options().SelectSaveMode(RecordSize::k22);
       },
       [](MenuDocument& d, const Folder& f, RecordingDialogs&) {
         EXPECT_EQ(d.SaveCopy(f.savedFile).status(), SaveStatus::Saved);
         d.WrittenToPhone();
         EXPECT_EQ(d.formatState().recordSize, 22);
       },
       "phone",
       true,
       false,
       {},
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
       0},
      {"a failed save",
       kNewModified,
       [](MenuDocument& d, const Folder& f, RecordingDialogs&) {
         EXPECT_EQ(d.Save(f.folder / "none" / "x").status(), SaveStatus::Failed);
       },
       "untitled",
       true,
       true,
       {},
       0},
      {"close",
       kNewModified,
       [](MenuDocument& d, const Folder&, RecordingDialogs&) { d.Close(); },
       "untitled",
       false,
       false,
       {Contents},
       0},
      {"the same flag twice",
       kNewModified,
       [](MenuDocument& d, const Folder&, RecordingDialogs&) { d.SetModified(true); },
       "untitled",
       true,
       true,
       {},
       0},
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
  AddLast(document->tree(), *document->tree().menuRoot(), "Games");
  EXPECT_EQ(kept.inserts, 10);  // the nine fixed nodes, then the entry
  document.reset();
  EXPECT_TRUE(kept.gone);
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
