// The home shelves, the library playlists' order, the greeting, the tip and the update notice.

#include "home.h"

#include "applemusic/applemusickit.h"
#include "applemusic/musicservice.h"
#include "applemusic/requests.h"
#include "async/delays.h"
#include "async/tasks.h"
#include "desktop/autostart.h"
#include "desktop/updatecheck.h"
#include "model/featuretips.h"
#include "model/field.h"
#include "model/household.h"
#include "model/notices.h"
#include "model/playback.h"
#include "model/recordlistmodel.h"
#include "storage/cachedhome.h"
#include "storage/listeninghistory.h"

#include <QCoreApplication>
#include <QCollator>
#include <QLocale>
#include <QPointer>

namespace corvane {

namespace {

constexpr int recommendationLimit = 12;
constexpr int playlistLimit = 500;
constexpr int librarySongLimit = 100;
constexpr int chartLimit = 25;
constexpr int newReleaseLimit = 50;
constexpr int personalLimit = 25;

} // namespace

Home::Home(Services services, Household *household, Notices *notices, Playback *playback, Queue *queue, QObject *parent)
    : QObject(parent)
    , m_services(std::move(services))
    , m_household(household)
    , m_notices(notices)
    , m_playback(playback)
    , m_queue(queue)
    , m_libraryModel(RecordListModel::of<Track>(this))
    , m_historyModel(RecordListModel::of<HistoryEntry>(this))
{
    m_playlistOrder = playlistOrderFromText(m_preferences.playlistOrder()).value_or(PlaylistOrder::Name);
    m_playlistPlays = m_preferences.playlistPlays();
    ListeningHistory *history = m_services.history;
    m_historyModel->assign(history->entries());
    connect(history, &ListeningHistory::changed, this, [this, history] {
        m_historyModel->assign(history->entries());
        Q_EMIT historyChanged();
    });
    connect(m_services.update, &UpdateCheck::availableChanged, this, &Home::updateChanged);
    // The greeting follows the hour.
    m_minute.setInterval(60 * 1000);
    connect(&m_minute, &QTimer::timeout, this, &Home::clockChanged);
    m_minute.start();
}

Home::~Home()
{
    if (m_artworkRepair)
        m_artworkRepair->cancel();
}

QCoro::Task<> Home::loadHome()
{
    QPointer<Home> self(this);
    const std::shared_ptr<MusicService> service = m_services.music;
    if (!service || service->authorizationStatus() != MusicService::Status::Authorized)
        co_return;
    m_household->setMusicKitAuthorized(true);
    const int failuresBefore = service->failedRequests();
    if (m_recommendations.isEmpty()) {
        if (const std::optional<CachedHome> snapshot = CachedHome::read())
            assign(this, m_recommendations, snapshot->recommendations, &Home::homeChanged);
    }
    // The three requests run at once; their results are taken in this order. Each is awaited
    // even when the page has gone: they use the service this task keeps alive.
    QCoro::Task<QList<Recommendation>> recommendations = AppleMusicKit::recommendations(service.get(), recommendationLimit);
    QCoro::Task<QList<LibraryPlaylist>> playlists = AppleMusicKit::libraryPlaylists(service.get(), playlistLimit);
    QCoro::Task<QList<Track>> songs = AppleMusicKit::librarySongs(service.get(), librarySongLimit);
    const QList<Recommendation> freshRecommendations = co_await recommendations;
    if (self && !freshRecommendations.isEmpty())
        assign(this, m_recommendations, freshRecommendations, &Home::homeChanged);
    const QList<LibraryPlaylist> freshPlaylists = co_await playlists;
    if (self && !freshPlaylists.isEmpty())
        assign(this, m_playlists, Catalog::uniqueByID(freshPlaylists), &Home::homeChanged);
    const QList<Track> freshSongs = co_await songs;
    if (!self)
        co_return;
    if (assign(this, m_libraryTracks, Catalog::uniqueByID(freshSongs), &Home::homeChanged))
        m_libraryModel->assign(m_libraryTracks);
    CachedHome::save(m_recommendations);
    // A refused developer token empties every shelf: say why instead of showing nothing.
    if (service->developerTokenRejected() && service->failedRequests() > failuresBefore)
        m_notices->setErrorMessage(AppleMusic::authorizationMessage(*service));
}

QCoro::Task<> Home::loadHomeCharts()
{
    QPointer<Home> self(this);
    if (!m_recommendations.isEmpty())
        co_return;
    const QString region = this->region();
    const QUrl origin = m_services.chartsOrigin;
    std::optional<QCoro::Task<AppleCharts::Feed>> songs;
    std::optional<QCoro::Task<AppleCharts::Feed>> albums;
    std::optional<QCoro::Task<QList<Album>>> releases;
    // The skeleton stands in for the charts only while they are on their way.
    assign(this, m_loadingCharts, true, &Home::homeChanged);
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
        assign(this, m_chartSongs, Catalog::uniqueByID(feed.songs), &Home::homeChanged);
    }
    if (albums) {
        const AppleCharts::Feed feed = co_await *albums;
        if (!self)
            co_return;
        assign(this, m_chartAlbums, Catalog::uniqueByID(feed.albums), &Home::homeChanged);
    }
    if (releases) {
        const QList<Album> found = co_await *releases;
        if (!self)
            co_return;
        assign(this, m_newReleases, Catalog::uniqueByID(found), &Home::homeChanged);
    }
    assign(this, m_loadingCharts, false, &Home::homeChanged);
    assign(this, m_chartsLoaded, !m_chartSongs.isEmpty(), &Home::homeChanged);
    co_await loadPersonal(false);
    if (!self)
        co_return;
    co_await m_household->refreshLineIn();
}

