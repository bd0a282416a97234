#include "dialogs/cdlgframelesswindow.h"

#include <QPainter>
#include <QtTest>

namespace {

// The nine regions of a picture with 50-pixel corners, row by row.
QVector<QRect> nineRegions(const QSize &size)
{
    const int xs[] = {0, 50, size.width() - 50, size.width()};
    const int ys[] = {0, 50, size.height() - 50, size.height()};
    QVector<QRect> regions;
    for (int i = 0; i < 9; ++i)
        regions << QRect(QPoint(xs[i % 3], ys[i / 3]), QPoint(xs[i % 3 + 1] - 1, ys[i / 3 + 1] - 1));
    return regions;
}

QColor regionColour(int region)
{
    return QColor(40 + region % 3 * 80, 40 + region / 3 * 80, 200);
}

QImage nineColourPicture()
{
    QImage image(460, 270, QImage::Format_ARGB32);
    QPainter painter(&image);
    for (int i = 0; i < 9; ++i)
        painter.fillRect(nineRegions(image.size()).at(i), regionColour(i));
    return image;
}

} // namespace

class TestCDlgFramelessWindow : public QObject
{
    Q_OBJECT

private slots:
    void nineSliceKeepsCornersAndStretchesTheRest_data();
    void nineSliceKeepsCornersAndStretchesTheRest();
    void paintsBackgroundInsideShadowMargins();
};

void TestCDlgFramelessWindow::nineSliceKeepsCornersAndStretchesTheRest_data()
{
    QTest::addColumn<QSize>("target");
    QTest::newRow("larger") << QSize(500, 320);
    QTest::newRow("corners only") << QSize(100, 100);
}

void TestCDlgFramelessWindow::nineSliceKeepsCornersAndStretchesTheRest()
{
    QFETCH(QSize, target);
    const QPixmap source = QPixmap::fromImage(nineColourPicture());
    const QImage image = CDlgFramelessWindow::scaleNineSlice(source, 50, 50, target.width(), target.height()).toImage();
    QCOMPARE(image.size(), target);
    // Each of the nine regions of the result, its corners and its centre,
    // shows the colour of the matching source region: the corners stay 50
    // pixels, the edges and the centre take the rest.
    for (int i = 0; i < 9; ++i) {
        const QRect region = nineRegions(target).at(i);
        for (const QPoint &point : {region.topLeft(), region.bottomRight(), region.center()}) {
            if (!region.isEmpty())
                QCOMPARE(image.pixelColor(point), regionColour(i));
        }
    }
}

void TestCDlgFramelessWindow::paintsBackgroundInsideShadowMargins()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bg.png"));
    const QImage picture = nineColourPicture();
    QVERIFY(picture.save(file));
    CDlgFramelessWindow window;
    window.resize(460, 270);
    window.setBackground(file);
    window.setShadow(10, 10, 10, 10);
    window.setGraphicsEffect(nullptr); // the picture itself, without the blur
    QCOMPARE(window.size(), QSize(480, 290));
    const QImage shot = window.grab().toImage();
    QCOMPARE(shot.pixelColor(10, 10), picture.pixelColor(0, 0));
    QCOMPARE(shot.pixelColor(469, 279), picture.pixelColor(459, 269));
    // The window's shape follows the picture where it is drawn, so its far
    // edges are not cut away by the shadow margins.
    QVERIFY(window.mask().contains(QPoint(469, 279)));
    QVERIFY(window.mask().contains(QPoint(10, 10)));
    QVERIFY(!window.mask().contains(QPoint(5, 5)));
}

QTEST_MAIN(TestCDlgFramelessWindow)
#include "tst_cdlgframelesswindow.moc"
