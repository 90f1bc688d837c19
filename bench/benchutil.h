#pragma once

// What the benchmarks share: the process's resident memory, a median, a bounded wait that
// keeps the event loop turning, and the music service signed in to the simulated web services.

#include "applemusic/usertokenstore.h"
#include "applemusic/webmusicservice.h"
#include "async/tasks.h"
#include "simwebservices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace corvane::bench {

inline double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

inline bool waitUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

// The user's token stored and the service loaded, as after a sign-in.
inline std::shared_ptr<WebMusicService> signedInMusic(const sim::SimWebServices &web)
{
    UserTokenStore store(false);
    runBlocking(store.write(QString::fromLatin1(sim::SimWebServices::userToken)));
    auto music = std::make_shared<WebMusicService>(
        WebMusicService::Settings{web.origin(), sim::SimWebServices::developerToken, {}, {}}, store);
    runBlocking(music->load());
    return music;
}

} // namespace corvane::bench
