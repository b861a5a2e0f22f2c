// A dock beside the tree that shows a folder of the menu as the phone will draw it, in a chosen
// screen size, layout and title language. It watches nothing itself: its owner says which
// menu and folder to show and calls MenuChanged after every edit (SetMenu again when the menu is
// built anew, since new nodes may take the old ones' addresses), and it says when the user opens
// a folder in it.
#pragma once

#include <QDockWidget>
#include <QImage>
#include <memory>

#include "menu/menu_tree.h"
#include "pictures/drm_binary.h"
#include "preview/icon_sources.h"
#include "preview/preview_scene.h"
#include "preview/text_drawing.h"

class QComboBox;
class QLabel;
class QToolButton;

namespace menuforge {

class PreviewScreen;

class PhonePreviewDock : public QDockWidget {
  Q_OBJECT

 public:
  explicit PhonePreviewDock(QWidget* parent = nullptr);
  ~PhonePreviewDock() override;

  // The menu to show, or nullptr for none; the dock never changes it. Shows its main menu.
  void SetMenu(const MenuTree* tree);
  // A folder of that menu, with the page of `cursor` (one of its entries, or nullptr).
  void ShowFolder(const MenuNode* folder, const MenuNode* cursor = nullptr);
  // Where icons come from: files on the phone (the source may answer "not yet"; nullptr for
  // none) and the DRM binary loaded (nullptr for none). Both must outlive their use here.
  void SetPhoneIcons(PhoneIconSource* phone);
  void SetDrmBinary(const DrmBinary* drm);

  const MenuNode* folder() const { return folder_; }
  const PreviewOptions& options() const { return options_; }
  const QImage& picture() const { return picture_; }
  const PreviewScene& scene() const { return scene_; }

 public Q_SLOTS:
  // The menu changed in any way (an edit, undo, Open, New): draws again from the tree. Call it
  // before the event loop runs again, as the preview holds on to the entries it drew. A folder
  // that is gone gives way to the main menu.
  void MenuChanged();
  // The phone's icon source has pictures it answered "not yet" for.
  void IconsArrived();

 Q_SIGNALS:
  // The user opened a folder in the preview (a click on it, or "Up").
  void folderOpened(const MenuNode* folder);

 private:
  void Redraw();
  // Scripts drawn as boxes for want of a font, in the place a missing font is told of.
  void ShowFontWarnings();
  void OpenAt(QPoint screenPoint);
  void TurnPage(int pages);
  bool InTree(const MenuNode* node) const;

  const MenuTree* tree_ = nullptr;
  const MenuNode* folder_ = nullptr;
  const MenuNode* cursor_ = nullptr;
  std::size_t page_ = kNoEntry;  // a page turned to by the wheel
  PreviewOptions options_;
  PhoneIconSource* phoneIcons_ = nullptr;
  DrmIcons drmIcons_;
  bool drmLoaded_ = false;
  TextDrawing text_;
  PreviewScene scene_;
  QImage picture_;

  QComboBox* sizeChoice_ = nullptr;
  QComboBox* layoutChoice_ = nullptr;
  QComboBox* languageChoice_ = nullptr;
  QToolButton* upButton_ = nullptr;
  PreviewScreen* screen_ = nullptr;
  QLabel* fontError_ = nullptr;
};

}  // namespace menuforge
