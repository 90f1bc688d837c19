#include "browseface.h"

#include "model/corvanemodel.h"

namespace corvane {

namespace {
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
} // namespace

BrowseFace::BrowseFace(CorvaneModel *model)
    : QObject(model)
    , m_model(model)
{
    using M = CorvaneModel;
    using F = BrowseFace;
    connect(model, &M::queryChanged, this, &F::queryChanged);
    connect(model, &M::scopeChanged, this, &F::scopeChanged);
    connect(model, &M::resultsChanged, this, &F::resultsChanged);
    connect(model, &M::isSearchingChanged, this, &F::isSearchingChanged);
    connect(model, &M::resultsChanged, this, &F::foundNothingChanged);
    connect(model, &M::isSearchingChanged, this, &F::foundNothingChanged);
    connect(model, &M::queryChanged, this, &F::foundNothingChanged);
    connect(model, &M::scopeChanged, this, &F::foundNothingChanged);
    connect(model, &M::recentSearchesChanged, this, &F::recentSearchesChanged);
    connect(model, &M::routeChanged, this, &F::routeChanged);
    connect(model, &M::routeChanged, this, &F::canReturnToResultsChanged);
    connect(model, &M::queryChanged, this, &F::canReturnToResultsChanged);
    connect(model, &M::isExpandedChanged, this, &F::canReturnToResultsChanged);
    connect(model, &M::isLoadingDetailChanged, this, &F::isLoadingDetailChanged);
    connect(model, &M::detailChanged, this, &F::detailChanged);
    connect(model, &M::routeChanged, this, &F::detailChanged);
}

QString BrowseFace::query() const { return m_model->query(); }
void BrowseFace::setQuery(const QString &query) { m_model->setQuery(query); }
int BrowseFace::scope() const { return m_model->scope(); }
void BrowseFace::setScope(int scope) { m_model->setScope(SearchScope::Value(scope)); }
RecordListModel *BrowseFace::tracks() const { return m_model->trackModel(); }
QVariantList BrowseFace::albums() const { return variantsOf(m_model->albums()); }
QVariantList BrowseFace::artists() const { return variantsOf(m_model->artists()); }
QVariantList BrowseFace::playlists() const { return variantsOf(m_model->searchPlaylists()); }
bool BrowseFace::isSearching() const { return m_model->isSearching(); }

bool BrowseFace::foundNothing() const
{
    return !m_model->isSearching() && m_model->hasAnsweredQuery() && m_model->tracks().isEmpty()
        && m_model->albums().isEmpty() && m_model->artists().isEmpty() && m_model->searchPlaylists().isEmpty();
}

QStringList BrowseFace::recentSearches() const { return m_model->recentSearches(); }
int BrowseFace::route() const { return m_model->route().kind; }
QVariant BrowseFace::routePayload() const { return m_model->routePayload(); }

namespace {
template<typename T>
QVariant payloadOr(const Route &route)
{
    const T *record = std::get_if<T>(&route.payload);
    return QVariant::fromValue(record ? *record : T{});
}
} // namespace

QVariant BrowseFace::album() const { return payloadOr<Album>(m_model->route()); }
QVariant BrowseFace::artist() const { return payloadOr<Artist>(m_model->route()); }
QVariant BrowseFace::playlist() const { return payloadOr<PlaylistRef>(m_model->route()); }

bool BrowseFace::canReturnToResults() const
{
    const bool elsewhere = m_model->route().kind != RouteKind::Results || m_model->isExpanded();
    return elsewhere && !m_model->query().trimmed().isEmpty();
}

bool BrowseFace::isLoadingDetail() const { return m_model->isLoadingDetail(); }
QVariantList BrowseFace::detailTracks() const { return variantsOf(m_model->detailTracks()); }
QVariantList BrowseFace::artistAlbums() const { return variantsOf(m_model->artistDetail().albums); }
QVariantList BrowseFace::artistSingles() const { return variantsOf(m_model->artistDetail().singles); }
QVariantList BrowseFace::artistAppearsOn() const { return variantsOf(m_model->artistDetail().appearsOn); }
QVariantList BrowseFace::artistSimilar() const { return variantsOf(m_model->artistDetail().similar); }
QVariantList BrowseFace::artistPlaylists() const { return variantsOf(m_model->artistDetail().playlists); }

QVariant BrowseFace::artistLatest() const
{
    const ArtistDetail &detail = m_model->artistDetail();
    return detail.latest ? QVariant::fromValue(*detail.latest) : QVariant();
}

bool BrowseFace::artistIsEmpty() const
{
    const ArtistDetail &detail = m_model->artistDetail();
    return !m_model->isLoadingDetail() && detail.topSongs.isEmpty() && detail.albums.isEmpty()
        && detail.singles.isEmpty() && detail.appearsOn.isEmpty() && detail.similar.isEmpty()
        && detail.playlists.isEmpty() && !detail.latest;
}

void BrowseFace::openAlbum(const QVariant &album)
{
    if (album.canConvert<Album>())
        m_model->openAlbum(album.value<Album>());
}

void BrowseFace::openAlbumArtist(const QVariant &album)
{
    if (album.canConvert<Album>())
        m_model->openAlbumArtist(album.value<Album>());
}

void BrowseFace::openPlaylist(const QVariant &playlist)
{
    if (playlist.canConvert<PlaylistRef>())
        m_model->openPlaylist(playlist.value<PlaylistRef>());
}

void BrowseFace::openArtist(const QVariant &artist)
{
    if (artist.canConvert<Artist>())
        m_model->openArtist(artist.value<Artist>());
}

void BrowseFace::openArtistNamed(const QString &name)
{
    if (!name.trimmed().isEmpty())
        m_model->openArtistNamed(name);
}

void BrowseFace::openItem(const QVariant &item)
{
    if (item.canConvert<MusicItem>())
        m_model->openMusicItem(item.value<MusicItem>());
    else if (item.canConvert<LibraryPlaylist>())
        m_model->openPlaylist(playlistRefOf(item.value<LibraryPlaylist>()));
}

void BrowseFace::showPanel(int route) { m_model->showPanel(RouteKind::Value(route)); }
void BrowseFace::toggleQueue() { m_model->toggleQueue(); }
void BrowseFace::openQueue() { m_model->openQueue(); }
void BrowseFace::toggleExplore() { m_model->toggleExplore(); }
void BrowseFace::returnToResults() { m_model->returnToResults(); }
void BrowseFace::clearRecentSearches() { m_model->clearRecentSearches(); }
void BrowseFace::playFirstResult() { m_model->playFirstResult(); }

void BrowseFace::playPage()
{
    const Route &route = m_model->route();
    const QList<Track> tracks = m_model->detailTracks();
    if (tracks.isEmpty())
        return;
    if (const auto *album = std::get_if<Album>(&route.payload))
        m_model->playSongs(tracks, album->title, QStringLiteral("album"), album->id);
    else if (const auto *playlist = std::get_if<PlaylistRef>(&route.payload))
        m_model->playSongs(tracks, playlist->name, QStringLiteral("playlist"), playlist->id);
    else if (const auto *artist = std::get_if<Artist>(&route.payload))
        m_model->playSongs(tracks, artist->name);
}

void BrowseFace::playPageNext()
{
    const Route &route = m_model->route();
    if (const auto *album = std::get_if<Album>(&route.payload))
        m_model->playNext(QStringLiteral("album"), album->id, album->title, QStringLiteral("À suivre · ") + album->title);
    else if (const auto *playlist = std::get_if<PlaylistRef>(&route.payload))
        m_model->playNext(QStringLiteral("playlist"), playlist->id, playlist->name, QStringLiteral("À suivre · ") + playlist->name);
}

void BrowseFace::enqueuePage()
{
    const QList<Track> tracks = m_model->detailTracks();
    if (!tracks.isEmpty())
        m_model->addTracksToQueue(tracks);
}

void BrowseFace::playAllSongs()
{
    if (!m_model->tracks().isEmpty())
        m_model->playSongs(m_model->tracks(), QStringLiteral("Lecture des résultats"));
}

} // namespace corvane
