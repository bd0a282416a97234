#include "setup/extractpath.h"

#include <QtTest>

class TestExtractPath : public QObject
{
    Q_OBJECT

private slots:
    void placesNamesBelowTheFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("asItem");   // "-" refused
        QTest::addColumn<QString>("asListed"); // "-" refused
        const auto row = [](const char *tag, const QString &name, const QString &asItem, const QString &asListed) {
            QTest::newRow(tag) << name << asItem << asListed;
        };
        row("nested, backslashes", "a\\b/c.txt", "a/b/c.txt", "a/b/c.txt");
        row("dot parts, doubled separators", "./a/.//b/", "a/b", "a/b");
        row("dots inside a name", "a..b/..c", "a..b/..c", "a..b/..c");
        row("parent staying inside", "a/../b", "a/b", "b");
        row("non-ASCII", QStringLiteral("资源/角色.dat"), QStringLiteral("资源/角色.dat"),
            QStringLiteral("资源/角色.dat"));
        row("the folder itself", "./", "", "");
        row("UNC", "\\\\server\\share\\x", "-", "-");
        row("drive", "C:\\x", "-", "-");
        row("drive relative", "c:x", "-", "-");
    }

    void placesNamesBelowTheFolder()
    {
        QFETCH(QString, name);
        QFETCH(QString, asItem);
        QFETCH(QString, asListed);
        const auto placed = [&name](ExtractPath::ParentParts parentParts) {
            QStringList components;
            return ExtractPath::split(name, &components, parentParts) ? components.join('/') : QStringLiteral("-");
        };
        QCOMPARE(placed(ExtractPath::ParentParts::Dropped), asItem);
        QCOMPARE(placed(ExtractPath::ParentParts::Resolved), asListed);
    }

    void containmentIsByWholeComponents_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("inside");
        const auto row = [](const char *tag, const QString &root, const QString &path, bool inside) {
            QTest::newRow(tag) << root << path << inside;
        };
        row("below", "/games/game", "/games/game/Data/x", true);
        row("the root", "/games/game", "/games/game", true);
        row("sibling sharing the prefix", "/games/game", "/games/game2/x", false);
        row("parent", "/games/game", "/games", false);
        row("filesystem root", "/", "/anything", true);
        row("unresolved link", "/games/game", "", false);
    }

    void containmentIsByWholeComponents()
    {
        QFETCH(QString, root);
        QFETCH(QString, path);
        QFETCH(bool, inside);
        QCOMPARE(ExtractPath::isInside(root, path), inside);
    }
};

QTEST_GUILESS_MAIN(TestExtractPath)
#include "tst_extractpath.moc"
