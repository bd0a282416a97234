#pragma once

class QObject;

// A modal dialog opened from a press in the scene takes that press's release:
// the scene's item keeps its mouse grab and would swallow the next press on
// any other button. After each dialog the stale grab is dropped.
class SceneGrab
{
public:
    static void releaseStale(QObject *root);
};
