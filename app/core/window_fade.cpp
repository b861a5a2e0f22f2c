#include "app/core/window_fade.h"

namespace menuforge {
namespace {

constexpr int kStep = 10;
constexpr int kLastFadeInValue = 245;
constexpr int kSplashFadeStart = 128;
constexpr int kSplashStep = 20;
constexpr int kSplashFloor = 10;

}  // namespace

FadeStep WindowFade::Tick(int splashOpacity) {
  FadeStep step;
  step.windowOpacity = value_ & 0xFF;
  step.splashOpacity = splashOpacity;
  if (fadingIn_) {
    value_ += kStep;
    if (value_ > kSplashFadeStart && splashOpacity > kSplashFloor)
      step.splashOpacity = splashOpacity - kSplashStep;
  } else {
    value_ -= kStep;
  }

  if (value_ > kLastFadeInValue || value_ < 0) {
    step.finished = true;
    if (fadingIn_) {
      value_ = kFullyShown;
      step.splashOpacity = 0;
      step.hideSplash = true;
    } else {
      value_ = 0;
    }
    step.windowOpacity = value_;
  }
  step.requestClose = !fadingIn_;
  return step;
}

CloseDecision WindowFade::CloseRequested() {
  CloseDecision decision;
  if (value_ == kFullyShown) {
    fadingIn_ = false;
    decision.startFadeOut = true;
  }
  decision.allowClose = value_ == 0;
  return decision;
}

}  // namespace menuforge
