#include "dialogs/cautosizelabel.h"
#include "dialogs/csetinstallpathdialog.h"
#include "dialogtesthelpers.h"

#include <QDir>
#include <QFileDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using DialogTest::addWidgetRow;
using DialogTest::child;

namespace {

const qint64 kGiB = qint64(1) << 30;

struct Display
{
    bool okEnabled;
    QString tip; // empty: the red tip is hidden
    QString needed;
    QString free;
};

Display displayOf(CSetInstallPathDialog &dialog)
{
    auto *tip = child<QLabel>(&dialog, "lbl_tip");
    return {child<QPushButton>(&dialog, "btn_ok")->isEnabled(), tip->isHidden() ? QString() : tip->text(),
            child<QLabel>(&dialog, "lbl_needSpace")->text(), child<QLabel>(&dialog, "lbl_freeSpace")->text()};
}

// "12.3 GB " -> 12.3
double gigabytesShown(const QString &text)
{
    return text.section(QLatin1Char(' '), 0, 0).toDouble();
}

} // namespace

class TestCSetInstallPathDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void widgetsAsTabled_data();
    void widgetsAsTabled();
    void startsWithTheFolderTitleShown();
    void gigabytesText_data();
    void gigabytesText();
    void buttonFollowsPathAndSpace_data();
    void buttonFollowsPathAndSpace();
    void freeSpaceIsTheVolumes();
    void validPathAfterInvalidOneEnablesAgain();
    void unchangedPathKeepsTheDisplay();
    void startEmitsTrimmedPathThenStart();
    void closeEmitsNothing();
    void wholePathTipFollowsTheEdit();
    void changeButtonTakesTheChosenFolder_data();
    void changeButtonTakesTheChosenFolder();
    void dragsAndTakesFocusFromTheEdit();

private:
    QString path(const QString &relative) const { return m_dir.path() + QLatin1Char('/') + relative; }

    QTemporaryDir m_dir;
};

void TestCSetInstallPathDialog::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir::setCurrent(m_dir.path())); // relative paths start in the fixture folder
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("games")));
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("library")));
}

void TestCSetInstallPathDialog::widgetsAsTabled_data()
{
    DialogTest::widgetTableColumns();
    addWidgetRow("lbl_title", QRect(340, 120, 341, 31), "晨岚安装");
    addWidgetRow("label_4", QRect(312, 127, 20, 20));
    addWidgetRow("btn_close", QRect(685, 125, 20, 20));
    addWidgetRow("line_2", QRect(312, 169, 391, 1));
    addWidgetRow("lbl_selDirTip", QRect(320, 182, 367, 31), "安装目录");
    addWidgetRow("lbl_tip", QRect(315, 182, 251, 31), "当前文件夹空间不足");
    addWidgetRow("edt_path", QRect(312, 217, 302, 30));
    addWidgetRow("btn_chgPath", QRect(627, 217, 78, 30), "更改");
    addWidgetRow("widget_2", QRect(312, 250, 380, 28));
    addWidgetRow("label_3", QRect(), "所需空间：");
    addWidgetRow("lbl_needSpace", QRect(), "4G");
    addWidgetRow("widget_3", QRect(312, 276, 380, 28));
    addWidgetRow("label_5", QRect(), "可用空间：");
    addWidgetRow("lbl_freeSpace", QRect(), "120G");
    addWidgetRow("label_8", QRect(317, 309, 321, 31), "默认语言");
    addWidgetRow("label_7", QRect(317, 336, 341, 21), "简体中文");
    addWidgetRow("line", QRect(312, 374, 391, 1));
    addWidgetRow("btn_ok", QRect(313, 392, 390, 64), "开始安装");
}

void TestCSetInstallPathDialog::widgetsAsTabled()
{
    CSetInstallPathDialog dialog;
    DialogTest::checkDialog(&dialog, "CSetInstallPathDialog", QSize(740, 536));
    QVERIFY(dialog.hasMouseTracking());
    QCOMPARE(dialog.windowFlags() & ~Qt::WindowType_Mask, Qt::WindowFlags(Qt::FramelessWindowHint));
    DialogTest::checkTabledWidget(&dialog);
}

void TestCSetInstallPathDialog::startsWithTheFolderTitleShown()
{
    CSetInstallPathDialog dialog;
    dialog.show();
    QVERIFY(child<QLabel>(&dialog, "lbl_selDirTip")->isVisible());
    QVERIFY(!child<QLabel>(&dialog, "lbl_tip")->isVisible());
    QVERIFY(!child<CAutoSizeLabel>(&dialog, "lbl_wholePathTip")->isVisible());
}

