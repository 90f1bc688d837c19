#include "artworkcache.h"

#include "async/delays.h"
#include "async/http.h"
#include "async/imagedecode.h"
#include "async/tasks.h"
#include "base/configuration.h"
#include "base/paths.h"

#include <QCache>
#include <QCoreApplication>
#include <QCoroFuture>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QNetworkProxy>
#include <QPointer>
#include <QRegularExpression>
#include <QSaveFile>
#include <QThreadPool>
#include <QUrlQuery>
#include <QtConcurrent/QtConcurrentRun>

#include <deque>
#include <memory>

namespace corvane::ArtworkCache {

namespace {

// Costed in bytes: a 600-pixel cover weighs as much as twenty small tiles.
constexpr qsizetype memoryBytes = qsizetype(96) << 20;

QCache<QString, QImage> &memory()
{
    static QCache<QString, QImage> cache(memoryBytes);
    return cache;
}

void remember(const QString &key, const QImage &image)
{
    memory().insert(key, new QImage(image), std::max<qsizetype>(image.sizeInBytes(), 1));
}

QNetworkAccessManager *client(const char *cacheName, qint64 cacheBytes)
{
    auto *network = new QNetworkAccessManager(QCoreApplication::instance());
    auto *cache = new QNetworkDiskCache(network);
    cache->setCacheDirectory(paths::cache() + QLatin1Char('/') + QLatin1String(cacheName));
    cache->setMaximumCacheSize(cacheBytes);
    network->setCache(cache);
    return network;
}

// One request at a time per speaker: a speaker asked for several covers at once answers slowly.
struct HostGate
{
    bool busy = false;
    std::deque<std::shared_ptr<detail::Wakeup>> waiting;
};

QHash<QString, HostGate> &gates()
{
    static QHash<QString, HostGate> table;
    return table;
}

QCoro::Task<> acquire(QString host)
{
    HostGate &gate = gates()[host];
    if (!gate.busy) {
        gate.busy = true;
        co_return;
    }
    auto turn = std::make_shared<detail::Wakeup>();
    gate.waiting.push_back(turn);
    co_await qCoro(turn.get(), &detail::Wakeup::fired);
}

void release(const QString &host)
{
    HostGate &gate = gates()[host];
    if (gate.waiting.empty()) {
        gate.busy = false;
        return;
    }
    auto next = gate.waiting.front();
    gate.waiting.pop_front();
    next->fire(); // the gate stays busy: it passes to the next request
}

// The coalescer: one running load per URL, shared by every caller.
// One download shared by every view that wants the image. It runs under its own cancellation,
// which only the last waiter to leave triggers: one view closing must not abort it for the others.
struct Flight
{
    detail::Wakeup done;
    std::optional<QImage> result;
    CancellationSource cancel;
    int waiters = 0;
};

QHash<QString, std::shared_ptr<Flight>> &flights()
{
    static QHash<QString, std::shared_ptr<Flight>> table;
    return table;
}

std::optional<QImage> readDisk(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    const std::optional<QImage> image = decodeImage(in.read(bodyLimit::artwork + 1));
    if (!image)
        return std::nullopt;
    // Access times are lazy on most systems: mark the read, the trim goes by it.
    in.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileAccessTime);
    return image;
}

QCoro::Task<HttpResult> download(QUrl url, CancellationToken token)
{
    HttpRequest request;
    request.url = url;
    request.token = token;
    request.timeout = delays().artworkTimeout;
    request.maxBody = bodyLimit::artwork;
    const bool speaker = isSpeakerURL(url);
    if (speaker) {
        request.timeout = delays().speakerArtTimeout;
        const QString host = url.host() + QLatin1Char(':') + QString::number(url.port());
        co_await acquire(host);
        HttpResult result = co_await httpSend(speakerClient(), request);
        release(host);
        co_return result;
    }
    request.headers = {{"User-Agent", "Corvane/1.0 (Sonos remote; contact: " + Configuration::contactAddress().toUtf8() + ')'}};
    HttpResult result = co_await httpSend(internetClient(), request);
    co_return result;
}

QCoro::Task<> loadInTurn(QList<QUrl> urls)
{
    for (const QUrl &url : urls) {
        if (!memory().contains(url.toString()))
            co_await image(url);
    }
}

// Keeps at most `window` loads running; each one finished starts the next.
struct Batch
{
    QList<QUrl> urls;
    qsizetype next = 0;
};

QCoro::Task<> loadNext(std::shared_ptr<Batch> batch)
{
    while (batch->next < batch->urls.size()) {
        const QUrl url = batch->urls.at(batch->next++);
        co_await image(url);
    }
}

} // namespace

QUrl resolveArtworkURL(const QUrl &url)
{
    if (url.scheme().toLower() != QLatin1String("musickit"))
        return url;
    const QString aat = QUrlQuery(url).queryItemValue(QStringLiteral("aat"), QUrl::FullyDecoded);
    const QUrl inner(aat, QUrl::StrictMode);
    if (aat.isEmpty() || !inner.isValid() || inner.isRelative())
        return url;
    static const QRegularExpression size(QStringLiteral("/[0-9]{3,4}x[0-9]{3,4}([a-z]{2})\\."));
    const QUrl resized(QString(inner.toString()).replace(size, QStringLiteral("/600x600\\1.")), QUrl::StrictMode);
    return resized.isValid() ? resized : inner;
}

