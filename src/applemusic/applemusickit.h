#pragma once

#include "catalog.h"
#include "musicservice.h"

#include <QCoroTask>
#include <QList>
#include <QString>

namespace corvane::AppleMusicKit {

struct SearchResults
{
    QList<Track> songs;
    QList<Album> albums;
    QList<Artist> artists;
    QList<PlaylistRef> playlists;
};

// Songs, albums, artists and playlists of the account's storefront matching `term`, in the
// service's order. Empty when not authorized, for a blank term, or on any failure.
QCoro::Task<SearchResults> search(MusicService *service, QString term, int limit);
SearchResults searchResultsFrom(const QByteArray &reply);

struct Shelf
{
    QList<Album> albums;
    QList<PlaylistRef> playlists;
    QList<Track> songs; // recently added only
};

QCoro::Task<Shelf> recentlyPlayed(MusicService *service, int limit);
QCoro::Task<Shelf> heavyRotation(MusicService *service, int limit);
QCoro::Task<Shelf> recentlyAdded(MusicService *service, int limit);

// The library's playlists, read by offset in pages of 100 until a short page or `max`.
QCoro::Task<QList<LibraryPlaylist>> libraryPlaylists(MusicService *service, int max);
// The library's songs under their catalogue ids where they have one.
QCoro::Task<QList<Track>> librarySongs(MusicService *service, int max);
// Personal recommendation shelves; "Pour vous" for a shelf without title, empty ones dropped.
QCoro::Task<QList<Recommendation>> recommendations(MusicService *service, int limit);
QList<Recommendation> recommendationsFrom(const QByteArray &reply);

// The best format the song is offered in: "Dolby Atmos", "Hi-Res Lossless", "Lossless", or nothing.
QCoro::Task<std::optional<QString>> quality(MusicService *service, QString songID);
std::optional<QString> qualityFrom(const QByteArray &reply);

// The 100×100 artwork URL of a catalogue song, or nothing (not authorized, not found, error).
QCoro::Task<std::optional<QString>> songArtwork(MusicService *service, QString songID);

} // namespace corvane::AppleMusicKit
