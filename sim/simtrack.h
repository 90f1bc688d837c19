#pragma once

#include <QList>
#include <QStringList>
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
    // A live source: the metadata it was set with (GetMediaInfo's CurrentURIMetaData), and the
    // songs its stream announces one after another (none when the stream says nothing).
    QString metadata;
    QStringList streamTitles;

    // The DIDL-Lite item a queue lists for it (plain, not yet escaped), alone or wrapped in its
    // own document.
    QString didlItem(const QString &itemId, const QString &parentId) const;
    QString didl(const QString &itemId, const QString &parentId) const;
    // The document GetPositionInfo reports while it plays; `streamContent` is what a live
    // stream announces now.
    QString positionDidl(const QString &streamContent) const;
};

// A small fictional Apple Music catalogue, the same on every run.
QList<SimTrack> catalogueSongs();
// `count` songs of that catalogue one after another, each titled with its place ("… (12)"):
// a long queue or library.
QList<SimTrack> numberedSongs(int count);

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
// A radio stream: `streamUrl` with or without its scheme; its metadata names the station as
// Corvane and the Sonos app set it.
SimTrack radioStation(const QString &name, const QString &streamUrl);
SimTrack lineIn(const QString &speakerUuid);
// Wraps items in a DIDL-Lite document with the namespaces speakers declare.
QString didlDocument(const QString &items);
// Percent-encodes a URI for a /getaa address the way speakers do: lower-case hex digits.
QString artEncoded(const QString &uri);

} // namespace corvane::sim