bool isSpeakerURL(const QUrl &url)
{
    return url.path().startsWith(QLatin1String("/getaa")) || url.port() == 1400;
}

QString diskFolder()
{
    const QString folder = paths::cache() + QStringLiteral("/Pochettes");
    return QDir().mkpath(folder) ? folder : QString();
}

QString diskFile(const QUrl &resolved)
{
    const QString folder = diskFolder();
    if (folder.isEmpty())
        return {};
    return folder + QLatin1Char('/')
        + QString::fromLatin1(QCryptographicHash::hash(resolved.toString(QUrl::FullyEncoded).toUtf8(), QCryptographicHash::Sha256).toHex());
}

QNetworkAccessManager *internetClient()
{
    static QPointer<QNetworkAccessManager> network;
    if (!network)
        network = client("http-internet", 134217728);
    return network;
}

QNetworkAccessManager *speakerClient()
{
    static QPointer<QNetworkAccessManager> network;
    if (!network) {
        network = client("http-speakers", 67108864);
        network->setProxy(QNetworkProxy::NoProxy);
    }
    return network;
}

std::optional<QImage> memoryImage(const QUrl &resolved)
{
    if (const QImage *found = memory().object(resolved.toString()))
        return *found;
    return std::nullopt;
}

void clearMemory()
{
    memory().clear();
}

namespace {
QCoro::Task<> fly(std::shared_ptr<Flight> flight, QString key, QUrl resolved)
{
    std::optional<QImage> result = co_await loadImage(resolved, flight->cancel.token());
    flight->result = result;
    if (flights().value(key) == flight)
        flights().remove(key);
    flight->done.fire();
}
} // namespace

QCoro::Task<std::optional<QImage>> image(QUrl resolved, CancellationToken token)
{
    if (token.isCancelled())
        co_return std::nullopt;
    const QString key = resolved.toString();
    std::shared_ptr<Flight> flight = flights().value(key);
    if (!flight) {
        flight = std::make_shared<Flight>();
        flights().insert(key, flight);
        fly(flight, key, resolved); // runs on its own; every waiter holds the flight
    }
    ++flight->waiters;
    // Woken by the end of the download or by this caller's own cancellation, whichever is first.
    detail::Wakeup woken;
    if (!flight->done.hasFired()) {
        QObject::connect(&flight->done, &detail::Wakeup::fired, &woken, &detail::Wakeup::fire);
        token.onCancel(&woken, [&woken] { woken.fire(); });
        if (!woken.hasFired())
            co_await qCoro(&woken, &detail::Wakeup::fired);
    }
    --flight->waiters;
    if (!flight->done.hasFired()) {
        // This caller left early; the last one to leave stops the download.
        if (flight->waiters == 0) {
            if (flights().value(key) == flight)
                flights().remove(key);
            flight->cancel.cancel();
        }
        co_return std::nullopt;
    }
    // A copy: QCoro 0.8 moves from whatever lvalue is co_returned, and every waiter reads it.
    std::optional<QImage> shared = flight->result;
    co_return shared;
}

QCoro::Task<std::optional<QImage>> loadImage(QUrl resolved, CancellationToken token)
{
    const QString key = resolved.toString();
    const QString file = diskFile(resolved);
    if (!file.isEmpty()) {
        // Decoding waits on a worker thread, not on the screen.
        const std::optional<QImage> fromDisk = co_await QtConcurrent::run(readDisk, file);
        if (fromDisk) {
            remember(key, *fromDisk);
            co_return fromDisk;
        }
    }
    for (int attempt = 1; attempt <= 3; ++attempt) {
        const HttpResult result = co_await download(resolved, token);
        const std::optional<QImage> decoded = result.status == 200 ? decodeImage(result.body) : std::nullopt;
        if (decoded) {
            remember(key, *decoded);
            if (!file.isEmpty()) {
                const QByteArray bytes = result.body;
                QThreadPool::globalInstance()->start([file, bytes] {
                    QSaveFile out(file);
                    if (out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size())
                        out.commit();
                });
            }
            co_return decoded;
        }
        if (attempt == 3)
            break;
        const bool waited = co_await sleep(delays().artworkRetryStep * attempt, token);
        if (!waited)
            break;
    }
    co_return std::nullopt;
}

void prefetch(const QList<std::optional<QUrl>> &urls)
{
    QList<QUrl> speakers;
    QList<QUrl> internet;
    for (const auto &url : urls) {
        if (!url)
            continue;
        const QUrl resolved = resolveArtworkURL(*url);
        if (memory().contains(resolved.toString()))
            continue;
        (isSpeakerURL(resolved) ? speakers : internet).append(resolved);
    }
    if (!speakers.isEmpty())
        loadInTurn(speakers.mid(0, 60));
    if (!internet.isEmpty()) {
        auto batch = std::make_shared<Batch>();
        batch->urls = internet.mid(0, 40);
        for (int i = 0; i < 6; ++i)
            loadNext(batch);
    }
}

void trimDiskCache(qint64 limit)
{
    paths::trimFolder(diskFolder(), limit);
}

} // namespace corvane::ArtworkCache
