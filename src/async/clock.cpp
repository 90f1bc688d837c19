#include "clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

namespace corvane {

namespace {
ManualClock *s_current = nullptr;
} // namespace

SteadyTime steadyNow()
{
    return s_current ? s_current->now() : std::chrono::steady_clock::now();
}

ManualClock::ManualClock()
    : m_now(std::chrono::steady_clock::now())
{
    Q_ASSERT(!s_current);
    s_current = this;
}

ManualClock::~ManualClock()
{
    s_current = nullptr;
}

ManualClock *ManualClock::current()
{
    return s_current;
}

int ManualClock::addDeadline(SteadyTime when)
{
    m_deadlines.emplace(++m_nextID, when);
    return m_nextID;
}

void ManualClock::removeDeadline(int id)
{
    m_deadlines.erase(id);
}

void ManualClock::moveTo(SteadyTime when)
{
    m_now = when;
    Q_EMIT moved();
    // Woken tasks resume inside the signal; what they posted runs before the next step.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

std::optional<SteadyTime> ManualClock::nextDeadline(SteadyTime last) const
{
    std::optional<SteadyTime> next;
    for (const auto &[id, when] : m_deadlines) {
        if (when > m_now && when <= last && (!next || when < *next))
            next = when;
    }
    return next;
}

void ManualClock::advance(Millis step)
{
    const SteadyTime target = m_now + step;
    while (const std::optional<SteadyTime> next = nextDeadline(target))
        moveTo(*next);
    moveTo(target);
}

bool ManualClock::runUntil(const std::function<bool()> &done, Millis within, Millis limit)
{
    const SteadyTime last = m_now + within;
    QElapsedTimer real;
    real.start();
    while (!done()) {
        if (real.elapsed() > limit.count())
            return false;
        // Real work first (replies from the simulated speakers), then the next sleep's moment.
        QEventLoop idle;
        QTimer::singleShot(10, &idle, &QEventLoop::quit);
        idle.exec();
        if (done())
            break;
        if (const std::optional<SteadyTime> next = nextDeadline(last))
            moveTo(*next);
    }
    return true;
}

} // namespace corvane
