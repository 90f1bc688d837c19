#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace corvane::sim {

// What a simulated speaker can play: a queue entry, a radio stream or its line-in.
struct SimTrack
{
    enum class Kind { Song, Radio, LineIn };

    Kind kind = Kind::Song;
    QString uri;
    QString title;
    QString artist;
    QString album;
    int durationSeconds = 0; // 0 for live sources
    QString albumArtURI;     // as the speaker reports it: absolute or /getaa?...

    // The DIDL-Lite item the speaker reports for it (plain, not yet escaped), alone or wrapped
    // in its own document.
    QString didlItem(const QString &itemId, const QString &parentId) const;
    QString didl(const QString &itemId, const QString &parentId) const;
};

// A small fictional Apple Music catalogue, the same on every run.
QList<SimTrack> catalogueSongs();

// An album or playlist of the fictional catalogue.
struct SimContainer
{
    QString kind; // "album" or "playlist"
    QString id;
    QString title;
    QList<SimTrack> songs;
};
QList<SimContainer> catalogueContainers();
// Every song of the catalogue, albums and playlists included.
std::optional<SimTrack> catalogueSong(const QString &songID);
std::optional<SimContainer> catalogueContainer(const QString &kind, const QString &id);
// The catalogue id inside an Apple Music song URI ("...song%3a123.mp4?..."), if any.
QString songIDOf(const QString &uri);
// A song the catalogue does not know, as described by its DIDL-Lite metadata.
SimTrack songFromMetadata(const QString &uri, const QString &metadata);
SimTrack radioStation(const QString &name, const QString &streamUrl);
SimTrack lineIn(const QString &speakerUuid);
// Wraps items in a DIDL-Lite document with the namespaces speakers declare.
QString didlDocument(const QString &items);

} // namespace corvane::sim
