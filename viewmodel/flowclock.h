#pragma once

#include <QObject>

// A repeating tick of a flow (the verification dots and the like). Flows take
// theirs from a FlowClock, so a test steps through the ticks without waiting.
class FlowTicker : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual int intervalMs() const = 0;

signals:
    void tick();
};

// Time as the flows read it: the wall clock's seconds and repeating ticks.
// The controller runs on this one; tests hand in a clock they move by hand.
class FlowClock
{
public:
    virtual ~FlowClock() = default;

    virtual qint64 nowSecs() const;
    // A stopped ticker owned by parent.
    virtual FlowTicker *ticker(int intervalMs, QObject *parent);
};
