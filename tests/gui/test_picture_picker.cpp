// The "Picture Picker" against the simulated phone, offscreen: its views kept in step with the
// file operations, its dialogs, its previews and its result.
#include "browser/picture_picker_dialog.h"

#include <QBuffer>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include "gui/accessible_names.h"
#include "gui/main_window_fixture.h"
#include "gui/scripted_browser_prompts.h"
#include "gui/widget_lookup.h"
#include "support/phone_test_rig.h"

using namespace menuforge;
using menuforge::test::Click;
using menuforge::test::ClickIndicator;
using menuforge::test::Find;

namespace {

constexpr char kPictureFolder[] = "/a/p";
const std::vector<std::string> kFolderFiles = {"four.png", "one.gif", "three.gif", "two.gif"};

Bytes PngBytes() {
  QImage image(8, 8, QImage::Format_ARGB32);
  image.fill(Qt::red);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return Bytes(png.begin(), png.end());
}

QStringList Column(QTreeWidget* list, int column) {
  QStringList texts;
  for (int row = 0; row < list->topLevelItemCount(); ++row)
    texts << list->topLevelItem(row)->text(column);
  return texts;
}

}  // namespace

class PicturePickerTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { test::DropOffscreenNotices(); }
  void init();
  void cleanup();

  void uploadIntoATypedFolderAndDownloadAgain();
  void uploadToTheRootWithoutUsePathIsRefused();
  void afterAnUploadTheFolderIsShownAsWhenChosen();
  void systemOnlyOnThreeFilesGivesS();
  void yesToAllOnTheSecondQuestionDeletesTheRest();
  void deletingAnEmptyFolderAsksNothing();
  void aRefusedCommandStopsAtItsFile_data();
  void aRefusedCommandStopsAtItsFile();
  void previewsComeOneAtATimeAndStay();
  void aCancelledTransferKeepsTheOldFiles_data();
  void aCancelledTransferKeepsTheOldFiles();
  void okGivesThePathAndCancelEmptiesIt();
  void namesComeInNaturalOrderAndOkRefusesWhatTheEditorWould();

 private:
  void Open();
  void SelectFolder(const char* path);
  void SelectAllRows();
  QTreeWidgetItem* FolderItem(const char* path) const;
  template <typename T>
  T* Child(const char* name) const {
    return Find<T>(*dialog_, name);
  }
  void Trigger(const char* action) { Child<QAction>(action)->trigger(); }
  QStringList Rows() const { return Column(Child<QTreeWidget>("fileList"), 0); }
  std::vector<std::filesystem::path> LocalFiles(const std::vector<std::string>& names);

  std::unique_ptr<test::PhoneRig> rig_;
  BrowserRunState state_;
  PicturePreviews previews_;
  test::ScriptedBrowserPrompts prompts_;
  std::unique_ptr<PicturePickerDialog> dialog_;
};

void PicturePickerTest::init() {
  rig_ = std::make_unique<test::PhoneRig>();
  for (const std::string& name : kFolderFiles)
    rig_->PutPhoneFile(std::string(kPictureFolder) + "/" + name,
                       name.ends_with(".png") ? PngBytes() : test::RandomBytes(700, name.size()));
  state_ = {};
  previews_.Clear();
  prompts_ = {};
}

void PicturePickerTest::cleanup() {
  dialog_.reset();
  rig_.reset();
}

void PicturePickerTest::Open() {
  FetchFileList(rig_->link.session, rig_->windows, rig_->dialogs);
  dialog_ = std::make_unique<PicturePickerDialog>(nullptr, rig_->link, state_, previews_, prompts_);
  dialog_->show();
  QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
  QCOMPARE(test::UnnamedControls(*dialog_), QStringList());
}

QTreeWidgetItem* PicturePickerTest::FolderItem(const char* path) const {
  auto* tree = Child<QTreeWidget>("folderTree");
  for (QTreeWidgetItemIterator it(tree); *it; ++it)
    if ((*it)->data(0, Qt::UserRole).toByteArray() == path) return *it;
  return nullptr;
}

void PicturePickerTest::SelectFolder(const char* path) {
  QTreeWidgetItem* item = FolderItem(path);
  QVERIFY2(item != nullptr, path);
  Child<QTreeWidget>("folderTree")->setCurrentItem(item);
}

void PicturePickerTest::SelectAllRows() {
  auto* list = Child<QTreeWidget>("fileList");
  list->setFocus();
  QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
}

std::vector<std::filesystem::path> PicturePickerTest::LocalFiles(
    const std::vector<std::string>& names) {
  std::vector<std::filesystem::path> files;
  for (std::size_t i = 0; i < names.size(); ++i) {
    files.push_back(rig_->folder / names[i]);
    test::WriteFileBytes(files.back(), test::RandomBytes(1000 + 700 * i, 10 + i));
  }
  return files;
}

