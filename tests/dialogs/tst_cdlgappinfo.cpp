#include "dialogs/cdlgappinfo.h"
#include "dialogtesthelpers.h"

#include <QLabel>
#include <QtTest>

using DialogTest::child;

class TestCDlgAppInfo : public QObject
{
    Q_OBJECT

private slots:
    void showsTheInfoAndClosesOnOkay();
};

void TestCDlgAppInfo::showsTheInfoAndClosesOnOkay()
{
    CDlgAppInfo dialog;
    dialog.setInfo(QStringLiteral("1.0.3"), QStringLiteral("5"), QStringLiteral("2.1.1.0"));
    QCOMPARE(child<QLabel>(&dialog, "lbl_gameInfo")->text(), QStringLiteral("1.0.3"));
    QCOMPARE(child<QLabel>(&dialog, "lbl_appInfo")->text(), QStringLiteral("5"));
    QCOMPARE(child<QLabel>(&dialog, "lbl_launchVer")->text(), QStringLiteral("2.1.1.0"));
    DialogTest::whenModal([](QWidget *modal) { DialogTest::endModal(modal, QStringLiteral("pushButton")); });
    QCOMPARE(dialog.exec(), 0);
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(TestCDlgAppInfo)
#include "tst_cdlgappinfo.moc"
