// After any run of edits, undos and redos, what a view of the document shows (the preview's
// scene, the comparison's lines) is what a view built afresh on the same document shows.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "app/core/document_comparison.h"
#include "document/menu_document.h"
#include "menu_test_items.h"
#include "preview/preview_scene.h"
#include "support/test_support.h"

namespace menuforge::test {
namespace {

// The preview redraws at the end of each change; it keeps what it drew.
class PreviewWatch : public DocumentObserver {
 public:
  explicit PreviewWatch(MenuDocument& document) : drawn(Described(document)), document_(document) {
    document.AddObserver(*this);
  }
  std::string drawn;

 private:
  void DocumentChanged(DocumentChange change) override {
    if (change == DocumentChange::Contents || change == DocumentChange::Entries)
      drawn = Described(document_);
  }
  MenuDocument& document_;

 public:
  static std::string Described(const MenuDocument& document) {
    if (!document.HasMenu()) return "no menu";
    const PreviewScene scene = BuildScene(document.tree(), *document.tree().menuRoot(), {});
    std::string text;
    for (const PreviewEntry& entry : scene.entries) {
      text += Utf8(entry.title.text) + "|" + Utf8(entry.icon.phonePath) + "|" +
              std::to_string(entry.icon.drmNumber) + (entry.folder ? "/" : "") + ";";
    }
    return text;
  }
  static std::string Utf8(const std::u16string& text) {
    return std::string(text.begin(), text.end());
  }
};

MenuNode* Entry(const MenuDocument& document, std::size_t index) {
  return document.tree().menuRoot()->children().at(index).get();
}

using Step = std::function<void(MenuDocument&, const std::filesystem::path& file)>;

const std::map<std::string, Step> kSteps = {
    {"title",
     [](MenuDocument& d, const std::filesystem::path&) {
       d.Edit("Modify item", [&](MenuTree& tree) {
         AttachData(tree, *Entry(d, 0), Titles(TitleList::Menu, {{1, u"My Camera"}}));
       });
     }},
    {"icon",
     [](MenuDocument& d, const std::filesystem::path&) {
       d.Edit("Modify item", [&](MenuTree& tree) {
         ItemDataRecord record;
         record.slots.push_back(ChunkSlot::FileIcon(kListIcon, u"/a/camera.gif"));
         AttachData(tree, *Entry(d, 1), std::move(record));
       });
     }},
    {"delete",
     [](MenuDocument& d, const std::filesystem::path&) {
       d.Edit("Delete item", [&](MenuTree& tree) { DeleteEntry(tree, *Entry(d, 0)); });
     }},
    {"move",
     [](MenuDocument& d, const std::filesystem::path&) {
       d.Edit("Move item", [&](MenuTree& tree) { MoveDown(tree, *Entry(d, 0)); });
     }},
    {"drag",
     [](MenuDocument& d, const std::filesystem::path&) {
       d.Edit("Move item", [&](MenuTree& tree) { MoveBefore(tree, *Entry(d, 2), *Entry(d, 0)); });
     }},
    {"replace",
     [](MenuDocument& d, const std::filesystem::path&) {
       d.Edit("Replace item",
              [&](MenuTree& tree) { ReplaceEntry(tree, *Entry(d, 1), test::Entry("C"), false); });
     }},
    {"options",
     [](MenuDocument& d, const std::filesystem::path&) {
       FormatOptions options = d.options();
       options.SelectSaveMode(RecordSize::k22);
       d.SetOptions(options);
     }},
    {"profile",
     [](MenuDocument& d, const std::filesystem::path&) {
       d.ApplyProfile([](Catalog&, FormatOptions& options) {
         options.SelectSaveMode(RecordSize::k22);
         options.c698pFix = true;
       });
     }},
    {"new", [](MenuDocument& d, const std::filesystem::path&) { d.New(); }},
    {"open", [](MenuDocument& d,
                const std::filesystem::path& file) { EXPECT_TRUE(d.Open(file).loaded()); }},
    {"undo", [](MenuDocument& d, const std::filesystem::path&) { d.Undo(); }},
    {"redo", [](MenuDocument& d, const std::filesystem::path&) { d.Redo(); }},
};

void ExpectFresh(const MenuDocument& document, const PreviewWatch& preview,
                 const DocumentComparison& comparison, const OtherMenu& other,
                 const std::string& where) {
  SCOPED_TRACE(where);
  EXPECT_EQ(preview.drawn, PreviewWatch::Described(document));
  ASSERT_TRUE(comparison.shown().has_value());
  if (!document.HasMenu()) return;
  EXPECT_EQ(comparison.shown()->comparison,
            CompareMenus({document.tree(), document.options()}, other.compared()));
}

TEST(DocumentViews, FollowEveryEditUndoAndRedo) {
  const std::vector<std::vector<std::string>> sequences = {
      {"title", "undo", "redo", "undo"},
      {"delete", "undo", "redo", "undo", "redo"},
      {"icon", "delete", "undo", "undo", "redo", "redo"},
      {"move", "undo", "drag", "undo", "redo"},
      {"replace", "undo", "redo"},
      {"options", "undo", "redo", "title", "undo", "undo"},
      {"profile", "undo", "redo", "undo"},
      {"title", "new", "undo", "open", "title", "undo"},
      {"delete", "open", "redo", "undo", "replace", "options", "undo", "undo", "redo"},
  };
  for (const std::vector<std::string>& sequence : sequences) {
    TempFolder folder;
    MenuTree tree = NewMenu();
    for (const char* id : {"A", "B", "C", "Games"}) AddLast(tree, *tree.menuRoot(), id);
    MenuNode* a = tree.menuRoot()->children().front().get();
    AddLast(tree, *a, "A1");
    const std::filesystem::path file = folder / "mma_ucp";
    ASSERT_EQ(SaveMenuFile(file, tree, {}, TestItems()).status(), SaveStatus::Saved);
    MenuDocument document(folder.path());
    ASSERT_TRUE(document.catalog().LoadItemBase().ok());
    ASSERT_TRUE(document.Open(file).loaded());
    PreviewWatch preview(document);
    Result<LoadedOtherMenu> other = LoadOtherMenuFile(file, TestItems());
    ASSERT_TRUE(other.ok());
    DocumentComparison comparison(document, [] {});
    comparison.Start(std::move(other->menu), false);
    const Result<LoadedOtherMenu> compared = LoadOtherMenuFile(file, TestItems());
    std::string done;
    for (const std::string& step : sequence) {
      done += step + " ";
      kSteps.at(step)(document, file);
      ExpectFresh(document, preview, comparison, *compared->menu, done);
    }
  }
}

TEST(DocumentViews, AnOutOfDateComparisonWithThePhoneFollowsTheMenu) {
  struct Row {
    std::vector<std::string> steps;
    const char* outOfDate;
  };
  const std::vector<Row> rows = {
      {{}, nullptr},
      {{"written"}, "Out of date: the phone's menu may have changed since it was read"},
      {{"written", "title"}, "Out of date: the phone's menu may have changed since it was read"},
      {{"written", "new"}, "Out of date: the phone's menu may have changed since it was read"},
      {{"written", "open", "options"},
       "Out of date: the phone's menu may have changed since it was read"},
      {{"close"}, "Out of date: no menu is open"},
      {{"close", "open"}, nullptr},
  };
  for (const Row& row : rows) {
    TempFolder folder;
    MenuTree tree = NewMenu();
    AddLast(tree, *tree.menuRoot(), "A");
    const std::filesystem::path file = folder / "mma_ucp";
    ASSERT_EQ(SaveMenuFile(file, tree, {}, TestItems()).status(), SaveStatus::Saved);
    MenuDocument document(folder.path());
    ASSERT_TRUE(document.catalog().LoadItemBase().ok());
    ASSERT_TRUE(document.OpenPhoneCopy(file).loaded());
    DocumentComparison comparison(document, [] {});
    comparison.Start(std::move(LoadOtherMenuFile(file, TestItems())->menu), true);
    const Result<LoadedOtherMenu> compared = LoadOtherMenuFile(file, TestItems());
    PreviewWatch preview(document);
    for (const std::string& step : row.steps) {
      if (step == "written")
        document.WrittenToPhone(document.position());
      else if (step == "close")
        document.Close();
      else
        kSteps.at(step)(document, file);
    }
    ExpectFresh(document, preview, comparison, *compared->menu,
                row.steps.empty() ? "" : row.steps.back());
    EXPECT_STREQ(comparison.shown()->outOfDate, row.outOfDate);
  }
}

}  // namespace
}  // namespace menuforge::test
