#include "dialogs/cdlgappinfo.h"
#include "dialogtesthelpers.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using DialogTest::child;

class TestCDlgAppInfo : public QObject
{
    Q_OBJECT

private slots:
    void layoutAsTabled_data();
    void layoutAsTabled();
    void gridRows_data();
    void gridRows();
    void setInfoFillsTheValues();
    void okayButtonCloses();
    void dragsWithTheLeftButton();
};

void TestCDlgAppInfo::layoutAsTabled_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::newRow("title") << "lbl_title" << QRect(74, 46, 331, 23) << "应用信息";
    QTest::newRow("star") << "label_5" << QRect(44, 47, 20, 20) << "";
    QTest::newRow("line") << "line" << QRect(44, 92, 392, 1) << "";
    QTest::newRow("grid") << "gridLayoutWidget" << QRect(70, 100, 341, 91) << "";
    QTest::newRow("line 2") << "line_2" << QRect(34, 207, 392, 1) << "";
    QTest::newRow("okay") << "pushButton" << QRect(44, 240, 392, 48) << "好的";
}

void TestCDlgAppInfo::layoutAsTabled()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    CDlgAppInfo dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("CDlgAppInfo"));
    QCOMPARE(dialog.size(), QSize(480, 340)); // 460 x 320 grown by the shadow
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));

    QWidget *widget = child<QWidget>(&dialog, qPrintable(name));
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
    if (auto *label = qobject_cast<QLabel *>(widget))
        QCOMPARE(label->text(), text);
    else if (auto *button = qobject_cast<QPushButton *>(widget))
        QCOMPARE(button->text(), text);
}

void TestCDlgAppInfo::gridRows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("captionText");
    QTest::addColumn<QString>("value");
    QTest::newRow("game") << 0 << "label_3"
                          << "游戏信息："
                          << "lbl_gameInfo";
    QTest::newRow("application") << 1 << "label_2"
                                 << "应用信息："
                                 << "lbl_appInfo";
    QTest::newRow("launcher") << 2 << "label_4"
                              << "启动器版本："
                              << "lbl_launchVer";
}

void TestCDlgAppInfo::gridRows()
{
    QFETCH(int, row);
    QFETCH(QString, caption);
    QFETCH(QString, captionText);
    QFETCH(QString, value);
    CDlgAppInfo dialog;
    auto *grid = child<QGridLayout>(&dialog, "gridLayout");
    QVERIFY(grid);
    QCOMPARE(grid->contentsMargins(), QMargins(0, 0, 0, 0));
    auto *captionLabel = qobject_cast<QLabel *>(grid->itemAtPosition(row, 0)->widget());
    auto *valueLabel = qobject_cast<QLabel *>(grid->itemAtPosition(row, 1)->widget());
    QVERIFY(captionLabel && valueLabel);
    QCOMPARE(captionLabel->objectName(), caption);
    QCOMPARE(captionLabel->text(), captionText);
    QCOMPARE(valueLabel->objectName(), value);
    QCOMPARE(valueLabel->text(), QStringLiteral("kq2_cn"));
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
        QTest::mouseClick(child<QPushButton>(modal, "pushButton"), Qt::LeftButton);
    });
    QCOMPARE(dialog.exec(), 0);
    QVERIFY(wasVisible);
    QVERIFY(!dialog.isVisible());
}

void TestCDlgAppInfo::dragsWithTheLeftButton()
{
    CDlgAppInfo dialog;
    dialog.move(100, 100);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(DialogTest::drag(&dialog, Qt::LeftButton, QPoint(25, -15)), QPoint(25, -15));
}

QTEST_MAIN(TestCDlgAppInfo)
#include "tst_cdlgappinfo.moc"
