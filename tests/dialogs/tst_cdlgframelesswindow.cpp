#include "dialogs/cdlgframelesswindow.h"
#include "dialogtesthelpers.h"

#include <QGraphicsDropShadowEffect>
#include <QPainter>
#include <QtTest>

namespace {

QColor regionColour(int row, int col)
{
    return QColor(40 + col * 80, 40 + row * 80, 200);
}

// A picture whose nine regions (50-pixel corners) each have their own colour.
QPixmap nineColourPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    const int xs[] = {0, 50, width - 50, width};
    const int ys[] = {0, 50, height - 50, height};
    QPainter painter(&image);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRect region(QPoint(xs[col], ys[row]), QPoint(xs[col + 1] - 1, ys[row + 1] - 1));
            painter.fillRect(region, regionColour(row, col));
        }
    }
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace

class TestCDlgFramelessWindow : public QObject
{
    Q_OBJECT

private slots:
    void isFramelessAndTranslucent();
    void nineSliceKeepsCornersAndStretchesTheRest_data();
    void nineSliceKeepsCornersAndStretchesTheRest();
    void shadowOffsetAndGrowth_data();
    void shadowOffsetAndGrowth();
    void negativeShadowLeavesWindowUnchanged();
    void paintsBackgroundInsideShadowMargins();
    void dragging_data();
    void dragging();
};

void TestCDlgFramelessWindow::isFramelessAndTranslucent()
{
    CDlgFramelessWindow window;
    // The window system adds the window type; no other hint is set.
    QCOMPARE(window.windowFlags() & ~Qt::WindowType_Mask, Qt::WindowFlags(Qt::FramelessWindowHint));
    QVERIFY(window.testAttribute(Qt::WA_TranslucentBackground));

    // With a parent it stays a window of its own, not a child painted inside.
    QWidget owner;
    CDlgFramelessWindow owned(&owner);
    QVERIFY(owned.isWindow());
    QVERIFY(owned.windowFlags() & Qt::FramelessWindowHint);
}

void TestCDlgFramelessWindow::nineSliceKeepsCornersAndStretchesTheRest_data()
{
    QTest::addColumn<QSize>("target");
    QTest::newRow("larger") << QSize(500, 320);
    QTest::newRow("smaller") << QSize(300, 200);
    QTest::newRow("corners only") << QSize(100, 100);
}

void TestCDlgFramelessWindow::nineSliceKeepsCornersAndStretchesTheRest()
{
    QFETCH(QSize, target);
    const QPixmap source = nineColourPicture(460, 270);
    const QPixmap result = CDlgFramelessWindow::scaleNineSlice(source, 50, 50, target.width(), target.height());
    QCOMPARE(result.size(), target);

    // Each of the nine regions of the result, its corners and its centre,
    // shows the colour of the matching source region: the corners stay 50
    // pixels, the edges and the centre take the rest.
    const int xs[] = {0, 50, target.width() - 50, target.width()};
    const int ys[] = {0, 50, target.height() - 50, target.height()};
    const QImage image = result.toImage();
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRect region(QPoint(xs[col], ys[row]), QPoint(xs[col + 1] - 1, ys[row + 1] - 1));
            if (region.isEmpty())
                continue;
            const QColor expected = regionColour(row, col);
            for (const QPoint &point : {region.topLeft(), region.bottomRight(), region.center()})
                QCOMPARE(image.pixelColor(point), expected);
        }
    }
}

void TestCDlgFramelessWindow::shadowOffsetAndGrowth_data()
{
    QTest::addColumn<QList<int>>("margins");
    QTest::addColumn<QPointF>("offset");
    QTest::newRow("all sides") << QList<int>{10, 10, 10, 10} << QPointF(0, 0);
    QTest::newRow("right and bottom") << QList<int>{0, 0, 5, 5} << QPointF(5, 5);
    QTest::newRow("left only") << QList<int>{6, 0, 0, 0} << QPointF(0, 0);
}

void TestCDlgFramelessWindow::shadowOffsetAndGrowth()
{
    QFETCH(QList<int>, margins);
    QFETCH(QPointF, offset);
    CDlgFramelessWindow window;
    window.resize(300, 200);
    window.setShadow(margins[0], margins[1], margins[2], margins[3]);

    auto *shadow = qobject_cast<QGraphicsDropShadowEffect *>(window.graphicsEffect());
    QVERIFY(shadow);
    QCOMPARE(shadow->offset(), offset);
    QCOMPARE(window.size(), QSize(300 + margins[0] + margins[2], 200 + margins[1] + margins[3]));
}

void TestCDlgFramelessWindow::negativeShadowLeavesWindowUnchanged()
{
    CDlgFramelessWindow window;
    window.resize(300, 200);
    window.setShadow(10, -1, 10, 10);
    QCOMPARE(window.size(), QSize(300, 200));
    QVERIFY(!window.graphicsEffect());
}

void TestCDlgFramelessWindow::paintsBackgroundInsideShadowMargins()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("bg.png"));
    QVERIFY(nineColourPicture(460, 270).save(file));

    CDlgFramelessWindow window;
    window.resize(460, 270);
    window.setBackground(file);
    window.setShadow(10, 10, 10, 10);
    window.setGraphicsEffect(nullptr); // the picture itself, without the blur

    const QImage shot = window.grab().toImage();
    QCOMPARE(shot.pixelColor(10, 10), nineColourPicture(460, 270).toImage().pixelColor(0, 0));
    QCOMPARE(shot.pixelColor(469, 279), nineColourPicture(460, 270).toImage().pixelColor(459, 269));
    // The window's shape follows the picture where it is drawn, so its far
    // edges are not cut away by the shadow margins.
    QVERIFY(window.mask().contains(QPoint(469, 279)));
    QVERIFY(window.mask().contains(QPoint(10, 10)));
    QVERIFY(!window.mask().contains(QPoint(5, 5)));
}

void TestCDlgFramelessWindow::dragging_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QPoint>("moved");
    QTest::newRow("left button drags") << int(Qt::LeftButton) << QPoint(60, 35) << QPoint(60, 35);
    QTest::newRow("right button does not") << int(Qt::RightButton) << QPoint(60, 35) << QPoint(0, 0);
}

void TestCDlgFramelessWindow::dragging()
{
    QFETCH(int, button);
    QFETCH(QPoint, delta);
    QFETCH(QPoint, moved);
    CDlgFramelessWindow window;
    window.resize(300, 200);
    window.move(200, 150);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(DialogTest::drag(&window, Qt::MouseButton(button), delta), moved);

    // After the release, moving with no button held leaves the window alone.
    const QPoint before = window.pos();
    DialogTest::sendMouse(&window, QEvent::MouseMove, window.pos() + QPoint(90, 90), Qt::NoButton, Qt::NoButton);
    QCOMPARE(window.pos(), before);
}

QTEST_MAIN(TestCDlgFramelessWindow)
#include "tst_cdlgframelesswindow.moc"
