#include "dialogs/cautosizelabel.h"
#include "dialogs/cdlgclosetip.h"
#include "dialogs/cdlgframelesswindow.h"
#include "dialogs/cdlgyesno.h"
#include "dialogs/csetinstallpathdialog.h"
#include "dialogtesthelpers.h"
#include "settings/configsettings.h"

#include <QFileDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <sys/statvfs.h>

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

namespace {

// Ends a running modal dialog the way a player would: "escape", "close" (the
// window's close button) or a click on the push button of that name. A
// dialog still open a while later ends with -1, so a button that does
// nothing fails the test instead of hanging it.
void endModal(QWidget *modal, const QString &ending)
{
    QTimer::singleShot(2000, modal, [modal] {
        if (modal->isVisible())
            qobject_cast<QDialog *>(modal)->done(-1);
    });
    if (ending == "escape")
        QTest::keyClick(modal, Qt::Key_Escape);
    else if (ending == "close")
        modal->close();
    else
        QTest::mouseClick(modal->findChild<QAbstractButton *>(ending), Qt::LeftButton);
}

// Presses button at a point inside window, moves the pointer by delta with the
// button held and releases; returns the window's movement. The events carry
// global positions, as the window system's do while the window moves.
QPoint drag(QWidget *window, Qt::MouseButton button, const QPoint &delta)
{
    const QPoint before = window->pos();
    const QPoint start = window->frameGeometry().topLeft() + QPoint(30, 30);
    const auto send = [window](QEvent::Type type, const QPoint &at, Qt::MouseButton changed, Qt::MouseButtons held) {
        QMouseEvent event(type, window->mapFromGlobal(at), at, changed, held, Qt::NoModifier);
        QApplication::sendEvent(window, &event);
    };
    send(QEvent::MouseButtonPress, start, button, button);
    send(QEvent::MouseMove, start + delta / 2, Qt::NoButton, button);
    send(QEvent::MouseMove, start + delta, Qt::NoButton, button);
    send(QEvent::MouseButtonRelease, start + delta, button, Qt::NoButton);
    // After the release, moving with no button held leaves the window alone.
    send(QEvent::MouseMove, start + delta * 2, Qt::NoButton, Qt::NoButton);
    return window->pos() - before;
}

// Free bytes on the volume holding path, as df reports them.
double dfAvailableGigabytes(const QString &path)
{
    QProcess df;
    df.start("df", {"--output=avail", "-B1", path});
    df.waitForFinished(10000);
    return df.readAllStandardOutput().trimmed().split('\n').value(1).trimmed().toDouble() / (1 << 30);
}

// What the installer's file holds after its "[DLG_CLOSE_TIP]" line.
QString closeTipSection(const QString &iniPath)
{
    QFile file(iniPath);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).section("[DLG_CLOSE_TIP]\n", 1) : "-";
}

// The nine regions of a picture with 50-pixel corners, row by row.
QVector<QRect> nineRegions(const QSize &size)
{
    const int xs[] = {0, 50, size.width() - 50, size.width()};
    const int ys[] = {0, 50, size.height() - 50, size.height()};
    QVector<QRect> regions;
    for (int i = 0; i < 9; ++i)
        regions << QRect(QPoint(xs[i % 3], ys[i / 3]), QPoint(xs[i % 3 + 1] - 1, ys[i / 3 + 1] - 1));
    return regions;
}

QColor regionColour(int region)
{
    return QColor(40 + region % 3 * 80, 40 + region / 3 * 80, 200);
}

} // namespace

