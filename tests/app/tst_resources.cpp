#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QTest>
#include <QTranslator>

// The pictures the window and the dialogs name, at the sizes their
// layouts are drawn for.
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void pictureExistsAtItsSize_data();
    void pictureExistsAtItsSize();
    void windowPicturesAreOpaqueWhereWidgetsSit_data();
    void windowPicturesAreOpaqueWhereWidgetsSit();
    void dialogCornersAreTransparent();
    void buttonLooksDiffer_data();
    void buttonLooksDiffer();
    void iconCarriesSmallAndLargeSizes();
    void catalogueInResourceTree_data();
    void catalogueInResourceTree();
};

void TestResources::pictureExistsAtItsSize_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");

    QTest::newRow("bg") << ":/pic/bg.png" << QSize(1280, 730);
    QTest::newRow("bg_mask") << ":/pic/bg_mask.png" << QSize(1280, 224);
    QTest::newRow("dlg_bg") << ":/pic/dlg_bg.png" << QSize(460, 270);
    QTest::newRow("setdlg") << ":/pic/setdlg.png" << QSize(740, 536);
    QTest::newRow("change") << ":/pic/change.png" << QSize(18, 18);
    QTest::newRow("star") << ":/pic/star.png" << QSize(20, 20);

    const struct
    {
        const char *stem;
        QSize size;
    } sets[] = {{"main_btn", {238, 64}}, {"btn", {390, 64}},  {"btn_close", {30, 30}},    {"btn_min", {30, 30}},
                {"continue", {30, 30}},  {"pause", {30, 30}}, {"dialog_close", {20, 20}}, {"radio", {24, 24}},
                {"radio_s", {24, 24}},   {"check", {24, 24}}, {"uncheck", {24, 24}}};
    for (const auto &set : sets) {
        for (const char *look : {"_n", "_o", "_d"}) {
            const QString name = QString::fromLatin1(set.stem) + look;
            QTest::newRow(qPrintable(name)) << ":/pic/" + name + ".png" << set.size;
        }
    }
}

void TestResources::pictureExistsAtItsSize()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);

    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path + " is missing or unreadable"));
    QCOMPARE(image.size(), size);
}

// The dialogs cut their window to the picture's mask, so a widget over a
// transparent pixel would be cut away with it.
void TestResources::windowPicturesAreOpaqueWhereWidgetsSit_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QRect>("area");

    QTest::newRow("main window") << ":/pic/bg.png" << QRect(0, 0, 1280, 730);
    QTest::newRow("install dialog widgets") << ":/pic/setdlg.png" << QRect(312, 120, 394, 337);
    QTest::newRow("message dialog inside its corners") << ":/pic/dlg_bg.png" << QRect(8, 8, 444, 254);
}

void TestResources::windowPicturesAreOpaqueWhereWidgetsSit()
{
    QFETCH(QString, path);
    QFETCH(QRect, area);

    const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qAlpha(image.pixel(x, y)) != 255)
                QFAIL(qPrintable(QString("%1 is not opaque at %2,%3").arg(path).arg(x).arg(y)));
}

void TestResources::dialogCornersAreTransparent()
{
    for (const QString path : {":/pic/dlg_bg.png", ":/pic/setdlg.png"}) {
        const QImage image(path);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0);
    }
}

void TestResources::buttonLooksDiffer_data()
{
    QTest::addColumn<QString>("stem");
    for (const char *stem : {"main_btn", "btn", "btn_close", "btn_min", "continue", "pause", "dialog_close", "radio",
                             "radio_s", "check", "uncheck"})
        QTest::newRow(stem) << QString::fromLatin1(stem);
}

void TestResources::buttonLooksDiffer()
{
    QFETCH(QString, stem);
    const QImage normal(":/pic/" + stem + "_n.png");
    const QImage hover(":/pic/" + stem + "_o.png");
    const QImage pressed(":/pic/" + stem + "_d.png");
    QVERIFY(normal != hover);
    QVERIFY(hover != pressed);
    QVERIFY(normal != pressed);
}

void TestResources::iconCarriesSmallAndLargeSizes()
{
    QImageReader reader(":/icon/launcher.ico");
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    QList<int> sides;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        sides.append(reader.read().width());
    }
    QVERIFY2(sides.contains(16) && sides.contains(32) && sides.contains(256),
             qPrintable(QString("sizes found: %1").arg(sides.size())));
    QVERIFY(!QIcon(":/icon/launcher.ico").isNull());
}

void TestResources::catalogueInResourceTree_data()
{
    QTest::addColumn<QString>("name");
    for (const char *code : {"fr", "es", "id", "de", "en", "vi", "ru", "th", "pt", "ja", "ko", "zh_cn", "zh_tw"})
        QTest::newRow(code) << QString("i18n_%1.qm").arg(code);
}

void TestResources::catalogueInResourceTree()
{
    QFETCH(QString, name);
    QTranslator translator;
    QVERIFY2(translator.load(":/translations/" + name), qPrintable(name));
    QVERIFY(!translator.isEmpty());
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
