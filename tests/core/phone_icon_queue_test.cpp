// The preview's pictures from the phone: what each path shows, which are fetched and in which
// order, a block at a time, and what is forgotten when the phone or its files change.
#include <gtest/gtest.h>

#include "app/core/phone_icon_queue.h"
#include "support/phone_test_rig.h"
#include "support/picture_files.h"

namespace menuforge::test {
namespace {

const Bytes kIcon = PngFile({4, 4}, std::vector<Colour>(16, Colour{255, 0, 128, 0}));

struct QueueRig : PhoneRig {
  PicturePreviews previews;
  PhoneIconQueue queue{link.session, previews};

  // Steps until nothing waits, within a bound.
  void Drain() {
    for (int steps = 0; queue.HasWork() && steps < 1000; ++steps) queue.Step();
  }
  IconStatus Shown(std::u16string_view path) { return queue.Find(path).status; }
};

struct PathCase {
  const char* name;
  std::u16string path;
  std::optional<Bytes> file;            // on the phone at the path's place
  std::optional<std::uint32_t> listed;  // the size the phone's file list gives it
  IconStatus first;
  IconStatus last;
};

TEST(PhoneIconQueue, EachPathShowsWhatTheFileGives) {
  const std::vector<PathCase> cases = {
      {"a picture", u"/a/p/ok.png", kIcon, std::nullopt, IconStatus::Waiting, IconStatus::Ready},
      {"in any letter case", u"/a/p/OK.PNG", kIcon, std::nullopt, IconStatus::Waiting,
       IconStatus::Ready},
      {"missing", u"/a/p/gone.gif", std::nullopt, std::nullopt, IconStatus::Waiting,
       IconStatus::NotFound},
      {"damaged", u"/a/p/cut.png", Bytes(kIcon.begin(), kIcon.begin() + 30), std::nullopt,
       IconStatus::Waiting, IconStatus::Unreadable},
      {"larger than the picker shows", u"/a/p/big.gif", RandomBytes(kMaxPreviewBytes + 1, 3),
       std::nullopt, IconStatus::Waiting, IconStatus::TooLarge},
      {"listed too large, not fetched", u"/a/p/huge.gif", kIcon, kMaxPreviewBytes + 1,
       IconStatus::TooLarge, IconStatus::TooLarge},
      {"no picture by its name, not fetched", u"/a/p/notes.txt", kIcon, std::nullopt,
       IconStatus::Unreadable, IconStatus::Unreadable},
      {"a name the phone cannot hold", u"/a/p/\u0416.gif", std::nullopt, std::nullopt,
       IconStatus::NotFound, IconStatus::NotFound},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.name);
    QueueRig rig;
    const std::string path = WideToUtf8(c.path);
    if (c.file) rig.PutPhoneFile(path, *c.file);
    if (c.listed) rig.link.session.RecordWrittenFile(path, *c.listed);
    const std::size_t sentBefore = rig.library.sent.size();
    rig.queue.BeginDrawing();
    EXPECT_EQ(rig.Shown(c.path), c.first);
    rig.Drain();
    EXPECT_EQ(rig.Shown(c.path), c.last);
    const bool fetched = c.first == IconStatus::Waiting;
    EXPECT_EQ(rig.library.sent.size() > sentBefore, fetched);
    // Kept: asking again sends nothing.
    const std::size_t sentAfter = rig.library.sent.size();
    rig.queue.BeginDrawing();
    EXPECT_EQ(rig.Shown(c.path), c.last);
    EXPECT_FALSE(rig.queue.HasWork());
    EXPECT_EQ(rig.library.sent.size(), sentAfter);
  }
}

TEST(PhoneIconQueue, FetchesTheLatestDrawingsPicturesInItsOrderABlockAStep) {
  QueueRig rig;
  for (const char* path : {"/a/p/1.png", "/a/p/2.png", "/a/p/3.png"}) rig.PutPhoneFile(path, kIcon);
  rig.PutPhoneFile("/a/p/wide.gif", RandomBytes(5000, 9));
  rig.queue.BeginDrawing();
  for (const char16_t* path : {u"/a/p/2.png", u"/a/p/1.png", u"/a/p/2.png"})
    EXPECT_EQ(rig.Shown(path), IconStatus::Waiting);
  while (!rig.queue.Step()) {
  }
  EXPECT_TRUE(rig.previews.Known("/a/p/2.png"));
  EXPECT_FALSE(rig.previews.Known("/a/p/1.png"));
  // The next drawing shows another folder: "1" is no longer wanted.
  rig.queue.BeginDrawing();
  EXPECT_EQ(rig.Shown(u"/a/p/3.png"), IconStatus::Waiting);
  EXPECT_EQ(rig.Shown(u"/a/p/wide.gif"), IconStatus::Waiting);
  int arrivals = 0;
  int steps = 0;
  while (rig.queue.HasWork()) {
    arrivals += rig.queue.Step() ? 1 : 0;
    ++steps;
  }
  EXPECT_EQ(arrivals, 2);
  // 5000 bytes come in five blocks of 1 KB, each its own step.
  EXPECT_GE(steps, 6);
  EXPECT_FALSE(rig.previews.Known("/a/p/1.png"));
  EXPECT_EQ(rig.Shown(u"/a/p/3.png"), IconStatus::Ready);
}

TEST(PhoneIconQueue, ForgetsWhatThePhoneOrThePickerChanged) {
  QueueRig rig;
  rig.PutPhoneFile("/a/p/x.png", kIcon);
  rig.queue.BeginDrawing();
  rig.Shown(u"/a/p/x.png");
  rig.Drain();
  ASSERT_EQ(rig.Shown(u"/a/p/x.png"), IconStatus::Ready);

  // The picker wrote over the file and fetched it again: shown as it is now.
  rig.PutPhoneFile("/a/p/x.png", Bytes{'G', 'I', 'F'});
  rig.previews.Forget("/a/p/x.png");
  rig.previews.Fetch(rig.link.session, "/a/p/x.png");
  EXPECT_EQ(rig.Shown(u"/a/p/x.png"), IconStatus::Unreadable);
  // Forgotten only: the preview fetches it itself.
  rig.PutPhoneFile("/a/p/x.png", kIcon);
  rig.previews.Forget("/a/p/x.png");
  EXPECT_EQ(rig.Shown(u"/a/p/x.png"), IconStatus::Waiting);
  rig.Drain();
  EXPECT_EQ(rig.Shown(u"/a/p/x.png"), IconStatus::Ready);

  // Another phone came: nothing of the one before is shown.
  rig.queue.PhoneChanged();
  EXPECT_FALSE(rig.previews.Known("/a/p/x.png"));
  EXPECT_EQ(rig.Shown(u"/a/p/x.png"), IconStatus::Waiting);

  // The phone went: what waited is drawn again, saying so.
  rig.phone.Unplug();
  rig.link.session.Poll();
  EXPECT_TRUE(rig.queue.Step());
  EXPECT_FALSE(rig.queue.HasWork());
  EXPECT_EQ(rig.Shown(u"/a/p/x.png"), IconStatus::NoPhone);
}

}  // namespace
}  // namespace menuforge::test
