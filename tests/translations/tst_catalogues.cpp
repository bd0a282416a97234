#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QXmlStreamReader>

namespace {

// The tree to check; another checkout can be named for a dry run.
QString sourceRoot()
{
    return qEnvironmentVariable("LAUNCHER_SOURCE_ROOT", QStringLiteral(SOURCE_ROOT));
}

// "context: source" -> whether the text has a finished translation
using Catalogue = QMap<QString, bool>;

bool readCatalogue(const QString &path, Catalogue *catalogue, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + ": " + file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    bool finished = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("message")) {
            finished = false;
        } else if (xml.isStartElement() && xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("translation")) {
            finished = xml.attributes().value("type").isEmpty();
            finished &= !xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed().isEmpty();
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            catalogue->insert(context + ": \"" + source + "\"", finished);
        }
    }
    if (xml.hasError())
        *error = path + ": " + xml.errorString();
    return !xml.hasError();
}

// What the code asks to translate, as lupdate sees it in the folders listed.
bool scanCode(const QString &root, const QString &output, QString *error)
{
    QFile list(root + "/translations/scanned-folders.txt");
    QStringList folders;
    if (list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&list);
        while (!in.atEnd()) {
            const QString line = in.readLine().trimmed();
            if (!line.isEmpty() && !line.startsWith('#') && QDir(root + '/' + line).exists())
                folders << root + '/' + line;
        }
    }
    if (folders.isEmpty()) {
        *error = "translations/scanned-folders.txt names no existing folder";
        return false;
    }
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(LUPDATE_EXECUTABLE, QStringList{"-silent", "-locations", "none", "-source-language", "zh_CN"}
                                          << folders << "-ts" << output);
    if (!lupdate.waitForFinished(60000) || lupdate.exitStatus() != QProcess::NormalExit || lupdate.exitCode() != 0) {
        *error = "lupdate failed: " + QString::fromLocal8Bit(lupdate.readAll()) + lupdate.errorString();
        return false;
    }
    return true;
}

// The texts of the first catalogue the second lacks, under a heading.
QString listed(const QString &title, const QStringList &texts)
{
    return texts.isEmpty() ? QString() : title + "\n  " + texts.join("\n  ") + '\n';
}

QStringList missingFrom(const Catalogue &from, const Catalogue &of)
{
    QStringList missing;
    for (const QString &text : of.keys())
        if (!from.contains(text))
            missing << text;
    return missing;
}

} // namespace

class TestCatalogues : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void catalogueMatchesTheCode_data();
    void catalogueMatchesTheCode();

private:
    QTemporaryDir workDir;
    Catalogue codeTexts;
};

void TestCatalogues::initTestCase()
{
    QVERIFY(workDir.isValid());
    QString error;
    const QString output = workDir.filePath("code.ts");
    QVERIFY2(scanCode(sourceRoot(), output, &error), qPrintable(error));
    QVERIFY2(readCatalogue(output, &codeTexts, &error), qPrintable(error));
}

void TestCatalogues::catalogueMatchesTheCode_data()
{
    QTest::addColumn<QString>("language");
    for (const char *language : {"en", "ja", "ko", "vi", "id", "zh_tw", "zh_cn", "fr", "es", "de", "ru", "th", "pt"})
        QTest::newRow(language) << QString::fromLatin1(language);
}

void TestCatalogues::catalogueMatchesTheCode()
{
    QFETCH(QString, language);
    Catalogue catalogue;
    QString error;
    QVERIFY2(readCatalogue(sourceRoot() + "/translations/i18n_" + language + ".ts", &catalogue, &error),
             qPrintable(error));
    QVERIFY(!catalogue.isEmpty());
    const QString file = "i18n_" + language + ".ts";
    const QString problems =
        listed(file + " has unfinished or empty translations:", catalogue.keys(false)) +
        listed(file + " holds texts the code no longer uses (run tools/update-translations.sh):",
               missingFrom(codeTexts, catalogue)) +
        listed(file + " lacks texts the code uses (run tools/update-translations.sh, then translate):",
               missingFrom(catalogue, codeTexts));
    QVERIFY2(problems.isEmpty(), problems.toUtf8().constData());
}

QTEST_GUILESS_MAIN(TestCatalogues)
#include "tst_catalogues.moc"
