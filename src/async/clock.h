#pragma once

#include "delays.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <map>
#include <optional>

namespace corvane {

using SteadyTime = std::chrono::steady_clock::time_point;

// The steady clock, or the ManualClock a test runs on.
SteadyTime steadyNow();

// A clock a test moves by hand. While one exists, sleep() and steadyNow() follow it instead of
// the real clock, so a test of what happens after a delay advances the time rather than waiting
// for it. Network requests and their timeouts keep real time.
class ManualClock : public QObject
{
    Q_OBJECT

public:
    ManualClock();
    ~ManualClock() override;

    // The clock in force, or null.
    static ManualClock *current();

    SteadyTime now() const { return m_now; }
    // Moves the time forward, waking each sleep whose moment comes, earliest first; what a woken
    // task does next (a new sleep included) happens before the clock moves on.
    void advance(Millis step);
    // Runs the event loop until `done`, moving the time to the next sleep's moment whenever the
    // loop has had nothing to do for a moment, but never more than `within` past where it
    // started (replies that take long in real time must not see the time run ahead). False when
    // `done` is still false after `limit` of real time.
    bool runUntil(const std::function<bool()> &done, Millis within, Millis limit = Millis(5000));
    int pendingSleeps() const { return int(m_deadlines.size()); }

    // For sleep(): a moment to be woken at, and the end of the wait.
    int addDeadline(SteadyTime when);
    void removeDeadline(int id);

Q_SIGNALS:
    void moved();

private:
    void moveTo(SteadyTime when);
    // The earliest moment a sleep waits for, after now and no later than `last`.
    std::optional<SteadyTime> nextDeadline(SteadyTime last) const;

    SteadyTime m_now;
    std::map<int, SteadyTime> m_deadlines;
    int m_nextID = 0;
};

} // namespace corvane