void PicturePickerTest::uploadIntoATypedFolderAndDownloadAgain() {
  // A folder without files has no node.
  std::filesystem::create_directories(rig_->PhonePath("/e/new/deep"));
  Open();
  SelectFolder("/a");
  ClickIndicator(*dialog_, "usePathBox");
  auto* field = Child<QLineEdit>("usePathField");
  QCOMPARE(field->text(), QStringLiteral("/a/"));
  field->clear();
  QTest::keyClicks(field, QStringLiteral("/e/new/deep"));
  QVERIFY(!FolderItem("/e/new"));
  const auto files = LocalFiles({"x.gif", "y.gif", "z.gif"});
  prompts_.openFiles.push_back(files);
  Trigger("uploadAction");
  QVERIFY(prompts_.shown.empty());
  QVERIFY(FolderItem("/e/new/deep"));
  for (const auto& file : files)
    QCOMPARE(rig_->PhoneFile("/e/new/deep/" + file.filename().string()), test::ReadFileBytes(file));

  SelectFolder("/e/new/deep");
  QCOMPARE(Rows(), (QStringList{"x.gif", "y.gif", "z.gif"}));
  SelectAllRows();
  const std::filesystem::path downloads = rig_->folder / "downloads";
  std::filesystem::create_directories(downloads);
  prompts_.folders.push_back(downloads);
  Trigger("downloadAction");
  QVERIFY(prompts_.shown.empty());
  for (const auto& file : files)
    QCOMPARE(test::ReadFileBytes(downloads / file.filename()), test::ReadFileBytes(file));
  QCOMPARE(state_.lastDownloadFolder, downloads);
}

void PicturePickerTest::uploadToTheRootWithoutUsePathIsRefused() {
  Open();
  SelectFolder("");
  QVERIFY(Child<QTreeWidget>("folderTree")->selectedItems().isEmpty());
  prompts_.openFiles.push_back(LocalFiles({"x.gif"}));
  Trigger("uploadAction");
  QCOMPARE(prompts_.shown,
           (std::vector<Message>{{"Target directory not specified", "Error", MessageIcon::Error}}));
}

void PicturePickerTest::afterAnUploadTheFolderIsShownAsWhenChosen() {
  Open();
  SelectFolder(kPictureFolder);
  auto* list = Child<QTreeWidget>("fileList");
  list->setCurrentItem(list->topLevelItem(0));
  QCOMPARE(Child<QLineEdit>("iconPathField")->text(), "/a/p/" + list->topLevelItem(0)->text(0));
  ClickIndicator(*dialog_, "usePathBox");
  auto* field = Child<QLineEdit>("usePathField");
  field->clear();
  QTest::keyClicks(field, QStringLiteral("/a/"));
  prompts_.openFiles.push_back(LocalFiles({"x.gif"}));
  Trigger("uploadAction");
  QVERIFY(prompts_.shown.empty());
  QCOMPARE(Child<QLineEdit>("iconPathField")->text(), QString());
  QCOMPARE(field->text(), QStringLiteral("/a/p/"));
  QVERIFY(Child<QTreeWidget>("fileList")->selectedItems().isEmpty());
}

void PicturePickerTest::systemOnlyOnThreeFilesGivesS() {
  Open();
  SelectFolder(kPictureFolder);
  auto* list = Child<QTreeWidget>("fileList");
  for (int row = 1; row < 4; ++row) list->topLevelItem(row)->setSelected(true);
  prompts_.scripts.push_back([](QDialog& dialog) {
    QVERIFY(!Find<QCheckBox>(dialog, "readOnlyBox")->isChecked());
    ClickIndicator(dialog, "systemBox");
    Click(dialog, "okButton");
  });
  Trigger("attributesAction");
  QCOMPARE(prompts_.modalTitles, QStringList{"Set file attributes"});
  QCOMPARE(Column(list, 2), (QStringList{"[]", "[S]", "[S]", "[S]"}));
  for (const char* name : {"one.gif", "three.gif", "two.gif"})
    QCOMPARE(rig_->storage.Attributes(std::string(kPictureFolder) + "/" + name), kAttributeSystem);
}

void PicturePickerTest::yesToAllOnTheSecondQuestionDeletesTheRest() {
  Open();
  SelectFolder(kPictureFolder);
  SelectAllRows();
  QStringList questions;
  for (const char* button : {"yesButton", "yesToAllButton"})
    prompts_.scripts.push_back([&questions, button](QDialog& dialog) {
      questions << Find<QLabel>(dialog, "questionLabel")->text();
      Click(dialog, button);
    });
  Trigger("deleteAction");
  QCOMPARE(questions, (QStringList{"Delete four.png", "Delete one.gif"}));
  QVERIFY(prompts_.scripts.empty());
  QVERIFY(Rows().isEmpty());
  QVERIFY(std::filesystem::is_empty(rig_->PhonePath(kPictureFolder)));
  QVERIFY(rig_->link.session.fileList().empty());
}

