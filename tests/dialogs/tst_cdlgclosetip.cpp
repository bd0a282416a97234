#include "dialogs/cdlgclosetip.h"
#include "dialogtesthelpers.h"
#include "settings/configsettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using DialogTest::addWidgetRow;
using DialogTest::child;

namespace {

// What the installer's file holds after its "[DLG_CLOSE_TIP]" line.
QString closeTipSection(const QString &iniPath)
{
    QFile file(iniPath);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll()).section(QStringLiteral("[DLG_CLOSE_TIP]\n"), 1);
}

void clickIndicator(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(12, 12));
}

} // namespace

class TestCDlgCloseTip : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void layoutAsTabled_data();
    void layoutAsTabled();
    void radiosAreExclusiveAndCheckStartsClear();
    void separatorsShowTheirColour();
    void preselectsStoredChoice_data();
    void preselectsStoredChoice();
    void clicksAreStoredAtOnce_data();
    void clicksAreStoredAtOnce();
    void endingButtons_data();
    void endingButtons();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ConfigSettings> m_settings;
    QString iniPath() const { return m_dir->filePath(QStringLiteral("config.ini")); }
};

void TestCDlgCloseTip::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_settings = std::make_unique<ConfigSettings>(iniPath());
}

void TestCDlgCloseTip::cleanup()
{
    m_settings.reset();
    m_dir.reset();
}

void TestCDlgCloseTip::layoutAsTabled_data()
{
    DialogTest::widgetTableColumns();
    addWidgetRow("label_5", QRect(44, 47, 20, 20));
    addWidgetRow("lbl_title", QRect(74, 31, 381, 51), "你点击了关闭按钮，你期望：");
    addWidgetRow("line", QRect(44, 90, 375, 1));
    addWidgetRow("radio_min", QRect(44, 110, 391, 24), "最小化到系统托盘");
    addWidgetRow("radio_exit", QRect(44, 150, 371, 24), "直接退出");
    addWidgetRow("line_2", QRect(44, 200, 379, 1));
    addWidgetRow("btn_cancel", QRect(44, 230, 190, 48), "取消");
    addWidgetRow("btn_ok", QRect(246, 230, 190, 48), "确认");
    addWidgetRow("check_noTipAgain", QRect(44, 297, 411, 24), "不再提醒");
}

void TestCDlgCloseTip::layoutAsTabled()
{
    CDlgCloseTip dialog(nullptr, m_settings.get());
    DialogTest::checkDialog(&dialog, "CDlgCloseTip", QSize(480, 364)); // 460 x 344 grown by the shadow
    DialogTest::checkTabledWidget(&dialog);
}

void TestCDlgCloseTip::radiosAreExclusiveAndCheckStartsClear()
{
    CDlgCloseTip dialog(nullptr, m_settings.get());
    auto *minimise = child<QRadioButton>(&dialog, "radio_min");
    auto *exit = child<QRadioButton>(&dialog, "radio_exit");
    QVERIFY(minimise->group() && minimise->group() == exit->group());
    QVERIFY(minimise->group()->exclusive());
    QCOMPARE(minimise->iconSize(), QSize(24, 24));
    QVERIFY(!child<QCheckBox>(&dialog, "check_noTipAgain")->isChecked());
}

void TestCDlgCloseTip::separatorsShowTheirColour()
{
    CDlgCloseTip dialog(nullptr, m_settings.get());
    const QImage shot = dialog.grab().toImage();
    for (const char *name : {"line", "line_2"}) {
        const QRect line = child<QWidget>(&dialog, name)->geometry();
        QCOMPARE(shot.pixelColor(line.center()), QColor(218, 212, 200));
    }
}

void TestCDlgCloseTip::preselectsStoredChoice_data()
{
    QTest::addColumn<QByteArray>("iniText");
    QTest::addColumn<bool>("exitChosen");
    QTest::newRow("nothing stored") << QByteArray() << false;
    QTest::newRow("minimise stored") << QByteArray("[DLG_CLOSE_TIP]\nUserInput=0\n") << false;
    QTest::newRow("exit stored") << QByteArray("[DLG_CLOSE_TIP]\nUserInput=1\n") << true;
    QTest::newRow("other number") << QByteArray("[DLG_CLOSE_TIP]\nUserInput=7\n") << true;
}

void TestCDlgCloseTip::preselectsStoredChoice()
{
    QFETCH(QByteArray, iniText);
    QFETCH(bool, exitChosen);
    m_settings.reset();
    QFile file(iniPath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(iniText);
    file.close();
    m_settings = std::make_unique<ConfigSettings>(iniPath());

    CDlgCloseTip dialog(nullptr, m_settings.get());
    QCOMPARE(child<QRadioButton>(&dialog, "radio_exit")->isChecked(), exitChosen);
    QCOMPARE(child<QRadioButton>(&dialog, "radio_min")->isChecked(), !exitChosen);
    QCOMPARE(dialog.isExitChosen(), exitChosen ? 1 : 0);
}

void TestCDlgCloseTip::clicksAreStoredAtOnce_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("stored");
    QTest::newRow("exit") << QStringList{"radio_exit"} << "UserInput=1\n";
    QTest::newRow("exit then minimise") << QStringList{"radio_exit", "radio_min"} << "UserInput=0\n";
    QTest::newRow("tick") << QStringList{"check_noTipAgain"} << "NoTipAgain=1\n";
    QTest::newRow("tick and untick") << QStringList{"check_noTipAgain", "check_noTipAgain"} << "NoTipAgain=0\n";
    QTest::newRow("exit and tick") << QStringList{"radio_exit", "check_noTipAgain"} << "NoTipAgain=1\nUserInput=1\n";
}

void TestCDlgCloseTip::clicksAreStoredAtOnce()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, stored);
    CDlgCloseTip dialog(nullptr, m_settings.get());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (const QString &name : clicks)
        clickIndicator(child<QAbstractButton>(&dialog, qPrintable(name)));
    // On disk before any ending button is pressed; cancelling keeps it.
    QCOMPARE(closeTipSection(iniPath()), stored);
    QTest::mouseClick(child<QPushButton>(&dialog, "btn_cancel"), Qt::LeftButton);
    QCOMPARE(dialog.result(), 0);
    QCOMPARE(closeTipSection(iniPath()), stored);
}

void TestCDlgCloseTip::endingButtons_data()
{
    DialogTest::endingRows("btn_ok", "btn_cancel");
}

void TestCDlgCloseTip::endingButtons()
{
    QFETCH(QString, ending);
    QFETCH(int, result);
    CDlgCloseTip dialog(nullptr, m_settings.get());
    DialogTest::whenModal([&](QWidget *modal) {
        clickIndicator(child<QRadioButton>(modal, "radio_exit"));
        DialogTest::endModal(modal, ending);
    });
    QCOMPARE(dialog.exec(), result);
    QCOMPARE(dialog.isExitChosen(), 1);
    QCOMPARE(m_settings->getIntValue(QStringLiteral("UserInput"), QStringLiteral("DLG_CLOSE_TIP")), 1);
}

QTEST_MAIN(TestCDlgCloseTip)
#include "tst_cdlgclosetip.moc"
