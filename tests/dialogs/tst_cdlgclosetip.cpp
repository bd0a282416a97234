#include "dialogs/cdlgclosetip.h"
#include "dialogtesthelpers.h"
#include "settings/configsettings.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

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

    void separatorsShowTheirColour();
    void preselectsStoredChoice_data();
    void preselectsStoredChoice();
    void clicksAreStoredAtOnce_data();
    void clicksAreStoredAtOnce();
    void endingButtons_data() { DialogTest::endingRows("btn_ok", "btn_cancel"); }
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
