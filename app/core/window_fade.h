// The main window's fade-in at start and fade-out on close, driven by one timer.
#pragma once

namespace menuforge {

inline constexpr int kFadeInInterval = 50;   // ms between steps while the window appears
inline constexpr int kFadeOutInterval = 30;  // ms between steps once it has appeared
inline constexpr int kFullyShown = 255;

// What the timer does on one tick.
struct FadeStep {
  int windowOpacity = 0;  // 0..255
  int splashOpacity = 0;  // 0..255
  bool hideSplash = false;
  bool finished = false;      // stop the timer; its interval becomes kFadeOutInterval
  bool requestClose = false;  // the fade-out asks to close after every step
};

struct CloseDecision {
  bool startFadeOut = false;
  bool allowClose = false;
};

class WindowFade {
 public:
  FadeStep Tick(int splashOpacity);
  // A close request fades a fully shown window out and goes ahead only once it is invisible;
  // while the window fades in it is refused.
  CloseDecision CloseRequested();
  // Whether a close request now would begin the fade-out (or, before the window was ever
  // shown, close it at once) rather than be refused or carry on a fade-out under way.
  bool CloseBegins() const { return value_ == kFullyShown || (value_ == 0 && fadingIn_); }

  int value() const { return value_; }

 private:
  int value_ = 0;
  bool fadingIn_ = true;
};

}  // namespace menuforge
