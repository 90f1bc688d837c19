// The speaker's queue as the queue screen shows it, guarded against half-finished additions.

#include "queue.h"

#include "model/commands.h"
#include "model/field.h"
#include "model/household.h"
#include "model/recordlistmodel.h"

#include "applemusic/applemusickit.h"
#include "applemusic/artworkcache.h"
#include "async/delays.h"
#include "async/tasks.h"
#include "sonos/replies.h"
#include "sonos/sonoscontroller.h"

#include <QCoreApplication>
#include <QPointer>
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

template<typename T>
QCoro::Task<> ignoringResult(QCoro::Task<T> task)
{
    co_await task;
}

QCoro::Task<> enqueueEach(const SonosController &speaker, QList<Track> tracks, AppleMusicLink link)
{
    for (const Track &track : tracks)
        co_await speaker.enqueue(track, link);
}

// The group may be on a radio or the line-in: back to its queue, at that entry.
QCoro::Task<> jumpAndPlay(const SonosController &speaker, int position)
{
    co_await speaker.setQueueAsSource();
    co_await speaker.playTrack(position);
    co_await speaker.play();
}

} // namespace

Queue::Queue(std::shared_ptr<MusicService> music, Household *household, SpeakerCommands *commands, QObject *parent)
    : QObject(parent)
    , m_music(std::move(music))
    , m_household(household)
    , m_commands(commands)
    , m_model(RecordListModel::of<QueueItem>(this))
{
}

QString Queue::artworkKey(const QString &title, const QString &artist)
{
    return title.toLower() + QLatin1Char('|') + artist.toLower();
}

void Queue::rememberArtwork(const QList<Track> &tracks, bool append)
{
    if (!append)
        m_artwork.clear();
    for (const Track &track : tracks) {
        if (track.artworkBase && !track.artworkBase->isEmpty())
            m_artwork.insert(artworkKey(track.title, track.artist), QUrl(at256(*track.artworkBase)));
    }
}

void Queue::setEntries(const QList<QueueItem> &items)
{
    if (assign(this, m_queue, items, &Queue::queueChanged)) {
        m_model->assign(m_queue);
        updateCurrentPosition();
    }
}

void Queue::show(const QList<QueueItem> &items)
{
    setEntries(items);
}

void Queue::setPlayingIndex(std::optional<int> index)
{
    m_playingIndex = index;
    updateCurrentPosition();
}

void Queue::updateCurrentPosition()
{
    // The speaker counts tracks from 1.
    const int position = m_playingIndex && *m_playingIndex >= 1 && *m_playingIndex <= m_queue.size() ? *m_playingIndex : 0;
    assign(this, m_currentPosition, position, &Queue::currentPositionChanged);
}

QCoro::Task<> Queue::refresh()
{
    QPointer<Queue> self(this);
    std::unique_ptr<SonosController> controller = m_household->coordinatorController();
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
    apply(items);
}

void Queue::apply(QList<QueueItem> items)
{
    if (m_changeLocked && items.size() < m_expectedCount)
        return; // the speaker is still adding
    QHash<int, QueueItem> current;
    for (const QueueItem &item : std::as_const(m_queue)) {
        if (!current.contains(item.id))
            current.insert(item.id, item);
    }
    for (QueueItem &item : items) {
        const QUrl known = m_artwork.value(artworkKey(item.title, item.artist));
        if (!known.isEmpty()) {
            item.artworkURL = known;
            continue;
        }
        const auto previous = current.constFind(item.id);
        if (previous != current.constEnd() && previous->title == item.title && previous->artworkURL)
            item.artworkURL = previous->artworkURL;
    }
    setEntries(items);
    prefetchQueue(m_queue);
    resolveArtwork();
}

QCoro::Task<> Queue::resolveArtwork()
{
    QPointer<Queue> self(this);
    const std::shared_ptr<MusicService> service = m_music;
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
        co_return; // the lookups fail as a whole only when cancelled; the covers stay as they are
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
            m_artwork.insert(artworkKey(item.title, item.artist), url);
            item.artworkURL = url;
        }
    }
    setEntries(items);
    prefetchQueue(m_queue);
}

int Queue::beginChange(int expected)
{
    ++m_changeToken;
    m_expectedCount = expected;
    assign(this, m_changeLocked, true, &Queue::changeLockedChanged);
    return m_changeToken;
}

QCoro::Task<> Queue::endChange(int token)
{
    if (token != m_changeToken)
        co_return; // a newer change unlocks
    assign(this, m_changeLocked, false, &Queue::changeLockedChanged);
    co_await refresh();
}

QCoro::Task<> Queue::empty()
{
    m_expectedCount = 0;
    assign(this, m_changeLocked, false, &Queue::changeLockedChanged);
    setEntries({});
    QCoro::Task<> command = m_commands->perform(QCoreApplication::translate("Queue", "File d'attente vidée"), SpeakerCommands::Target::Group,
                              [](const SonosController &speaker) { return speaker.clearQueue(); });
    co_await command;
}

