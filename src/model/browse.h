#pragma once

#include "applemusic/catalog.h"
#include "async/cancellation.h"
#include "model/recordlistmodel.h"
#include "model/routes.h"

#include <QCoroTask>
#include <QObject>
#include <QStringList>
#include <QVariant>

#include <memory>

namespace corvane {

class Home;
class Household;
class MusicService;
class Notices;
class Playback;
class Queue;
class RecordListModel;

// The search field and its results, the centre area's route and the detail pages.
class Browse : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString query READ query WRITE setQuery NOTIFY queryChanged)
    Q_PROPERTY(int scope READ scopeValue WRITE setScopeValue NOTIFY scopeChanged)
    Q_PROPERTY(corvane::RecordListModel *tracks READ trackModel CONSTANT)
    Q_PROPERTY(QVariantList albums READ albumList NOTIFY resultsChanged)
    Q_PROPERTY(QVariantList artists READ artistList NOTIFY resultsChanged)
    Q_PROPERTY(QVariantList playlists READ playlistList NOTIFY resultsChanged)
    Q_PROPERTY(bool isSearching READ isSearching NOTIFY isSearchingChanged)
    // The search for the current text and scope has answered, and found nothing.
    Q_PROPERTY(bool foundNothing READ foundNothing NOTIFY foundNothingChanged)
    Q_PROPERTY(QStringList recentSearches READ recentSearches NOTIFY recentSearchesChanged)
    Q_PROPERTY(int route READ routeKind NOTIFY routeChanged)
    Q_PROPERTY(QVariant routePayload READ routePayload NOTIFY routeChanged)
    // The page's record, or an empty one of the same kind while another page shows (a page
    // leaving the screen still reads its fields during the transition).
    Q_PROPERTY(QVariant album READ albumPage NOTIFY routeChanged)
    Q_PROPERTY(QVariant artist READ artistPage NOTIFY routeChanged)
    Q_PROPERTY(QVariant playlist READ playlistPage NOTIFY routeChanged)
    // Another screen is shown while a search has results to return to.
    Q_PROPERTY(bool canReturnToResults READ canReturnToResults NOTIFY canReturnToResultsChanged)
    Q_PROPERTY(bool isLoadingDetail READ isLoadingDetail NOTIFY isLoadingDetailChanged)
    Q_PROPERTY(QVariantList detailTracks READ detailTrackList NOTIFY detailChanged)
    Q_PROPERTY(QVariantList artistAlbums READ artistAlbums NOTIFY detailChanged)
    Q_PROPERTY(QVariantList artistSingles READ artistSingles NOTIFY detailChanged)
    Q_PROPERTY(QVariantList artistAppearsOn READ artistAppearsOn NOTIFY detailChanged)
    Q_PROPERTY(QVariantList artistSimilar READ artistSimilar NOTIFY detailChanged)
    Q_PROPERTY(QVariantList artistPlaylists READ artistPlaylists NOTIFY detailChanged)
    Q_PROPERTY(QVariant artistLatest READ artistLatest NOTIFY detailChanged)
    Q_PROPERTY(bool artistIsEmpty READ artistIsEmpty NOTIFY detailChanged)

