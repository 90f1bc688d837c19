#include "homeface.h"

#include "model/corvanemodel.h"
#include "model/featuretips.h"
#include "radio/radiodirectory.h"
#include "storage/listeninghistory.h"
#include "storage/preferences.h"
#include "system/autostart.h"
#include "system/updatecheck.h"

#include <QHash>
#include <QSet>

namespace corvane {

HomeFace::HomeFace(CorvaneModel *model)
    : QObject(model)
    , m_model(model)
{
    connect(model, &CorvaneModel::homeChanged, this, &HomeFace::homeChanged);
    connect(model, &CorvaneModel::personalChanged, this, &HomeFace::personalChanged);
    connect(model, &CorvaneModel::exploreChanged, this, &HomeFace::exploreChanged);
    connect(model, &CorvaneModel::radiosChanged, this, &HomeFace::radiosChanged);
    connect(model->history(), &ListeningHistory::changed, this, &HomeFace::historyChanged);
    connect(model->updateCheck(), &UpdateCheck::availableChanged, this, &HomeFace::updateChanged);
    // The greeting follows the hour.
    m_minute.setInterval(60 * 1000);
    connect(&m_minute, &QTimer::timeout, this, &HomeFace::clockChanged);
    m_minute.start();
}

QString HomeFace::greetingAt(int hour)
{
    if (hour >= 5 && hour < 12)
        return QStringLiteral("Bonjour");
    if (hour >= 12 && hour < 18)
        return QStringLiteral("Bon après-midi");
    if (hour >= 18 && hour < 23)
        return QStringLiteral("Bonsoir");
    return QStringLiteral("Bonne nuit");
}

void HomeFace::chooseTip()
{
    if (m_tipChosen)
        return;
    m_tipChosen = true;
    // Not while the introduction is shown again, nor before a first speaker on a first launch.
    const bool eligible = !m_model->onboardingReplay() && (m_model->onboardingDone() || !m_model->launchedWithoutKnownSpeaker());
    Preferences preferences;
    m_tip = FeatureTips::choose(preferences, eligible).value_or(QString());
    preferences.sync();
    if (!m_tip.isEmpty())
        Q_EMIT tipChanged();
}

void HomeFace::dismissTip()
{
    if (m_tip.isEmpty())
        return;
    m_tip.clear();
    Q_EMIT tipChanged();
}

void HomeFace::setClock(const QDateTime &clock)
{
    if (m_clock == clock)
        return;
    m_clock = clock;
    Q_EMIT clockChanged();
}

QVariantList HomeFace::recentTracks() const
{
    QVariantList shown;
    QSet<QString> seen;
    for (const HistoryEntry &entry : m_model->history()->entries()) {
        if (seen.contains(entry.trackID))
            continue;
        seen.insert(entry.trackID);
        shown << QVariant::fromValue(entry);
        if (shown.size() == recentTracksShown)
            break;
    }
    return shown;
}

QVariantList HomeFace::topArtistsOf(int limit) const
{
    // Each artist's face is the cover of their most recent play that has one.
    QHash<QString, QUrl> covers;
    for (const HistoryEntry &entry : m_model->history()->entries()) {
        if (!covers.contains(entry.artist) && entry.artworkBase)
            covers.insert(entry.artist, entry.artworkShown());
    }
    QVariantList rows;
    for (const ArtistCount &artist : m_model->history()->topArtists(limit))
        rows << QVariantMap{{QStringLiteral("name"), artist.artist},
                            {QStringLiteral("plays"), artist.count},
                            {QStringLiteral("artwork"), covers.value(artist.artist)}};
    return rows;
}

QString HomeFace::updateVersion() const
{
    const auto &release = m_model->updateCheck()->available();
    return release ? release->version : QString();
}

QUrl HomeFace::updateUrl() const
{
    const auto &release = m_model->updateCheck()->available();
    return release ? release->url : QUrl();
}

QString HomeFace::updateNotes() const
{
    const auto &release = m_model->updateCheck()->available();
    return release ? release->notes.value_or(QString()) : QString();
}

bool HomeFace::launchAtLogin() const
{
    return Autostart().isEnabled();
}

void HomeFace::setLaunchAtLogin(bool enabled)
{
    Autostart autostart;
    const bool before = autostart.isEnabled();
    if (!autostart.setEnabled(enabled))
        m_model->setErrorMessage(autostart.error());
    // Also when nothing changed on disk: a switch the person flipped goes back to the truth.
    if (autostart.isEnabled() != before || autostart.isEnabled() != enabled)
        Q_EMIT launchAtLoginChanged();
}

QVariantList HomeFace::recommendations() const { return variantsOf(m_model->recommendations()); }
QVariantList HomeFace::playlists() const { return variantsOf(m_model->sortedPlaylists()); }
int HomeFace::playlistOrder() const { return int(m_model->playlistOrder()); }
void HomeFace::setPlaylistOrder(int order) { m_model->setPlaylistOrder(PlaylistOrder(order)); }
RecordListModel *HomeFace::libraryTracks() const { return m_model->libraryTrackModel(); }
QVariantList HomeFace::chartAlbums() const { return variantsOf(m_model->chartAlbums()); }
QVariantList HomeFace::chartSongs() const { return variantsOf(m_model->chartSongs()); }
QVariantList HomeFace::newReleases() const { return variantsOf(m_model->newReleases()); }
bool HomeFace::chartsLoaded() const { return m_model->chartsLoaded(); }
bool HomeFace::isLoadingCharts() const { return m_model->isLoadingCharts(); }
QVariantList HomeFace::recentAlbums() const { return variantsOf(m_model->recentAlbums()); }
QVariantList HomeFace::recentPlaylists() const { return variantsOf(m_model->recentPlaylists()); }
QVariantList HomeFace::rotationAlbums() const { return variantsOf(m_model->rotationAlbums()); }
QVariantList HomeFace::rotationPlaylists() const { return variantsOf(m_model->rotationPlaylists()); }
QVariantList HomeFace::addedAlbums() const { return variantsOf(m_model->addedAlbums()); }
QVariantList HomeFace::addedPlaylists() const { return variantsOf(m_model->addedPlaylists()); }
QVariantList HomeFace::addedSongs() const { return variantsOf(m_model->addedSongs()); }
QVariantList HomeFace::exploreGenres() const { return variantsOf(m_model->exploreGenres()); }
QVariantList HomeFace::exploreStorefronts() const { return variantsOf(m_model->exploreStorefronts()); }

QString HomeFace::exploreGenreID() const
{
    return m_model->exploreGenre() ? m_model->exploreGenre()->id : QString();
}

QString HomeFace::exploreStorefrontID() const
{
    return m_model->exploreStorefront() ? m_model->exploreStorefront()->id : QString();
}

QString HomeFace::exploreStorefrontLabel() const { return m_model->exploreStorefrontLabel(); }

namespace {
QVariantMap choice(const QString &label, const QString &id)
{
    return {{QStringLiteral("label"), label}, {QStringLiteral("id"), id}};
}
} // namespace

QVariantList HomeFace::countryChoices() const
{
    QVariantList choices{choice(QStringLiteral("Mon pays"), QString())};
    for (const StorefrontRef &storefront : m_model->exploreStorefronts())
        choices.append(choice(storefront.id.toUpper(), storefront.id));
    return choices;
}

QVariantList HomeFace::genreChoices() const
{
    QVariantList choices{choice(QStringLiteral("Tous"), QString())};
    for (const GenreRef &genre : m_model->exploreGenres())
        choices.append(choice(genre.name, genre.id));
    return choices;
}
QVariantList HomeFace::exploreSongs() const { return variantsOf(m_model->exploreSongs()); }
QVariantList HomeFace::exploreAlbums() const { return variantsOf(m_model->exploreAlbums()); }
QVariantList HomeFace::explorePlaylists() const { return variantsOf(m_model->explorePlaylists()); }
bool HomeFace::isLoadingExplore() const { return m_model->isLoadingExplore(); }
bool HomeFace::exploreLoaded() const { return m_model->exploreLoaded(); }
QVariantList HomeFace::radios() const { return variantsOf(m_model->radios()); }
RecordListModel *HomeFace::history() const { return m_model->historyModel(); }

void HomeFace::reload()
{
    m_model->loadHome();
    m_model->loadHomeCharts();
}

namespace {
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

std::optional<Track> historyTrack(CorvaneModel *model, int row)
{
    const QList<HistoryEntry> &entries = model->history()->entries();
    if (row < 0 || row >= entries.size())
        return std::nullopt;
    return trackOf(entries.at(row));
}
} // namespace

void HomeFace::playHistoryEntry(int row)
{
    if (const std::optional<Track> track = historyTrack(m_model, row))
        m_model->playSong(*track);
}

void HomeFace::enqueueHistoryEntry(int row)
{
    if (const std::optional<Track> track = historyTrack(m_model, row))
        m_model->addToQueue(*track);
}

void HomeFace::playEntry(const QVariant &entry)
{
    if (entry.canConvert<HistoryEntry>())
        m_model->playSong(trackOf(entry.value<HistoryEntry>()));
}

void HomeFace::playChartSongs()
{
    const QList<Track> songs = m_model->chartSongs().mid(0, chartSongsPlayed);
    if (!songs.isEmpty())
        m_model->playSongs(songs, QStringLiteral("Top titres"));
}

void HomeFace::clearHistory() { m_model->history()->clear(); }
void HomeFace::repairHistoryArtwork() { m_model->repairHistoryArtwork(); }

void HomeFace::playExploreSongs()
{
    if (!m_model->exploreSongs().isEmpty())
        m_model->playSongs(m_model->exploreSongs(), QStringLiteral("Top titres"));
}

double HomeFace::stationHue(const QString &name) const { return RadioDirectory::fallbackHue(name); }

void HomeFace::pickStorefront(const QString &id)
{
    std::optional<StorefrontRef> chosen;
    for (const StorefrontRef &storefront : m_model->exploreStorefronts()) {
        if (storefront.id == id)
            chosen = storefront;
    }
    if (id.isEmpty() || chosen)
        m_model->pickExploreStorefront(chosen);
}

void HomeFace::pickGenre(const QString &id)
{
    std::optional<GenreRef> chosen;
    for (const GenreRef &genre : m_model->exploreGenres()) {
        if (genre.id == id)
            chosen = genre;
    }
    if (id.isEmpty() || chosen)
        m_model->pickExploreGenre(chosen);
}

} // namespace corvane
