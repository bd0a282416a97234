// Writes every picture of the launcher into <target>/pic and <target>/icon
// (normally the repository's qml/ folder).
#include "controls.h"
#include "icowriter.h"
#include "scenery.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

namespace {

using Controls::Look;

struct LookSuffix
{
    Look look;
    const char *suffix;
};

const LookSuffix looks[] = {{Look::Normal, "_n"}, {Look::Hover, "_o"}, {Look::Pressed, "_d"}};

bool save(const QDir &folder, const QString &name, const QImage &image)
{
    const QString path = folder.filePath(name);
    if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
        QTextStream(stderr) << "cannot write " << path << '\n';
        return false;
    }
    return true;
}

template<typename Paint> bool saveLooks(const QDir &folder, const QString &stem, Paint paint)
{
    bool ok = true;
    for (const LookSuffix &entry : looks)
        ok = save(folder, stem + entry.suffix + ".png", paint(entry.look)) && ok;
    return ok;
}

bool writePictures(const QDir &pic)
{
    using namespace Controls;
    bool ok = save(pic, "bg.png", Scenery::background(1280, 730));
    ok = save(pic, "bg_mask.png", Scenery::bottomMask(1280, 224)) && ok;
    ok = save(pic, "dlg_bg.png", Scenery::dialogBackground(460, 270)) && ok;
    ok = save(pic, "setdlg.png", Scenery::installDialog(740, 536)) && ok;
    ok = save(pic, "change.png", changeFolder()) && ok;
    ok = save(pic, "star.png", star()) && ok;
    ok = saveLooks(pic, "main_btn", [](Look l) { return goldButton(238, 64, l); }) && ok;
    ok = saveLooks(pic, "btn", [](Look l) { return goldButton(390, 64, l); }) && ok;
    ok = saveLooks(pic, "btn_close", titleBarClose) && ok;
    ok = saveLooks(pic, "btn_min", titleBarMinimise) && ok;
    // The scene shows "continue" while the download runs, so it carries the
    // pause symbol; "pause" is shown while paused and carries the play symbol.
    ok = saveLooks(pic, "continue", [](Look l) { return playPause(true, l); }) && ok;
    ok = saveLooks(pic, "pause", [](Look l) { return playPause(false, l); }) && ok;
    ok = saveLooks(pic, "dialog_close", dialogClose) && ok;
    ok = saveLooks(pic, "radio", [](Look l) { return radio(false, l); }) && ok;
    ok = saveLooks(pic, "radio_s", [](Look l) { return radio(true, l); }) && ok;
    ok = saveLooks(pic, "uncheck", [](Look l) { return checkBox(false, l); }) && ok;
    ok = saveLooks(pic, "check", [](Look l) { return checkBox(true, l); }) && ok;
    return ok;
}

bool writeIcon(const QDir &icon)
{
    QList<QImage> sizes;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        sizes.append(Scenery::emblem(side));
    return writeIco(icon.filePath("launcher.ico"), sizes);
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        QTextStream(stderr) << "usage: aurelith_artwork <qml folder>\n";
        return 2;
    }
    QDir target(arguments.at(1));
    if (!target.mkpath("pic") || !target.mkpath("icon")) {
        QTextStream(stderr) << "cannot create the picture folders below " << target.path() << '\n';
        return 1;
    }
    const bool ok = writePictures(QDir(target.filePath("pic"))) && writeIcon(QDir(target.filePath("icon")));
    return ok ? 0 : 1;
}
