#pragma once

#include "base/records.h"
#include "model/recordlistmodel.h"

#include <QCoroTask>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QUrl>

#include <memory>
#include <optional>

namespace corvane {

class Household;
class MusicService;
class RecordListModel;
class SpeakerCommands;

// The group's queue as the queue screen shows it, every way of adding to it, and the guard
// against showing a half-finished addition.
class Queue : public QObject
{
    Q_OBJECT
    Q_PROPERTY(corvane::RecordListModel *items READ items CONSTANT)
    Q_PROPERTY(int count READ count NOTIFY queueChanged)
    // 1-based position of the entry being played, 0 when none is.
    Q_PROPERTY(int currentPosition READ currentPosition NOTIFY currentPositionChanged)
    Q_PROPERTY(bool changeLocked READ changeLocked NOTIFY changeLockedChanged)

public:
    Queue(std::shared_ptr<MusicService> music, Household *household, SpeakerCommands *commands, QObject *parent = nullptr);

    const QList<QueueItem> &entries() const { return m_queue; }
    RecordListModel *items() const { return m_model; }
    int count() const { return int(m_queue.size()); }
    int currentPosition() const { return m_currentPosition; }
    // The entry the group plays, as the speaker reports it (1-based).
    void setPlayingIndex(std::optional<int> index);
    bool changeLocked() const { return m_changeLocked; }
    int changeToken() const { return m_changeToken; }
    int expectedCount() const { return m_expectedCount; }
    const QHash<QString, QUrl> &knownArtwork() const { return m_artwork; }

    QCoro::Task<> refresh();
    void apply(QList<QueueItem> items);
    // Shown at once, before the speaker's own list is read (a new source replaces the queue).
    void show(const QList<QueueItem> &items);
    // While the speaker adds `expected` entries, shorter readings are not shown.
    int beginChange(int expected);
    QCoro::Task<> endChange(int token);
    // Runs `action`, then ends the change, whatever came of it.
    QCoro::Task<> withChange(QCoro::Task<> action, int token);
    // The covers of tracks about to be queued, found again by title and artist in the speaker's list.
    void rememberArtwork(const QList<Track> &tracks, bool append);
    static QString artworkKey(const QString &title, const QString &artist);

    QCoro::Task<> addTrack(Track track);
    QCoro::Task<> addTracks(QList<Track> tracks);
    // One song right after the one playing.
    QCoro::Task<> addTrackNext(Track track);
    // An album or playlist right after the song playing.
    QCoro::Task<> addContainerNext(QString kind, QString id, QString title, QString toast);
    // Jumps to an entry of the queue and plays from there.
    QCoro::Task<> playItem(QueueItem item);
    QCoro::Task<> removeItem(QueueItem item);
    QCoro::Task<> moveItems(QList<int> sourceOffsets, int destination);
    QCoro::Task<> empty();

    Q_INVOKABLE void enqueue(const corvane::Track &track) { addTrack(track); }
    Q_INVOKABLE void playNext(const corvane::Track &track) { addTrackNext(track); }
    Q_INVOKABLE void playEntry(int row);
    Q_INVOKABLE void remove(int row);
    // `to` is the row the entry ends on, as a drag or Alt+arrow gives it.
    Q_INVOKABLE void move(int from, int to);
    Q_INVOKABLE void clear() { empty(); }

Q_SIGNALS:
    void queueChanged();
    void currentPositionChanged();
    void changeLockedChanged();

private:
    void setEntries(const QList<QueueItem> &items);
    void updateCurrentPosition();
    QCoro::Task<> resolveArtwork();

    std::shared_ptr<MusicService> m_music;
    Household *m_household;
    SpeakerCommands *m_commands;
    QList<QueueItem> m_queue;
    RecordListModel *m_model;
    QHash<QString, QUrl> m_artwork;
    QSet<QString> m_resolvedSongIDs;
    std::optional<int> m_playingIndex;
    int m_currentPosition = 0;
    int m_changeToken = 0;
    int m_expectedCount = 0;
    bool m_changeLocked = false;
};

} // namespace corvane
