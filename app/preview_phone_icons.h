// The phone's pictures for the preview dock, fetched between the window's events: one block per
// turn of the event loop, and only while nothing else uses the phone, so that neither a slow
// cable nor a command of the window ever waits on the preview.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "app/core/phone_icon_queue.h"

namespace menuforge {

class PreviewPhoneIcons : public QObject, public PhoneIconSource {
  Q_OBJECT

 public:
  // `phoneFree` says whether the preview may use the phone now: no command of the window runs,
  // no modal window (the item editor, the Picture Picker) is open and the preview is shown.
  PreviewPhoneIcons(PhoneSession& session, PicturePreviews& previews,
                    std::function<bool()> phoneFree, QObject* parent = nullptr);

  void BeginDrawing() override { queue_.BeginDrawing(); }
  IconLookup Find(std::u16string_view phonePath) override;
  // The phone went or another one came.
  void PhoneChanged();

 Q_SIGNALS:
  // Pictures asked for have come, or the phone changed: the preview is to be drawn again.
  void iconsArrived();

 private:
  void Tick();

  PhoneIconQueue queue_;
  PhoneSession& session_;
  std::function<bool()> phoneFree_;
  QTimer timer_{this};
};

}  // namespace menuforge
