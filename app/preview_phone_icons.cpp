#include "app/preview_phone_icons.h"

namespace menuforge {
namespace {

// How often a fetch held back by another use of the phone looks again.
constexpr int kPhoneBusyRetryMs = 100;

}  // namespace

PreviewPhoneIcons::PreviewPhoneIcons(PhoneSession& session, PicturePreviews& previews,
                                     std::function<bool()> phoneFree, QObject* parent)
    : QObject(parent),
      queue_(session, previews),
      session_(session),
      phoneFree_(std::move(phoneFree)) {
  timer_.setObjectName(QStringLiteral("previewIconTimer"));
  connect(&timer_, &QTimer::timeout, this, &PreviewPhoneIcons::Tick);
}

IconLookup PreviewPhoneIcons::Find(std::u16string_view phonePath) {
  const IconLookup lookup = queue_.Find(phonePath);
  if (queue_.HasWork() && !timer_.isActive()) timer_.start(0);
  return lookup;
}

void PreviewPhoneIcons::PhoneChanged() {
  queue_.PhoneChanged();
  Q_EMIT iconsArrived();
}

void PreviewPhoneIcons::Tick() {
  if (!queue_.HasWork()) {
    timer_.stop();
    return;
  }
  // A tick in a window's turn while a call waits for the phone: the next turn tries again.
  if (session_.library().callInFlight()) return;
  if (!phoneFree_()) {
    timer_.setInterval(kPhoneBusyRetryMs);
    return;
  }
  timer_.setInterval(0);
  if (queue_.Step()) Q_EMIT iconsArrived();
}

}  // namespace menuforge
