#pragma once

#include <QObject>

class FlowClock;
class FlowTicker;
class SceneAccess;

// The "verifying" text with its running dots while a package's digest is
// checked: one step a second, and the dots carry on where they stopped.
class VerifyTip : public QObject
{
    Q_OBJECT

public:
    static constexpr int kStepMs = 1000;

    VerifyTip(const SceneAccess &scene, FlowClock &clock, QObject *parent = nullptr);

    void start();
    void stop();
    bool isActive() const;
    // One step: the text, then one space or one to three dots.
    void showNext();

private:
    const SceneAccess &scene;
    FlowTicker *ticker;
    int dotCount = 0;
};
