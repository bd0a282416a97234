#include <QImage>
#include <QTest>
#include <QTranslator>

// The button pictures and catalogues the program loads from its resource tree.
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void buttonLooksDiffer_data();
    void buttonLooksDiffer();
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
