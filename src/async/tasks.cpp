#include "tasks.h"

#include <QTimer>

namespace corvane {

QCoro::Task<bool> sleep(Millis duration, CancellationToken token)
{
    if (token.isCancelled())
        co_return false;
    QTimer timer;
    timer.setSingleShot(true);
    detail::Wakeup wakeup;
    bool completed = false;
    QObject::connect(&timer, &QTimer::timeout, &wakeup, [&completed, &wakeup] {
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
