#include "setup/extractpath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestExtractPath : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void acceptsPathsInside_data();
    void acceptsPathsInside();
    void refusesPathsLeaving_data();
    void refusesPathsLeaving();
    void linksDecideByWhereTheyLead_data();
    void linksDecideByWhereTheyLead();

private:
    QTemporaryDir m_tmp;
    QString m_root;
};

void TestExtractPath::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    m_root = m_tmp.filePath("game");
    QDir(m_tmp.path()).mkpath("game/Data");
    QDir(m_tmp.path()).mkpath("outside");
    QVERIFY(QFile::link(m_tmp.filePath("outside"), m_root + "/out_link"));
    QVERIFY(QFile::link(m_root + "/Data", m_root + "/in_link"));
    QVERIFY(QFile::link(m_tmp.filePath("nowhere"), m_root + "/dangling"));
}

void TestExtractPath::acceptsPathsInside_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("relative");
    QTest::newRow("plain") << "a.txt"
                           << "a.txt";
    QTest::newRow("nested") << "a/b/c.txt"
                            << "a/b/c.txt";
    QTest::newRow("backslashes") << "a\\b\\c.txt"
                                 << "a/b/c.txt";
    QTest::newRow("dot parts") << "./a/./b"
                               << "a/b";
    QTest::newRow("doubled separators") << "a//b/"
                                        << "a/b";
    QTest::newRow("dots inside a name") << "a..b/..c"
                                        << "a..b/..c";
    QTest::newRow("non-ASCII") << QStringLiteral("资源/角色.dat") << QStringLiteral("资源/角色.dat");
    QTest::newRow("not yet existing below") << "Data/new/x.txt"
                                            << "Data/new/x.txt";
}

void TestExtractPath::acceptsPathsInside()
{
    QFETCH(QString, entry);
    QFETCH(QString, relative);
    QCOMPARE(ExtractPath::resolve(m_root, entry), m_root + "/" + relative);
    QCOMPARE(ExtractPath::resolve(m_root + "/", entry), m_root + "/" + relative);
}

void TestExtractPath::refusesPathsLeaving_data()
{
    QTest::addColumn<QString>("entry");
    QTest::newRow("parent") << "../x";
    QTest::newRow("parent after folder") << "a/../../x";
    QTest::newRow("parent that would stay inside") << "a/../x";
    QTest::newRow("parent with backslashes") << "a\\..\\..\\x";
    QTest::newRow("absolute") << "/etc/passwd";
    QTest::newRow("absolute backslash") << "\\x";
    QTest::newRow("UNC") << "\\\\server\\share\\x";
    QTest::newRow("drive") << "C:\\x";
    QTest::newRow("drive relative") << "c:x";
    QTest::newRow("empty") << "";
    QTest::newRow("the folder itself") << ".";
    QTest::newRow("only separators") << "//";
}

void TestExtractPath::refusesPathsLeaving()
{
    QFETCH(QString, entry);
    QVERIFY(ExtractPath::resolve(m_root, entry).isNull());
}

void TestExtractPath::linksDecideByWhereTheyLead_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("through a link outside") << "out_link/x.txt" << false;
    QTest::newRow("the link outside itself") << "out_link" << false;
    QTest::newRow("through a link inside") << "in_link/x.txt" << true;
    QTest::newRow("dangling link") << "dangling" << false;
}

void TestExtractPath::linksDecideByWhereTheyLead()
{
    QFETCH(QString, entry);
    QFETCH(bool, accepted);
    QCOMPARE(!ExtractPath::resolve(m_root, entry).isNull(), accepted);
}

QTEST_GUILESS_MAIN(TestExtractPath)
#include "tst_extractpath.moc"
