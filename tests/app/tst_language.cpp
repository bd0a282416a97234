#include "app/language.h"

#include <QtTest>

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void selectsCatalogueForLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("confirmText");
        const auto row = [](const char *locale, const char *code, const char *file, const QString &confirmText) {
            QTest::newRow(locale) << QString(locale) << QString(code) << QString(file) << confirmText;
        };
        row("zh_TW", "zh-tw", "i18n_zh_tw.qm", "確認");
        row("zh_HK", "zh-cn", "i18n_zh_cn.qm", "确认");
        row("ja_JP", "ja-jp", "i18n_ja.qm", "確認");
        row("ko_KR", "ko-kr", "i18n_ko.qm", "확인");
        row("vi_VN", "vi-vn", "i18n_vi.qm", "Xác nhận");
        row("id_ID", "id-id", "i18n_id.qm", "Konfirmasi");
        // French has a catalogue of its own, yet gets the English one.
        row("fr_FR", "en-us", "i18n_en.qm", "Confirm");
        row("it_IT", "en-us", "i18n_en.qm", "Confirm"); // a language the table does not list
    }
    void selectsCatalogueForLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, code);
        QFETCH(QString, file);
        QFETCH(QString, confirmText);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(selectLanguage(nullptr), code); // the language alone, for the reports
        QTranslator translator;
        QCOMPARE(selectLanguage(&translator), code);
        QCOMPARE(currentLanguage(), code);
        // Read from the language folder beside the program, which the build fills.
        QVERIFY2(!translator.isEmpty(), qPrintable("nothing loaded from language/" + file));
        QCOMPARE(QFileInfo(translator.filePath()).canonicalFilePath(),
                 QFileInfo(QCoreApplication::applicationDirPath() + "/language/" + file).canonicalFilePath());
        QCOMPARE(translator.translate("CDlgYesNo", "确认"), confirmText);
    }
};

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
