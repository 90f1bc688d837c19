#include "tasks.h"

#include "clock.h"

#include <QPointer>
#include <QTimer>

namespace corvane {

namespace {

// A sleep on the test's clock: woken when the clock is moved past its moment.
QCoro::Task<bool> sleepOn(ManualClock *clock, Millis duration, CancellationToken token)
{
    const SteadyTime deadline = clock->now() + duration;
    QPointer<ManualClock> alive(clock);
    const int id = clock->addDeadline(deadline);
    detail::Wakeup wakeup;
    bool completed = false;
    QObject::connect(clock, &ManualClock::moved, &wakeup, [clock, deadline, &completed, &wakeup] {
        // A cancelled sleep whose task has not resumed yet stays cancelled.
        if (clock->now() >= deadline && !wakeup.hasFired()) {
            completed = true;
            wakeup.fire();
        }
    });
    QObject::connect(clock, &QObject::destroyed, &wakeup, [&wakeup] { wakeup.fire(); });
    token.onCancel(&wakeup, [&wakeup] { wakeup.fire(); });
    co_await qCoro(&wakeup, &detail::Wakeup::fired);
    if (alive)
        alive->removeDeadline(id);
    co_return completed;
}

} // namespace

QCoro::Task<bool> sleep(Millis duration, CancellationToken token)
{
    if (token.isCancelled())
        co_return false;
    if (ManualClock *clock = ManualClock::current()) {
        if (duration.count() <= 0)
            co_return true;
        co_return co_await sleepOn(clock, duration, token);
    }
    QTimer timer;
    timer.setSingleShot(true);
    detail::Wakeup wakeup;
    bool completed = false;
    QObject::connect(&timer, &QTimer::timeout, &wakeup, [&completed, &wakeup] {
        // The task resumes later than the wakeup: a cancellation that came first stands.
        if (!wakeup.hasFired())
            completed = true;
        wakeup.fire();
    });
    token.onCancel(&wakeup, [&wakeup] { wakeup.fire(); });
    timer.start(duration);
    co_await qCoro(&wakeup, &detail::Wakeup::fired);
    co_return completed;
}

QCoro::Task<> whenAll(std::vector<QCoro::Task<>> tasks)
{
    std::exception_ptr failure;
    for (auto &task : tasks) {
        try {
            co_await task;
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    if (failure)
        std::rethrow_exception(failure);
}

namespace {
QCoro::Task<> settleVoid(QCoro::Task<> task, std::exception_ptr *failure, QEventLoop *loop,
                         bool *finished)
{
    try {
        co_await task;
    } catch (...) {
        *failure = std::current_exception();
    }
    *finished = true;
    loop->quit();
}
} // namespace

void runBlocking(QCoro::Task<> task)
{
    QEventLoop loop;
    std::exception_ptr failure;
    bool finished = false;
    auto runner = settleVoid(std::move(task), &failure, &loop, &finished);
    if (!finished)
        loop.exec();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace corvane