void PicturePickerTest::deletingAnEmptyFolderAsksNothing() {
  Open();
  SelectFolder(kPictureFolder);
  prompts_.inputs.push_back(u"empty");
  Trigger("createFolderAction");
  QVERIFY(std::filesystem::is_directory(rig_->PhonePath("/a/p/empty")));
  QCOMPARE(Child<QTreeWidget>("folderTree")->currentItem(), FolderItem("/a/p/empty"));
  Trigger("deleteFolderAction");
  QVERIFY(prompts_.asked.empty());
  QVERIFY(prompts_.modalTitles.isEmpty());
  QVERIFY(!FolderItem("/a/p/empty"));
  QVERIFY(!std::filesystem::exists(rig_->PhonePath("/a/p/empty")));
}

void PicturePickerTest::aRefusedCommandStopsAtItsFile_data() {
  QTest::addColumn<int>("call");
  QTest::addColumn<QString>("action");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QStringList>("rows");
  QTest::addColumn<QStringList>("attributes");
  const QStringList all{"four.png", "one.gif", "three.gif", "two.gif"};
  QTest::newRow("upload") << static_cast<int>(PhoneCall::FsacSeek) << "uploadAction"
                          << "Error writing /a/p/y.gif" << (all + QStringList{"x.gif"})
                          << QStringList{"[]", "[]", "[]", "[]", "[]"};
  QTest::newRow("delete") << static_cast<int>(PhoneCall::DeleteFile) << "deleteAction"
                          << "Error deleting /a/p/one.gif"
                          << QStringList{"one.gif", "three.gif", "two.gif"}
                          << QStringList{"[]", "[]", "[]"};
  QTest::newRow("attributes") << static_cast<int>(PhoneCall::CreateFile) << "attributesAction"
                              << "Error changing attributes for /a/p/one.gif" << all
                              << QStringList{"[H]", "[]", "[]", "[]"};
}

void PicturePickerTest::aRefusedCommandStopsAtItsFile() {
  QFETCH(int, call);
  QFETCH(QString, action);
  QFETCH(QString, message);
  QFETCH(QStringList, rows);
  QFETCH(QStringList, attributes);
  rig_->Replug(test::Refusing(static_cast<PhoneCall>(call), 2));
  Open();
  SelectFolder(kPictureFolder);
  SelectAllRows();
  prompts_.openFiles.push_back(LocalFiles({"x.gif", "y.gif", "z.gif"}));
  prompts_.scripts.push_back([](QDialog& dialog) {
    if (dialog.windowTitle() == QStringLiteral("Set file attributes"))
      ClickIndicator(dialog, "hiddenBox");
    Click(dialog,
          dialog.windowTitle() == QStringLiteral("Confirmation") ? "yesToAllButton" : "okButton");
  });
  Trigger(action.toLatin1().constData());
  QCOMPARE(prompts_.shown,
           (std::vector<Message>{{message.toStdString(), "Error", MessageIcon::Error}}));
  QCOMPARE(Rows(), rows);
  QCOMPARE(Column(Child<QTreeWidget>("fileList"), 2), attributes);
  QCOMPARE(static_cast<int>(rig_->link.session.fileList().size()), rows.size());
}

void PicturePickerTest::previewsComeOneAtATimeAndStay() {
  rig_->PutPhoneFile("/a/p/broken.gif", Bytes{'n', 'o'});
  Open();
  SelectFolder(kPictureFolder);
  QVERIFY(!previews_.Known("/a/p/four.png"));
  // A turn of the event loop reads one block of one preview: a fetch takes several turns.
  int turns = 0;
  for (; !previews_.Known("/a/p/broken.gif") && turns < 100; ++turns)
    QCoreApplication::processEvents();
  QVERIFY(turns > 1);
  QVERIFY(!previews_.Known("/a/p/four.png"));
  QTRY_VERIFY(previews_.Known("/a/p/two.gif"));
  const auto pixel = [&](int row) {
    const QTreeWidgetItem* item = Child<QTreeWidget>("fileList")->topLevelItem(row);
    return item->icon(0).pixmap(16).toImage().pixel(8, 8);
  };
  QCOMPARE(Rows().at(1), QStringLiteral("four.png"));
  QCOMPARE(QColor(pixel(1)), QColor(Qt::red));
  QCOMPARE(qAlpha(pixel(0)), 0);

  // The next opening shows them without asking the phone again.
  const auto reads = [this] {
    const std::vector<std::string> lines = rig_->LogLines();
    return std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
      return line.starts_with("[P2KFileRead] Enter");
    });
  };
  const auto readsBefore = reads();
  dialog_.reset();
  Open();
  SelectFolder(kPictureFolder);
  QCoreApplication::processEvents();
  QCOMPARE(QColor(pixel(1)), QColor(Qt::red));
  QCOMPARE(reads(), readsBefore);
}

