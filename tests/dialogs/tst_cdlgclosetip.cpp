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

using DialogTest::child;

namespace {

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The value lines of the close-tip section, in file order.
QStringList closeTipLines(const QString &iniText)
{
    QStringList lines;
    bool inSection = false;
    for (const QString &line : iniText.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('[')))
            inSection = line.trimmed() == QLatin1String("[DLG_CLOSE_TIP]");
        else if (inSection)
            lines << line.trimmed();
    }
    return lines;
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
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::newRow("star") << "label_5" << QRect(44, 47, 20, 20) << "";
    QTest::newRow("title") << "lbl_title" << QRect(74, 31, 381, 51) << "你点击了关闭按钮，你期望：";
    QTest::newRow("line") << "line" << QRect(44, 90, 375, 1) << "";
    QTest::newRow("minimise") << "radio_min" << QRect(44, 110, 391, 24) << "最小化到系统托盘";
    QTest::newRow("exit") << "radio_exit" << QRect(44, 150, 371, 24) << "直接退出";
    QTest::newRow("line 2") << "line_2" << QRect(44, 200, 379, 1) << "";
    QTest::newRow("cancel") << "btn_cancel" << QRect(44, 230, 190, 48) << "取消";
    QTest::newRow("ok") << "btn_ok" << QRect(246, 230, 190, 48) << "确认";
    QTest::newRow("no tip again") << "check_noTipAgain" << QRect(44, 297, 411, 24) << "不再提醒";
}

void TestCDlgCloseTip::layoutAsTabled()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    CDlgCloseTip dialog(nullptr, m_settings.get());
    QCOMPARE(dialog.objectName(), QStringLiteral("CDlgCloseTip"));
    QCOMPARE(dialog.size(), QSize(480, 364)); // 460 x 344 grown by the shadow
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));

    QWidget *widget = child<QWidget>(&dialog, qPrintable(name));
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
    if (auto *label = qobject_cast<QLabel *>(widget))
        QCOMPARE(label->text(), text);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        QCOMPARE(button->text(), text);
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
    QTest::newRow("not a number") << QByteArray("[DLG_CLOSE_TIP]\nUserInput=tray\n") << false;
    QTest::newRow("key in the wrong section") << QByteArray("[General]\nUserInput=1\n") << false;
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
    QTest::addColumn<int>("userInput");
    QTest::addColumn<int>("noTipAgain");
    QTest::addColumn<QStringList>("fileLines");
    QTest::newRow("exit") << QStringList{"radio_exit"} << 1 << 0 << QStringList{"UserInput=1"};
    QTest::newRow("exit then minimise") << QStringList{"radio_exit", "radio_min"} << 0 << 0
                                        << QStringList{"UserInput=0"};
    QTest::newRow("tick") << QStringList{"check_noTipAgain"} << 0 << 1 << QStringList{"NoTipAgain=1"};
    QTest::newRow("tick and untick") << QStringList{"check_noTipAgain", "check_noTipAgain"} << 0 << 0
                                     << QStringList{"NoTipAgain=0"};
    QTest::newRow("exit and tick") << QStringList{"radio_exit", "check_noTipAgain"} << 1 << 1
                                   << QStringList{"NoTipAgain=1", "UserInput=1"};
}

void TestCDlgCloseTip::clicksAreStoredAtOnce()
{
    QFETCH(QStringList, clicks);
    QFETCH(int, userInput);
    QFETCH(int, noTipAgain);
    QFETCH(QStringList, fileLines);
    {
        CDlgCloseTip dialog(nullptr, m_settings.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const QString &name : clicks)
            clickIndicator(child<QAbstractButton>(&dialog, qPrintable(name)));
        // Stored before any ending button is pressed; cancelling keeps it.
        QTest::mouseClick(child<QPushButton>(&dialog, "btn_cancel"), Qt::LeftButton);
        QCOMPARE(dialog.result(), 0);
    }
    QCOMPARE(m_settings->getIntValue(QStringLiteral("UserInput"), QStringLiteral("DLG_CLOSE_TIP")), userInput);
    QCOMPARE(m_settings->getIntValue(QStringLiteral("NoTipAgain"), QStringLiteral("DLG_CLOSE_TIP")), noTipAgain);
    QStringList stored = closeTipLines(readText(iniPath()));
    stored.sort();
    QCOMPARE(stored, fileLines);
}

void TestCDlgCloseTip::endingButtons_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<int>("result");
    QTest::newRow("confirm") << "btn_ok" << 1;
    QTest::newRow("cancel") << "btn_cancel" << 0;
    QTest::newRow("escape") << "escape" << 0;
    QTest::newRow("window closed") << "close" << 0;
}

void TestCDlgCloseTip::endingButtons()
{
    QFETCH(QString, ending);
    QFETCH(int, result);
    CDlgCloseTip dialog(nullptr, m_settings.get());
    DialogTest::whenModal([&](QWidget *modal) {
        clickIndicator(child<QRadioButton>(modal, "radio_exit"));
        if (ending == QLatin1String("escape"))
            QTest::keyClick(modal, Qt::Key_Escape);
        else if (ending == QLatin1String("close"))
            modal->close();
        else
            QTest::mouseClick(child<QPushButton>(modal, qPrintable(ending)), Qt::LeftButton);
    });
    QCOMPARE(dialog.exec(), result);
    QCOMPARE(dialog.isExitChosen(), 1);
    QCOMPARE(m_settings->getIntValue(QStringLiteral("UserInput"), QStringLiteral("DLG_CLOSE_TIP")), 1);
}

QTEST_MAIN(TestCDlgCloseTip)
#include "tst_cdlgclosetip.moc"
