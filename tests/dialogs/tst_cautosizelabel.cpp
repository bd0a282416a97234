#include "dialogs/cautosizelabel.h"

#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

class TestCAutoSizeLabel : public QObject
{
    Q_OBJECT

private slots:
    void isAReadOnlyViewer();
    void heightFollowsContent_data();
    void heightFollowsContent();
};

void TestCAutoSizeLabel::isAReadOnlyViewer()
{
    CAutoSizeLabel label;
    QVERIFY(label.isReadOnly());
    QVERIFY(!label.openLinks());
    QCOMPARE(label.contextMenuPolicy(), Qt::NoContextMenu);
}

void TestCAutoSizeLabel::heightFollowsContent_data()
{
    QTest::addColumn<int>("lines");
    QTest::newRow("one line") << 1;
    QTest::newRow("three lines") << 3;
    QTest::newRow("eight lines") << 8;
}

void TestCAutoSizeLabel::heightFollowsContent()
{
    QFETCH(int, lines);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *label = new CAutoSizeLabel(&window);
    layout->addWidget(label);
    window.resize(300, 600);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QSignalSpy heights(label, &CAutoSizeLabel::hightChanged);
    QStringList paragraphs;
    for (int i = 0; i < lines; ++i)
        paragraphs << QStringLiteral("<p>line %1</p>").arg(i);
    label->setHtml(paragraphs.join(QString()));
    QCoreApplication::processEvents();

    const int expected = int(label->document()->size().height() + 2 * label->frameWidth());
    QCOMPARE(label->height(), expected);
    QVERIFY(!heights.isEmpty());
    QCOMPARE(heights.last().at(0).toInt(), expected);
    QVERIFY(label->height() >= lines * label->fontMetrics().height());
}

QTEST_MAIN(TestCAutoSizeLabel)
#include "tst_cautosizelabel.moc"
