#include "dialogs/cdlgclosetip.h"
#include "dialogtesthelpers.h"
#include "settings/configsettings.h"

#include <QFile>
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

    void separatorsShowTheirColour()
    {
        ConfigSettings settings(iniPath());
        CDlgCloseTip dialog(nullptr, &settings);
        const QImage shot = dialog.grab().toImage();
        for (const char *name : {"line", "line_2"})
            QCOMPARE(shot.pixelColor(child<QWidget>(&dialog, name)->geometry().center()), QColor(218, 212, 200));
    }

    void choiceIsShownAndStoredAtOnce_data()
    {
        QTest::addColumn<QString>("before"); // the group's lines in the file before the dialog opens
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("ending"); // only the okay button gives 1
        QTest::addColumn<bool>("exitChosen");
        QTest::addColumn<QString>("stored");
        const auto row = [](const char *tag, const QString &before, const QStringList &clicks, const char *ending,
                            bool exit, const QString &stored) {
            QTest::newRow(tag) << before << clicks << QString(ending) << exit << stored;
        };
        row("nothing stored", "", {}, "btn_ok", false, "");
        row("exit stored", "UserInput=1\n", {}, "escape", true, "UserInput=1\n");
        row("exit then minimise", "", {"radio_exit", "radio_min"}, "btn_cancel", false, "UserInput=0\n");
        row("tick and untick", "", {"check_noTipAgain", "check_noTipAgain"}, "escape", false, "NoTipAgain=0\n");
        row("exit and tick", "", {"radio_exit", "check_noTipAgain"}, "btn_cancel", true, "NoTipAgain=1\nUserInput=1\n");
    }

    void choiceIsShownAndStoredAtOnce()
    {
        QFETCH(QString, before);
        QFETCH(QStringList, clicks);
        QFETCH(QString, ending);
        QFETCH(bool, exitChosen);
        QFETCH(QString, stored);
        if (!before.isEmpty()) {
            QFile file(iniPath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[DLG_CLOSE_TIP]\n" + before.toUtf8());
        }
        ConfigSettings settings(iniPath());
        CDlgCloseTip dialog(nullptr, &settings);
        QString storedBeforeEnding;
        DialogTest::whenModal([&](QWidget *modal) {
            for (const QString &name : clicks)
                clickIndicator(child<QAbstractButton>(modal, qPrintable(name)));
            storedBeforeEnding = closeTipSection(iniPath());
            DialogTest::endModal(modal, ending);
        });
        QCOMPARE(dialog.exec(), ending == QLatin1String("btn_ok") ? 1 : 0);
        QCOMPARE(dialog.isExitChosen(), exitChosen ? 1 : 0);
        QCOMPARE(child<QRadioButton>(&dialog, "radio_exit")->isChecked(), exitChosen);
        QCOMPARE(child<QRadioButton>(&dialog, "radio_min")->isChecked(), !exitChosen);
        // On disk before any ending button is pressed, whichever ends the dialog.
        QCOMPARE(storedBeforeEnding, stored);
        QCOMPARE(closeTipSection(iniPath()), stored);
    }

private:
    QString iniPath() const { return m_dir.filePath(QStringLiteral("config.ini")); }

    QTemporaryDir m_dir;
};

QTEST_MAIN(TestCDlgCloseTip)
#include "tst_cdlgclosetip.moc"
