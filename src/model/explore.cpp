// The explore page, the radio stations and the listening history's views.

#include "home.h"

#include "applemusic/applemusickit.h"
#include "applemusic/musicservice.h"
#include "async/tasks.h"
#include "model/field.h"
#include "model/playback.h"
#include "model/queue.h"
#include "model/recordlistmodel.h"
#include "radio/radiodirectory.h"
#include "storage/listeninghistory.h"

#include <QCoreApplication>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>

namespace corvane {

namespace {

constexpr int exploreLimit = 24;
constexpr int repairBatch = 30;

QVariantMap choice(const QString &label, const QString &id)
{
    return {{QStringLiteral("label"), label}, {QStringLiteral("id"), id}};
}

Track trackOf(const HistoryEntry &entry)
{
    Track track;
    track.id = entry.trackID;
    track.title = entry.title;
    track.artist = entry.artist;
    track.album = entry.album;
    track.artworkBase = entry.artworkBase;
    return track;
}

} // namespace

QCoro::Task<> Home::loadExploreLists()
{
    QPointer<Home> self(this);
    const std::shared_ptr<MusicService> service = m_services.music;
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
        // without the account's country, "Mon pays" stays unnamed
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

QCoro::Task<> Home::loadExplore()
{
    QPointer<Home> self(this);
    const int token = ++m_exploreToken;
    m_isLoadingExplore = true;
    Q_EMIT exploreChanged();
    AppleMusicKit::Charts charts;
    if (const std::shared_ptr<MusicService> service = m_services.music) {
        const std::optional<QString> storefront = m_exploreStorefront ? std::optional(m_exploreStorefront->id) : std::nullopt;
        const std::optional<QString> genre = m_exploreGenre ? std::optional(m_exploreGenre->id) : std::nullopt;
        charts = co_await AppleMusicKit::charts(service.get(), storefront, genre, exploreLimit);
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

QCoro::Task<> Home::enterExplore()
{
    QPointer<Home> self(this);
    if (m_radios.isEmpty())
        loadRadios(region()); // the stations shelf fills on its own
    co_await loadExploreLists();
    if (!self)
        co_return;
    if (m_exploreSongs.isEmpty() && m_exploreAlbums.isEmpty() && m_explorePlaylists.isEmpty())
        co_await loadExplore();
}

QCoro::Task<> Home::pickExploreStorefront(std::optional<StorefrontRef> storefront)
{
    m_exploreStorefront = storefront;
    co_await loadExplore(); // announces the change with the loading state
}

QCoro::Task<> Home::pickExploreGenre(std::optional<GenreRef> genre)
{
    m_exploreGenre = genre;
    co_await loadExplore();
}

QString Home::exploreStorefrontLabel() const
{
    if (m_exploreStorefront)
        return m_exploreStorefront->name;
    if (m_accountStorefront)
        return m_accountStorefront->name;
    return QCoreApplication::translate("Home", "Mon pays");
}

QString Home::exploreGenreID() const { return m_exploreGenre ? m_exploreGenre->id : QString(); }
QString Home::exploreStorefrontID() const { return m_exploreStorefront ? m_exploreStorefront->id : QString(); }

QVariantList Home::countryChoices() const
{
    QVariantList choices{choice(QCoreApplication::translate("Home", "Mon pays"), QString())};
    for (const StorefrontRef &storefront : m_exploreStorefronts)
        choices.append(choice(storefront.id.toUpper(), storefront.id));
    return choices;
}

QVariantList Home::genreChoices() const
{
    //: All the genres of the charts
    QVariantList choices{choice(QCoreApplication::translate("Home", "Tous"), QString())};
    for (const GenreRef &genre : m_exploreGenres)
        choices.append(choice(genre.name, genre.id));
    return choices;
}

QVariantList Home::exploreSongList() const { return variantsOf(m_exploreSongs); }
QVariantList Home::exploreAlbumList() const { return variantsOf(m_exploreAlbums); }
QVariantList Home::explorePlaylistList() const { return variantsOf(m_explorePlaylists); }

void Home::pickStorefront(const QString &id)
{
    std::optional<StorefrontRef> chosen;
    for (const StorefrontRef &storefront : std::as_const(m_exploreStorefronts)) {
        if (storefront.id == id)
            chosen = storefront;
    }
    if (id.isEmpty() || chosen)
        pickExploreStorefront(chosen);
}

void Home::pickGenre(const QString &id)
{
    std::optional<GenreRef> chosen;
    for (const GenreRef &genre : std::as_const(m_exploreGenres)) {
        if (genre.id == id)
            chosen = genre;
    }
    if (id.isEmpty() || chosen)
        pickExploreGenre(chosen);
}

void Home::playExploreSongs()
{
    if (!m_exploreSongs.isEmpty())
        m_playback->playSongs(m_exploreSongs, QCoreApplication::translate("Home", "Top titres"));

}

// ---- radio stations

QCoro::Task<> Home::loadRadios(QString countryCode)
{
    QPointer<Home> self(this);
    const QList<RadioStation> stations = co_await RadioDirectory::stations(countryCode, 150, m_services.radioOrigin);
    if (self)
        assign(this, m_radios, stations, &Home::radiosChanged);
}

QVariantList Home::radioList() const { return variantsOf(m_radios); }
double Home::stationHue(const QString &name) const { return RadioDirectory::fallbackHue(name); }

// ---- the listening history

QVariantList Home::recentTracks() const
{
    QVariantList shown;
    QSet<QString> seen;
    for (const HistoryEntry &entry : m_services.history->entries()) {
        if (seen.contains(entry.trackID))
            continue;
        seen.insert(entry.trackID);
        shown << QVariant::fromValue(entry);
        if (shown.size() == recentTracksShown)
            break;
    }
    return shown;
}

QVariantList Home::topArtistsOf(int limit) const
{
    // Each artist's face is the cover of their most recent play that has one.
    QHash<QString, QUrl> covers;
    for (const HistoryEntry &entry : m_services.history->entries()) {
        if (!covers.contains(entry.artist) && entry.artworkBase)
            covers.insert(entry.artist, entry.artworkShown());
    }
    QVariantList rows;
    for (const ArtistCount &artist : m_services.history->topArtists(limit))
        rows << QVariantMap{{QStringLiteral("name"), artist.artist},
                            {QStringLiteral("plays"), artist.count},
                            {QStringLiteral("artwork"), covers.value(artist.artist)}};
    return rows;
}

void Home::playHistoryEntry(int row)
{
    const QList<HistoryEntry> &entries = m_services.history->entries();
    if (row >= 0 && row < entries.size())
        m_playback->playSong(trackOf(entries.at(row)));
}

void Home::enqueueHistoryEntry(int row)
{
    const QList<HistoryEntry> &entries = m_services.history->entries();
    if (row >= 0 && row < entries.size())
        m_queue->addTrack(trackOf(entries.at(row)));
}

void Home::playEntry(const HistoryEntry &entry)
{
    m_playback->playSong(trackOf(entry));
}

void Home::clearHistory()
{
    m_services.history->clear();
}

QCoro::Task<> Home::repairHistoryArtwork()
{
    const QList<MissingArtwork> tracks = m_services.history->tracksMissingArtwork(repairBatch);
    if (tracks.isEmpty())
        co_return;
    if (m_artworkRepair)
        m_artworkRepair->cancel();
    m_artworkRepair = std::make_unique<CancellationSource>();
    co_await repairTask(tracks, m_artworkRepair->token());
}

QCoro::Task<> Home::repairTask(QList<MissingArtwork> tracks, CancellationToken token)
{
    QPointer<Home> self(this);
    const std::shared_ptr<MusicService> service = m_services.music;
    if (!service)
        co_return;
    static const QRegularExpression digits(QStringLiteral("[0-9]+"));
    for (const MissingArtwork &track : tracks) {
        if (!self || token.isCancelled())
            co_return;
        std::optional<QString> artwork;
        const QRegularExpressionMatch song = digits.match(track.trackID);
        if (song.hasMatch())
            artwork = co_await AppleMusicKit::songArtwork(service.get(), song.captured(0));
        if (!self || token.isCancelled())
            co_return;
        if (!artwork) {
            const AppleMusicKit::SearchResults results =
                co_await AppleMusicKit::search(service.get(), track.title + QLatin1Char(' ') + track.artist, 1);
            if (!self || token.isCancelled())
                co_return;
            if (!results.songs.isEmpty())
                artwork = results.songs.first().artworkBase;
        }
        if (artwork)
            m_services.history->setArtwork(*artwork, track.trackID);
    }
}

} // namespace corvane
