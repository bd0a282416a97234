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
    void paintsBackgroundInsideShadowMargins_data()
    {
        QTest::addColumn<QSize>("target"); // the window inside its shadow margins
        QTest::newRow("picture's size") << QSize(460, 270);
        QTest::newRow("larger") << QSize(560, 330);
        QTest::newRow("corners only") << QSize(100, 100);
    }

    void paintsBackgroundInsideShadowMargins()
    {
        QFETCH(QSize, target);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("bg.png"));
        QVERIFY(nineColourPicture().save(file));
        CDlgFramelessWindow window;
        window.resize(target);
        window.setBackground(file);
        window.setShadow(10, 10, 10, 10);
        window.setGraphicsEffect(nullptr); // the picture itself, without the blur
        QCOMPARE(window.size(), target + QSize(20, 20));
        const QImage shot = window.grab().toImage();
        // Each of the nine regions, its corners and its centre, shows the colour
        // of the matching picture region: the corners stay 50 pixels, the edges
        // and the centre stretch.
        for (int i = 0; i < 9; ++i) {
            const QRect region = nineRegions(target).at(i).translated(10, 10);
            for (const QPoint &point : {region.topLeft(), region.bottomRight(), region.center()}) {
                if (!region.isEmpty())
                    QCOMPARE(shot.pixelColor(point), regionColour(i));
            }
        }
        // The window's shape follows the picture where it is drawn, so its far
        // edges are not cut away by the shadow margins.
        QVERIFY(window.mask().contains(QPoint(10, 10) + QPoint(target.width() - 1, target.height() - 1)));
        QVERIFY(window.mask().contains(QPoint(10, 10)));
        QVERIFY(!window.mask().contains(QPoint(5, 5)));
    }
};

QTEST_MAIN(TestCDlgFramelessWindow)
#include "tst_cdlgframelesswindow.moc"
