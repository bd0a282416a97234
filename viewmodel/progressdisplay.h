#pragma once

#include "viewmodel/ratemeter.h"
#include "viewmodel/stageprogress.h"

#include <QObject>

class FlowClock;
class SceneAccess;

// The install's progress as the window shows it: the bar, which never goes
// back within a stage, and the percentage, speed and time texts.
class ProgressDisplay : public QObject
{
    Q_OBJECT

public:
    ProgressDisplay(const SceneAccess &scene, FlowClock &clock, QObject *parent = nullptr);

    float value() const { return shown; }
    // A new stage leaves the bar where it is until its own ratio passes it.
    void newStage() { highest = StageProgress::kNone; }
    // Speeds count from here: bytes already there are no speed.
    void startDownload(qint64 nowSecs) { downloadRate.restart(nowSecs); }
    void startExtract(qint64 nowSecs) { setupRate.restart(nowSecs); }
    void showDownload(qint64 bytesRead, qint64 totalBytes);
    void showExtract(qint64 finishSize, qint64 totalSize);
    // The pause button offers what a press does next; a paused download has no speed.
    void showPaused(bool paused);

signals:
    void changed();

private:
    void raise(qint64 done, qint64 total);
    void setPauseButtonPictures(const QString &stem);

    const SceneAccess &scene;
    FlowClock &clock;
    RateMeter downloadRate;
    RateMeter setupRate;
    float highest = StageProgress::kNone;
    float shown = 0.0f;
};
