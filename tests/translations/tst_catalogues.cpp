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
    QString context;
    QString source;
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

class TestCatalogues : public QObject
{
    Q_OBJECT

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

private:
    QTemporaryDir m_work;
};

QTEST_GUILESS_MAIN(TestCatalogues)
#include "tst_catalogues.moc"
