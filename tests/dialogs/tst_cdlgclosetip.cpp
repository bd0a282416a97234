#include "dialogs/cdlgclosetip.h"
#include "dialogtesthelpers.h"
#include "settings/configsettings.h"

#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using DialogTest::child;

namespace {

// What the installer's file holds after its "[DLG_CLOSE_TIP]" line.
QString closeTipSection(const QString &iniPath)
{
    QFile file(iniPath);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).section("[DLG_CLOSE_TIP]\n", 1) : "-";
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
    void init() { QVERIFY(m_dir.isValid() && (!QFile::exists(iniPath()) || QFile::remove(iniPath()))); }
    void separatorsShowTheirColour();
    void choiceIsShownAndStoredAtOnce_data();
    void choiceIsShownAndStoredAtOnce();
    void endingButtons_data() { DialogTest::endingRows("btn_ok", "btn_cancel"); }
    void endingButtons();

private:
    QString iniPath() const { return m_dir.filePath(QStringLiteral("config.ini")); }

    QTemporaryDir m_dir;
};

void TestCDlgCloseTip::separatorsShowTheirColour()
{
    ConfigSettings settings(iniPath());
    CDlgCloseTip dialog(nullptr, &settings);
    const QImage shot = dialog.grab().toImage();
    for (const char *name : {"line", "line_2"})
        QCOMPARE(shot.pixelColor(child<QWidget>(&dialog, name)->geometry().center()), QColor(218, 212, 200));
}

void TestCDlgCloseTip::choiceIsShownAndStoredAtOnce_data()
{
    QTest::addColumn<QString>("before"); // the group's lines in the file before the dialog opens
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<bool>("exitChosen");
    QTest::addColumn<QString>("stored");
    const auto row = [](const char *tag, const QString &before, const QStringList &clicks, bool exit,
                        const QString &stored) { QTest::newRow(tag) << before << clicks << exit << stored; };
    row("nothing stored", "", {}, false, "");
    row("exit stored", "UserInput=1\n", {}, true, "UserInput=1\n");
    row("other number stored", "UserInput=7\n", {}, true, "UserInput=7\n");
    row("exit clicked", "", {"radio_exit"}, true, "UserInput=1\n");
    row("exit then minimise", "", {"radio_exit", "radio_min"}, false, "UserInput=0\n");
    row("tick and untick", "", {"check_noTipAgain", "check_noTipAgain"}, false, "NoTipAgain=0\n");
    row("exit and tick", "", {"radio_exit", "check_noTipAgain"}, true, "NoTipAgain=1\nUserInput=1\n");
}

void TestCDlgCloseTip::choiceIsShownAndStoredAtOnce()
{
    QFETCH(QString, before);
    QFETCH(QStringList, clicks);
    QFETCH(bool, exitChosen);
    QFETCH(QString, stored);
    if (!before.isEmpty()) {
        QFile file(iniPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[DLG_CLOSE_TIP]\n" + before.toUtf8());
    }
    ConfigSettings settings(iniPath());
    CDlgCloseTip dialog(nullptr, &settings);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (const QString &name : clicks)
        clickIndicator(child<QAbstractButton>(&dialog, qPrintable(name)));
    QCOMPARE(dialog.isExitChosen(), exitChosen ? 1 : 0);
    QCOMPARE(child<QRadioButton>(&dialog, "radio_exit")->isChecked(), exitChosen);
    QCOMPARE(child<QRadioButton>(&dialog, "radio_min")->isChecked(), !exitChosen);
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
    ConfigSettings settings(iniPath());
    CDlgCloseTip dialog(nullptr, &settings);
    DialogTest::whenModal([&](QWidget *modal) {
        clickIndicator(child<QRadioButton>(modal, "radio_exit"));
        DialogTest::endModal(modal, ending);
    });
    QCOMPARE(dialog.exec(), result);
    QCOMPARE(dialog.isExitChosen(), 1);
    QCOMPARE(settings.getIntValue(QStringLiteral("UserInput"), QStringLiteral("DLG_CLOSE_TIP")), 1);
}

QTEST_MAIN(TestCDlgCloseTip)
#include "tst_cdlgclosetip.moc"
