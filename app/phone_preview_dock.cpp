#include "app/phone_preview_dock.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <functional>

#include "editor/language_choice.h"
#include "preview/preview_rendering.h"

namespace menuforge {

// The phone's screen at a whole multiple of its size, as large as the dock allows.
class PreviewScreen : public QWidget {
 public:
  explicit PreviewScreen(PhonePreviewDock* dock) : QWidget(dock), dock_(dock) {
    setObjectName(QStringLiteral("previewScreen"));
    setMinimumSize(128, 128);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  }

  std::function<void(QPoint)> clicked;
  std::function<void(int)> wheeled;

  int Scale() const {
    const QSize picture = dock_->picture().size();
    if (picture.isEmpty()) return 1;
    return std::max(1, std::min(width() / picture.width(), height() / picture.height()));
  }
  QRect PictureRect() const {
    const QSize size = dock_->picture().size() * Scale();
    return QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
  }
  // A point of the widget on the phone's screen.
  QPoint ScreenPoint(QPoint widgetPoint) const {
    return (widgetPoint - PictureRect().topLeft()) / Scale();
  }

 protected:
  QSize sizeHint() const override { return dock_->picture().size() * 2; }
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(PictureRect(), dock_->picture());
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && PictureRect().contains(event->position().toPoint()))
      clicked(ScreenPoint(event->position().toPoint()));
  }
  void wheelEvent(QWheelEvent* event) override {
    if (event->angleDelta().y() != 0) wheeled(event->angleDelta().y() < 0 ? 1 : -1);
  }

 private:
  PhonePreviewDock* dock_;
};

namespace {

QImage ToImage(const RgbaPicture& picture) {
  QImage image(static_cast<int>(picture.size.width), static_cast<int>(picture.size.height),
               QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    const Colour* from = picture.pixels.data() + std::size_t(y) * picture.size.width;
    for (int x = 0; x < image.width(); ++x)
      line[x] = qRgba(from[x].red, from[x].green, from[x].blue, from[x].alpha);
  }
  return image;
}

QComboBox* Choice(QWidget* parent, const QString& name, const QStringList& items, int current) {
  auto* choice = new QComboBox(parent);
  choice->setObjectName(name);
  choice->addItems(items);
  choice->setCurrentIndex(current);
  return choice;
}

}  // namespace

PhonePreviewDock::PhonePreviewDock(QWidget* parent) : QDockWidget(tr("Phone preview"), parent) {
  setObjectName(QStringLiteral("phonePreviewDock"));
  auto* body = new QWidget(this);
  screen_ = new PreviewScreen(this);
  screen_->clicked = [this](QPoint point) { OpenAt(point); };
  screen_->wheeled = [this](int pages) { TurnPage(pages); };

  QStringList sizes;
  int current = 0;
  for (std::size_t i = 0; i < kPreviewScreens.size(); ++i) {
    sizes << QString::fromStdString(ScreenSizeText(kPreviewScreens[i]));
    if (kPreviewScreens[i] == options_.screen) current = static_cast<int>(i);
  }
  sizeChoice_ = Choice(body, QStringLiteral("screenSizeChoice"), sizes, current);
  sizeChoice_->setToolTip(tr("Screen size"));
  layoutChoice_ = Choice(body, QStringLiteral("layoutChoice"), {tr("Grid"), tr("List")}, 0);
  layoutChoice_->setToolTip(tr("Main menu view"));
  languageChoice_ = MakeLanguageChoice(body, 0, screen_);
  languageChoice_->setToolTip(tr("Title language"));
  upButton_ = new QToolButton(body);
  upButton_->setObjectName(QStringLiteral("upButton"));
  upButton_->setText(tr("Up"));
  upButton_->setToolTip(tr("Show the folder above"));
  fontError_ = new QLabel(body);
  fontError_->setWordWrap(true);

  auto* choices = new QHBoxLayout;
  choices->addWidget(upButton_);
  choices->addWidget(sizeChoice_);
  choices->addWidget(layoutChoice_);
  choices->addWidget(languageChoice_, 1);
  auto* layout = new QVBoxLayout(body);
  layout->addLayout(choices);
  layout->addWidget(screen_, 1);
  layout->addWidget(fontError_);
  setWidget(body);

  connect(sizeChoice_, &QComboBox::currentIndexChanged, this, [this](int index) {
    options_.screen = kPreviewScreens[static_cast<std::size_t>(index)];
    page_ = kNoEntry;
    Redraw();
  });
  connect(layoutChoice_, &QComboBox::currentIndexChanged, this, [this](int index) {
    options_.layout = index == 0 ? PreviewLayout::Grid : PreviewLayout::List;
    page_ = kNoEntry;
    Redraw();
  });
  connect(languageChoice_, &QComboBox::currentIndexChanged, this, [this](int index) {
    options_.languageId = static_cast<std::uint8_t>(index + 1);
    Redraw();
  });
  connect(upButton_, &QToolButton::clicked, this, [this] {
    if (folder_ == nullptr || folder_->parent() == nullptr || tree_ == nullptr ||
        folder_ == tree_->menuRoot())
      return;
    const MenuNode* child = folder_;
    ShowFolder(folder_->parent(), child);
    Q_EMIT folderOpened(folder_);
  });

  const Status fontOpened = text_.Open();
  fontError_->setText(QString::fromStdString(fontOpened.errorText()));
  fontError_->setVisible(!fontOpened);
  Redraw();
}