// The dialogs, and the install folder rule the install path dialog applies (InstallPathCheck).
class TestDialogs : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &relative) const { return m_dir.path() + '/' + relative; }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir::setCurrent(m_dir.path())); // relative paths start in the fixture folder
        // The folder chooser records its history in the user's Qt settings.
        qputenv("XDG_CONFIG_HOME", path("config").toLocal8Bit());
        for (const char *folder : {"games", "library", "odd*name", "unreadable-volume"})
            QVERIFY(QDir(m_dir.path()).mkpath(folder));
        QVERIFY(QFile(path("readme.txt")).open(QIODevice::WriteOnly));
    }

    void cleanup() { QCOMPARE(CDlgYesNo::openMessageCount(), 0); }

    void closeTipChoiceIsShownAndStoredAtOnce_data()
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
    void closeTipChoiceIsShownAndStoredAtOnce()
    {
        QFETCH(QString, before);
        QFETCH(QStringList, clicks);
        QFETCH(QString, ending);
        QFETCH(bool, exitChosen);
        QFETCH(QString, stored);
        const QString ini = path(QString("%1.ini").arg(QTest::currentDataTag()));
        if (!before.isEmpty()) {
            QFile file(ini);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[DLG_CLOSE_TIP]\n" + before.toUtf8());
        }
        ConfigSettings settings(ini);
        CDlgCloseTip dialog(nullptr, &settings);
        const QImage shot = dialog.grab().toImage();
        for (const char *name : {"line", "line_2"}) // the separators show their colour
            QCOMPARE(shot.pixelColor(dialog.findChild<QWidget *>(name)->geometry().center()), QColor(218, 212, 200));
        QString storedBeforeEnding;
        Player player({[&](QWidget *modal) {
            // On the indicator: a click on the middle of the row may miss the button.
            for (const QString &name : clicks)
                QTest::mouseClick(modal->findChild<QAbstractButton *>(name), Qt::LeftButton, {}, QPoint(12, 12));
            storedBeforeEnding = closeTipSection(ini);
            endModal(modal, ending);
        }});
        QCOMPARE(dialog.exec(), ending == "btn_ok" ? 1 : 0);
        QCOMPARE(dialog.isExitChosen(), exitChosen ? 1 : 0);
        QCOMPARE(dialog.findChild<QRadioButton *>("radio_exit")->isChecked(), exitChosen);
        QCOMPARE(dialog.findChild<QRadioButton *>("radio_min")->isChecked(), !exitChosen);
        // On disk before any ending button is pressed, whichever ends the dialog.
        QCOMPARE(storedBeforeEnding, stored);
        QCOMPARE(closeTipSection(ini), stored);
    }

    void framelessPaintsBackgroundInsideShadowMargins_data()
    {
        QTest::addColumn<QSize>("target"); // the window inside its shadow margins
        QTest::newRow("picture's size") << QSize(460, 270);
        QTest::newRow("larger") << QSize(560, 330);
        QTest::newRow("corners only") << QSize(100, 100);
    }
    void framelessPaintsBackgroundInsideShadowMargins()
    {
        QFETCH(QSize, target);
        QImage picture(460, 270, QImage::Format_ARGB32);
        QPainter painter(&picture);
        for (int i = 0; i < 9; ++i)
            painter.fillRect(nineRegions(picture.size()).at(i), regionColour(i));
        QVERIFY(picture.save(path("bg.png")));
        CDlgFramelessWindow window;
        window.resize(target);
        window.setBackground(path("bg.png"));
        window.setShadow(10, 10, 10, 10);
        window.setGraphicsEffect(nullptr); // the picture itself, without the blur
        QCOMPARE(window.size(), target + QSize(20, 20));
        const QImage shot = window.grab().toImage();
        // Each of the nine regions, its corners and its centre, shows the colour
        // of the matching picture region: the corners stay 50 pixels, the edges
        // and the centre stretch.
        for (int i = 0; i < 9; ++i) {
            const QRect region = nineRegions(target).at(i).translated(10, 10);
            for (const QPoint &point : {region.topLeft(), region.bottomRight(), region.center()}) {
                if (!region.isEmpty())
                    QCOMPARE(shot.pixelColor(point), regionColour(i));
            }
        }
        // The window's shape follows the picture where it is drawn, so its far
        // edges are not cut away by the shadow margins.
        QVERIFY(window.mask().contains(QPoint(10, 10) + QPoint(target.width() - 1, target.height() - 1)));
        QVERIFY(window.mask().contains(QPoint(10, 10)));
        QVERIFY(!window.mask().contains(QPoint(5, 5)));
    }

    void messageTextAreaGrowsWithTheTextAndStaysReadable()
    {
        CDlgYesNo dialog;
        dialog.resize(460, 300);
        dialog.setTitleAndText(QString(), "short");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *text = dialog.findChild<CAutoSizeLabel *>("textBrowser");
        const int oneLine = text->height();
        dialog.setTitleAndText("错误", QString("word ").repeated(40));
        QCoreApplication::processEvents();
        QVERIFY2(text->height() > 2 * oneLine, qPrintable(QString("%1 vs %2").arg(text->height()).arg(oneLine)));
        QCOMPARE(text->height(), int(text->document()->size().height() + 2 * text->frameWidth()));
        QCOMPARE(text->document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        // The player cannot select the text, but must read it: not the pale
        // colour of disabled widgets.
        dialog.setTitleAndText(QString(), "████");
        const QImage shot = text->grab().toImage();
        int darkest = 255;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                if (qAlpha(shot.pixel(x, y)) == 255) // the glyphs; the area itself is transparent
                    darkest = qMin(darkest, qGray(shot.pixel(x, y)));
            }
        }
        QVERIFY2(darkest < 90, qPrintable(QString::number(darkest)));
    }

    void messageResult_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<int>("result");
        QTest::newRow("btn_ok") << "btn_ok" << 1;
        for (const char *ending : {"btn_cancel", "escape", "close"})
            QTest::newRow(ending) << ending << 0;
    }
    void messageResult()
    {
        QFETCH(QString, ending);
        QFETCH(int, result);
        for (const bool withCancel : {true, false}) {
            if (!withCancel && ending == "btn_cancel")
                continue;
            QString seen;
            Player player({[&](QWidget *modal) {
                seen = QString("%1 open, cancel %2, at %3,%4")
                           .arg(CDlgYesNo::openMessageCount())
                           .arg(modal->findChild<QPushButton *>("btn_cancel")->isVisible() ? "shown" : "hidden")
                           .arg(modal->x())
                           .arg(modal->y());
                endModal(modal, ending);
            }});
            // Centred over the given window: left + (width - 500) / 2, top + (height - 300) / 2.
            QCOMPARE(CDlgYesNo::showMessage("提示", "text", withCancel, nullptr, QRect(100, 50, 1280, 730)), result);
            QCOMPARE(seen, QString("1 open, cancel %1, at 490,265").arg(withCancel ? "shown" : "hidden"));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    void messageCountsNestedForms()
    {
        // The inner message has the outer one as parent; it must stay a window
        // of its own that can be clicked.
        QList<int> counts;
        const auto openInner = [&](QWidget *outer) {
            QTimer::singleShot(0, outer, [&counts, outer] {
                counts << CDlgYesNo::openMessageCount();
                counts << CDlgYesNo::showMessage(QString(), "inner", false, outer);
                counts << CDlgYesNo::openMessageCount();
                QTest::mouseClick(outer->findChild<QPushButton *>("btn_cancel"), Qt::LeftButton);
            });
        };
        Player player({openInner, [&](QWidget *inner) {
                           counts << CDlgYesNo::openMessageCount() << (inner->isWindow() ? 1 : -1);
                           QTest::mouseClick(inner->findChild<QPushButton *>("btn_ok"), Qt::LeftButton);
                       }});
        QCOMPARE(CDlgYesNo::showMessage(QString(), "outer", true), 0);
        // outer open, both open with the inner one a window, inner confirmed, outer still open
        QCOMPARE(counts, (QList<int>{1, 2, 1, 1, 1}));
    }

    void installPathButtonFollowsPathAndSpace_data()
    {
        QTest::addColumn<QStringList>("paths"); // typed in turn; "=" prefix: as it is, else below the fixture folder
        QTest::addColumn<qint64>("neededBytes");
        QTest::addColumn<QString>("tip");   // none: the start button is enabled
        QTest::addColumn<QString>("space"); // needed/free as shown, * for any text; df: free as df reports
        const auto row = [](const char *tag, const QStringList &paths, qint64 neededBytes, const QString &tip,
                            const char *space) { QTest::newRow(tag) << paths << neededBytes << tip << QString(space); };
        const QString invalid = "路径无效", full = "当前文件夹空间不足";
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
    void installPathButtonFollowsPathAndSpace()
    {
        QFETCH(QStringList, paths);
        QFETCH(qint64, neededBytes);
        QFETCH(QString, tip);
        QFETCH(QString, space);
        CSetInstallPathDialog dialog;
        dialog.show();
        dialog.setNeededBytes(neededBytes);
        for (const QString &typed : paths)
            dialog.setPath(typed.startsWith('=') ? typed.mid(1) : path(typed));
        auto *tipLabel = dialog.findChild<QLabel *>("lbl_tip");
        QCOMPARE(tipLabel->isVisible() ? tipLabel->text() : QString(), tip);
        QCOMPARE(dialog.findChild<QLabel *>("lbl_selDirTip")->isVisible(), tip.isEmpty());
        QCOMPARE(dialog.findChild<QPushButton *>("btn_ok")->isEnabled(), tip.isEmpty());
        const QString free = dialog.findChild<QLabel *>("lbl_freeSpace")->text();
        const QString shown = dialog.findChild<QLabel *>("lbl_needSpace")->text() + '/' + free;
        const QString pattern = QRegularExpression::wildcardToRegularExpression(space);
        if (space == "df") // others may write meanwhile; a tenth is the display's precision
            QVERIFY2(qAbs(free.section(' ', 0, 0).toDouble() - dfAvailableGigabytes(m_dir.path())) < 0.2,
                     qPrintable(free));
        else
            QVERIFY2(QRegularExpression(pattern).match(shown).hasMatch(), qPrintable(shown));
    }

    void installPathEndingButtons_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("start") << "btn_ok" << QStringList{"path:" + path("games/Aurelith"), "start while shown"};
        QTest::newRow("close") << "btn_close" << QStringList{};
    }
    void installPathEndingButtons()
    {
        QFETCH(QString, ending);
        QFETCH(QStringList, events);
        CSetInstallPathDialog dialog;
        dialog.setPath(path("games/Aurelith") + " \t ");
        QStringList seen;
        connect(&dialog, &CSetInstallPathDialog::updateInstallPath, this,
                [&](const QString &to) { seen << "path:" + to; });
        // The controller's handlers run before the dialog hides.
        connect(&dialog, &CSetInstallPathDialog::startInstallClicked, this,
                [&] { seen << (dialog.isVisible() ? "start while shown" : "start"); });
        Player player({[&](QWidget *modal) { endModal(modal, ending); }});
        QCOMPARE(dialog.exec(), 0);
        QCOMPARE(seen, events);
        QVERIFY(!dialog.isVisible());
    }

    void installPathTipAndDrag()
    {
        CSetInstallPathDialog dialog;
        dialog.move(50, 60);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QString folder = path("games/a/rather/long/folder/name/for/the/game");
        dialog.setPath(folder);
        auto *edit = dialog.findChild<QLineEdit *>("edt_path");
        auto *tip = dialog.findChild<CAutoSizeLabel *>("lbl_wholePathTip");
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
        // A drag with the left button moves the dialog and takes the focus from the edit.
        dialog.activateWindow();
        edit->setFocus();
        QCOMPARE(drag(&dialog, Qt::LeftButton, QPoint(70, 40)), QPoint(70, 40));
        QVERIFY(!edit->hasFocus());
        QCOMPARE(drag(&dialog, Qt::RightButton, QPoint(70, 40)), QPoint(0, 0));
    }

    void installPathChangeButtonTakesTheChosenFolder_data()
    {
        QTest::addColumn<bool>("choose");
        QTest::newRow("folder chosen") << true;
        QTest::newRow("chooser cancelled") << false;
    }
    void installPathChangeButtonTakesTheChosenFolder()
    {
        QFETCH(bool, choose);
        CSetInstallPathDialog dialog;
        dialog.show();
        dialog.setPath(path("games"));
        QString caption;
        Player player({[&](QWidget *modal) {
            auto *chooser = qobject_cast<QFileDialog *>(modal);
            caption = chooser->windowTitle() + (chooser->testOption(QFileDialog::ShowDirsOnly) ? ", folders" : "");
            chooser->setDirectory(path("library"));
            QMetaObject::invokeMethod(chooser, choose ? "accept" : "reject");
        }});
        QTest::mouseClick(dialog.findChild<QPushButton *>("btn_chgPath"), Qt::LeftButton);
        QCOMPARE(caption, QString("选择安装路径, folders"));
        QCOMPARE(dialog.findChild<QLineEdit *>("edt_path")->text(), path(choose ? "library" : "games"));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
