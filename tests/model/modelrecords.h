#pragma once

// Records for the model tests: songs of the simulated catalogue as the model takes them, a
// speaker's reading, a queue.

#include "base/records.h"
#include "simtrack.h"

#include <QUrl>

namespace corvane::test {

// Artwork on the simulator's origin: nothing may be fetched beyond loopback.
inline QUrl artOrigin;

inline Track trackOf(const sim::SimTrack &song)
{
    return Track{sim::songIDOf(song.uri), song.title, song.artist, song.album,
                 artOrigin.toString() + QStringLiteral("/art/%1/100x100bb.jpg").arg(sim::songIDOf(song.uri)),
                 qint64(song.durationSeconds) * 1000};
}

inline QList<Track> tracksOf(const QList<sim::SimTrack> &songs)
{
    QList<Track> tracks;
    for (const sim::SimTrack &song : songs)
        tracks << trackOf(song);
    return tracks;
}

inline NowPlaying reading(const QString &trackID, int elapsed, bool playing = true)
{
    NowPlaying now;
    now.title = QStringLiteral("Titre ") + trackID;
    now.artist = QStringLiteral("Artiste");
    now.trackID = trackID;
    now.isPlaying = playing;
    now.elapsed = elapsed;
    now.duration = 200;
    now.queueIndex = 1;
    return now;
}

inline QList<QueueItem> queueOf(int count)
{
    QList<QueueItem> items;
    for (int i = 1; i <= count; ++i)
        items << QueueItem{i, QStringLiteral("Morceau %1").arg(i), QStringLiteral("A"), std::nullopt, std::nullopt};
    return items;
}

} // namespace corvane::test
