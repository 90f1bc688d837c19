#pragma once

#include "catalog.h"
#include "musicservice.h"
#include "publiccatalog.h"

#include <QCoroTask>
#include <QDate>
#include <QLocale>
#include <QUrl>
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
// service's order. Empty when not authorized, for a blank term, or on any failure. Without a
// developer token, the public search answers (no playlists), looking for `kind`.
QCoro::Task<SearchResults> search(MusicService *service, QString term, int limit,
                                  PublicCatalog::Kind kind = PublicCatalog::Kind::All);
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

QCoro::Task<QList<Track>> albumTracks(MusicService *service, QString albumID);
// The library's and the catalogue's track lists of a playlist, read at once; the catalogue's
// wins when it is at least as long and not empty.
QCoro::Task<QList<Track>> playlistTracks(MusicService *service, QString playlistID);
QCoro::Task<ArtistDetail> artistDetail(MusicService *service, QString artistID);
// The songs behind a recommendation tile (an album or a playlist of the catalogue).
QCoro::Task<QList<Track>> itemTracks(MusicService *service, MusicItem item);
QCoro::Task<std::optional<Artist>> artistOfAlbum(MusicService *service, QString albumID);
// Top songs of the artist (20 at most) and of up to six similar artists, shuffled, `count` at most.
QCoro::Task<QList<Track>> artistRadio(MusicService *service, QString artistID, int count);

struct Charts
{
    QList<Track> songs;
    QList<Album> albums;
    QList<PlaylistRef> playlists;
};

// Catalogue charts of a storefront (the account's when none), optionally of one genre.
QCoro::Task<Charts> charts(MusicService *service, std::optional<QString> storefront, std::optional<QString> genre, int limit);
Charts chartsFrom(const QByteArray &reply);
QCoro::Task<QList<GenreRef>> genres(MusicService *service);
QCoro::Task<QList<StorefrontRef>> storefronts(MusicService *service);
QList<StorefrontRef> storefrontsFrom(const QByteArray &reply);

} // namespace corvane::AppleMusicKit

// Apple's public chart feed: no account, no signing.
namespace corvane::AppleCharts {

enum class Kind { Albums, Songs };

struct Feed
{
    QList<Album> albums;
    QList<Track> songs;
};

// The region of the chart feed: the locale's country, "fr" when it has none.
QString region(const QLocale &locale);
QCoro::Task<Feed> mostPlayed(QUrl origin, QString region, Kind kind, int limit);
// The most-played albums released in the last 56 days, newest first.
QCoro::Task<QList<Album>> newReleases(QUrl origin, QString region, int limit, QDate today = QDate::currentDate());
std::optional<Feed> feedFrom(const QByteArray &reply, Kind kind);
QList<Album> newReleasesFrom(const QByteArray &reply, QDate today);

} // namespace corvane::AppleCharts
