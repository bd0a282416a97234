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

#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <sys/statvfs.h>

using DialogTest::child;

// No real disk fails on demand: below a folder named "unreadable-volume" the
// system answers as for a volume that cannot be read.
extern "C" int statvfs(const char *path, struct statvfs *info) noexcept
{
    if (std::strstr(path, "unreadable-volume")) {
        errno = EIO;
        return -1;
    }
    using Call = int (*)(const char *, struct statvfs *);
    static const auto system = reinterpret_cast<Call>(dlsym(RTLD_NEXT, "statvfs"));
    return system(path, info);
}

class TestCSetInstallPathDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void buttonFollowsPathAndSpace_data();
    void buttonFollowsPathAndSpace();
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
    for (const char *folder : {"games", "library", "unreadable-volume"})
        QVERIFY(QDir(m_dir.path()).mkpath(QString::fromLatin1(folder)));
}

void TestCSetInstallPathDialog::buttonFollowsPathAndSpace_data()
{
    QTest::addColumn<QStringList>("paths"); // typed in turn; "=" prefix: as it is, else below the fixture folder
    QTest::addColumn<qint64>("neededBytes");
    QTest::addColumn<bool>("okEnabled");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QString>("needed");
    QTest::addColumn<QString>("free"); // empty: any figure

    const qint64 gib = qint64(1) << 30;
    const QString invalid = QStringLiteral("路径无效");
    const QString full = QStringLiteral("当前文件夹空间不足");
    QTest::newRow("existing folder") << QStringList{"games"} << qint64(0) << true << ""
                                     << "0.0 GB "
                                     << "";
    QTest::newRow("new folder") << QStringList{"games/Aurelith"} << gib * 3 / 2 << true << ""
                                << "1.5 GB "
                                << "";
    QTest::newRow("too little space") << QStringList{"games/Aurelith"} << (qint64(1) << 60) << false << full
                                      << "1073741824.0 GB "
                                      << "";
    QTest::newRow("relative, existing") << QStringList{"=games"} << qint64(0) << true << ""
                                        << "0.0 GB "
                                        << "";
    QTest::newRow("forbidden star") << QStringList{"games/a*b"} << qint64(0) << false << invalid << "4G"
                                    << "120G";
    QTest::newRow("blank") << QStringList{"= "} << qint64(0) << false << invalid << "4G"
                           << "120G";
    QTest::newRow("valid after invalid") << QStringList{"games/a|b", "games/ab"} << qint64(0) << true << ""
                                         << "0.0 GB "
                                         << "";
    // /proc keeps no byte free, always.
    QTest::newRow("full volume, nothing needed") << QStringList{"=/proc"} << qint64(0) << true << ""
                                                 << "0.0 GB "
                                                 << "0.0 GB ";
    QTest::newRow("full volume, one byte needed") << QStringList{"=/proc"} << qint64(1) << false << full << "0.0 GB "
                                                  << "0.0 GB ";
    QTest::newRow("unreadable volume") << QStringList{"unreadable-volume/game"} << qint64(0) << false << invalid
                                       << "0.0GB "
                                       << "0GB ";
}

void TestCSetInstallPathDialog::buttonFollowsPathAndSpace()
{
    QFETCH(QStringList, paths);
    QFETCH(qint64, neededBytes);
    QFETCH(bool, okEnabled);
    QFETCH(QString, tip);
    QFETCH(QString, needed);
    QFETCH(QString, free);
    CSetInstallPathDialog dialog;
    dialog.show();
    dialog.setNeededBytes(neededBytes);
    for (const QString &typed : paths)
        dialog.setPath(typed.startsWith(QLatin1Char('=')) ? typed.mid(1) : path(typed));

    auto *tipLabel = child<QLabel>(&dialog, "lbl_tip");
    QCOMPARE(child<QPushButton>(&dialog, "btn_ok")->isEnabled(), okEnabled);
    QCOMPARE(tipLabel->isVisible() ? tipLabel->text() : QString(), tip);
    QCOMPARE(child<QLabel>(&dialog, "lbl_selDirTip")->isVisible(), tip.isEmpty());
    QCOMPARE(child<QLabel>(&dialog, "lbl_needSpace")->text(), needed);
    const QString shownFree = child<QLabel>(&dialog, "lbl_freeSpace")->text();
    if (free.isEmpty())
        QVERIFY2(shownFree.endsWith(QLatin1String(" GB ")), qPrintable(shownFree));
    else
        QCOMPARE(shownFree, free);
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
