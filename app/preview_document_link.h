// Keeps the phone preview in step with the menu document: every edit, undo and redo redraws it
// once complete (in the middle, the records and data may be half restored), and a menu built anew
// (New, Open) is handed to it afresh, since its nodes may take the old ones' addresses. The DRM
// binary the item editor loaded is handed over once it is there.
#pragma once

#include <filesystem>

#include "app/phone_preview_dock.h"
#include "document/menu_document.h"
#include "editor/core/current_drm_binary.h"

namespace menuforge {

class PreviewDocumentLink final : public DocumentObserver {
 public:
  PreviewDocumentLink(MenuDocument& document, PhonePreviewDock& dock, const CurrentDrmBinary& drm);

  // Hands the preview the DRM binary when another one was loaded since.
  void TakeDrmBinary();

 private:
  void DocumentChanged(DocumentChange change) override;
  void DocumentGone() override;
  void Redraw();

  MenuDocument* document_;
  PhonePreviewDock& dock_;
  const CurrentDrmBinary& drm_;
  std::filesystem::path drmShown_;
};

}  // namespace menuforge
