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

void failWith(const QString &title, const QList<QPair<QString, QString>> &keys)
{
    if (keys.isEmpty())
        return;
    const QString message = title + '\n' + describe(keys).join('\n');
    QTest::qFail(message.toUtf8().constData(), __FILE__, __LINE__);
}

} // namespace

class TestCatalogues : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void comparisonFindsBothDirections();
    void catalogueIsComplete_data();
    void catalogueIsComplete();
    void catalogueHoldsOnlyTextsTheCodeUses_data();
    void catalogueHoldsOnlyTextsTheCodeUses();
    void catalogueHoldsEveryTextOfTheCode_data();
    void catalogueHoldsEveryTextOfTheCode();

private:
    void addLanguageRows();
    Catalogue shipped(const QString &language);

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

// The comparison itself, on a made-up folder: one text only in the code,
// one only in the catalogue, one in both.
void TestCatalogues::comparisonFindsBothDirections()
{
    QDir dir(workDir.path());
    QVERIFY(dir.mkpath("fixture/src"));
    QFile code(dir.filePath("fixture/src/sample.cpp"));
    QVERIFY(code.open(QIODevice::WriteOnly));
    code.write(u8"#include <QCoreApplication>\n"
               u8"QString a() { return QCoreApplication::translate(\"Sample\", \"只在代码里\"); }\n"
               u8"QString b() { return QCoreApplication::translate(\"Sample\", \"两边都有\"); }\n");
    code.close();

    QFile ts(dir.filePath("fixture/shipped.ts"));
    QVERIFY(ts.open(QIODevice::WriteOnly));
    ts.write(u8"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
             u8"<TS version=\"2.1\" language=\"en\" sourcelanguage=\"zh_CN\"><context><name>Sample</name>\n"
             u8"<message><source>两边都有</source><translation>In both</translation></message>\n"
             u8"<message><source>只在目录里</source><translation type=\"unfinished\"></translation></message>\n"
             u8"</context></TS>\n");
    ts.close();

    QString error;
    Catalogue fromCode;
    Catalogue fromShipped;
    QVERIFY2(scanCode({dir.filePath("fixture/src")}, dir.filePath("fixture/code.ts"), &error), qPrintable(error));
    QVERIFY2(readCatalogue(dir.filePath("fixture/code.ts"), &fromCode, &error), qPrintable(error));
    QVERIFY2(readCatalogue(ts.fileName(), &fromShipped, &error), qPrintable(error));

    using Key = QPair<QString, QString>;
    QCOMPARE(missingFrom(fromShipped, fromCode), QList<Key>{Key("Sample", "只在代码里")});
    QCOMPARE(missingFrom(fromCode, fromShipped), QList<Key>{Key("Sample", "只在目录里")});
    QCOMPARE(unfinishedIn(fromShipped), QList<Key>{Key("Sample", "只在目录里")});
}

void TestCatalogues::addLanguageRows()
{
    QTest::addColumn<QString>("language");
    for (const char *language : languages)
        QTest::newRow(language) << QString::fromLatin1(language);
}

Catalogue TestCatalogues::shipped(const QString &language)
{
    Catalogue catalogue;
    QString error;
    const QString path = sourceRoot() + "/translations/i18n_" + language + ".ts";
    if (!readCatalogue(path, &catalogue, &error))
        QTest::qFail(qPrintable(error), __FILE__, __LINE__);
    return catalogue;
}

void TestCatalogues::catalogueIsComplete_data()
{
    addLanguageRows();
}

void TestCatalogues::catalogueIsComplete()
{
    QFETCH(QString, language);
    const Catalogue catalogue = shipped(language);
    QVERIFY(!catalogue.isEmpty());
    failWith(QString("i18n_%1.ts has unfinished or empty translations:").arg(language), unfinishedIn(catalogue));
}

void TestCatalogues::catalogueHoldsOnlyTextsTheCodeUses_data()
{
    addLanguageRows();
}

void TestCatalogues::catalogueHoldsOnlyTextsTheCodeUses()
{
    QFETCH(QString, language);
    failWith(QString("i18n_%1.ts holds texts the code no longer uses "
                     "(run tools/update-translations.sh):")
                 .arg(language),
             missingFrom(codeTexts, shipped(language)));
}

void TestCatalogues::catalogueHoldsEveryTextOfTheCode_data()
{
    addLanguageRows();
}

void TestCatalogues::catalogueHoldsEveryTextOfTheCode()
{
    QFETCH(QString, language);
    failWith(QString("i18n_%1.ts lacks texts the code uses (run tools/update-translations.sh, "
                     "then translate):")
                 .arg(language),
             missingFrom(shipped(language), codeTexts));
}

QTEST_GUILESS_MAIN(TestCatalogues)
#include "tst_catalogues.moc"
