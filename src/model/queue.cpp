// The speaker's queue as the queue screen shows it, guarded against half-finished additions.

#include "corvanemodel.h"

#include "applemusic/applemusickit.h"
#include "applemusic/artworkcache.h"
#include "async/delays.h"
#include "async/tasks.h"
#include "sonos/replies.h"
#include "sonos/sonoscontroller.h"

#include <QRegularExpression>

namespace corvane {

namespace {

// A speaker's queue holds at most 40 000 tracks.
constexpr int queueReadLimit = 40000;
constexpr int artworkLookups = 60;

QString at256(const QString &url)
{
    static const QRegularExpression size(QStringLiteral("/[0-9]{2,4}x[0-9]{2,4}"));
    QString sized = url;
    const QRegularExpressionMatch match = size.match(sized);
    if (match.hasMatch())
        sized.replace(match.capturedStart(), match.capturedLength(), QStringLiteral("/256x256"));
    return sized;
}

void prefetchQueue(const QList<QueueItem> &items)
{
    QList<std::optional<QUrl>> urls;
    for (const QueueItem &item : items)
        urls.append(item.artworkURL);
    ArtworkCache::prefetch(urls);
}

} // namespace

QString CorvaneModel::artworkKey(const QString &title, const QString &artist)
{
    return title.toLower() + QLatin1Char('|') + artist.toLower();
}

void CorvaneModel::rememberArtwork(const QList<Track> &tracks, bool append)
{
    if (!append)
        m_queueArtwork.clear();
    for (const Track &track : tracks) {
        if (track.artworkBase && !track.artworkBase->isEmpty())
            m_queueArtwork.insert(artworkKey(track.title, track.artist), QUrl(at256(*track.artworkBase)));
    }
}

void CorvaneModel::setQueue(const QList<QueueItem> &items)
{
    if (assign(m_queue, items, &CorvaneModel::queueChanged))
        m_queueModel->assign(m_queue);
}

QCoro::Task<> CorvaneModel::refreshQueue()
{
    QPointer<CorvaneModel> self(this);
    std::unique_ptr<SonosController> controller = coordinatorController();
    if (!controller)
        co_return;
    QList<QueueItem> items;
    try {
        const QStringList pages = co_await controller->browseAll(QStringLiteral("Q:0"), queueReadLimit);
        for (const QString &page : pages)
            items += parseQueue(page, controller->speaker());
    } catch (...) {
        items.clear(); // a failed read shows an empty queue
    }
    if (!self)
        co_return;
    applyQueue(items);
}

void CorvaneModel::applyQueue(QList<QueueItem> items)
{
    if (m_queueChangeLocked && items.size() < m_expectedQueueCount)
        return; // the speaker is still adding
    QHash<int, QueueItem> current;
    for (const QueueItem &item : std::as_const(m_queue)) {
        if (!current.contains(item.id))
            current.insert(item.id, item);
    }
    for (QueueItem &item : items) {
        const QUrl known = m_queueArtwork.value(artworkKey(item.title, item.artist));
        if (!known.isEmpty()) {
            item.artworkURL = known;
            continue;
        }
        const auto previous = current.constFind(item.id);
        if (previous != current.constEnd() && previous->title == item.title && previous->artworkURL)
            item.artworkURL = previous->artworkURL;
    }
    setQueue(items);
    prefetchQueue(m_queue);
    resolveQueueArtwork();
}

QCoro::Task<> CorvaneModel::resolveQueueArtwork()
{
    QPointer<CorvaneModel> self(this);
    const std::shared_ptr<MusicService> service = music();
    if (!service)
        co_return;
    QStringList wanted;
    for (const QueueItem &item : m_queue.mid(0, artworkLookups)) {
        if (!item.songID || m_resolvedSongIDs.contains(*item.songID) || wanted.contains(*item.songID))
            continue;
        if (!item.artworkURL || ArtworkCache::isSpeakerURL(*item.artworkURL))
            wanted << *item.songID;
    }
    if (wanted.isEmpty())
        co_return;
    for (const QString &id : std::as_const(wanted))
        m_resolvedSongIDs.insert(id); // looked up once per run, whatever comes of it
    std::vector<QCoro::Task<std::optional<QString>>> lookups;
    for (const QString &id : std::as_const(wanted))
        lookups.push_back(AppleMusicKit::songArtwork(service.get(), id));
    std::vector<std::optional<QString>> found;
    try {
        found = co_await whenAll(std::move(lookups));
    } catch (...) {
        co_return;
    }
    if (!self)
        co_return;
    QHash<QString, QUrl> bySong;
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (found[i])
            bySong.insert(wanted.at(qsizetype(i)), QUrl(at256(*found[i])));
    }
    if (bySong.isEmpty())
        co_return;
    QList<QueueItem> items = m_queue;
    for (QueueItem &item : items) {
        if (item.songID && bySong.contains(*item.songID)) {
            const QUrl url = bySong.value(*item.songID);
            m_queueArtwork.insert(artworkKey(item.title, item.artist), url);
            item.artworkURL = url;
        }
    }
    setQueue(items);
    prefetchQueue(m_queue);
}