public:
    Browse(std::shared_ptr<MusicService> music, Household *household, Notices *notices, Playback *playback, Queue *queue,
           Home *home, QObject *parent = nullptr);
    ~Browse() override;

    QString query() const { return m_query; }
    void setQuery(const QString &query);
    SearchScope::Value scope() const { return m_scope; }
    void setScope(SearchScope::Value scope);
    const QList<Track> &foundTracks() const { return m_tracks; }
    const QList<Album> &foundAlbums() const { return m_albums; }
    const QList<Artist> &foundArtists() const { return m_artists; }
    const QList<PlaylistRef> &foundPlaylists() const { return m_playlists; }
    RecordListModel *trackModel() const { return m_trackModel; }
    bool isSearching() const { return m_isSearching; }
    bool foundNothing() const;
    QStringList recentSearches() const { return m_recentSearches; }
    void addRecentSearch(const QString &query);
    // The results shown answer the current text (the search for it has come back).
    bool hasAnsweredQuery() const { return !m_query.trimmed().isEmpty() && m_answeredQuery == m_query; }
    void runSearch();

    const Route &route() const { return m_route; }
    void setRoute(const Route &route);
    const Route &panelReturn() const { return m_panelReturn; }
    QVariant routePayload() const;
    bool canReturnToResults() const;
    bool isLoadingDetail() const { return m_isLoadingDetail; }
    // The songs of the detail page shown (album, playlist, or the artist's top songs).
    QList<Track> detailTracks() const;
    const QList<Track> &albumTracks() const { return m_albumTracks; }
    const QList<Track> &playlistTracks() const { return m_playlistTracks; }
    const ArtistDetail &artistDetail() const { return m_artist; }

    QCoro::Task<> showAlbum(Album album);
    QCoro::Task<> showPlaylist(PlaylistRef playlist);
    QCoro::Task<> showArtist(Artist artist);
    QCoro::Task<> showArtistNamed(QString name);
    // The artist of an album page: the catalogue's relationship, else a search by name.
    QCoro::Task<> showAlbumArtist(Album album);
    // A recommendation tile: its album or playlist page.
    QCoro::Task<> showMusicItem(MusicItem item);
    void showPanel(RouteKind::Value panel);

    Q_INVOKABLE void openAlbum(const corvane::Album &album) { showAlbum(album); }
    Q_INVOKABLE void openAlbumArtist(const corvane::Album &album) { showAlbumArtist(album); }
    Q_INVOKABLE void openPlaylist(const corvane::PlaylistRef &playlist) { showPlaylist(playlist); }
    Q_INVOKABLE void openArtist(const corvane::Artist &artist) { showArtist(artist); }
    Q_INVOKABLE void openArtistNamed(const QString &name);
    // A recommendation tile, or a library playlist: its page.
    Q_INVOKABLE void openItem(const corvane::MusicItem &item) { showMusicItem(item); }
    Q_INVOKABLE void openLibraryPlaylist(const corvane::LibraryPlaylist &playlist);
    Q_INVOKABLE void showPanel(int route) { showPanel(RouteKind::Value(route)); }
    Q_INVOKABLE void toggleQueue();
    // Collapses the large view and shows the queue, read again, whatever was shown.
    Q_INVOKABLE void openQueue();
    Q_INVOKABLE void toggleExplore();
    Q_INVOKABLE void returnToResults();
    Q_INVOKABLE void clearRecentSearches();
    // Enter in the search field: the first song plays; without songs the first tile opens.
    Q_INVOKABLE void playFirstResult();
    // "Tout lire": every song found, as one list.
    Q_INVOKABLE void playAllSongs();
    // The detail page shown, whole: an album or playlist as its container, an artist's top songs.
    Q_INVOKABLE void playPage();
    Q_INVOKABLE void playPageNext();
    Q_INVOKABLE void enqueuePage();

Q_SIGNALS:
    void queryChanged();
    void scopeChanged();
    void resultsChanged();
    void isSearchingChanged();
    void foundNothingChanged();
    void recentSearchesChanged();
    void routeChanged();
    void canReturnToResultsChanged();
    void isLoadingDetailChanged();
    void detailChanged();

private:
    int scopeValue() const { return m_scope; }
    void setScopeValue(int scope) { setScope(SearchScope::Value(scope)); }
    QVariantList albumList() const;
    QVariantList artistList() const;
    QVariantList playlistList() const;
    int routeKind() const { return m_route.kind; }
    QVariant albumPage() const;
    QVariant artistPage() const;
    QVariant playlistPage() const;
    QVariantList detailTrackList() const;
    QVariantList artistAlbums() const;
    QVariantList artistSingles() const;
    QVariantList artistAppearsOn() const;
    QVariantList artistSimilar() const;
    QVariantList artistPlaylists() const;
    QVariant artistLatest() const;
    bool artistIsEmpty() const;

    QCoro::Task<> searchTask(QString query, SearchScope::Value scope, CancellationToken token);
    void setSearchResults(const QList<Track> &tracks, const QList<Album> &albums, const QList<Artist> &artists,
                          const QList<PlaylistRef> &playlists);
    void beginTrackList(const Route &route, QList<Track> &tracks);
    void finishTrackList(QList<Track> &field, const QList<Track> &tracks);

    std::shared_ptr<MusicService> m_music;
    Household *m_household;
    Notices *m_notices;
    Playback *m_playback;
    Queue *m_queue;
    Home *m_home;

    QString m_query;
    SearchScope::Value m_scope = SearchScope::All;
    QList<Track> m_tracks;
    QList<Album> m_albums;
    QList<Artist> m_artists;
    QList<PlaylistRef> m_playlists;
    RecordListModel *m_trackModel;
    bool m_isSearching = false;
    QStringList m_recentSearches;
    QString m_answeredQuery;
    std::unique_ptr<CancellationSource> m_searchTask;

    Route m_route;
    Route m_panelReturn;
    QList<Track> m_albumTracks;
    QList<Track> m_playlistTracks;
    ArtistDetail m_artist;
    bool m_isLoadingDetail = false;
};

} // namespace corvane
