#pragma once

#include <QObject>
#include <QtGlobal>

#include <functional>
#include <memory>

// Where the downloader's waits come from: the retry waits, the inactivity
// time-out and the slow-connection guard. The program uses the system's
// clock; tests drive a manual one instead of waiting 30 s of real time.
class timersource
{
public:
    virtual ~timersource() = default;

    // Milliseconds on a clock that never goes back.
    virtual qint64 nowMs() const = 0;
    // Calls then once after delayMs on the caller's thread. Deleting the
    // returned object before then cancels the call.
    virtual std::unique_ptr<QObject> after(int delayMs, std::function<void()> then) = 0;

    static timersource &system();
};

// A clock that moves only when told: advanceBy() fires what falls due, in
// the order of their times.
class manualtimersource : public timersource
{
public:
    ~manualtimersource() override;

    qint64 nowMs() const override { return m_now; }
    std::unique_ptr<QObject> after(int delayMs, std::function<void()> then) override;

    void advanceBy(qint64 milliseconds);
    // Moves the clock to the first call due and makes it; false if none waits.
    bool advanceToNext();
    // The delays of the calls still waiting, in the order they were asked for.
    QList<int> pendingDelays() const;
    // The delays asked for so far, in order.
    QList<int> requestedDelays() const { return m_requested; }
    void clearRequestedDelays() { m_requested.clear(); }

private:
    class pending;
    friend class pending;

    qint64 m_now = 0;
    QList<pending *> m_pending;
    QList<int> m_requested;
};