QCoro::Task<> Queue::removeItem(QueueItem item)
{
    QPointer<Queue> self(this);
    QList<QueueItem> items = m_queue;
    items.removeIf([&item](const QueueItem &entry) { return entry.id == item.id; });
    setEntries(items);
    const int position = item.id;
    QCoro::Task<> command = m_commands->perform(std::nullopt, SpeakerCommands::Target::Group,
                                             [position](const SonosController &speaker) { return speaker.removeFromQueue(position); });
    co_await sleep(delays().queueRemoveRefresh);
    if (self)
        co_await refresh(); // the speaker renumbers what remains
    co_await command;
}

QCoro::Task<> Queue::moveItems(QList<int> sourceOffsets, int destination)
{
    QPointer<Queue> self(this);
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
    setEntries(items);
    QCoro::Task<> command = m_commands->perform(std::nullopt, SpeakerCommands::Target::Group, [movedID, insertBefore](const SonosController &speaker) {
        return speaker.reorderQueue(movedID, 1, insertBefore);
    });
    co_await sleep(delays().queueMoveRefresh);
    if (self)
        co_await refresh();
    co_await command;
}

QCoro::Task<> Queue::withChange(QCoro::Task<> action, int token)
{
    QPointer<Queue> self(this);
    std::exception_ptr failure;
    try {
        co_await action;
    } catch (...) {
        failure = std::current_exception();
    }
    if (self)
        co_await endChange(token);
    if (failure)
        std::rethrow_exception(failure);
}

QCoro::Task<> Queue::addTrack(Track track)
{
    rememberArtwork({track}, true);
    const int token = beginChange(int(m_queue.size()));
    QCoro::Task<> command = m_commands->perform(QCoreApplication::translate("Queue", "Ajouté à la file · %1").arg(track.title), SpeakerCommands::Target::Group,
                                                [this, track, token](const SonosController &speaker) {
                                                    return withChange(ignoringResult(speaker.enqueue(track, *m_household->link())), token);
                                                }, SpeakerCommands::Needs::MusicLink, token);
    co_await command;
}

QCoro::Task<> Queue::addTracks(QList<Track> tracks)
{
    rememberArtwork(tracks, true);
    const int token = beginChange(int(m_queue.size()));
    QCoro::Task<> command = m_commands->perform(QCoreApplication::translate("Queue", "Ajouté à la file"), SpeakerCommands::Target::Group,
                                                [this, tracks, token](const SonosController &speaker) {
                                                    return withChange(enqueueEach(speaker, tracks, *m_household->link()), token);
                                                }, SpeakerCommands::Needs::MusicLink, token);
    co_await command;
}

QCoro::Task<> Queue::addContainerNext(QString kind, QString id, QString title, QString toast)
{
    QCoro::Task<> reread = refresh();
    QCoro::Task<> command = m_commands->perform(toast, SpeakerCommands::Target::Group, [this, kind, id, title](const SonosController &speaker) {
        return ignoringResult(speaker.insertContainerNext(kind, id, title, *m_household->link()));
    }, SpeakerCommands::Needs::MusicLink);
    co_await command;
    co_await reread;
}

QCoro::Task<> Queue::playItem(QueueItem item)
{
    const int position = item.id;
    QCoro::Task<> command = m_commands->perform(std::nullopt, SpeakerCommands::Target::Group, [position](const SonosController &speaker) {
        return jumpAndPlay(speaker, position);
    });
    co_await command;
}

QCoro::Task<> Queue::addTrackNext(Track track)
{
    rememberArtwork({track}, true);
    const int token = beginChange(int(m_queue.size()) + 1);
    QCoro::Task<> command = m_commands->perform(QCoreApplication::translate("Queue", "À suivre · %1").arg(track.title),
 SpeakerCommands::Target::Group,
                                                [this, track, token](const SonosController &speaker) {
                                                    return withChange(ignoringResult(speaker.enqueueNext(track, *m_household->link())), token);
                                                }, SpeakerCommands::Needs::MusicLink, token);
    co_await command;
}

void Queue::playEntry(int row)
{
    if (row >= 0 && row < m_queue.size())
        playItem(m_queue.at(row));
}

void Queue::remove(int row)
{
    if (row >= 0 && row < m_queue.size())
        removeItem(m_queue.at(row));
}

void Queue::move(int from, int to)
{
    const int count = int(m_queue.size());
    if (from < 0 || from >= count || to < 0 || to >= count || from == to)
        return;
    // moveItems takes the offset the entry is inserted before, counted before it leaves.
    moveItems({from}, to > from ? to + 1 : to);
}

} // namespace corvane
