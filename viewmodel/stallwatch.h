#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Measures how late the GUI thread serves a short timer: the worst lateness
// is the longest the window could not repaint or take a click.
class StallWatch : public QObject
{
    Q_OBJECT

public:
    explicit StallWatch(QObject *parent = nullptr);

    void restart();
    qint64 worstMilliseconds() const { return worst; }
    qint64 elapsedMilliseconds() const { return sinceRestart.elapsed(); }

private:
    void tick();

    QTimer timer;
    QElapsedTimer sinceTick;
    QElapsedTimer sinceRestart;
    qint64 worst = 0;
};
