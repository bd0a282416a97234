// Opens each widget dialog of the installer over a plain backdrop and saves
// one picture per dialog: dialog_gallery [output folder]. Under an X server
// the pictures are taken from the screen, so masks and translucency show as
// the player sees them; elsewhere each dialog renders itself.

#include "dialogs/cdlgappinfo.h"
#include "dialogs/cdlgclosetip.h"
#include "dialogs/cdlgyesno.h"
#include "dialogs/csetinstallpathdialog.h"
#include "settings/configsettings.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

const QPoint kDialogPosition(200, 150);
const int kMargin = 24;

void settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool capture(QWidget *dialog, const QString &file)
{
    dialog->move(kDialogPosition);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    settle(600);

    QPixmap picture;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        const QRect area = dialog->frameGeometry().adjusted(-kMargin, -kMargin, kMargin, kMargin);
        picture = QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    } else {
        picture = dialog->grab();
    }
    dialog->hide();
    const bool saved = picture.save(file);
    std::printf("%s %s (%dx%d)\n", saved ? "saved" : "FAILED", qPrintable(file), picture.width(), picture.height());
    return saved;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString outputDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(outputDir);

    QWidget backdrop;
    backdrop.setWindowFlags(Qt::FramelessWindowHint);
    backdrop.setStyleSheet(QStringLiteral("background-color:rgb(96, 108, 124);"));
    backdrop.setGeometry(QGuiApplication::primaryScreen()->geometry());
    backdrop.show();

    QTemporaryDir scratch;
    ConfigSettings settings(scratch.filePath(QStringLiteral("config.ini")));
    bool ok = true;

    CDlgYesNo yesNo;
    yesNo.setCancelHidden(false);
    yesNo.resize(460, 300);
    // An error as the controller shows it: "[number]:text" with the downloader's text.
    yesNo.setTitleAndText(QString(),
                          QStringLiteral("[1004]:") + QCoreApplication::translate("downloadmanager", "文件校验错误"));
    ok &= capture(&yesNo, outputDir + QStringLiteral("/dialog-yesno.png"));

    CDlgCloseTip closeTip(nullptr, &settings);
    ok &= capture(&closeTip, outputDir + QStringLiteral("/dialog-closetip.png"));

    CDlgAppInfo appInfo;
    appInfo.setInfo(QStringLiteral("1.0.3"), QStringLiteral("5"), QStringLiteral("2.1.1.0"));
    ok &= capture(&appInfo, outputDir + QStringLiteral("/dialog-appinfo.png"));

    CSetInstallPathDialog installPath;
    installPath.setNeededBytes(qint64(3) * 1024 * 1024 * 1024 + 400 * 1024 * 1024);
    installPath.setPath(QStringLiteral("/home/player/Games/Aurelith"));
    ok &= capture(&installPath, outputDir + QStringLiteral("/dialog-installpath.png"));

    return ok ? 0 : 1;
}
