// The search box, the centre area's routes and the detail pages.

#include "corvanemodel.h"

#include "applemusic/publiccatalog.h"

#include "applemusic/applemusickit.h"
#include "applemusic/artworkcache.h"
#include "applemusic/musicservice.h"
#include "async/delays.h"
#include "async/tasks.h"
#include "sonos/text.h"

namespace corvane {

namespace {

constexpr int searchLimit = 25;
constexpr int recentSearchLimit = 8;
constexpr int artistLookupLimit = 5;

// Spaces and tabs only: a line break typed into the field is kept.
QString trimmedSpaces(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (start < end && blank(text.at(start)))
        ++start;
    while (end > start && blank(text.at(end - 1)))
        --end;
    return text.mid(start, end - start);
}

void prefetchTracks(const QList<Track> &tracks)
{
    QList<std::optional<QUrl>> urls;
    for (const Track &track : tracks)
        urls.append(track.artworkURL(256));
    ArtworkCache::prefetch(urls);
}

} // namespace

void CorvaneModel::setQuery(const QString &query)
{
    if (assign(m_query, query, &CorvaneModel::queryChanged))
        runSearch();
}

void CorvaneModel::setScope(SearchScope::Value scope)
{
    if (assign(m_scope, scope, &CorvaneModel::scopeChanged))
        runSearch();
}

void CorvaneModel::setSearchResults(const QList<Track> &tracks, const QList<Album> &albums, const QList<Artist> &artists,
                                    const QList<PlaylistRef> &playlists)
{
    bool changed = false;
    if (m_tracks != tracks) {
        m_tracks = tracks;
        m_trackModel->assign(m_tracks);
        changed = true;
    }
    if (m_albums != albums || m_artists != artists || m_searchPlaylists != playlists) {
        m_albums = albums;
        m_artists = artists;
        m_searchPlaylists = playlists;
        changed = true;
    }
    if (changed)
        Q_EMIT resultsChanged();
}

void CorvaneModel::runSearch()
{
    if (m_searchTask)
        m_searchTask->cancel();
    m_answeredQuery.clear();
    if (trimmedSpaces(m_query).isEmpty()) {
        setSearchResults({}, {}, {}, {});
        assign(m_isSearching, false, &CorvaneModel::isSearchingChanged);
        setRoute(Route::results());
        return;
    }
    m_searchTask = std::make_unique<CancellationSource>();
    searchTask(m_query, m_scope, m_searchTask->token());
}

QCoro::Task<> CorvaneModel::searchTask(QString query, SearchScope::Value scope, CancellationToken token)
{
    QPointer<CorvaneModel> self(this);
    const std::shared_ptr<MusicService> service = music();
    // Apple's public search allows each address a few requests a minute: typing waits longer.
    PublicCatalog *open = service ? service->publicCatalog() : nullptr;
    const bool waited = co_await sleep(open ? delays().publicSearchDebounce : delays().searchDebounce, token);
    if (!self || !waited)
        co_return; // a newer keystroke took over
    assign(m_isSearching, true, &CorvaneModel::isSearchingChanged);
    setRoute(Route::results());
    if (!service || (service->authorizationStatus() != MusicService::Status::Authorized && !open)) {
        setSearchResults({}, {}, {}, {});
        assign(m_isSearching, false, &CorvaneModel::isSearchingChanged);
        assign(m_needsAppleMusic, true, &CorvaneModel::needsAppleMusicChanged);
        co_return;
    }
    assign(m_needsAppleMusic, false, &CorvaneModel::needsAppleMusicChanged);
    // The catalogue's playlists are not in the public search: nothing to ask for them.
    if (open && scope == SearchScope::Playlists) {
        setSearchResults({}, {}, {}, {});
        m_answeredQuery = query;
        assign(m_isSearching, false, &CorvaneModel::isSearchingChanged);
        co_return;
    }
    const PublicCatalog::Kind kind = scope == SearchScope::Albums    ? PublicCatalog::Kind::Albums
                                     : scope == SearchScope::Artists ? PublicCatalog::Kind::Artists
                                                                     : PublicCatalog::Kind::All;
    const AppleMusicKit::SearchResults results = co_await AppleMusicKit::search(service.get(), query, searchLimit, kind);
    if (!self || m_query != query || m_scope != scope || token.isCancelled())
        co_return; // stale: the field has moved on
    if (open && !open->lastFailure().isEmpty()) {
        // Refused or unreachable: say so, keep what was shown, and try again in a moment
        // unless the person typed something else meanwhile.
        setErrorMessage(open->lastFailure());
        assign(m_isSearching, false, &CorvaneModel::isSearchingChanged);
        if (open->isThrottled()) {
            const bool again = co_await sleep(delays().publicSearchRetry, token);
            if (self && again && m_query == query && m_scope == scope)
                runSearch();
        }
        co_return;
    }
    const bool all = scope == SearchScope::All;
    setSearchResults(all || scope == SearchScope::Tracks ? results.songs : QList<Track>(),
                     all || scope == SearchScope::Albums ? results.albums : QList<Album>(),
                     all || scope == SearchScope::Artists ? results.artists : QList<Artist>(),
                     all || scope == SearchScope::Playlists ? results.playlists : QList<PlaylistRef>());
    setErrorMessage(std::nullopt);
    addRecentSearch(query);
    m_answeredQuery = query;
    assign(m_isSearching, false, &CorvaneModel::isSearchingChanged);
}

void CorvaneModel::addRecentSearch(const QString &query)
{
    const QString text = trimmedSpaces(query);
    if (text.size() < 2)
        return;
    QStringList recent = m_recentSearches;
    recent.removeIf([&text](const QString &entry) { return entry.compare(text, Qt::CaseInsensitive) == 0; });
    recent.prepend(text);
    while (recent.size() > recentSearchLimit)
        recent.removeLast();
    assign(m_recentSearches, recent, &CorvaneModel::recentSearchesChanged);
}

void CorvaneModel::clearRecentSearches()
{
    assign(m_recentSearches, QStringList(), &CorvaneModel::recentSearchesChanged);
}

void CorvaneModel::playFirstResult()
{
    if (!m_tracks.isEmpty()) {
        playSong(m_tracks.first());
        return;
    }
    // The sections' order on screen: artists, albums, playlists.
    if (!m_artists.isEmpty())
        openArtist(m_artists.first());
    else if (!m_albums.isEmpty())
        openAlbum(m_albums.first());
    else if (!m_searchPlaylists.isEmpty())
        openPlaylist(m_searchPlaylists.first());
}

void CorvaneModel::returnToResults()
{
    setExpanded(false);
    setRoute(Route::results());
}

void CorvaneModel::setRoute(const Route &route)
{
    assign(m_route, route, &CorvaneModel::routeChanged);
}

void CorvaneModel::setExpanded(bool expanded)
{
    assign(m_isExpanded, expanded, &CorvaneModel::isExpandedChanged);
}

QVariant CorvaneModel::routePayload() const
{
    if (const auto *album = std::get_if<Album>(&m_route.payload))
        return QVariant::fromValue(*album);
    if (const auto *artist = std::get_if<Artist>(&m_route.payload))
        return QVariant::fromValue(*artist);
    if (const auto *playlist = std::get_if<PlaylistRef>(&m_route.payload))
        return QVariant::fromValue(*playlist);
    return {};
}

QList<Track> CorvaneModel::detailTracks() const
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

void CorvaneModel::beginTrackList(const Route &route, QList<Track> &tracks)
{
    setExpanded(false);
    setRoute(route);
    tracks.clear();
    Q_EMIT detailChanged();
    assign(m_isLoadingDetail, true, &CorvaneModel::isLoadingDetailChanged);
}

void CorvaneModel::finishTrackList(QList<Track> &field, const QList<Track> &tracks)
{
    field = tracks;
    Q_EMIT detailChanged();
    prefetchTracks(tracks);
    assign(m_isLoadingDetail, false, &CorvaneModel::isLoadingDetailChanged);
}

QCoro::Task<> CorvaneModel::openAlbum(Album album)
{
    QPointer<CorvaneModel> self(this);
    beginTrackList(Route::album(album), m_albumTracks);
    QList<Track> tracks;
    if (music())
        tracks = co_await AppleMusicKit::albumTracks(music().get(), album.id);
    // A page left before its songs came: they belong to no page now shown.
    if (self && m_route == Route::album(album))
        finishTrackList(m_albumTracks, tracks);
}

QCoro::Task<> CorvaneModel::openPlaylist(PlaylistRef playlist)
{
    QPointer<CorvaneModel> self(this);
    beginTrackList(Route::playlist(playlist), m_playlistTracks);
    // Library and catalogue variants are both tried by playlistTracks; a library id only ever
    // matches the library one.
    QList<Track> tracks;
    if (music())
        tracks = co_await AppleMusicKit::playlistTracks(music().get(), playlist.id);
    if (self && m_route == Route::playlist(playlist))
        finishTrackList(m_playlistTracks, tracks);
}

QCoro::Task<> CorvaneModel::openArtist(Artist artist)
{
    QPointer<CorvaneModel> self(this);
    setExpanded(false);
    m_pendingArtist = artist;
    setRoute(Route::artist(artist));
    m_artist = ArtistDetail{};
    Q_EMIT detailChanged();
    assign(m_isLoadingDetail, true, &CorvaneModel::isLoadingDetailChanged);
    ArtistDetail detail;
    if (music())
        detail = co_await AppleMusicKit::artistDetail(music().get(), artist.id);
    if (!self || m_route != Route::artist(artist))
        co_return;
    m_artist = detail;
    Q_EMIT detailChanged();
    assign(m_isLoadingDetail, false, &CorvaneModel::isLoadingDetailChanged);
}

QCoro::Task<> CorvaneModel::openArtistNamed(QString name)
{
    QPointer<CorvaneModel> self(this);
    AppleMusicKit::SearchResults results;
    if (music())
        results = co_await AppleMusicKit::search(music().get(), name, artistLookupLimit);
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
    co_await openArtist(chosen);
}

QCoro::Task<> CorvaneModel::openAlbumArtist(Album album)
{
    QPointer<CorvaneModel> self(this);
    std::optional<Artist> artist;
    if (music())
        artist = co_await AppleMusicKit::artistOfAlbum(music().get(), album.id);
    if (!self)
        co_return;
    if (artist)
        co_await openArtist(*artist);
    else
        co_await openArtistNamed(album.artist);
}

QCoro::Task<> CorvaneModel::openMusicItem(MusicItem item)
{
    if (item.kind == MusicItem::Kind::Album) {
        Album album;
        album.id = item.id;
        album.title = item.title;
        album.artist = item.subtitle;
        if (const std::optional<QUrl> url = item.artwork ? item.artwork->url(100, 100) : std::nullopt)
            album.artworkBase = url->toString();
        co_await openAlbum(album);
        co_return;
    }
    PlaylistRef playlist;
    playlist.id = item.id;
    playlist.name = item.title;
    if (!item.subtitle.isEmpty())
        playlist.curator = item.subtitle;
    playlist.musicArtwork = item.artwork;
    playlist.isLibrary = item.id.startsWith(QLatin1String("p."));
    co_await openPlaylist(playlist);
}

void CorvaneModel::showPanel(RouteKind::Value panel)
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

void CorvaneModel::toggleQueue()
{
    setExpanded(false);
    showPanel(RouteKind::Queue);
    if (m_route.kind == RouteKind::Queue)
        refreshQueue();
}

void CorvaneModel::openQueue()
{
    // Shown, never hidden: the large view's way to the queue always leads there.
    setExpanded(false);
    const Route target = Route::panel(RouteKind::Queue);
    if (m_route != target) {
        if (!m_route.isPanel())
            m_panelReturn = m_route;
        setRoute(target);
    }
    refreshQueue();
}

void CorvaneModel::toggleExplore()
{
    if (m_route.kind == RouteKind::Explore) {
        setRoute(Route::results());
        return;
    }
    setRoute(Route::panel(RouteKind::Explore));
    enterExplore();
}

QCoro::Task<> CorvaneModel::playCatalogItem(MusicItem item)
{
    QPointer<CorvaneModel> self(this);
    QList<Track> tracks;
    if (music())
        tracks = co_await AppleMusicKit::itemTracks(music().get(), item);
    if (!self)
        co_return;
    const QString kind = item.kind == MusicItem::Kind::Album ? QStringLiteral("album") : QStringLiteral("playlist");
    co_await playFetched(tracks, item.title, kind, item.id);
}

QCoro::Task<> CorvaneModel::playPlaylistNamed(QString id, QString name)
{
    QPointer<CorvaneModel> self(this);
    setPreparing(name);
    QList<Track> tracks;
    if (music())
        tracks = co_await AppleMusicKit::playlistTracks(music().get(), id);
    if (!self)
        co_return;
    co_await playFetched(tracks, name, QStringLiteral("playlist"), id);
}

QCoro::Task<> CorvaneModel::playFetched(QList<Track> tracks, QString title, QString kind, QString id)
{
    setPreparing(std::nullopt);
    if (tracks.isEmpty()) {
        setErrorMessage(QStringLiteral("Ce contenu est vide ou indisponible."));
        co_return;
    }
    co_await playSongs(tracks, title, kind, id);
}

void CorvaneModel::setPreparing(const std::optional<QString> &title)
{
    assign(m_preparing, title, &CorvaneModel::preparingChanged);
}

} // namespace corvane
