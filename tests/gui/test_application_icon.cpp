// The window's icon is the one installed for the desktop, compiled into the program.
#include <QtTest>
#include <algorithm>

#include "app/application_icon.h"

class TestApplicationIcon : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void everyInstalledSizeIsCompiledIn() {
    const QIcon icon = menuforge::ApplicationIcon();
    QList<QSize> sizes = icon.availableSizes();
    std::ranges::sort(sizes, {}, &QSize::width);
    const QList<QSize> installed = {{16, 16}, {22, 22}, {24, 24},   {32, 32},
                                    {48, 48}, {64, 64}, {128, 128}, {256, 256}};
    QCOMPARE(sizes, installed);
    for (const QSize& size : installed) {
      // The middle of the icon is the phone's screen; a picture that cannot be read is empty.
      const QImage picture = icon.pixmap(size).toImage();
      QCOMPARE(picture.pixelColor(size.width() / 2, size.height() / 2).alpha(), 255);
    }
  }
};

QTEST_MAIN(TestApplicationIcon)
#include "test_application_icon.moc"
