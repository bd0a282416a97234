#include "setup/extractpath.h"

#include <QtTest>

class TestExtractPath : public QObject
{
    Q_OBJECT

private slots:
    void placesNamesBelowTheFolder_data();
    void placesNamesBelowTheFolder();
    void containmentIsByWholeComponents_data();
    void containmentIsByWholeComponents();
};

void TestExtractPath::placesNamesBelowTheFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("asItem");   // "-" refused
    QTest::addColumn<QString>("asListed"); // "-" refused
    QTest::newRow("nested, backslashes") << "a\\b/c.txt"
                                         << "a/b/c.txt"
                                         << "a/b/c.txt";
    QTest::newRow("dot parts, doubled separators") << "./a/.//b/"
                                                   << "a/b"
                                                   << "a/b";
    QTest::newRow("dots inside a name") << "a..b/..c"
                                        << "a..b/..c"
                                        << "a..b/..c";
    QTest::newRow("parent staying inside") << "a/../b"
                                           << "a/b"
                                           << "b";
    QTest::newRow("non-ASCII") << QStringLiteral("资源/角色.dat") << QStringLiteral("资源/角色.dat")
                               << QStringLiteral("资源/角色.dat");
    QTest::newRow("the folder itself") << "./"
                                       << ""
                                       << "";
    QTest::newRow("parent") << "../x"
                            << "-"
                            << "-";
    QTest::newRow("parent after folder") << "a/../../x"
                                         << "-"
                                         << "-";
    QTest::newRow("parent, backslashes") << "a\\..\\..\\x"
                                         << "-"
                                         << "-";
    QTest::newRow("absolute") << "/etc/passwd"
                              << "-"
                              << "-";
    QTest::newRow("UNC") << "\\\\server\\share\\x"
                         << "-"
                         << "-";
    QTest::newRow("drive") << "C:\\x"
                           << "-"
                           << "-";
    QTest::newRow("drive relative") << "c:x"
                                    << "-"
                                    << "-";
}

void TestExtractPath::placesNamesBelowTheFolder()
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

void TestExtractPath::containmentIsByWholeComponents_data()
{
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("inside");
    QTest::newRow("below") << "/games/game"
                           << "/games/game/Data/x" << true;
    QTest::newRow("the root") << "/games/game"
                              << "/games/game" << true;
    QTest::newRow("sibling sharing the prefix") << "/games/game"
                                                << "/games/game2/x" << false;
    QTest::newRow("parent") << "/games/game"
                            << "/games" << false;
    QTest::newRow("filesystem root") << "/"
                                     << "/anything" << true;
    QTest::newRow("unresolved link") << "/games/game"
                                     << "" << false;
}

void TestExtractPath::containmentIsByWholeComponents()
{
    QFETCH(QString, root);
    QFETCH(QString, path);
    QFETCH(bool, inside);
    QCOMPARE(ExtractPath::isInside(root, path), inside);
}

QTEST_GUILESS_MAIN(TestExtractPath)
#include "tst_extractpath.moc"
