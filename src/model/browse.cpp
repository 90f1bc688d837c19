// The centre area's routes and the detail pages.

#include "browse.h"

#include "applemusic/applemusickit.h"
#include "applemusic/artworkcache.h"
#include "applemusic/musicservice.h"
#include "async/delays.h"
#include "async/tasks.h"
#include "base/text.h"
#include "model/field.h"
#include "model/home.h"
#include "model/household.h"
#include "model/notices.h"
#include "model/playback.h"
#include "model/queue.h"
#include "model/recordlistmodel.h"

#include <QCoreApplication>
#include <QPointer>

namespace corvane {

namespace {

constexpr int artistLookupLimit = 5;

void prefetchTracks(const QList<Track> &tracks)
{
    QList<std::optional<QUrl>> urls;
    for (const Track &track : tracks)
        urls.append(track.artworkURL(256));
    ArtworkCache::prefetch(urls);
}

PlaylistRef playlistRefOf(const LibraryPlaylist &playlist)
{
    PlaylistRef ref;
    ref.id = playlist.id;
    ref.name = playlist.name;
    ref.curator = playlist.curator;
    ref.musicArtwork = playlist.artwork;
    ref.isLibrary = true;
    return ref;
}

template<typename T>
QVariant payloadOr(const Route &route)
{
    const T *record = std::get_if<T>(&route.payload);
    return QVariant::fromValue(record ? *record : T{});
}

} // namespace

Browse::Browse(std::shared_ptr<MusicService> music, Household *household, Notices *notices, Playback *playback, Queue *queue,
               Home *home, QObject *parent)
    : QObject(parent)
    , m_music(std::move(music))
    , m_household(household)
    , m_notices(notices)
    , m_playback(playback)
    , m_queue(queue)
    , m_home(home)
    , m_trackModel(RecordListModel::of<Track>(this))
{
    for (auto changed : {&Browse::resultsChanged, &Browse::isSearchingChanged, &Browse::queryChanged, &Browse::scopeChanged})
        connect(this, changed, this, &Browse::foundNothingChanged);
    connect(this, &Browse::routeChanged, this, &Browse::canReturnToResultsChanged);
    connect(this, &Browse::queryChanged, this, &Browse::canReturnToResultsChanged);
    connect(playback, &Playback::isExpandedChanged, this, &Browse::canReturnToResultsChanged);
    connect(this, &Browse::routeChanged, this, &Browse::detailChanged);
    // What was found belongs to the other storefront: look again.
    connect(household, &Household::catalogCountryChanged, this, [this] {
        if (!m_query.trimmed().isEmpty())
            runSearch();
    });
}

Browse::~Browse()
{
    if (m_searchTask)
        m_searchTask->cancel();
}

void Browse::returnToResults()
{
    m_playback->setExpanded(false);
    setRoute(Route::results());
}

void Browse::setRoute(const Route &route)
{
    assign(this, m_route, route, &Browse::routeChanged);
}

QVariant Browse::routePayload() const
{
    if (const auto *album = std::get_if<Album>(&m_route.payload))
        return QVariant::fromValue(*album);
    if (const auto *artist = std::get_if<Artist>(&m_route.payload))
        return QVariant::fromValue(*artist);
    if (const auto *playlist = std::get_if<PlaylistRef>(&m_route.payload))
        return QVariant::fromValue(*playlist);
    return {};
}

QList<Track> Browse::detailTracks() const
{
    switch (m_route.kind) {
    case RouteKind::Album:
        return m_albumTracks;
    case RouteKind::Playlist:
        return m_playlistTracks;
    case RouteKind::Artist:
        return m_artist.topSongs;
    default:
        return {};
    }
}

void Browse::beginTrackList(const Route &route, QList<Track> &tracks)
{
    m_playback->setExpanded(false);
    setRoute(route);
    tracks.clear();
    Q_EMIT detailChanged();
    assign(this, m_isLoadingDetail, true, &Browse::isLoadingDetailChanged);
}

void Browse::finishTrackList(QList<Track> &field, const QList<Track> &tracks)
{
    field = tracks;
    Q_EMIT detailChanged();
    prefetchTracks(tracks);
    assign(this, m_isLoadingDetail, false, &Browse::isLoadingDetailChanged);
}

QCoro::Task<> Browse::showAlbum(Album album)
{
    QPointer<Browse> self(this);
    beginTrackList(Route::album(album), m_albumTracks);
    QList<Track> tracks;
    const std::shared_ptr<MusicService> service = m_music;
    if (service)
        tracks = co_await AppleMusicKit::albumTracks(service.get(), album.id);
    // A page left before its songs came: they belong to no page now shown.
    if (self && m_route == Route::album(album))
        finishTrackList(m_albumTracks, tracks);
}

QCoro::Task<> Browse::showPlaylist(PlaylistRef playlist)
{
    QPointer<Browse> self(this);
    beginTrackList(Route::playlist(playlist), m_playlistTracks);
    // Library and catalogue variants are both tried by playlistTracks; a library id only ever
    // matches the library one.
    QList<Track> tracks;
    const std::shared_ptr<MusicService> service = m_music;
    if (service)
        tracks = co_await AppleMusicKit::playlistTracks(service.get(), playlist.id);
    if (self && m_route == Route::playlist(playlist))
        finishTrackList(m_playlistTracks, tracks);
}

QCoro::Task<> Browse::showArtist(Artist artist)
{
    QPointer<Browse> self(this);
    m_playback->setExpanded(false);
    setRoute(Route::artist(artist));
    m_artist = ArtistDetail{};
    Q_EMIT detailChanged();
    assign(this, m_isLoadingDetail, true, &Browse::isLoadingDetailChanged);
    ArtistDetail detail;
    const std::shared_ptr<MusicService> service = m_music;
    if (service)
        detail = co_await AppleMusicKit::artistDetail(service.get(), artist.id);
    if (!self || m_route != Route::artist(artist))
        co_return;
    m_artist = detail;
    Q_EMIT detailChanged();
    assign(this, m_isLoadingDetail, false, &Browse::isLoadingDetailChanged);
}

QCoro::Task<> Browse::showArtistNamed(QString name)
{
    QPointer<Browse> self(this);
    AppleMusicKit::SearchResults results;
    const std::shared_ptr<MusicService> service = m_music;
    if (service)
        results = co_await AppleMusicKit::search(service.get(), name, artistLookupLimit);
    if (!self)
        co_return;
    if (results.artists.isEmpty()) {
        setQuery(name);
        co_return;
    }
    const QString wanted = foldCaseAndAccents(name);
    Artist chosen = results.artists.first();
    for (const Artist &artist : std::as_const(results.artists)) {
        if (foldCaseAndAccents(artist.name) == wanted) {
            chosen = artist;
            break;
        }
    }
    co_await showArtist(chosen);
}

QCoro::Task<> Browse::showAlbumArtist(Album album)
{
    QPointer<Browse> self(this);
    std::optional<Artist> artist;
    const std::shared_ptr<MusicService> service = m_music;
    if (service)
        artist = co_await AppleMusicKit::artistOfAlbum(service.get(), album.id);
    if (!self)
        co_return;
    if (artist)
        co_await showArtist(*artist);
    else
        co_await showArtistNamed(album.artist);
}

QCoro::Task<> Browse::showMusicItem(MusicItem item)
{
    if (item.kind == MusicItem::Kind::Album) {
        Album album;
        album.id = item.id;
        album.title = item.title;
        album.artist = item.subtitle;
        if (const std::optional<QUrl> url = item.artwork ? item.artwork->url(100, 100) : std::nullopt)
            album.artworkBase = url->toString();
        co_await showAlbum(album);
        co_return;
    }
    PlaylistRef playlist;
    playlist.id = item.id;
    playlist.name = item.title;
    if (!item.subtitle.isEmpty())
        playlist.curator = item.subtitle;
    playlist.musicArtwork = item.artwork;
    playlist.isLibrary = item.id.startsWith(QLatin1String("p."));
    co_await showPlaylist(playlist);
}

void Browse::showPanel(RouteKind::Value panel)
{
    const Route target = Route::panel(panel);
    if (m_route == target) {
        setRoute(m_panelReturn);
        return;
    }
    if (!m_route.isPanel())
        m_panelReturn = m_route;
    setRoute(target);
}

void Browse::toggleQueue()
{
    m_playback->setExpanded(false);
    showPanel(RouteKind::Queue);
    if (m_route.kind == RouteKind::Queue)
        m_queue->refresh();
}

void Browse::openQueue()
{
    // Shown, never hidden: the large view's way to the queue always leads there.
    m_playback->setExpanded(false);
    const Route target = Route::panel(RouteKind::Queue);
    if (m_route != target) {
        if (!m_route.isPanel())
            m_panelReturn = m_route;
        setRoute(target);
    }
    m_queue->refresh();
}

void Browse::toggleExplore()
{
    if (m_route.kind == RouteKind::Explore) {
        setRoute(Route::results());
        return;
    }
    setRoute(Route::panel(RouteKind::Explore));
    m_home->enterExplore();
}

// ---- what the screens read

bool Browse::foundNothing() const
{
    return !m_isSearching && hasAnsweredQuery() && m_tracks.isEmpty() && m_albums.isEmpty() && m_artists.isEmpty()
        && m_playlists.isEmpty();
}

QVariantList Browse::albumList() const { return variantsOf(m_albums); }
QVariantList Browse::artistList() const { return variantsOf(m_artists); }
QVariantList Browse::playlistList() const { return variantsOf(m_playlists); }
QVariant Browse::albumPage() const { return payloadOr<Album>(m_route); }
QVariant Browse::artistPage() const { return payloadOr<Artist>(m_route); }
QVariant Browse::playlistPage() const { return payloadOr<PlaylistRef>(m_route); }

bool Browse::canReturnToResults() const
{
    const bool elsewhere = m_route.kind != RouteKind::Results || m_playback->isExpanded();
    return elsewhere && !m_query.trimmed().isEmpty();
}

QVariantList Browse::detailTrackList() const { return variantsOf(detailTracks()); }
QVariantList Browse::artistAlbums() const { return variantsOf(m_artist.albums); }
QVariantList Browse::artistSingles() const { return variantsOf(m_artist.singles); }
QVariantList Browse::artistAppearsOn() const { return variantsOf(m_artist.appearsOn); }
QVariantList Browse::artistSimilar() const { return variantsOf(m_artist.similar); }
QVariantList Browse::artistPlaylists() const { return variantsOf(m_artist.playlists); }
QVariant Browse::artistLatest() const { return m_artist.latest ? QVariant::fromValue(*m_artist.latest) : QVariant(); }

bool Browse::artistIsEmpty() const
{
    return !m_isLoadingDetail && m_artist.topSongs.isEmpty() && m_artist.albums.isEmpty() && m_artist.singles.isEmpty()
        && m_artist.appearsOn.isEmpty() && m_artist.similar.isEmpty() && m_artist.playlists.isEmpty() && !m_artist.latest;
}

// ---- what the screens call

void Browse::openArtistNamed(const QString &name)
{
    if (!name.trimmed().isEmpty())
        showArtistNamed(name);
}

void Browse::openLibraryPlaylist(const LibraryPlaylist &playlist)
{
    showPlaylist(playlistRefOf(playlist));
}

void Browse::playPage()
{
    const QList<Track> tracks = detailTracks();
    if (tracks.isEmpty())
        return;
    if (const auto *album = std::get_if<Album>(&m_route.payload))
        m_playback->playSongs(tracks, album->title, QStringLiteral("album"), album->id);
    else if (const auto *playlist = std::get_if<PlaylistRef>(&m_route.payload))
        m_playback->playSongs(tracks, playlist->name, QStringLiteral("playlist"), playlist->id);
    else if (const auto *artist = std::get_if<Artist>(&m_route.payload))
        m_playback->playSongs(tracks, artist->name);
}

void Browse::playPageNext()
{
    if (const auto *album = std::get_if<Album>(&m_route.payload))
        m_queue->addContainerNext(QStringLiteral("album"), album->id, album->title, QCoreApplication::translate("Queue", "À suivre · %1").arg(album->title));
    else if (const auto *playlist = std::get_if<PlaylistRef>(&m_route.payload))
        m_queue->addContainerNext(QStringLiteral("playlist"), playlist->id, playlist->name,
                                  QCoreApplication::translate("Queue", "À suivre · %1").arg(playlist->name));
}

void Browse::enqueuePage()
{
    const QList<Track> tracks = detailTracks();
    if (!tracks.isEmpty())
        m_queue->addTracks(tracks);
}

void Browse::playAllSongs()
{
    if (!m_tracks.isEmpty())
        m_playback->playSongs(m_tracks, QCoreApplication::translate("Queue", "Lecture des résultats")
);
}

} // namespace corvane
