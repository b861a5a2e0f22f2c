// The phone file browser's rules against the simulated phone: fetching the lists, and the file
// operations keeping the phone file list and the tree in step with the phone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <tuple>

#include "browser/core/file_mask.h"
#include "browser/core/phone_browser.h"
#include "browser/core/picture_previews.h"
#include "support/phone_test_rig.h"

namespace menuforge::test {
namespace {

struct ScriptedDeleteRequest : DeleteRequest {
  std::deque<DeleteAnswer> answers;
  std::vector<std::string> asked;
  DeleteAnswer Ask(const std::string& question) override {
    asked.push_back(question);
    const DeleteAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

struct BrowserRig : PhoneRig {
  explicit BrowserRig(FaultPlan faults = {}) : PhoneRig(std::move(faults)) {
    for (const char* path :
         {"/a/p/one.gif", "/a/p/two.gif", "/a/p/three.gif", "/a/p/four.png", "/c/apps/x.gif"})
      PutPhoneFile(path, RandomBytes(1500, static_cast<std::uint32_t>(std::strlen(path))));
  }
  PhoneBrowser& Open(ListMode mode = ListMode::AllFiles) {
    state.listMode = mode;
    FetchList(mode, state.mask, link.session, windows, dialogs);
    browser = std::make_unique<PhoneBrowser>(link, state, previews, dialogs);
    return *browser;
  }
  PhoneBrowser& OpenFolder(const char* path) {
    PhoneBrowser& opened = Open();
    opened.SelectNode(opened.tree().Find(path));
    return opened;
  }
  std::vector<std::string> Listed() const {
    std::vector<std::string> paths;
    for (const FileListEntry& entry : link.session.fileList()) paths.push_back(entry.path());
    return paths;
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> names;
    for (const FileRow& row : browser->rows()) names.push_back(row.name);
    return names;
  }
  std::vector<std::string> LinesStartingWith(const std::string& start) const {
    std::vector<std::string> lines;
    for (const std::string& line : LogLines())
      if (line.starts_with(start)) lines.push_back(line);
    return lines;
  }

  BrowserRunState state;
  PicturePreviews previews;
  std::unique_ptr<PhoneBrowser> browser;
};

Message Error(const std::string& text) { return {text, "Error", MessageIcon::Error}; }

TEST(PhoneBrowserTest, FetchesEachListVolumeByVolume) {
  struct Case {
    ListMode mode;
    FileMask mask;
    std::vector<std::string> listed;
    std::vector<std::string> log;
    const char* firstCaption;
  };
  const Case cases[] = {
      {ListMode::IconsOnly,
       {},
       {"/a/p/one.gif", "/a/p/three.gif", "/a/p/two.gif", "/c/apps/x.gif"},
       {"[GetIconList] Get volume info RC=0", "[GetIconList] FileCountEx  RC=3",
        "[GetIconList] FileListEx  RC=3", "[GetIconList] FileCountEx  RC=0",
        "[GetIconList] FileCountEx  RC=1", "[GetIconList] FileListEx  RC=1",
        "[GetIconList] FileCountEx  RC=0"},
       "Retrieving picture list from volume /a/"},
      {ListMode::AllFiles,
       {},
       {"/a/p/four.png", "/a/p/one.gif", "/a/p/three.gif", "/a/p/two.gif", "/c/apps/x.gif"},
       {"[GetFileList] Get volume info  RC=0", "[GetFileList] FileCountEx  RC=4",
        "[GetFileList] FileListEx  RC=4", "[GetFileList] FileCountEx  RC=0",
        "[GetFileList] FileCountEx  RC=1", "[GetFileList] FileListEx  RC=1",
        "[GetFileList] FileCountEx  RC=0"},
       "Retrieving file list from volume /a/"},
      {ListMode::ByMask,
       {"ca", ".png"},
       {"/a/p/four.png"},
       {"[GetMaskedList] FileCountEx  RC=0", "[GetMaskedList] FileCountEx  RC=1",
        "[GetMaskedList] FileListEx  RC=1"},
       "Retrieving file list from volume /a/"},
  };
  for (const Case& c : cases) {
    BrowserRig rig;
    FetchList(c.mode, c.mask, rig.link.session, rig.windows, rig.dialogs);
    EXPECT_EQ(rig.Listed(), c.listed);
    std::vector<std::string> listLines = rig.LinesStartingWith("[Get");
    std::erase_if(listLines,
                  [](const std::string& line) { return line.find("List]") == std::string::npos; });
    EXPECT_EQ(listLines, c.log);
    ASSERT_EQ(rig.windows.windows.size(), 1u);
    EXPECT_EQ(rig.windows.windows[0]->captions.at(1), c.firstCaption);
    EXPECT_TRUE(rig.windows.windows[0]->closed);
    EXPECT_EQ(rig.link.session.volumes(), c.mode == ListMode::ByMask ? "" : "abce");
  }
}

TEST(PhoneBrowserTest, ListFailures) {
  BrowserRig refusedVolumes(Refusing(PhoneCall::VolumeList, 1));
  refusedVolumes.link.session.RecordWrittenFile("/a/old.gif", 1);
  FetchIconList(refusedVolumes.link.session, refusedVolumes.windows, refusedVolumes.dialogs);
  EXPECT_TRUE(refusedVolumes.Listed().empty());
  EXPECT_EQ(refusedVolumes.dialogs.shown,
            (std::vector<Message>{{"Error getting volume info", "", MessageIcon::Error}}));
  EXPECT_TRUE(refusedVolumes.windows.windows.empty());

  // The first volume's list is refused; the next one's still comes.
  BrowserRig refusedList(Refusing(PhoneCall::ListFiles, 1));
  FetchIconList(refusedList.link.session, refusedList.windows, refusedList.dialogs);
  EXPECT_EQ(refusedList.Listed(), std::vector<std::string>{"/c/apps/x.gif"});

  BrowserRig unplugged;
  unplugged.phone.Unplug();
  unplugged.link.session.Poll();
  unplugged.link.session.RecordWrittenFile("/a/old.gif", 1);
  FetchFileList(unplugged.link.session, unplugged.windows, unplugged.dialogs);
  EXPECT_EQ(unplugged.Listed(), std::vector<std::string>{"/a/old.gif"});
}

TEST(PhoneBrowserTest, TheMaskDialogResetsTheVolumesAndSetsTheMode) {
  BrowserRunState state;
  EXPECT_FALSE(MaskChoiceEnabled(""));
  state.mask.extension = ".jad";
  const MaskDialogContent shown = BeginMaskDialog(state, "abab");
  EXPECT_EQ(shown.letters, "ab");
  EXPECT_EQ(shown.extension, "jad");
  EXPECT_EQ(state.mask.volumes, "ab");
  EXPECT_FALSE(AcceptMask(state, "b", u"").has_value());
  EXPECT_EQ(state.mask.volumes, "b");
  EXPECT_EQ(state.mask.extension, "");
  EXPECT_EQ(state.listMode, ListMode::ByMask);
  const auto refused = AcceptMask(state, "a", u"\u65e5");
  ASSERT_TRUE(refused.has_value());
  EXPECT_EQ(state.mask.volumes, "b");
}

TEST(PhoneBrowserTest, DeletingAFileTakesItOutOfTheListTheNodeAndThePhoneFileList) {
  BrowserRig rig;
  PhoneBrowser& browser = rig.OpenFolder("/a/p");
  ASSERT_EQ(rig.Rows(), (std::vector<std::string>{"four.png", "one.gif", "three.gif", "two.gif"}));
  browser.SelectRows({1});
  EXPECT_EQ(browser.iconPath(), "/a/p/one.gif");
  ScriptedDeleteRequest request;
  browser.DeleteSelected(request);
  EXPECT_EQ(rig.dialogs.asked,
            (std::vector<Message>{{"Delete one.gif", "Confirmation", MessageIcon::Question}}));
  EXPECT_TRUE(request.asked.empty());
  EXPECT_EQ(rig.Rows(), (std::vector<std::string>{"four.png", "three.gif", "two.gif"}));
  EXPECT_EQ(browser.selectedNode()->files, rig.Rows());
  EXPECT_EQ(rig.Listed(), (std::vector<std::string>{"/a/p/four.png", "/a/p/three.gif",
                                                    "/a/p/two.gif", "/c/apps/x.gif"}));
  EXPECT_FALSE(std::filesystem::exists(rig.PhonePath("/a/p/one.gif")));
  EXPECT_EQ(browser.iconPath(), "");
}

TEST(PhoneBrowserTest, DeleteAnswers) {
  using enum DeleteAnswer;
  struct Case {
    std::deque<DeleteAnswer> answers;
    std::vector<std::string> left;
  };
  const Case cases[] = {
      {{Yes, YesToAll}, {}},
      {{Skip, Yes, Skip, Yes}, {"four.png", "three.gif"}},
      {{Yes, Cancel}, {"one.gif", "three.gif", "two.gif"}},
  };
  for (const Case& c : cases) {
    BrowserRig rig;
    PhoneBrowser& browser = rig.OpenFolder("/a/p");
    browser.SelectAllRows();
    ScriptedDeleteRequest request;
    request.answers = c.answers;
    browser.DeleteSelected(request);
    EXPECT_EQ(request.asked.size(), c.answers.size());
    EXPECT_EQ(request.asked.front(), "Delete four.png");
    EXPECT_EQ(rig.Rows(), c.left);
    // The rows that stayed stay selected.
    EXPECT_EQ(browser.selectedRows().size(), c.left.size());
  }
}

TEST(PhoneBrowserTest, AFolderWhoseFileWasNotDeletedStays) {
  BrowserRig deletes(Refusing(PhoneCall::DeleteFile, 2));
  PhoneBrowser& browser = deletes.OpenFolder("/a/p");
  ScriptedDeleteRequest unasked;
  browser.DeleteFolder(unasked);
  EXPECT_EQ(deletes.dialogs.asked.at(0).text, "All files in folder will be deleted\r\n  Continue?");
  EXPECT_EQ(deletes.dialogs.shown, std::vector<Message>{Error("Error deleting /a/p/one.gif")});
  EXPECT_EQ(deletes.Rows(), (std::vector<std::string>{"one.gif", "three.gif", "two.gif"}));
  EXPECT_NE(browser.selectedNode(), nullptr);
  EXPECT_TRUE(std::filesystem::exists(deletes.PhonePath("/a/p")));
}

TEST(PhoneBrowserTest, OneFilesAttributesKeepTheOtherBits) {
  BrowserRig rig;
  ASSERT_TRUE(rig.storage.SetAttributes("/a/p/one.gif", 0x11));
  PhoneBrowser& browser = rig.OpenFolder("/a/p");
  browser.SelectRows({1});
  EXPECT_EQ(browser.ShownAttributes(), (AttributeChoice{true, false, false}));
  browser.SetAttributes({false, true, true});
  EXPECT_EQ(rig.storage.Attributes("/a/p/one.gif"), 0x16);
  EXPECT_EQ(rig.LinesStartingWith("Set attribute"),
            std::vector<std::string>{"Set attribute 22 to /a/p/one.gif RC=0"});
}

TEST(PhoneBrowserTest, NamesOutside8BitsAreRefusedBeforeAnythingIsSent) {
  BrowserRig rig;
  PhoneBrowser& browser = rig.OpenFolder("/a/p");
  const std::filesystem::path fine = rig.folder / "caf\xC3\xA9.gif";
  const std::filesystem::path wide = rig.folder / "\xE6\x97\xA5.gif";
  WriteFileBytes(fine, RandomBytes(10, 3));
  WriteFileBytes(wide, RandomBytes(10, 4));
  browser.Upload({fine, wide}, [] { return std::make_unique<RecordingGroupWindow>(); });
  browser.CreateFolder(u"\u65e5");
  EXPECT_EQ(
      rig.dialogs.shown,
      (std::vector<Message>{
          Error("The phone takes only 8-bit (Latin-1) characters in its paths: \xE6\x97\xA5.gif"),
          Error("The phone takes only 8-bit (Latin-1) characters in its paths: \xE6\x97\xA5")}));
  EXPECT_FALSE(std::filesystem::exists(rig.PhonePath("/a/p/caf\xE9.gif")));

  browser.Upload({fine}, {});
  EXPECT_EQ(rig.PhoneFile("/a/p/caf\xE9.gif"), RandomBytes(10, 3));
  const std::vector<std::string> rows = rig.Rows();
  EXPECT_NE(std::find(rows.begin(), rows.end(), "caf\xE9.gif"), rows.end());
}

TEST(PhoneBrowserTest, ADownloadThatStopsShortLeavesTheOldFileAndSaysWhy) {
  struct Case {
    FaultPlan faults;
    std::string message;
  };
  const Case cases[] = {
      {Refusing(PhoneCall::FsacRead, 2), "Error reading /a/p/one.gif"},
      {FaultPlan{{}, 1}, "Error reading /a/p/one.gif: the connection to the phone was lost"},
  };
  for (const Case& c : cases) {
    BrowserRig rig(c.faults);
    PhoneBrowser& browser = rig.OpenFolder("/a/p");
    const std::filesystem::path local = rig.folder / "kept.gif";
    WriteFileText(local, "old");
    browser.SelectRows({1});
    browser.DownloadOne(local);
    EXPECT_EQ(rig.dialogs.shown, std::vector<Message>{Error(c.message)});
    EXPECT_EQ(ReadFileText(local), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(rig.folder.path()),
                            std::filesystem::directory_iterator()),
              3);  // phone, work and kept.gif
  }
}

TEST(PhoneBrowserTest, APictureOverThePreviewLimitSaysWhyItShowsNone) {
  using Reason = std::optional<std::string_view>;
  const Reason tooLarge = "No preview: the file is larger than 64 KB";
  const std::tuple<const char*, std::uint32_t, bool, Reason> cases[] = {
      {"icon.gif", 65536, true, {}},         {"ICON.PNG", 1, true, {}},
      {"photo.bmp", 65537, false, tooLarge}, {"notes.txt", 65537, false, {}},
      {"empty.gif", 0, false, {}},
  };
  for (const auto& [name, size, previewed, reason] : cases) {
    EXPECT_EQ(IsPreviewable(name, size), previewed) << name;
    EXPECT_EQ(NoPreviewReason(name, size), reason) << name;
  }
}

}  // namespace
}  // namespace menuforge::test
