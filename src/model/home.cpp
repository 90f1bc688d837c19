// The home shelves and the explore page.

#include "corvanemodel.h"

#include "applemusic/applemusickit.h"
#include "applemusic/musicservice.h"
#include "applemusic/requests.h"
#include "async/delays.h"
#include "async/tasks.h"
#include "storage/cachedhome.h"
#include "system/updatecheck.h"

#include <QCoreApplication>

#include <QCollator>
#include <QLocale>

namespace corvane {

namespace {

constexpr int recommendationLimit = 12;
constexpr int playlistLimit = 500;
constexpr int librarySongLimit = 100;
constexpr int chartLimit = 25;
constexpr int newReleaseLimit = 50;
constexpr int personalLimit = 25;
constexpr int exploreLimit = 24;

} // namespace

QCoro::Task<> CorvaneModel::connectAppleMusic()
{
    QPointer<CorvaneModel> self(this);
    if (!music() || m_connectingMusic)
        co_return;
    m_connectingMusic = true;
    Q_EMIT musicStateChanged();
    const bool granted = co_await AppleMusic::ensureAuthorized(music().get());
    if (!self)
        co_return;
    m_connectingMusic = false;
    Q_EMIT musicStateChanged();
    assign(m_musicKitAuthorized, granted, &CorvaneModel::musicKitAuthorizedChanged);
    if (!granted) {
        // A page closed or left unanswered decides nothing, but the person is owed a word.
        setErrorMessage(AppleMusic::authorizationMessage(*music()).value_or(QStringLiteral(
            "La connexion à Apple Music n'a pas abouti : la page du navigateur a été fermée ou n'a pas répondu à temps. "
            "Réessayez avec « Relier Apple Music ».")));
        co_return;
    }
    searchFavoriteArtwork();
    co_await loadHome();
}

QCoro::Task<> CorvaneModel::loadHome()
{
    QPointer<CorvaneModel> self(this);
    const std::shared_ptr<MusicService> service = music();
    if (!service || service->authorizationStatus() != MusicService::Status::Authorized)
        co_return;
    assign(m_musicKitAuthorized, true, &CorvaneModel::musicKitAuthorizedChanged);
    const int failuresBefore = service->failedRequests();
    if (m_recommendations.isEmpty()) {
        if (const std::optional<CachedHome> snapshot = CachedHome::read())
            assign(m_recommendations, snapshot->recommendations, &CorvaneModel::homeChanged);
    }
    // The three requests run at once; their results are taken in this order.
    QCoro::Task<QList<Recommendation>> recommendations = AppleMusicKit::recommendations(service.get(), recommendationLimit);
    QCoro::Task<QList<LibraryPlaylist>> playlists = AppleMusicKit::libraryPlaylists(service.get(), playlistLimit);
    QCoro::Task<QList<Track>> songs = AppleMusicKit::librarySongs(service.get(), librarySongLimit);
    const QList<Recommendation> freshRecommendations = co_await recommendations;
    if (!self)
        co_return;
    if (!freshRecommendations.isEmpty())
        assign(m_recommendations, freshRecommendations, &CorvaneModel::homeChanged);
    const QList<LibraryPlaylist> freshPlaylists = co_await playlists;
    if (!self)
        co_return;
    if (!freshPlaylists.isEmpty())
        assign(m_playlists, Catalog::uniqueByID(freshPlaylists), &CorvaneModel::homeChanged);
    const QList<Track> freshSongs = co_await songs;
    if (!self)
        co_return;
    if (assign(m_libraryTracks, Catalog::uniqueByID(freshSongs), &CorvaneModel::homeChanged))
        m_libraryModel->assign(m_libraryTracks);
    CachedHome::save(m_recommendations);
    // A refused developer token empties every shelf: say why instead of showing nothing.
    if (service->developerTokenRejected() && service->failedRequests() > failuresBefore)
        setErrorMessage(AppleMusic::authorizationMessage(*service));
}

QCoro::Task<> CorvaneModel::loadHomeCharts()
{
    QPointer<CorvaneModel> self(this);
    if (!m_recommendations.isEmpty())
        co_return;
    const QString region = this->region();
    const QUrl origin = m_services.chartsOrigin;
    std::optional<QCoro::Task<AppleCharts::Feed>> songs;
    std::optional<QCoro::Task<AppleCharts::Feed>> albums;
    std::optional<QCoro::Task<QList<Album>>> releases;
    // The skeleton stands in for the charts only while they are on their way.
    assign(m_loadingCharts, true, &CorvaneModel::homeChanged);
    if (m_chartSongs.isEmpty())
        songs.emplace(AppleCharts::mostPlayed(origin, region, AppleCharts::Kind::Songs, chartLimit));
    if (m_chartAlbums.isEmpty())
        albums.emplace(AppleCharts::mostPlayed(origin, region, AppleCharts::Kind::Albums, chartLimit));
    if (m_newReleases.isEmpty())
        releases.emplace(AppleCharts::newReleases(origin, region, newReleaseLimit));
    if (songs) {
        const AppleCharts::Feed feed = co_await *songs;
        if (!self)
            co_return;
        assign(m_chartSongs, Catalog::uniqueByID(feed.songs), &CorvaneModel::homeChanged);
    }
    if (albums) {
        const AppleCharts::Feed feed = co_await *albums;
        if (!self)
            co_return;
        assign(m_chartAlbums, Catalog::uniqueByID(feed.albums), &CorvaneModel::homeChanged);
    }
    if (releases) {
        const QList<Album> found = co_await *releases;
        if (!self)
            co_return;
        assign(m_newReleases, Catalog::uniqueByID(found), &CorvaneModel::homeChanged);
    }
    assign(m_loadingCharts, false, &CorvaneModel::homeChanged);
    assign(m_chartsLoaded, !m_chartSongs.isEmpty(), &CorvaneModel::homeChanged);
    co_await loadPersonal(false);
    if (!self)
        co_return;
    co_await refreshLineIn();
}

QCoro::Task<> CorvaneModel::loadPersonal(bool force)
{
    QPointer<CorvaneModel> self(this);
    if (!force && (!m_recentAlbums.isEmpty() || !m_rotationAlbums.isEmpty() || !m_addedAlbums.isEmpty()))
        co_return;
    if (force && m_lastPersonalLoad && Clock::now() - *m_lastPersonalLoad < delays().personalReload)
        co_return;
    m_lastPersonalLoad = Clock::now(); // before the requests: overlapping triggers are throttled too
    const std::shared_ptr<MusicService> service = music();
    if (!service)
        co_return;
    QCoro::Task<AppleMusicKit::Shelf> recent = AppleMusicKit::recentlyPlayed(service.get(), personalLimit);
    QCoro::Task<AppleMusicKit::Shelf> rotation = AppleMusicKit::heavyRotation(service.get(), personalLimit);
    QCoro::Task<AppleMusicKit::Shelf> added = AppleMusicKit::recentlyAdded(service.get(), personalLimit);
    const AppleMusicKit::Shelf recentShelf = co_await recent;
    const AppleMusicKit::Shelf rotationShelf = co_await rotation;
    const AppleMusicKit::Shelf addedShelf = co_await added;
    if (!self)
        co_return;
    bool changed = false;
    auto write = [&changed](auto &field, const auto &value) {
        if (field != value) {
            field = value;
            changed = true;
        }
    };
    write(m_recentAlbums, recentShelf.albums);
    write(m_recentPlaylists, recentShelf.playlists);
    write(m_rotationAlbums, rotationShelf.albums);
    write(m_rotationPlaylists, rotationShelf.playlists);
    write(m_addedAlbums, addedShelf.albums);
    write(m_addedPlaylists, addedShelf.playlists);
    write(m_addedSongs, addedShelf.songs);
    if (changed)
        Q_EMIT personalChanged();
}

QCoro::Task<> CorvaneModel::loadExploreLists()
{
    QPointer<CorvaneModel> self(this);
    const std::shared_ptr<MusicService> service = music();
    if (!service || (!m_exploreGenres.isEmpty() && !m_exploreStorefronts.isEmpty()))
        co_return;
    QCoro::Task<QList<GenreRef>> genres = AppleMusicKit::genres(service.get());
    QCoro::Task<QList<StorefrontRef>> storefronts = AppleMusicKit::storefronts(service.get());
    QCoro::Task<std::optional<QString>> country = service->countryCode();
    const QList<GenreRef> genreList = co_await genres;
    const QList<StorefrontRef> storefrontList = co_await storefronts;
    std::optional<QString> code;
    try {
        code = co_await country;
    } catch (...) {
    }
    if (!self)
        co_return;
    m_exploreGenres = genreList;
    m_exploreStorefronts = storefrontList;
    m_accountStorefront.reset();
    if (code) {
        for (const StorefrontRef &storefront : storefrontList) {
            if (storefront.id == *code) {
                m_accountStorefront = storefront;
                break;
            }
        }
    }
    Q_EMIT exploreChanged();
}

QCoro::Task<> CorvaneModel::loadExplore()
{
    QPointer<CorvaneModel> self(this);
    const int token = ++m_exploreToken;
    m_isLoadingExplore = true;
    Q_EMIT exploreChanged();
    AppleMusicKit::Charts charts;
    if (music()) {
        const std::optional<QString> storefront = m_exploreStorefront ? std::optional(m_exploreStorefront->id) : std::nullopt;
        const std::optional<QString> genre = m_exploreGenre ? std::optional(m_exploreGenre->id) : std::nullopt;
        charts = co_await AppleMusicKit::charts(music().get(), storefront, genre, exploreLimit);
    }
    if (!self || m_exploreToken != token)
        co_return; // a newer load owns the page
    m_exploreSongs = charts.songs;
    m_exploreAlbums = charts.albums;
    m_explorePlaylists = charts.playlists;
    m_isLoadingExplore = false;
    m_exploreLoaded = true;
    Q_EMIT exploreChanged();
}

QCoro::Task<> CorvaneModel::enterExplore()
{
    QPointer<CorvaneModel> self(this);
    if (m_radios.isEmpty())
        loadRadios(region()); // the stations shelf fills on its own
    co_await loadExploreLists();
    if (!self)
        co_return;
    if (m_exploreSongs.isEmpty() && m_exploreAlbums.isEmpty() && m_explorePlaylists.isEmpty())
        co_await loadExplore();
}

QCoro::Task<> CorvaneModel::pickExploreStorefront(std::optional<StorefrontRef> storefront)
{
    m_exploreStorefront = storefront;
    co_await loadExplore(); // announces the change with the loading state
}

QCoro::Task<> CorvaneModel::pickExploreGenre(std::optional<GenreRef> genre)
{
    m_exploreGenre = genre;
    co_await loadExplore();
}

QString CorvaneModel::region() const
{
    return m_services.chartRegion.isEmpty() ? AppleCharts::region(QLocale()) : m_services.chartRegion;
}

QString CorvaneModel::exploreStorefrontLabel() const
{
    if (m_exploreStorefront)
        return m_exploreStorefront->name;
    if (m_accountStorefront)
        return m_accountStorefront->name;
    return QStringLiteral("Mon pays");
}

void CorvaneModel::setPlaylistOrder(PlaylistOrder order)
{
    m_preferences.setPlaylistOrder(playlistOrderText(order));
    if (m_playlistOrder != order) {
        m_playlistOrder = order;
        Q_EMIT homeChanged();
    }
}

QList<LibraryPlaylist> CorvaneModel::sortedPlaylists() const
{
    return sortPlaylists(m_playlists, m_playlistOrder, m_playlistPlays);
}

QList<LibraryPlaylist> CorvaneModel::sortPlaylists(QList<LibraryPlaylist> sorted, PlaylistOrder order,
                                                   const QHash<QString, QDateTime> &plays)
{
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    switch (order) {
    case PlaylistOrder::Name:
        std::stable_sort(sorted.begin(), sorted.end(), [&](const LibraryPlaylist &a, const LibraryPlaylist &b) {
            return collator.compare(a.name, b.name) < 0;
        });
        break;
    case PlaylistOrder::NameDescending:
        std::stable_sort(sorted.begin(), sorted.end(), [&](const LibraryPlaylist &a, const LibraryPlaylist &b) {
            return collator.compare(a.name, b.name) > 0;
        });
        break;
    case PlaylistOrder::RecentlyPlayed:
        std::stable_sort(sorted.begin(), sorted.end(), [&](const LibraryPlaylist &a, const LibraryPlaylist &b) {
            const QDateTime playedA = plays.value(a.id);
            const QDateTime playedB = plays.value(b.id);
            const qint64 whenA = playedA.isValid() ? playedA.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
            const qint64 whenB = playedB.isValid() ? playedB.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
            if (whenA != whenB)
                return whenA > whenB;
            return collator.compare(a.name, b.name) < 0;
        });
        break;
    }
    return sorted;
}

void CorvaneModel::recordPlaylistPlay(const QString &playlistID)
{
    if (playlistID.isEmpty())
        return;
    m_playlistPlays.insert(playlistID, QDateTime::currentDateTimeUtc());
    m_preferences.setPlaylistPlays(m_playlistPlays);
    if (m_playlistOrder == PlaylistOrder::RecentlyPlayed)
        Q_EMIT homeChanged();
}

void CorvaneModel::checkForUpdate(const QUrl &origin)
{
    if (std::exchange(m_updateAsked, true) || origin.isEmpty())
        return;
    m_update->check(QCoreApplication::applicationVersion(), origin); // silent: a failure leaves no update known
}

} // namespace corvane
