// The session apart from any window: the unsaved-changes question through its one asker, the
// recent files as the settings file keeps them, and a close asked for while the phone is busy.
#include <gtest/gtest.h>

#include <optional>

#include "app/core/app_session.h"
#include "menu_test_items.h"
#include "phone/socket_library.h"
#include "support/phone_test_rig.h"
#include "support/test_support.h"

namespace menuforge::test {
namespace {

// Answers the unsaved-changes question from a script; nothing stands for "Show changes".
class ScriptedAsker : public Asker {
 public:
  std::vector<std::optional<SaveChoice>> answers;
  std::vector<Message> asked;

  void Show(const Message&) override {}
  bool Ask(const Message&) override { return true; }
  SaveChoice AskToSave(const Message&) override { return SaveChoice::Cancel; }
  std::optional<bool> AskOrShowChanges(const Message&) override { return true; }
  std::optional<SaveChoice> AskToSaveOrShowChanges(const Message& question) override {
    asked.push_back(question);
    return answers.at(asked.size() - 1);
  }
};

struct Session {
  explicit Session(bool readOnly = false)
      : session({folder.path(), folder.path(), readOnly}, library, asker, windows, observer,
                folder / "backups") {}
  TempFolder folder;
  SocketPhoneLibrary library{folder / "no-phone"};
  ScriptedAsker asker;
  RecordingProgressWindows windows;
  CountingObserver observer;
  AppSession session;
};

struct SetAsideCase {
  const char* name;
  bool modified;
  std::vector<std::optional<SaveChoice>> answers;
  bool saved;  // what the save reports
  bool setAside;
  int questions;
  int changesShown;
  int saves;
};

TEST(AppSessionTest, AModifiedMenuIsSetAsideOnlyAsTheUserSays) {
  const std::optional<SaveChoice> showChanges;
  const SetAsideCase cases[] = {
      {"unmodified", false, {}, true, true, 0, 0, 0},
      {"discard", true, {SaveChoice::Discard}, true, true, 1, 0, 0},
      {"cancel", true, {SaveChoice::Cancel}, true, false, 1, 0, 0},
      {"save", true, {SaveChoice::Save}, true, true, 1, 0, 1},
      {"save fails", true, {SaveChoice::Save}, false, false, 1, 0, 1},
      {"changes, then discard",
       true,
       {showChanges, showChanges, SaveChoice::Discard},
       true,
       true,
       3,
       2,
       0},
  };
  for (const SetAsideCase& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    s.session.document().New();
    if (c.modified)
      s.session.document().Edit("Add item",
                                [](MenuTree& tree) { AddLast(tree, *tree.menuRoot(), "Games"); });
    s.asker.answers = c.answers;
    int changesShown = 0;
    int saves = 0;
    EXPECT_EQ(s.session.MaySetMenuAside([&] { ++changesShown; },
                                        [&] {
                                          ++saves;
                                          return c.saved;
                                        }),
              c.setAside);
    EXPECT_EQ(s.asker.asked.size(), static_cast<std::size_t>(c.questions));
    for (const Message& question : s.asker.asked)
      EXPECT_EQ(question,
                (Message{"Save changes to untitled?", "Unsaved changes", MessageIcon::Warning}));
    EXPECT_EQ(changesShown, c.changesShown);
    EXPECT_EQ(saves, c.saves);
  }
}

TEST(AppSessionTest, AMissingRecentFileComesOffTheListUnlessTheFolderIsOnlyRead) {
  for (const bool readOnly : {false, true}) {
    SCOPED_TRACE(readOnly ? "read-only" : "writable");
    Session s(readOnly);
    const std::filesystem::path gone = s.folder / "gone.mma";
    const std::filesystem::path kept = s.folder / "kept.mma";
    s.session.RememberRecentFile(gone);
    s.session.RememberRecentFile(kept);
    EXPECT_EQ(s.session.DialogFolder(), s.folder.path().string());
    EXPECT_EQ(s.session.ForgetMissingRecentFile(gone),
              (Message{gone.string() + " no longer exists; it has been taken off the recent files",
                       "Warning", MessageIcon::Warning}));
    EXPECT_EQ(s.session.recentFiles().paths(), std::vector<std::filesystem::path>{kept});
    const auto stored = ReadRecentFiles(s.folder / "menuforge.ini").paths();
    EXPECT_EQ(stored, readOnly ? std::vector<std::filesystem::path>{}
                               : std::vector<std::filesystem::path>{kept});
  }
}

TEST(AppSessionTest, ACloseAskedForWhileBusyWaitsForTheEndOnce) {
  Session s;
  EXPECT_TRUE(s.session.MayCloseNow());
  EXPECT_FALSE(s.session.TakeCloseAskedMeanwhile());
  s.session.SetPhoneBusy(true);
  EXPECT_FALSE(s.session.MayCloseNow());
  s.session.SetPhoneBusy(false);
  EXPECT_TRUE(s.session.TakeCloseAskedMeanwhile());
  EXPECT_FALSE(s.session.TakeCloseAskedMeanwhile());
}

}  // namespace
}  // namespace menuforge::test