void PicturePickerTest::aCancelledTransferKeepsTheOldFiles_data() {
  QTest::addColumn<bool>("upload");
  QTest::addColumn<int>("files");
  QTest::newRow("upload one") << true << 1;
  QTest::newRow("upload several") << true << 2;
  QTest::newRow("download one") << false << 1;
  QTest::newRow("download several") << false << 2;
}

void PicturePickerTest::aCancelledTransferKeepsTheOldFiles() {
  QFETCH(bool, upload);
  QFETCH(int, files);
  const Bytes onPhone = test::RandomBytes(5000, 1);
  const Bytes local = test::RandomBytes(5000, 2);
  std::vector<std::filesystem::path> locals;
  for (int i = 0; i < files; ++i) {
    const std::string name = "big" + std::to_string(i) + ".bin";
    rig_->PutPhoneFile("/a/c/" + name, onPhone);
    locals.push_back(rig_->folder / name);
    test::WriteFileBytes(locals.back(), local);
  }
  Open();
  SelectFolder("/a/c");
  // Cancel is pressed as soon as the progress window shows it, after the first block.
  QTimer presser;
  connect(&presser, &QTimer::timeout, [&] {
    if (auto* cancel = dialog_->findChild<QPushButton*>("cancelTransferButton");
        cancel && cancel->isVisible()) {
      cancel->click();
      presser.stop();
    }
  });
  presser.start(0);
  if (upload) {
    prompts_.openFiles.push_back(locals);
    Trigger("uploadAction");
  } else {
    SelectAllRows();
    prompts_.savePaths.push_back(locals.front());
    prompts_.folders.push_back(rig_->folder.path());
    Trigger("downloadAction");
  }
  QVERIFY(!presser.isActive());
  QVERIFY(prompts_.shown.empty());
  for (int i = 0; i < files; ++i) {
    QCOMPARE(rig_->PhoneFile("/a/c/" + locals[i].filename().string()), onPhone);
    QCOMPARE(test::ReadFileBytes(locals[i]), local);
  }
}

void PicturePickerTest::okGivesThePathAndCancelEmptiesIt() {
  Open();
  QVERIFY(Child<QAction>("byMaskAction")->isEnabled());
  SelectFolder(kPictureFolder);
  Child<QTreeWidget>("fileList")->topLevelItem(2)->setSelected(true);
  QCOMPARE(Child<QLineEdit>("iconPathField")->text(), QStringLiteral("/a/p/three.gif"));
  Click(*dialog_, "okButton");
  QCOMPARE(state_.pickedPath, u"/a/p/three.gif");
  dialog_->show();
  Click(*dialog_, "cancelButton");
  QCOMPARE(state_.pickedPath, u"");
}

void PicturePickerTest::namesComeInNaturalOrderAndOkRefusesWhatTheEditorWould() {
  for (const char* name : {"icon_10.gif", "my icon.gif", "icon_2.gif", "icon_1.gif"})
    rig_->PutPhoneFile(std::string("/a/q/") + name, test::RandomBytes(10, 1));
  Open();
  SelectFolder("/a/q");
  QCOMPARE(Rows(), QStringList({"icon_1.gif", "icon_2.gif", "icon_10.gif", "my icon.gif"}));
  auto* list = Child<QTreeWidget>("fileList");
  QCOMPARE(list->topLevelItem(0)->toolTip(0), QString());
  QCOMPARE(list->topLevelItem(3)->toolTip(0),
           QStringLiteral("Cannot be used as an icon path: Invalid character in file name"));

  list->topLevelItem(3)->setSelected(true);
  Click(*dialog_, "okButton");
  QVERIFY(dialog_->isVisible());
  QCOMPARE(prompts_.shown.size(), std::size_t{1});
  QCOMPARE(prompts_.shown[0].text,
           "\"/a/q/my icon.gif\"\r\nCannot be used as an icon path: Invalid character in file "
           "name\r\nRename the file on the phone, or choose another");
  QCOMPARE(state_.pickedPath, u"");
  list->clearSelection();
  list->topLevelItem(2)->setSelected(true);
  Click(*dialog_, "okButton");
  QCOMPARE(state_.pickedPath, u"/a/q/icon_10.gif");
}

QTEST_MAIN(PicturePickerTest)
#include "test_picture_picker.moc"
