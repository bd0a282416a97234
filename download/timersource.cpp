#include "download/timersource.h"

#include <QTimer>

#include <algorithm>
#include <chrono>

namespace {

class systemtimersource : public timersource
{
public:
    qint64 nowMs() const override
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }

    // The handle is the single shot's context: deleting it, even from the
    // call itself, cancels cleanly.
    std::unique_ptr<QObject> after(int delayMs, std::function<void()> then) override
    {
        auto handle = std::make_unique<QObject>();
        QTimer::singleShot(qMax(0, delayMs), Qt::PreciseTimer, handle.get(), std::move(then));
        return handle;
    }
};

// Keeps no state: one object serves every downloader on every thread.
systemtimersource systemSource;

} // namespace

timersource &timersource::system()
{
    return systemSource;
}

class manualtimersource::pending : public QObject
{
public:
    pending(manualtimersource *owner, qint64 due, int delay, std::function<void()> then)
        : m_owner(owner)
        , m_due(due)
        , m_delay(delay)
        , m_then(std::move(then))
    {
        m_owner->m_pending.append(this);
    }
    ~pending() override
    {
        if (m_owner)
            m_owner->m_pending.removeOne(this);
    }

    manualtimersource *m_owner;
    qint64 m_due;
    int m_delay;
    std::function<void()> m_then;
};

manualtimersource::~manualtimersource()
{
    for (pending *call : qAsConst(m_pending))
        call->m_owner = nullptr;
}

std::unique_ptr<QObject> manualtimersource::after(int delayMs, std::function<void()> then)
{
    m_requested.append(delayMs);
    return std::make_unique<pending>(this, m_now + qMax(0, delayMs), delayMs, std::move(then));
}

void manualtimersource::advanceBy(qint64 milliseconds)
{
    const qint64 target = m_now + milliseconds;
    for (;;) {
        // A call may cancel or add others: look again after each one.
        auto next = std::min_element(m_pending.cbegin(), m_pending.cend(),
                                     [](const pending *a, const pending *b) { return a->m_due < b->m_due; });
        if (next == m_pending.cend() || (*next)->m_due > target)
            break;
        pending *due = *next;
        m_now = qMax(m_now, due->m_due);
        m_pending.removeOne(due);
        due->m_owner = nullptr;
        // Fired once: the owner's handle stays valid but inert.
        auto then = std::move(due->m_then);
        due->m_then = nullptr;
        then();
    }
    m_now = target;
}

bool manualtimersource::advanceToNext()
{
    if (m_pending.isEmpty())
        return false;
    qint64 due = m_pending.first()->m_due;
    for (const pending *call : qAsConst(m_pending))
        due = qMin(due, call->m_due);
    advanceBy(due - m_now);
    return true;
}

QList<int> manualtimersource::pendingDelays() const
{
    QList<int> delays;
    for (const pending *call : qAsConst(m_pending))
        delays.append(call->m_delay);
    return delays;
}