void TestCSetInstallPathDialog::gigabytesText_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "0.0";
    QTest::newRow("one and a half") << kGiB * 3 / 2 << "1.5";
    QTest::newRow("one byte short of one") << kGiB - 1 << "1.0";
    QTest::newRow("a few megabytes") << qint64(40) * 1024 * 1024 << "0.0";
    QTest::newRow("large") << kGiB * 1234 << "1234.0";
}

void TestCSetInstallPathDialog::gigabytesText()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(CSetInstallPathDialog::gigabytesText(bytes), text);
}

void TestCSetInstallPathDialog::buttonFollowsPathAndSpace_data()
{
    QTest::addColumn<QString>("relative"); // to the fixture folder; "=" prefix: used as it is
    QTest::addColumn<qint64>("neededBytes");
    QTest::addColumn<bool>("okEnabled");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QString>("needed");

    const QString invalid = QStringLiteral("路径无效");
    const QString full = QStringLiteral("当前文件夹空间不足");
    QTest::newRow("existing folder, nothing needed") << "games" << qint64(0) << true << ""
                                                     << "0.0 GB ";
    QTest::newRow("new folder, some needed") << "games/Aurelith" << kGiB * 3 / 2 << true << ""
                                             << "1.5 GB ";
    QTest::newRow("too little space") << "games/Aurelith" << (qint64(1) << 60) << false << full << "1073741824.0 GB ";
    // Which paths are valid is checked with the rules themselves; one
    // invalid path shows how the dialog answers any of them.
    QTest::newRow("forbidden star") << "games/a*b" << qint64(0) << false << invalid << "4G";
    QTest::newRow("relative, existing") << "=games" << qint64(0) << true << ""
                                        << "0.0 GB ";
    QTest::newRow("blank") << "= " << qint64(0) << false << invalid << "4G";
}

void TestCSetInstallPathDialog::buttonFollowsPathAndSpace()
{
    QFETCH(QString, relative);
    QFETCH(qint64, neededBytes);
    QFETCH(bool, okEnabled);
    QFETCH(QString, tip);
    QFETCH(QString, needed);
    CSetInstallPathDialog dialog;
    dialog.show();
    dialog.setNeededBytes(neededBytes);
    dialog.setPath(relative.startsWith(QLatin1Char('=')) ? relative.mid(1) : path(relative));

    const Display shown = displayOf(dialog);
    QCOMPARE(shown.okEnabled, okEnabled);
    QCOMPARE(shown.tip, tip);
    QCOMPARE(shown.needed, needed);
    QCOMPARE(child<QLabel>(&dialog, "lbl_selDirTip")->isVisible(), tip.isEmpty());
    if (tip == QStringLiteral("路径无效"))
        QCOMPARE(shown.free, QStringLiteral("120G"));
    else
        QVERIFY(shown.free.endsWith(QLatin1String(" GB ")));
}

void TestCSetInstallPathDialog::freeSpaceIsTheVolumes()
{
    CSetInstallPathDialog dialog;
    dialog.setPath(path(QStringLiteral("games/new/deeper")));
    const double expected = double(DialogTest::dfAvailableBytes(m_dir.path())) / kGiB;
    // Other programs may write meanwhile; a tenth is the display's precision.
    QVERIFY(qAbs(gigabytesShown(displayOf(dialog).free) - expected) < 0.2);
}

void TestCSetInstallPathDialog::validPathAfterInvalidOneEnablesAgain()
{
    CSetInstallPathDialog dialog;
    dialog.show();
    dialog.setPath(path(QStringLiteral("games/a|b")));
    QVERIFY(!displayOf(dialog).okEnabled);
    dialog.setPath(path(QStringLiteral("games/ab")));
    const Display shown = displayOf(dialog);
    QVERIFY(shown.okEnabled);
    QCOMPARE(shown.tip, QString());
    QVERIFY(child<QLabel>(&dialog, "lbl_selDirTip")->isVisible());
}

void TestCSetInstallPathDialog::unchangedPathKeepsTheDisplay()
{
    CSetInstallPathDialog dialog;
    dialog.setNeededBytes(0);
    dialog.setPath(path(QStringLiteral("games")));
    const Display before = displayOf(dialog);

    dialog.setNeededBytes(qint64(1) << 60);
    dialog.setPath(path(QStringLiteral("games")));
    const Display after = displayOf(dialog);
    QCOMPARE(after.needed, before.needed);
    QCOMPARE(after.okEnabled, true);
}

