#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QTest>
#include <QTranslator>

// The pictures, icon and catalogues the window and the dialogs load from the
// resource tree.
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void buttonLooksDiffer_data();
    void buttonLooksDiffer();
    void dialogCornersAreTransparent();
    void iconCarriesSmallAndLargeSizes();
    void everyCatalogueIsPacked();
};

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
    QVERIFY(!normal.isNull() && !hover.isNull() && !pressed.isNull());
    QVERIFY(normal != hover && hover != pressed && normal != pressed);
}

// The dialogs cut their window to the picture's mask.
void TestResources::dialogCornersAreTransparent()
{
    for (const QString path : {":/pic/dlg_bg.png", ":/pic/setdlg.png"}) {
        const QImage image(path);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
    }
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
    QVERIFY(sides.contains(16) && sides.contains(32) && sides.contains(256));
}

void TestResources::everyCatalogueIsPacked()
{
    for (const char *code : {"fr", "es", "id", "de", "en", "vi", "ru", "th", "pt", "ja", "ko", "zh_cn", "zh_tw"}) {
        QTranslator translator;
        QVERIFY2(translator.load(QStringLiteral(":/translations/i18n_%1.qm").arg(code)), code);
        QVERIFY(!translator.isEmpty());
    }
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
