#include "dialogs/cdlgappinfo.h"
#include "dialogtesthelpers.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using DialogTest::addWidgetRow;
using DialogTest::child;

class TestCDlgAppInfo : public QObject
{
    Q_OBJECT

private slots:
    void layoutAsTabled_data();
    void layoutAsTabled();
    void gridRowsHoldCaptionAndValue_data();
    void gridRowsHoldCaptionAndValue();
    void setInfoFillsTheValues();
    void okayButtonCloses();
};

void TestCDlgAppInfo::layoutAsTabled_data()
{
    DialogTest::widgetTableColumns();
    addWidgetRow("lbl_title", QRect(74, 46, 331, 23), "应用信息");
    addWidgetRow("label_5", QRect(44, 47, 20, 20));
    addWidgetRow("line", QRect(44, 92, 392, 1));
    addWidgetRow("gridLayoutWidget", QRect(70, 100, 341, 91));
    addWidgetRow("line_2", QRect(34, 207, 392, 1));
    addWidgetRow("pushButton", QRect(44, 240, 392, 48), "好的");
    addWidgetRow("label_3", QRect(), "游戏信息：");
    addWidgetRow("label_2", QRect(), "应用信息：");
    addWidgetRow("label_4", QRect(), "启动器版本：");
    for (const char *value : {"lbl_gameInfo", "lbl_appInfo", "lbl_launchVer"})
        addWidgetRow(value, QRect(), "kq2_cn");
}

void TestCDlgAppInfo::layoutAsTabled()
{
    CDlgAppInfo dialog;
    DialogTest::checkDialog(&dialog, "CDlgAppInfo", QSize(480, 340)); // 460 x 320 grown by the shadow
    DialogTest::checkTabledWidget(&dialog);
}

void TestCDlgAppInfo::gridRowsHoldCaptionAndValue_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("value");
    QTest::newRow("game") << 0 << "label_3"
                          << "lbl_gameInfo";
    QTest::newRow("application") << 1 << "label_2"
                                 << "lbl_appInfo";
    QTest::newRow("launcher") << 2 << "label_4"
                              << "lbl_launchVer";
}

void TestCDlgAppInfo::gridRowsHoldCaptionAndValue()
{
    QFETCH(int, row);
    QFETCH(QString, caption);
    QFETCH(QString, value);
    CDlgAppInfo dialog;
    auto *grid = child<QGridLayout>(&dialog, "gridLayout");
    QVERIFY(grid);
    QCOMPARE(grid->contentsMargins(), QMargins(0, 0, 0, 0));
    QCOMPARE(grid->itemAtPosition(row, 0)->widget()->objectName(), caption);
    auto *valueLabel = qobject_cast<QLabel *>(grid->itemAtPosition(row, 1)->widget());
    QVERIFY(valueLabel);
    QCOMPARE(valueLabel->objectName(), value);
    QCOMPARE(valueLabel->alignment(), Qt::AlignRight | Qt::AlignVCenter);
}

void TestCDlgAppInfo::setInfoFillsTheValues()
{
    CDlgAppInfo dialog;
    dialog.setInfo(QString(), QStringLiteral("5"), QStringLiteral("2.1.1.0"));
    QCOMPARE(child<QLabel>(&dialog, "lbl_gameInfo")->text(), QString());
    QCOMPARE(child<QLabel>(&dialog, "lbl_appInfo")->text(), QStringLiteral("5"));
    QCOMPARE(child<QLabel>(&dialog, "lbl_launchVer")->text(), QStringLiteral("2.1.1.0"));
    dialog.setInfo(QStringLiteral("1.0.3"), QStringLiteral("5"), QStringLiteral("2.1.1.0"));
    QCOMPARE(child<QLabel>(&dialog, "lbl_gameInfo")->text(), QStringLiteral("1.0.3"));
}

void TestCDlgAppInfo::okayButtonCloses()
{
    CDlgAppInfo dialog;
    bool wasVisible = false;
    DialogTest::whenModal([&](QWidget *modal) {
        wasVisible = modal->isVisible();
        DialogTest::endModal(modal, QStringLiteral("pushButton"));
    });
    QCOMPARE(dialog.exec(), 0);
    QVERIFY(wasVisible);
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(TestCDlgAppInfo)
#include "tst_cdlgappinfo.moc"
