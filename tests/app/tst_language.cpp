#include "app/language.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QTest>
#include <QTranslator>

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void currentLanguageIsEmptyBeforeSelection();
    void selectsCatalogueForLocale_data();
    void selectsCatalogueForLocale();
    void nullTranslatorStillChoosesLanguage();
};

void TestLanguage::initTestCase()
{
    // The build puts the catalogues beside the test programs.
    QVERIFY2(QFileInfo(QCoreApplication::applicationDirPath() + "/language").isDir(),
             "run the tests from the build's bin folder after building the catalogues");
}

void TestLanguage::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void TestLanguage::currentLanguageIsEmptyBeforeSelection()
{
    QVERIFY(currentLanguage().isEmpty());
}

void TestLanguage::selectsCatalogueForLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("confirmText");

    const struct
    {
        const char *locale, *code, *file, *confirmText;
    } rows[] = {
        {"zh_TW", "zh-tw", "i18n_zh_tw.qm", "確認"},
        {"zh_HK", "zh-cn", "i18n_zh_cn.qm", "确认"},
        // French has a catalogue of its own, yet gets the English one.
        {"fr_FR", "en-us", "i18n_en.qm", "Confirm"},
        {"ja_JP", "ja-jp", "i18n_ja.qm", "確認"},
        {"ko_KR", "ko-kr", "i18n_ko.qm", "확인"},
        {"vi_VN", "vi-vn", "i18n_vi.qm", "Xác nhận"},
        {"id_ID", "id-id", "i18n_id.qm", "Konfirmasi"},
    };
    for (const auto &row : rows) {
        QTest::newRow(row.locale) << QString::fromLatin1(row.locale) << QString::fromLatin1(row.code)
                                  << QString::fromLatin1(row.file) << QString::fromUtf8(row.confirmText);
    }
}

void TestLanguage::selectsCatalogueForLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, code);
    QFETCH(QString, file);
    QFETCH(QString, confirmText);

    QLocale::setDefault(QLocale(locale));
    QCOMPARE(languageChoiceFor(QLocale()).fileName, "//language/" + file);

    QTranslator translator;
    QCOMPARE(selectLanguage(&translator), code);
    QCOMPARE(currentLanguage(), code);

    QVERIFY2(!translator.isEmpty(), qPrintable("nothing loaded from language/" + file));
    QCOMPARE(QFileInfo(translator.filePath()).canonicalFilePath(),
             QFileInfo(QCoreApplication::applicationDirPath() + "/language/" + file).canonicalFilePath());
    QCOMPARE(translator.translate("CDlgYesNo", "确认"), confirmText);
}

void TestLanguage::nullTranslatorStillChoosesLanguage()
{
    QLocale::setDefault(QLocale("vi_VN"));
    QCOMPARE(selectLanguage(nullptr), QString("vi-vn"));
    QCOMPARE(currentLanguage(), QString("vi-vn"));
}

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
