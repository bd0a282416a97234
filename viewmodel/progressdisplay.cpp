#include "viewmodel/progressdisplay.h"

#include "viewmodel/flowclock.h"
#include "viewmodel/progresstexts.h"
#include "viewmodel/sceneaccess.h"

ProgressDisplay::ProgressDisplay(const SceneAccess &scene, FlowClock &clock, QObject *parent)
    : QObject(parent)
    , scene(scene)
    , clock(clock)
{}

void ProgressDisplay::showDownload(qint64 bytesRead, qint64 totalBytes)
{
    double speed = 0.0;
    if (downloadRate.sample(bytesRead, clock.nowSecs(), &speed)) {
        const qint64 remaining = totalBytes - bytesRead;
        scene.write(QStringLiteral("download_percentage"), "text", ProgressTexts::downloading(bytesRead, totalBytes));
        scene.write(QStringLiteral("download_speed"), "text", ProgressTexts::speed(speed, remaining));
        scene.write(QStringLiteral("task_needtime"), "text", ProgressTexts::remainingTime(remaining, speed));
    }
    raise(bytesRead, totalBytes);
}

void ProgressDisplay::showExtract(qint64 finishSize, qint64 totalSize)
{
    double speed = 0.0;
    if (setupRate.sample(finishSize, clock.nowSecs(), &speed)) {
        scene.write(QStringLiteral("setup_percentage"), "text", ProgressTexts::installing(finishSize, totalSize));
        scene.write(QStringLiteral("task_needtime"), "text",
                    ProgressTexts::remainingTime(totalSize - finishSize, speed));
    }
    raise(finishSize, totalSize);
}

void ProgressDisplay::raise(qint64 done, qint64 total)
{
    if (!StageProgress::raise(highest, done, total))
        return;
    shown = highest;
    emit changed();
}

void ProgressDisplay::showPaused(bool paused)
{
    if (!paused) {
        setPauseButtonPictures(QStringLiteral("continue"));
        return;
    }
    setPauseButtonPictures(QStringLiteral("pause"));
    scene.write(QStringLiteral("download_speed"), "text", ProgressTexts::idleSpeed());
    scene.write(QStringLiteral("task_needtime"), "text", ProgressTexts::idleRemainingTime());
}

void ProgressDisplay::setPauseButtonPictures(const QString &stem)
{
    const QString name = QStringLiteral("pauseDownloadBtn");
    scene.write(name, "nomal_Image", QStringLiteral("pic/%1_n.png").arg(stem));
    scene.write(name, "hover_Image", QStringLiteral("pic/%1_o.png").arg(stem));
    scene.write(name, "press_Image", QStringLiteral("pic/%1_d.png").arg(stem));
}
