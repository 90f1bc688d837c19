#pragma once

#include "cancellation.h"
#include "delays.h"

#include <QCoroSignal>
#include <QCoroTask>
#include <QEventLoop>
#include <QObject>

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace corvane {

namespace detail {
// A one-shot wake-up that a coroutine can await through qCoro().
class Wakeup : public QObject
{
    Q_OBJECT
public:
    bool hasFired() const { return m_fired; }
    void fire()
    {
        if (m_fired)
            return;
        m_fired = true;
        Q_EMIT fired();
    }

Q_SIGNALS:
    void fired();

private:
    bool m_fired = false;
};
} // namespace detail

// Waits for `duration`, or less when `token` is cancelled. True when the whole duration passed.
QCoro::Task<bool> sleep(Millis duration, CancellationToken token = {});

// Joins tasks that are already running (QCoro tasks start eagerly). Every task is awaited, so no
// work outlives the join; when any of them failed, the first failure is rethrown afterwards.
template<typename T>
QCoro::Task<std::vector<T>> whenAll(std::vector<QCoro::Task<T>> tasks)
{
    std::vector<T> results;
    results.reserve(tasks.size());
    std::exception_ptr failure;
    for (auto &task : tasks) {
        try {
            T value = co_await task;
            results.push_back(std::move(value));
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
            results.emplace_back();
        }
    }
    if (failure)
        std::rethrow_exception(failure);
    co_return results;
}

QCoro::Task<> whenAll(std::vector<QCoro::Task<>> tasks);

// One contender of a race: given the race's token, starts its work and yields a value or nothing.
template<typename T>
using Racer = std::function<QCoro::Task<std::optional<T>>(CancellationToken)>;

namespace detail {
template<typename T>
struct RaceState
{
    explicit RaceState(const CancellationToken &parent) : losers(parent) {}
    CancellationSource losers;
    std::optional<T> winner;
    std::size_t running = 0;
    Wakeup done;
};

template<typename T>
QCoro::Task<> runRacer(std::shared_ptr<RaceState<T>> state, Racer<T> racer)
{
    std::optional<T> result;
    try {
        auto task = racer(state->losers.token());
        result = co_await task;
    } catch (...) {
        // A contender that fails simply does not win.
    }
    --state->running;
    if (result && !state->winner) {
        state->winner = std::move(result);
        state->losers.cancel();
    }
    if (state->winner || state->running == 0)
        state->done.fire();
}
} // namespace detail

// Starts every racer at once and returns the first value produced; the others are cancelled
// through their token at that moment. Nothing when every racer ends without a value, or when
// `token` is cancelled first.
template<typename T>
QCoro::Task<std::optional<T>> firstResult(std::vector<Racer<T>> racers, CancellationToken token = {})
{
    if (racers.empty() || token.isCancelled())
        co_return std::nullopt;
    auto state = std::make_shared<detail::RaceState<T>>(token);
    state->running = racers.size();
    // Cancelling the caller cancels the contenders, which then finish without a value.
    std::vector<QCoro::Task<>> contenders;
    contenders.reserve(racers.size());
    for (auto &racer : racers) {
        if (state->done.hasFired())
            break;
        contenders.push_back(detail::runRacer<T>(state, std::move(racer)));
    }
    if (!state->done.hasFired() && state->running > 0)
        co_await qCoro(&state->done, &detail::Wakeup::fired);
    // Contenders still unwinding keep the shared state alive; dropping their tasks detaches them.
    // A copy: QCoro 0.8 moves from an lvalue that is co_returned.
    std::optional<T> winner = state->winner;
    co_return winner;
}

namespace detail {
template<typename T>
QCoro::Task<> settleInto(QCoro::Task<T> task, std::optional<T> *value, std::exception_ptr *failure,
                         QEventLoop *loop, bool *finished)
{
    try {
        T result = co_await task;
        *value = std::move(result);
    } catch (...) {
        *failure = std::current_exception();
    }
    *finished = true;
    loop->quit();
}
} // namespace detail

// Runs `task` to its end in a nested event loop (for main() and tests). Unlike QCoro::waitFor,
// a failure is rethrown here instead of leaving the loop running forever.
template<typename T>
T runBlocking(QCoro::Task<T> task)
{
    QEventLoop loop;
    std::optional<T> value;
    std::exception_ptr failure;
    bool finished = false;
    auto runner = detail::settleInto<T>(std::move(task), &value, &failure, &loop, &finished);
    if (!finished)
        loop.exec();
    if (failure)
        std::rethrow_exception(failure);
    return std::move(*value);
}

void runBlocking(QCoro::Task<> task);

} // namespace corvane
