#include "app/preview_document_link.h"

namespace menuforge {

PreviewDocumentLink::PreviewDocumentLink(MenuDocument& document, PhonePreviewDock& dock,
                                         const CurrentDrmBinary& drm)
    : document_(&document), dock_(dock), drm_(drm) {
  document.AddObserver(*this);
  dock_.SetMenu(document.HasMenu() ? &document.tree() : nullptr);
}

void PreviewDocumentLink::TakeDrmBinary() {
  if (!drm_.loaded() || drm_.path() == drmShown_) return;
  drmShown_ = drm_.path();
  dock_.SetDrmBinary(&drm_.binary());
}

void PreviewDocumentLink::DocumentChanged(DocumentChange change) {
  if (document_ == nullptr) return;
  if (change == DocumentChange::Contents)
    dock_.SetMenu(document_->HasMenu() ? &document_->tree() : nullptr);
  else if (change == DocumentChange::Entries)
    Redraw();
}

void PreviewDocumentLink::DocumentGone() {
  document_ = nullptr;
  dock_.SetMenu(nullptr);
}

void PreviewDocumentLink::Redraw() {
  TakeDrmBinary();
  dock_.MenuChanged();
}

}  // namespace menuforge
