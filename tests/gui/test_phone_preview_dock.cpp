#include <QComboBox>
#include <QMainWindow>
#include <QSignalSpy>
#include <QtTest>

#include "app/phone_preview_dock.h"
#include "core/menu_test_items.h"
#include "gui/widget_lookup.h"

using namespace menuforge;
using menuforge::test::Click;
using menuforge::test::Find;

namespace {

// Answers "not yet" until told the picture has come.
class LateIcons : public PhoneIconSource {
 public:
  bool arrived = false;
  int asked = 0;
  IconLookup Find(std::u16string_view) override {
    ++asked;
    if (!arrived) return {IconStatus::Waiting, nullptr};
    RgbaPicture picture{{4, 4}, std::vector<Colour>(16, Colour{255, 255, 0, 0})};
    return {IconStatus::Ready, std::make_shared<const RgbaPicture>(picture)};
  }
};

}  // namespace

class TestPhonePreviewDock : public QObject {
  Q_OBJECT

 private:
  MenuTree tree_;
  MenuNode* folder_ = nullptr;
  std::unique_ptr<PhonePreviewDock> dock_;

  // Clicks the middle of a cell of the page, on the widget as the user sees it scaled.
  void ClickCell(std::size_t cell) {
    QWidget* screen = Find<QWidget>(*dock_, "previewScreen");
    const QSize picture = dock_->picture().size();
    const int scale = std::max(
        1, std::min(screen->width() / picture.width(), screen->height() / picture.height()));
    const QPoint offset((screen->width() - picture.width() * scale) / 2,
                        (screen->height() - picture.height() * scale) / 2);
    const Rect r = dock_->scene().layout.cells[cell].cell;
    QTest::mouseClick(screen, Qt::LeftButton, {},
                      offset + QPoint(r.x + r.width / 2, r.y + r.height / 2) * scale);
  }

 private Q_SLOTS:
  void init() {
    tree_ = test::NewMenu();
    test::AddLast(tree_, *tree_.menuRoot(), "A");
    folder_ = test::AddLast(tree_, *tree_.menuRoot(), "B");
    test::AddLast(tree_, *folder_, "B1");
    test::AttachData(tree_, *tree_.menuRoot()->children()[0],
                     test::Titles(TitleList::Menu, {{1, u"Games"}, {6, u"Jeux"}}));
    dock_ = std::make_unique<PhonePreviewDock>();
    dock_->resize(420, 600);
    dock_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dock_.get()));
    dock_->SetMenu(&tree_);
  }

  void choosersRedraw() {
    QCOMPARE(dock_->picture().size(), QSize(176, 220));
    QCOMPARE(dock_->scene().entries.size(), std::size_t{2});
    Find<QComboBox>(*dock_, "screenSizeChoice")->setCurrentIndex(3);
    QCOMPARE(dock_->picture().size(), QSize(240, 320));
    Find<QComboBox>(*dock_, "layoutChoice")->setCurrentIndex(1);
    QCOMPARE(dock_->scene().layout.layout, PreviewLayout::List);
    Find<QComboBox>(*dock_, "languageChoice")->setCurrentIndex(5);
    QCOMPARE(dock_->scene().entries[0].title.text, std::u16string(u"Jeux"));
  }

  // At the window's starting size the window grows for the dock; another screen size leaves the
  // dock's width alone; its choices come back, and nonsense ones as the defaults.
  void inAWindowItMakesRoomKeepsItsWidthAndComesBack() {
    QMainWindow window;
    window.setCentralWidget(new QWidget);
    window.resize(603, 535);
    auto* dock = new PhonePreviewDock(&window);
    window.addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->hide();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    dock->Restore({true, 0, 2, 1, 4});
    QTRY_VERIFY(window.centralWidget()->width() >= 440);
    const int width = dock->width();
    Find<QComboBox>(*dock, "screenSizeChoice")->setCurrentIndex(3);
    QCoreApplication::processEvents();
    QCOMPARE(dock->width(), width);
    QCOMPARE(dock->State(), (PreviewDockState{true, width, 3, 1, 4}));
    dock->Restore({false, 0, 9, 7, 99});
    PreviewDockState defaults = dock->State();
    defaults.width = 0;
    QCOMPARE(defaults, PreviewDockState{});
  }

  void clickOpensFolderAndUpGoesBack() {
    QSignalSpy opened(dock_.get(), &PhonePreviewDock::folderOpened);
    ClickCell(0);  // "A" is no folder
    QCOMPARE(opened.count(), 0);
    ClickCell(1);
    QCOMPARE(opened.count(), 1);
    QCOMPARE(opened.at(0).at(0).value<const MenuNode*>(), folder_);
    QCOMPARE(dock_->folder(), folder_);
    QCOMPARE(dock_->scene().folderTitle, std::u16string(u"B"));
    Click(*dock_, "upButton");
    QCOMPARE(dock_->folder(), tree_.menuRoot());
    QCOMPARE(opened.count(), 2);
  }

  void followsEditsAndResets() {
    dock_->ShowFolder(folder_);
    const QImage before = dock_->picture();
    test::AttachData(tree_, *folder_->children()[0],
                     test::Titles(TitleList::Menu, {{1, u"Tools"}}));
    dock_->MenuChanged();
    QVERIFY(dock_->picture() != before);
    QCOMPARE(dock_->scene().entries[0].title.text, std::u16string(u"Tools"));
    // A menu built anew may reuse the old nodes' addresses, so it is handed over again.
    EmptyTree(tree_);
    BuildSkeleton(tree_);
    dock_->SetMenu(&tree_);
    QCOMPARE(dock_->folder(), tree_.menuRoot());
    QVERIFY(dock_->scene().entries.empty());
  }

  void iconsThatComeLaterNeverBlock() {
    test::AttachData(tree_, *tree_.menuRoot()->children()[0], [] {
      ItemDataRecord record;
      record.slots.push_back(ChunkSlot::FileIcon(kListIcon, u"/a/late.gif"));
      return record;
    }());
    LateIcons icons;
    dock_->SetPhoneIcons(&icons);
    QVERIFY(icons.asked > 0);
    const QImage waiting = dock_->picture();
    icons.arrived = true;
    dock_->IconsArrived();
    QVERIFY(dock_->picture() != waiting);
    const Rect box = dock_->scene().layout.cells[0].icon;
    QCOMPARE(dock_->picture().pixel(box.x + box.width / 2, box.y + box.height / 2),
             qRgb(255, 0, 0));
    dock_->SetPhoneIcons(nullptr);
  }
};

QTEST_MAIN(TestPhonePreviewDock)
#include "test_phone_preview_dock.moc"