QCoro::Task<> Home::loadPersonal(bool force)
{
    QPointer<Home> self(this);
    if (!force && (!m_recentAlbums.isEmpty() || !m_rotationAlbums.isEmpty() || !m_addedAlbums.isEmpty()))
        co_return;
    if (force && m_lastPersonalLoad && steadyNow() - *m_lastPersonalLoad < delays().personalReload)
        co_return;
    m_lastPersonalLoad = steadyNow(); // before the requests: overlapping triggers are throttled too
    const std::shared_ptr<MusicService> service = m_services.music;
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

QString Home::region() const
{
    return m_services.chartRegion.isEmpty() ? AppleCharts::region(QLocale()) : m_services.chartRegion;
}

void Home::setPlaylistOrder(PlaylistOrder order)
{
    m_preferences.setPlaylistOrder(playlistOrderText(order));
    if (m_playlistOrder != order) {
        m_playlistOrder = order;
        Q_EMIT homeChanged();
    }
}

QList<LibraryPlaylist> Home::sortedPlaylists() const
{
    return sortPlaylists(m_playlists, m_playlistOrder, m_playlistPlays);
}

QList<LibraryPlaylist> Home::sortPlaylists(QList<LibraryPlaylist> sorted, PlaylistOrder order,
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

void Home::recordPlaylistPlay(const QString &playlistID)
{
    if (playlistID.isEmpty())
        return;
    m_playlistPlays.insert(playlistID, QDateTime::currentDateTimeUtc());
    m_preferences.setPlaylistPlays(m_playlistPlays);
    if (m_playlistOrder == PlaylistOrder::RecentlyPlayed)
        Q_EMIT homeChanged();
}

void Home::checkForUpdate(const QUrl &origin)
{
    if (std::exchange(m_updateAsked, true) || origin.isEmpty())
        return;
    m_services.update->check(QCoreApplication::applicationVersion(), origin); // silent: a failure leaves no update known
}

// ---- the shelves as the screens read them

QVariantList Home::recommendationList() const { return variantsOf(m_recommendations); }
QVariantList Home::playlistList() const { return variantsOf(sortedPlaylists()); }
QVariantList Home::chartAlbumList() const { return variantsOf(m_chartAlbums); }
QVariantList Home::chartSongList() const { return variantsOf(m_chartSongs); }
QVariantList Home::newReleaseList() const { return variantsOf(m_newReleases); }
QVariantList Home::recentAlbumList() const { return variantsOf(m_recentAlbums); }
QVariantList Home::recentPlaylistList() const { return variantsOf(m_recentPlaylists); }
QVariantList Home::rotationAlbumList() const { return variantsOf(m_rotationAlbums); }
QVariantList Home::rotationPlaylistList() const { return variantsOf(m_rotationPlaylists); }
QVariantList Home::addedAlbumList() const { return variantsOf(m_addedAlbums); }
QVariantList Home::addedPlaylistList() const { return variantsOf(m_addedPlaylists); }
QVariantList Home::addedSongList() const { return variantsOf(m_addedSongs); }

void Home::reload()
{
    loadHome();
    loadHomeCharts();
}

void Home::playChartSongs()
{
    const QList<Track> songs = m_chartSongs.mid(0, chartSongsPlayed);
    if (!songs.isEmpty())
        m_playback->playSongs(songs, QCoreApplication::translate("Home", "Top titres"));
}

// ---- the greeting, the tip, the update and the autostart

QString Home::greetingAt(int hour)
{
    if (hour >= 5 && hour < 12)
        return QCoreApplication::translate("Home", "Bonjour");
    if (hour >= 12 && hour < 18)
        return QCoreApplication::translate("Home", "Bon après-midi");
    if (hour >= 18 && hour < 23)
        return QCoreApplication::translate("Home", "Bonsoir");
    return QCoreApplication::translate("Home", "Bonne nuit");

}

void Home::setClock(const QDateTime &clock)
{
    if (m_clock == clock)
        return;
    m_clock = clock;
    Q_EMIT clockChanged();
}

void Home::chooseTip()
{
    if (m_tipChosen)
        return;
    m_tipChosen = true;
    // Not while the introduction is shown again, nor before a first speaker on a first launch.
    const bool eligible = !m_household->onboardingReplay()
        && (m_household->onboardingDone() || !m_household->launchedWithoutKnownSpeaker());
    m_tip = FeatureTips::choose(m_preferences, eligible).value_or(QString());
    m_preferences.sync();
    if (!m_tip.isEmpty())
        Q_EMIT tipChanged();
}

void Home::dismissTip()
{
    if (m_tip.isEmpty())
        return;
    m_tip.clear();
    Q_EMIT tipChanged();
}

QString Home::updateVersion() const
{
    const auto &release = m_services.update->available();
    return release ? release->version : QString();
}

QUrl Home::updateUrl() const
{
    const auto &release = m_services.update->available();
    return release ? release->url : QUrl();
}

QString Home::updateNotes() const
{
    const auto &release = m_services.update->available();
    return release ? release->notes.value_or(QString()) : QString();
}

bool Home::launchAtLogin() const
{
    return Autostart().isEnabled();
}

void Home::setLaunchAtLogin(bool enabled)
{
    Autostart autostart;
    const bool before = autostart.isEnabled();
    if (!autostart.setEnabled(enabled))
        m_notices->setErrorMessage(autostart.error());
    // Also when nothing changed on disk: a switch the person flipped goes back to the truth.
    if (autostart.isEnabled() != before || autostart.isEnabled() != enabled)
        Q_EMIT launchAtLoginChanged();
}

} // namespace corvane
