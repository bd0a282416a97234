#include "dialogs/cautosizelabel.h"
#include "dialogs/csetinstallpathdialog.h"
#include "dialogtesthelpers.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
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

// Free bytes on the volume holding path, as df reports them.
static double dfAvailableGigabytes(const QString &path)
{
    QProcess df;
    df.start(QStringLiteral("df"), {QStringLiteral("--output=avail"), QStringLiteral("-B1"), path});
    df.waitForFinished(10000);
    return df.readAllStandardOutput().trimmed().split('\n').value(1).trimmed().toDouble() / (1 << 30);
}

// The dialog and the install folder rule it applies (InstallPathCheck).
class TestCSetInstallPathDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir::setCurrent(m_dir.path())); // relative paths start in the fixture folder
        // The folder chooser records its history in the user's Qt settings.
        qputenv("XDG_CONFIG_HOME", path("config").toLocal8Bit());
        for (const char *folder : {"games", "library", "odd*name", "unreadable-volume"})
            QVERIFY(QDir(m_dir.path()).mkpath(QString::fromLatin1(folder)));
        QFile file(path("readme.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    void buttonFollowsPathAndSpace_data()
    {
        QTest::addColumn<QStringList>("paths"); // typed in turn; "=" prefix: as it is, else below the fixture folder
        QTest::addColumn<qint64>("neededBytes");
        QTest::addColumn<QString>("tip");   // none: the start button is enabled
        QTest::addColumn<QString>("space"); // needed/free as shown, * for any text; df: free as df reports
        const auto row = [](const char *tag, const QStringList &paths, qint64 neededBytes, const QString &tip,
                            const char *space) { QTest::newRow(tag) << paths << neededBytes << tip << QString(space); };
        const QString invalid = QStringLiteral("路径无效");
        const QString full = QStringLiteral("当前文件夹空间不足");
        for (const char *path : {"games", "readme.txt", "a/b/c", "games/new/", "games/a?b", "游戏/晨岚",
                                 "odd*name/game", "=games", "=/aurelith-not-there"})
            row(path, {QString::fromUtf8(path)}, 0, "", "0.0 GB /* GB ");
        // The characters a folder to be made may not hold; blank; not absolute.
        for (const char *path : {"games/a*b", "games/a>b", "games/a<b", "games/a|b", "games/a:b", "games/a\"b",
                                 "games/a\uFF1Fb", "readme.txt/a/b", "= ", "=games/Aurelith", "=C:/Games"})
            row(path, {QString::fromUtf8(path)}, 0, invalid, "4G/120G");
        row("valid after invalid", {"games/a|b", "games/ab"}, 0, "", "0.0 GB /* GB ");
        row("new folder", {"games/Aurelith"}, (qint64(3) << 30) / 2, "", "1.5 GB /* GB ");
        row("too little space", {"games/Aurelith"}, qint64(1) << 60, full, "1073741824.0 GB /* GB ");
        // /proc keeps no byte free, always.
        row("full volume, nothing needed", {"=/proc"}, 0, "", "0.0 GB /0.0 GB ");
        row("full volume, one byte needed", {"=/proc"}, 1, full, "0.0 GB /0.0 GB ");
        row("new folders on a full volume", {"=/proc/a/b"}, 1, full, "0.0 GB /0.0 GB ");
        row("free space as df reports", {"games/new/deeper"}, 0, "", "df");
        row("unreadable volume", {"unreadable-volume/game"}, 0, invalid, "0.0GB /0GB ");
    }

    void buttonFollowsPathAndSpace()
    {
        QFETCH(QStringList, paths);
        QFETCH(qint64, neededBytes);
        QFETCH(QString, tip);
        QFETCH(QString, space);
        CSetInstallPathDialog dialog;
        dialog.show();
        dialog.setNeededBytes(neededBytes);
        for (const QString &typed : paths)
            dialog.setPath(typed.startsWith(QLatin1Char('=')) ? typed.mid(1) : path(typed));
        auto *tipLabel = child<QLabel>(&dialog, "lbl_tip");
        QCOMPARE(tipLabel->isVisible() ? tipLabel->text() : QString(), tip);
        QCOMPARE(child<QLabel>(&dialog, "lbl_selDirTip")->isVisible(), tip.isEmpty());
        QCOMPARE(child<QPushButton>(&dialog, "btn_ok")->isEnabled(), tip.isEmpty());
        const QString free = child<QLabel>(&dialog, "lbl_freeSpace")->text();
        const QString shown = child<QLabel>(&dialog, "lbl_needSpace")->text() + '/' + free;
        const QString pattern = QRegularExpression::wildcardToRegularExpression(space);
        if (space == QLatin1String("df")) // others may write meanwhile; a tenth is the display's precision
            QVERIFY2(qAbs(free.section(' ', 0, 0).toDouble() - dfAvailableGigabytes(m_dir.path())) < 0.2,
                     qPrintable(free));
        else
            QVERIFY2(QRegularExpression(pattern).match(shown).hasMatch(), qPrintable(shown));
    }

    void endingButtons_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QStringList>("events");
        const QString folder = path(QStringLiteral("games/Aurelith"));
        QTest::newRow("start") << "btn_ok" << QStringList{"path:" + folder, "start while shown"};
        QTest::newRow("close") << "btn_close" << QStringList{};
    }

    void endingButtons()
    {
        QFETCH(QString, ending);
        QFETCH(QStringList, events);
        CSetInstallPathDialog dialog;
        dialog.setPath(path(QStringLiteral("games/Aurelith")) + QStringLiteral(" \t "));
        QStringList seen;
        connect(&dialog, &CSetInstallPathDialog::updateInstallPath, this,
                [&](const QString &to) { seen << "path:" + to; });
        // The controller's handlers run before the dialog hides.
        connect(&dialog, &CSetInstallPathDialog::startInstallClicked, this,
                [&] { seen << (dialog.isVisible() ? "start while shown" : "start"); });
        DialogTest::whenModal([&](QWidget *modal) { DialogTest::endModal(modal, ending); });
        QCOMPARE(dialog.exec(), 0);
        QCOMPARE(seen, events);
        QVERIFY(!dialog.isVisible());
    }

    void wholePathTipFollowsTheEdit()
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

    void changeButtonTakesTheChosenFolder_data()
    {
        QTest::addColumn<bool>("choose");
        QTest::newRow("folder chosen") << true;
        QTest::newRow("chooser cancelled") << false;
    }

    void changeButtonTakesTheChosenFolder()
    {
        QFETCH(bool, choose);
        CSetInstallPathDialog dialog;
        dialog.show();
        dialog.setPath(path("games"));
        QString caption;
        DialogTest::whenModal([&](QWidget *modal) {
            auto *chooser = qobject_cast<QFileDialog *>(modal);
            caption = chooser->windowTitle() + (chooser->testOption(QFileDialog::ShowDirsOnly) ? ", folders" : "");
            chooser->setDirectory(path("library"));
            QMetaObject::invokeMethod(chooser, choose ? "accept" : "reject");
        });
        QTest::mouseClick(child<QPushButton>(&dialog, "btn_chgPath"), Qt::LeftButton);
        QCOMPARE(caption, QStringLiteral("选择安装路径, folders"));
        QCOMPARE(child<QLineEdit>(&dialog, "edt_path")->text(), path(choose ? "library" : "games"));
    }

    void dragsAndTakesFocusFromTheEdit()
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

private:
    QString path(const QString &relative) const { return m_dir.path() + QLatin1Char('/') + relative; }

    QTemporaryDir m_dir;
};

QTEST_MAIN(TestCSetInstallPathDialog)
#include "tst_csetinstallpathdialog.moc"
