// The window's icon is the one installed for the desktop, compiled into the program.
#include <QtTest>

#include "app/application_icon.h"

class TestApplicationIcon : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void everyInstalledSizeIsCompiledIn() {
    const QIcon icon = menuforge::ApplicationIcon();
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
      const QImage picture = icon.pixmap(QSize(size, size)).toImage();
      QCOMPARE(picture.size(), QSize(size, size));
      // The middle of the icon is the phone's screen; a picture that failed to load is empty.
      QCOMPARE(picture.pixelColor(size / 2, size / 2).alpha(), 255);
    }
  }
};

QTEST_MAIN(TestApplicationIcon)
#include "test_application_icon.moc"
