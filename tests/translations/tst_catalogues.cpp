#include "app/language.h"

#include <QtTest>

namespace {

const QStringList kLanguages{"en", "ja", "ko", "vi", "id", "zh_tw", "zh_cn", "fr", "es", "de", "ru", "th", "pt"};

// The messages of a catalogue lupdate has brought in line with the code that
// are not finished: texts new in the code ("unfinished"), texts the code no
// longer uses ("vanished", "obsolete") and empty translations.
QStringList openMessages(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {path + ": " + file.errorString()};
    QXmlStreamReader xml(&file);
    QString context, source;
    QStringList open;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            QString state = xml.attributes().value("type").toString();
            if (xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed().isEmpty() && state.isEmpty())
                state = QStringLiteral("empty");
            if (!state.isEmpty())
                open << QStringLiteral("%1: \"%2\" (%3)").arg(context, source, state);
        }
    }
    if (xml.hasError())
        open << path + ": " + xml.errorString();
    return open;
}

} // namespace

// Every catalogue in step with the code, and the one each player gets.
class TestCatalogues : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;

private slots:
    // Copies of the catalogues, updated from the code the way
    // tools/update-translations.sh updates the real ones.
    void initTestCase()
    {
        const QString root = QStringLiteral(LAUNCHER_SOURCE_DIR);
        QFile list(root + "/translations/scanned-folders.txt");
        QVERIFY(list.open(QIODevice::ReadOnly | QIODevice::Text));
        QStringList arguments{"-silent", "-locations", "none", "-source-language", "zh_CN"};
        for (const QByteArray &line : list.readAll().split('\n')) {
            if (!line.trimmed().isEmpty() && !line.startsWith('#') && QDir(root + '/' + line.trimmed()).exists())
                arguments << root + '/' + line.trimmed();
        }
        arguments << "-ts";
        for (const QString &language : kLanguages) {
            const QString copy = m_work.filePath("i18n_" + language + ".ts");
            QVERIFY(QFile::copy(root + "/translations/i18n_" + language + ".ts", copy));
            arguments << copy;
        }
        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(LUPDATE_EXECUTABLE, arguments);
        QVERIFY2(lupdate.waitForFinished(60000) && lupdate.exitStatus() == QProcess::NormalExit &&
                     lupdate.exitCode() == 0,
                 qPrintable("lupdate failed: " + QString::fromLocal8Bit(lupdate.readAll()) + lupdate.errorString()));
    }

    void catalogueMatchesTheCode_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString &language : kLanguages)
            QTest::newRow(qPrintable(language)) << language;
    }
    void catalogueMatchesTheCode()
    {
        QFETCH(QString, language);
        const QStringList open = openMessages(m_work.filePath("i18n_" + language + ".ts"));
        QVERIFY2(open.isEmpty(), qPrintable("i18n_" + language +
                                            ".ts is out of step with the code (run "
                                            "tools/update-translations.sh, then translate):\n  " +
                                            open.join("\n  ")));
    }

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

QTEST_GUILESS_MAIN(TestCatalogues)
#include "tst_catalogues.moc"
