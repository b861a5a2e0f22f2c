#include "app/core/window_fade.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/core/working_files.h"
#include "support/test_support.h"

namespace menuforge {
namespace {

constexpr int kSplashStart = 200;

// Ticks until the step that ends the fade; returns every step taken.
std::vector<FadeStep> RunToEnd(WindowFade& fade, int splash) {
  std::vector<FadeStep> steps;
  do {
    steps.push_back(fade.Tick(splash));
    splash = steps.back().splashOpacity;
  } while (!steps.back().finished && steps.size() < 100);
  return steps;
}

TEST(WindowFadeTest, FadesInThroughTenStepsToOpaque) {
  WindowFade fade;
  const std::vector<FadeStep> steps = RunToEnd(fade, kSplashStart);
  ASSERT_EQ(steps.size(), 25u);
  for (std::size_t i = 0; i + 1 < steps.size(); ++i) {
    EXPECT_EQ(steps[i].windowOpacity, static_cast<int>(10 * i));
    EXPECT_FALSE(steps[i].requestClose);
  }
  EXPECT_EQ(steps.back().windowOpacity, 255);
  EXPECT_TRUE(steps.back().hideSplash);
  EXPECT_EQ(steps.back().splashOpacity, 0);
  EXPECT_EQ(fade.value(), 255);
}

TEST(WindowFadeTest, SplashFadesOnceTheWindowPassedHalfway) {
  WindowFade fade;
  const std::vector<FadeStep> steps = RunToEnd(fade, kSplashStart);
  // Ticks 1 to 12 bring the value up to 120; tick 13 passes 128.
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(steps[i].splashOpacity, kSplashStart);
  EXPECT_EQ(steps[12].splashOpacity, 180);
  EXPECT_EQ(steps[20].splashOpacity, 20);
  EXPECT_EQ(steps[21].splashOpacity, 0);
  EXPECT_EQ(steps[22].splashOpacity, 0);
}

TEST(WindowFadeTest, CloseDuringFadeInIsRefusedAndDoesNotStartTheFadeOut) {
  WindowFade fade;
  fade.Tick(kSplashStart);
  const CloseDecision decision = fade.CloseRequested();
  EXPECT_FALSE(decision.allowClose);
  EXPECT_FALSE(decision.startFadeOut);
  EXPECT_TRUE(fade.fadingIn());
  EXPECT_EQ(RunToEnd(fade, kSplashStart).size(), 24u);
}

TEST(WindowFadeTest, CloseWhenShownFadesOutAndThenGoesAhead) {
  WindowFade fade;
  RunToEnd(fade, kSplashStart);
  const CloseDecision first = fade.CloseRequested();
  EXPECT_TRUE(first.startFadeOut);
  EXPECT_FALSE(first.allowClose);

  for (int i = 0; i < 25; ++i) {
    const FadeStep step = fade.Tick(0);
    EXPECT_EQ(step.windowOpacity, 255 - 10 * i);
    EXPECT_FALSE(step.finished);
    EXPECT_TRUE(step.requestClose);
    const CloseDecision meanwhile = fade.CloseRequested();
    EXPECT_FALSE(meanwhile.allowClose);
    EXPECT_FALSE(meanwhile.startFadeOut);
  }
  const FadeStep last = fade.Tick(0);
  EXPECT_TRUE(last.finished);
  EXPECT_EQ(last.windowOpacity, 0);
  EXPECT_TRUE(last.requestClose);
  EXPECT_TRUE(fade.CloseRequested().allowClose);
}

TEST(WorkingFilesTest, RemovesTheCopiesExchangedWithThePhone) {
  test::TempFolder folder;
  for (const char* name : {kMenuWorkFile, kPhoneJ2mestWorkFile, kPhoneLogFile, "mine.mma"})
    test::WriteFileText(folder / name, "x");
  RemoveWorkingFiles(folder.path());
  EXPECT_FALSE(std::filesystem::exists(folder / kMenuWorkFile));
  EXPECT_FALSE(std::filesystem::exists(folder / kPhoneJ2mestWorkFile));
  EXPECT_TRUE(std::filesystem::exists(folder / kPhoneLogFile));
  EXPECT_TRUE(std::filesystem::exists(folder / "mine.mma"));
}

}  // namespace
}  // namespace menuforge