PhonePreviewDock::~PhonePreviewDock() = default;

void PhonePreviewDock::SetMenu(const MenuTree* tree) {
  tree_ = tree;
  ShowFolder(tree_ != nullptr ? tree_->menuRoot() : nullptr);
}

void PhonePreviewDock::ShowFolder(const MenuNode* folder, const MenuNode* cursor) {
  folder_ = folder;
  cursor_ = cursor;
  page_ = kNoEntry;
  Redraw();
}

void PhonePreviewDock::SetPhoneIcons(PhoneIconSource* phone) {
  phoneIcons_ = phone;
  Redraw();
}

void PhonePreviewDock::SetDrmBinary(const DrmBinary* drm) {
  drmIcons_.SetBinary(drm);
  drmLoaded_ = drm != nullptr;
  Redraw();
}

void PhonePreviewDock::MenuChanged() { Redraw(); }

void PhonePreviewDock::IconsArrived() { Redraw(); }

bool PhonePreviewDock::InTree(const MenuNode* node) const {
  return node != nullptr && tree_ != nullptr && tree_->PositionOf(node) < tree_->NodeCount();
}

void PhonePreviewDock::Redraw() {
  if (!InTree(folder_)) {
    folder_ = tree_ != nullptr ? tree_->menuRoot() : nullptr;
    cursor_ = nullptr;
    page_ = kNoEntry;
  }
  if (folder_ == nullptr || !text_.ready()) {
    scene_ = {};
    picture_ = QImage(QSize(int(options_.screen.width), int(options_.screen.height)),
                      QImage::Format_ARGB32);
    picture_.fill(palette().color(QPalette::Window));
  } else {
    // A cursor whose entry was deleted is not looked at.
    const bool cursorHere = InTree(cursor_) && cursor_->parent() == folder_;
    scene_ = BuildScene(*tree_, *folder_, options_, cursorHere ? tree_->IndexOf(cursor_) : kNoEntry,
                        page_);
    const IconSources sources{phoneIcons_, drmLoaded_ ? &drmIcons_ : nullptr};
    picture_ = ToImage(RenderPreview(scene_, sources, text_));
    ShowFontWarnings();
  }
  upButton_->setEnabled(folder_ != nullptr && tree_ != nullptr && folder_ != tree_->menuRoot());
  screen_->updateGeometry();
  screen_->update();
}

void PhonePreviewDock::ShowFontWarnings() {
  QStringList lines;
  for (const std::string& line : text_.warnings()) lines << QString::fromStdString(line);
  fontError_->setText(lines.join(u'\n'));
  fontError_->setVisible(!lines.isEmpty());
}

void PhonePreviewDock::OpenAt(QPoint screenPoint) {
  const PreviewEntry* entry = scene_.EntryAt(screenPoint.x(), screenPoint.y());
  if (entry == nullptr || !entry->folder) return;
  const MenuNode* opened = entry->node;
  ShowFolder(opened);
  Q_EMIT folderOpened(opened);
}

void PhonePreviewDock::TurnPage(int pages) {
  if (folder_ == nullptr) return;
  const long page = static_cast<long>(scene_.page) + pages;
  if (page < 0 || page >= static_cast<long>(scene_.pageCount)) return;
  page_ = static_cast<std::size_t>(page);
  Redraw();
}

}  // namespace menuforge
