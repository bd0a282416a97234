#include <QDir>
#include <QFile>
#include <QMap>
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

struct Message
{
    QString translation;
    QString type;
};

// (context, source) -> translation
using Catalogue = QMap<QPair<QString, QString>, Message>;

const char *const languages[] = {"en", "ja", "ko", "vi", "id", "zh_tw", "zh_cn", "fr", "es", "de", "ru", "th", "pt"};

QString readMessageTranslation(QXmlStreamReader &xml, QString *type)
{
    *type = xml.attributes().value("type").toString();
    QString text;
    while (xml.readNext() != QXmlStreamReader::EndElement || xml.name() != QLatin1String("translation")) {
        if (xml.atEnd())
            break;
        if (xml.isCharacters())
            text += xml.text();
    }
    return text;
}

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
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.isStartElement() && xml.name() == QLatin1String("message"))
            message = Message{QString(), QStringLiteral("unfinished")};
        else if (xml.isStartElement() && xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.isStartElement() && xml.name() == QLatin1String("translation"))
            message.translation = readMessageTranslation(xml, &message.type);
        else if (xml.isEndElement() && xml.name() == QLatin1String("message"))
            catalogue->insert({context, source}, message);
    }
    if (xml.hasError()) {
        *error = path + ": " + xml.errorString();
        return false;
    }
    return true;
}

QStringList scannedFolders(const QString &root)
{
    QFile list(root + "/translations/scanned-folders.txt");
    QStringList folders;
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text))
        return folders;
    QTextStream in(&list);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty() && !line.startsWith('#') && QDir(root + '/' + line).exists())
            folders << root + '/' + line;
    }
    return folders;
}

// What the code asks to translate, as lupdate sees it.
bool scanCode(const QStringList &folders, const QString &output, QString *error)
{
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

QStringList describe(const QList<QPair<QString, QString>> &keys)
{
    QStringList lines;
    for (const auto &key : keys)
        lines << QString("  (%1, \"%2\")").arg(key.first, key.second);
    return lines;
}

QList<QPair<QString, QString>> missingFrom(const Catalogue &from, const Catalogue &of)
{
    QList<QPair<QString, QString>> missing;
    for (auto it = of.cbegin(); it != of.cend(); ++it)
        if (!from.contains(it.key()))
            missing << it.key();
    return missing;
}

QList<QPair<QString, QString>> unfinishedIn(const Catalogue &catalogue)
{
    QList<QPair<QString, QString>> open;
    for (auto it = catalogue.cbegin(); it != catalogue.cend(); ++it)
        if (!it->type.isEmpty() || it->translation.trimmed().isEmpty())
            open << it.key();
    return open;
}

QString listed(const QString &title, const QList<QPair<QString, QString>> &keys)
{
    return keys.isEmpty() ? QString() : title + '\n' + describe(keys).join('\n') + '\n';
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
    const QStringList folders = scannedFolders(sourceRoot());
    QVERIFY2(!folders.isEmpty(), "translations/scanned-folders.txt names no existing folder");
    QString error;
    const QString output = workDir.filePath("code.ts");
    QVERIFY2(scanCode(folders, output, &error), qPrintable(error));
    QVERIFY2(readCatalogue(output, &codeTexts, &error), qPrintable(error));
}

void TestCatalogues::catalogueMatchesTheCode_data()
{
    QTest::addColumn<QString>("language");
    for (const char *language : languages)
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
    const QString problems =
        listed(QString("i18n_%1.ts has unfinished or empty translations:").arg(language), unfinishedIn(catalogue)) +
        listed(
            QString("i18n_%1.ts holds texts the code no longer uses (run tools/update-translations.sh):").arg(language),
            missingFrom(codeTexts, catalogue)) +
        listed(QString("i18n_%1.ts lacks texts the code uses (run tools/update-translations.sh, then translate):")
                   .arg(language),
               missingFrom(catalogue, codeTexts));
    QVERIFY2(problems.isEmpty(), problems.toUtf8().constData());
}

QTEST_GUILESS_MAIN(TestCatalogues)
#include "tst_catalogues.moc"