void TestCSetInstallPathDialog::startEmitsTrimmedPathThenStart()
{
    CSetInstallPathDialog dialog;
    dialog.show();
    const QString folder = path(QStringLiteral("games/Aurelith"));
    dialog.setPath(folder + QStringLiteral(" \t "));

    QStringList events;
    connect(&dialog, &CSetInstallPathDialog::updateInstallPath, this,
            [&](const QString &chosen) { events << QStringLiteral("path:") + chosen; });
    connect(&dialog, &CSetInstallPathDialog::startInstallClicked, this, [&] {
        events << QStringLiteral("start");
        QVERIFY(dialog.isVisible()); // the controller's handlers run before the dialog hides
    });
    auto *ok = child<QPushButton>(&dialog, "btn_ok");
    QVERIFY(ok->isEnabled());
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(events, (QStringList{QStringLiteral("path:") + folder, QStringLiteral("start")}));
    QVERIFY(!dialog.isVisible());
}

void TestCSetInstallPathDialog::closeEmitsNothing()
{
    CSetInstallPathDialog dialog;
    dialog.setPath(path(QStringLiteral("games")));
    QSignalSpy paths(&dialog, &CSetInstallPathDialog::updateInstallPath);
    QSignalSpy starts(&dialog, &CSetInstallPathDialog::startInstallClicked);
    DialogTest::whenModal([&](QWidget *modal) { DialogTest::endModal(modal, QStringLiteral("btn_close")); });
    QCOMPARE(dialog.exec(), 0);
    QCOMPARE(paths.count(), 0);
    QCOMPARE(starts.count(), 0);
}

void TestCSetInstallPathDialog::wholePathTipFollowsTheEdit()
{
    CSetInstallPathDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QString folder = path(QStringLiteral("games/a/rather/long/folder/name/for/the/game"));
    dialog.setPath(folder);
    auto *edit = child<QLineEdit>(&dialog, "edt_path");
    auto *tip = child<CAutoSizeLabel>(&dialog, "lbl_wholePathTip");
    QCOMPARE(tip->toPlainText(), folder);

    QHelpEvent hover(QEvent::ToolTip, QPoint(10, 10), edit->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(edit, &hover);
    QVERIFY(tip->isVisible());
    QVERIFY(dialog.rect().contains(tip->geometry())); // where the player can read it
    QTest::mouseClick(edit, Qt::LeftButton);
    QVERIFY(!tip->isVisible());

    QApplication::sendEvent(edit, &hover);
    QVERIFY(tip->isVisible());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(edit, &leave);
    QVERIFY(!tip->isVisible());
}

void TestCSetInstallPathDialog::changeButtonTakesTheChosenFolder_data()
{
    QTest::addColumn<bool>("choose");
    QTest::newRow("folder chosen") << true;
    QTest::newRow("chooser cancelled") << false;
}

void TestCSetInstallPathDialog::changeButtonTakesTheChosenFolder()
{
    QFETCH(bool, choose);
    CSetInstallPathDialog dialog;
    dialog.show();
    const QString start = path(QStringLiteral("games"));
    dialog.setPath(start);
    const QString chosen = path(QStringLiteral("library"));

    QString caption;
    bool foldersOnly = false;
    DialogTest::whenModal([&](QWidget *modal) {
        auto *chooser = qobject_cast<QFileDialog *>(modal);
        if (!chooser || !choose) {
            modal->close();
            return;
        }
        caption = chooser->windowTitle();
        foldersOnly = chooser->testOption(QFileDialog::ShowDirsOnly);
        chooser->setDirectory(chosen);
        QMetaObject::invokeMethod(chooser, "accept");
    });
    QTest::mouseClick(child<QPushButton>(&dialog, "btn_chgPath"), Qt::LeftButton);
    if (choose) {
        QCOMPARE(caption, QStringLiteral("选择安装路径"));
        QVERIFY(foldersOnly);
    }
    QCOMPARE(child<QLineEdit>(&dialog, "edt_path")->text(), choose ? chosen : start);
}

void TestCSetInstallPathDialog::dragsAndTakesFocusFromTheEdit()
{
    CSetInstallPathDialog dialog;
    dialog.move(50, 60);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.activateWindow();
    auto *edit = child<QLineEdit>(&dialog, "edt_path");
    edit->setFocus();
    QCOMPARE(DialogTest::drag(&dialog, Qt::LeftButton, QPoint(70, 40)), QPoint(70, 40));
    QVERIFY(!edit->hasFocus());
    QCOMPARE(DialogTest::drag(&dialog, Qt::RightButton, QPoint(70, 40)), QPoint(0, 0));
}

int main(int argc, char *argv[])
{
    // The folder chooser records its history in the user's Qt settings; keep
    // that in a folder of the test's own.
    QTemporaryDir userConfig;
    qputenv("XDG_CONFIG_HOME", userConfig.path().toLocal8Bit());
    QApplication app(argc, argv);
    TestCSetInstallPathDialog test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_csetinstallpathdialog.moc"