int CorvaneModel::beginQueueChange(int expected)
{
    ++m_queueChangeToken;
    m_expectedQueueCount = expected;
    assign(m_queueChangeLocked, true, &CorvaneModel::queueChangeLockedChanged);
    return m_queueChangeToken;
}

QCoro::Task<> CorvaneModel::endQueueChange(int token)
{
    if (token != m_queueChangeToken)
        co_return; // a newer change unlocks
    assign(m_queueChangeLocked, false, &CorvaneModel::queueChangeLockedChanged);
    co_await refreshQueue();
}

QCoro::Task<> CorvaneModel::emptyQueue()
{
    m_expectedQueueCount = 0;
    assign(m_queueChangeLocked, false, &CorvaneModel::queueChangeLockedChanged);
    setQueue({});
    QCoro::Task<> command = performOnSpeaker(QStringLiteral("File d'attente vidée"), false,
                              [](const SonosController &speaker) { return speaker.clearQueue(); });
    co_await command;
}

QCoro::Task<> CorvaneModel::removeQueueItem(QueueItem item)
{
    QPointer<CorvaneModel> self(this);
    QList<QueueItem> items = m_queue;
    items.removeIf([&item](const QueueItem &entry) { return entry.id == item.id; });
    setQueue(items);
    const int position = item.id;
    QCoro::Task<> command = performOnSpeaker(std::nullopt, false,
                                             [position](const SonosController &speaker) { return speaker.removeFromQueue(position); });
    co_await sleep(delays().queueRemoveRefresh);
    if (self)
        co_await refreshQueue(); // the speaker renumbers what remains
    co_await command;
}

QCoro::Task<> CorvaneModel::moveQueueItems(QList<int> sourceOffsets, int destination)
{
    QPointer<CorvaneModel> self(this);
    if (sourceOffsets.isEmpty())
        co_return;
    const int source = sourceOffsets.first();
    if (source == destination || source < 0 || source >= m_queue.size() || destination < 0 || destination > m_queue.size())
        co_return;
    const int movedID = m_queue.at(source).id;
    const int insertBefore = destination + 1;
    QList<QueueItem> items = m_queue;
    // The destination is an offset in the list before the removal.
    items.move(source, destination > source ? destination - 1 : destination);
    setQueue(items);
    QCoro::Task<> command = performOnSpeaker(std::nullopt, false, [movedID, insertBefore](const SonosController &speaker) {
        return speaker.reorderQueue(movedID, 1, insertBefore);
    });
    co_await sleep(delays().queueMoveRefresh);
    if (self)
        co_await refreshQueue();
    co_await command;
}

} // namespace corvane
