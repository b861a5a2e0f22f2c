// What a connecting phone's profile has to say: a box once per firmware in a run, held until the
// window has faded in, and the status bar afterwards.
#include "app/core/profile_notices.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace menuforge::test {
namespace {

const Message kNotFound{"Profile not found. Default profile will be applied", "Missing profile",
                        MessageIcon::Warning};

TEST(ProfileNoticesTest, OneBoxPerFirmwareHeldUntilTheWindowIsShown) {
  struct Step {
    const char* firmware;
    bool windowShownFirst;
    std::size_t boxesAfter;
    std::string statusText;
  };
  const Step steps[] = {
      {"R3443H1_G", false, 0, ""},
      {"R3443H1_G", false, 0, kNotFound.text},
      {"R3443H1_G", true, 1, kNotFound.text},
      {"R374_G", true, 2, ""},
      {"R374_G", true, 2, kNotFound.text},
  };
  RecordingDialogs boxes;
  ProfileNotices notices(boxes);
  for (const Step& step : steps) {
    if (step.windowShownFirst) notices.WindowShown();
    notices.BeginFirmware(step.firmware);
    notices.Show(kNotFound);
    EXPECT_EQ(boxes.shown, std::vector<Message>(step.boxesAfter, kNotFound)) << step.firmware;
    EXPECT_EQ(notices.TakeStatusText(), step.statusText) << step.firmware;
    EXPECT_EQ(notices.TakeStatusText(), "");
  }
}

}  // namespace
}  // namespace menuforge::test
