// Favorites, radio, line-in, rooms, tone, the sleep timer and the history's missing covers.

#include "corvanemodel.h"

#include "applemusic/applemusickit.h"
#include "async/delays.h"
#include "async/tasks.h"
#include "model/failure.h"
#include "radio/radiodirectory.h"
#include "sonos/corvaneerror.h"
#include "sonos/sonoscontroller.h"
#include "sonos/text.h"

#include <QCollator>
#include <QRegularExpression>

namespace corvane {

namespace {

constexpr int artworkAttempts = 3;
constexpr int repairBatch = 30;

std::optional<QString> favoriteSongID(const SonosFavorite &favorite)
{
    static const QRegularExpression song(QStringLiteral("song%3[aA]([0-9]+)"));
    const QRegularExpressionMatch match = song.match(favorite.uri);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1);
}

} // namespace

QCoro::Task<> CorvaneModel::refreshFavorites()
{
    QPointer<CorvaneModel> self(this);
    std::unique_ptr<SonosController> controller = coordinatorController();
    if (!controller)
        co_return;
    try {
        QList<SonosFavorite> favorites = co_await controller->favorites();
        if (self)
            setFavorites(std::move(favorites));
    } catch (...) {
        // the list keeps what it showed
    }
}

void CorvaneModel::setFavorites(QList<SonosFavorite> favorites)
{
    std::stable_sort(favorites.begin(), favorites.end(),
                     [](const SonosFavorite &a, const SonosFavorite &b) { return a.ordinal() > b.ordinal(); });
    for (SonosFavorite &favorite : favorites) {
        if (!favorite.artworkURL && m_favoriteArtwork.contains(favorite.id))
            favorite.artworkURL = m_favoriteArtwork.value(favorite.id);
    }
    assign(m_favorites, favorites, &CorvaneModel::favoritesChanged);
    searchFavoriteArtwork();
}

QCoro::Task<> CorvaneModel::searchFavoriteArtwork()
{
    QPointer<CorvaneModel> self(this);
    const std::shared_ptr<MusicService> service = music();
    if (!service)
        co_return;
    QList<std::pair<QString, QString>> wanted; // favorite id, song id
    for (const SonosFavorite &favorite : std::as_const(m_favorites)) {
        if (favorite.artworkURL || m_favoriteArtworkAttempts.value(favorite.id) >= artworkAttempts
            || m_favoriteArtworkSearching.contains(favorite.id))
            continue;
        if (const std::optional<QString> song = favoriteSongID(favorite))
            wanted.append({favorite.id, *song});
    }
    for (const auto &[favoriteID, songID] : std::as_const(wanted)) {
        m_favoriteArtworkSearching.insert(favoriteID);
        const std::optional<QString> artwork = co_await AppleMusicKit::songArtwork(service.get(), songID);
        if (!self)
            co_return;
        m_favoriteArtworkSearching.remove(favoriteID);
        if (!artwork) {
            m_favoriteArtworkAttempts[favoriteID] += 1;
            continue;
        }
        m_favoriteArtwork.insert(favoriteID, QUrl(*artwork));
        QHash<QString, QString> stored;
        for (auto it = m_favoriteArtwork.begin(); it != m_favoriteArtwork.end(); ++it)
            stored.insert(it.key(), it.value().toString());
        m_preferences.setFavoriteArtwork(stored);
        QList<SonosFavorite> favorites = m_favorites;
        for (SonosFavorite &favorite : favorites) {
            if (favorite.id == favoriteID && !favorite.artworkURL)
                favorite.artworkURL = QUrl(*artwork);
        }
        assign(m_favorites, favorites, &CorvaneModel::favoritesChanged);
    }
}

QCoro::Task<> CorvaneModel::startFavorite(SonosFavorite favorite)
{
    m_playbackStarted++;
    Q_EMIT playbackStartedChanged();
    NowPlaying now;
    now.title = favorite.title;
    now.artworkURL = favorite.artworkURL;
    now.isPlaying = true;
    writeNowPlaying(now);
    m_playIntent = true;
    m_playIntentUntil = Clock::now() + delays().startWindow;
    if (favorite.uri.isEmpty())
        co_return;
    QCoro::Task<> command = performOnSpeaker(QStringLiteral("Lecture · ") + favorite.title, false,
                              [favorite](const SonosController &speaker) { return speaker.playFavorite(favorite); });
    co_await command;
}

bool CorvaneModel::isFavorite(const QString &trackID) const
{
    return !trackID.isEmpty()
        && std::any_of(m_favorites.begin(), m_favorites.end(),
                       [&trackID](const SonosFavorite &favorite) { return favorite.refersToSong(trackID); });
}

QCoro::Task<> CorvaneModel::toggleFavorite(Track track)
{
    QPointer<CorvaneModel> self(this);
    std::optional<SonosFavorite> existing;
    for (const SonosFavorite &favorite : std::as_const(m_favorites)) {
        if (favorite.refersToSong(track.id)) {
            existing = favorite;
            break;
        }
    }
    std::optional<QCoro::Task<>> command;
    if (!existing) {
        command.emplace(performOnSpeaker(QStringLiteral("Ajouté aux favoris · ") + track.title, false,
                                   [this, track](const SonosController &speaker) { return speaker.addFavorite(track, *m_link); },
                                   Needs::MusicLink));
    } else {
        QList<SonosFavorite> favorites = m_favorites;
        const QString id = existing->id;
        favorites.removeIf([&id](const SonosFavorite &favorite) { return favorite.id == id; });
        assign(m_favorites, favorites, &CorvaneModel::favoritesChanged);
        command.emplace(performOnSpeaker(QStringLiteral("Retiré des favoris"), false,
                                         [id](const SonosController &speaker) { return speaker.removeFavorite(id); }));
    }
    // The speaker takes a while to list the change: read again a few times.
    co_await rereadFavorites();
    co_await *command;
}

QCoro::Task<> CorvaneModel::rereadFavorites()
{
    QPointer<CorvaneModel> self(this);
    for (const Millis wait : {delays().favoriteReread1, delays().favoriteReread2, delays().favoriteReread3,
                              delays().favoriteReread4}) {
        co_await sleep(wait);
        if (!self)
            co_return;
        co_await refreshFavorites();
        if (!self)
            co_return;
    }
}

QCoro::Task<> CorvaneModel::playStation(RadioStation station)
{
    NowPlaying now;
    now.title = station.name;
    now.artist = station.genre;
    now.isPlaying = true;
    writeNowPlaying(now);
    setQueue({});
    QCoro::Task<> command = performOnSpeaker(station.name, false, [station](const SonosController &speaker) {
        return speaker.playRadio(station.name, station.stream);
    });
    co_await command;
}

QCoro::Task<> CorvaneModel::startRadio(Artist artist)
{
    QPointer<CorvaneModel> self(this);
    QList<Track> tracks;
    if (music())
        tracks = co_await AppleMusicKit::artistRadio(music().get(), artist.id, 60);
    if (!self)
        co_return;
    setPreparing(std::nullopt);
    if (tracks.isEmpty()) {
        setErrorMessage(QStringLiteral("Pas assez de morceaux pour lancer cette radio."));
        co_return;
    }
    co_await playSongs(tracks, QStringLiteral("Radio ") + artist.name);
}

QCoro::Task<> CorvaneModel::startLineIn()
{
    NowPlaying now;
    now.title = QStringLiteral("Entrée ligne");
    now.artist = m_selected ? m_selected->roomName : QString();
    now.isPlaying = true;
    writeNowPlaying(now);
    setQueue({});
    QCoro::Task<> command = performOnSpeaker(QStringLiteral("Entrée ligne"), false,
                              [](const SonosController &speaker) { return speaker.playLineIn(); });
    co_await command;
}

QCoro::Task<> CorvaneModel::toggleMembership(Speaker speaker, std::optional<QString> groupCoordinator)
{
    QPointer<CorvaneModel> self(this);
    std::optional<SonosGroup> group = currentGroup();
    if (groupCoordinator) {
        group.reset();
        for (const SonosGroup &candidate : std::as_const(m_groups)) {
            if (candidate.coordinatorUUID == *groupCoordinator)
                group = candidate;
        }
    }
    if (!group)
        co_return;
    const bool member = std::any_of(group->members.begin(), group->members.end(),
                                    [&speaker](const Speaker &m) { return m.uuid == speaker.uuid; });
    if (member && speaker.uuid == group->coordinatorUUID)
        co_return; // the coordinator's own card
    const QString coordinatorUUID = group->coordinatorUUID;
    const Speaker coordinator = group->coordinator().value_or(speaker);
    try {
        const SonosController room(speaker);
        if (member)
            co_await room.leaveGroup();
        else
            co_await room.joinGroup(coordinatorUUID);
        if (!self)
            co_return;
        co_await sleep(delays().regroupSettle);
        if (!self)
            co_return;
        const SonosController leader(coordinator);
        const QList<SonosGroup> groups = co_await leader.zoneGroups();
        if (!self)
            co_return;
        if (!groups.isEmpty())
            setSpeakersAndGroups(groups);
    } catch (...) {
        if (self)
            setErrorMessage(failureMessage(std::current_exception()));
    }
}

void CorvaneModel::setEqualizer(const Equalizer &equalizer)
{
    assign(m_equalizer, equalizer, &CorvaneModel::equalizerChanged);
}

QCoro::Task<> CorvaneModel::adjustBass(int value)
{
    Equalizer equalizer = m_equalizer;
    equalizer.bass = std::clamp(value, -10, 10);
    setEqualizer(equalizer);
    const int bass = equalizer.bass;
    QCoro::Task<> command = performOnSpeaker(std::nullopt, true, [bass](const SonosController &speaker) { return speaker.setBass(bass); });
    co_await command;
}

QCoro::Task<> CorvaneModel::adjustTreble(int value)
{
    Equalizer equalizer = m_equalizer;
    equalizer.treble = std::clamp(value, -10, 10);
    setEqualizer(equalizer);
    const int treble = equalizer.treble;
    QCoro::Task<> command = performOnSpeaker(std::nullopt, true, [treble](const SonosController &speaker) { return speaker.setTreble(treble); });
    co_await command;
}

QCoro::Task<> CorvaneModel::toggleLoudness()
{
    Equalizer equalizer = m_equalizer;
    equalizer.loudness = !equalizer.loudness;
    setEqualizer(equalizer);
    const bool on = equalizer.loudness;
    QCoro::Task<> command = performOnSpeaker(std::nullopt, true, [on](const SonosController &speaker) { return speaker.setLoudness(on); });
    co_await command;
}

namespace {
QCoro::Task<> flatten(const SonosController &speaker)
{
    co_await speaker.setBass(0);
    co_await speaker.setTreble(0);
}
} // namespace

QCoro::Task<> CorvaneModel::resetEqualizer()
{
    Equalizer equalizer = m_equalizer;
    equalizer.bass = 0;
    equalizer.treble = 0;
    setEqualizer(equalizer);
    QCoro::Task<> command = performOnSpeaker(QStringLiteral("Égalisation remise à plat"), true, flatten);
    co_await command;
}

QCoro::Task<> CorvaneModel::changeSleepTimer(std::optional<int> minutes)
{
    assign(m_sleepMinutes, minutes, &CorvaneModel::sleepMinutesChanged);
    const QString toast = minutes ? QStringLiteral("Arrêt dans %1 min").arg(*minutes) : QStringLiteral("Minuterie annulée");
    QCoro::Task<> command = performOnSpeaker(toast, false, [minutes](const SonosController &speaker) { return speaker.setSleepTimer(minutes); });
    co_await command;
}

QCoro::Task<> CorvaneModel::repairHistoryArtwork()
{
    const QList<MissingArtwork> tracks = m_history->tracksMissingArtwork(repairBatch);
    if (tracks.isEmpty())
        co_return;
    if (m_artworkRepair)
        m_artworkRepair->cancel();
    m_artworkRepair = std::make_unique<CancellationSource>();
    co_await repairTask(tracks, m_artworkRepair->token());
}

QCoro::Task<> CorvaneModel::repairTask(QList<MissingArtwork> tracks, CancellationToken token)
{
    QPointer<CorvaneModel> self(this);
    const std::shared_ptr<MusicService> service = music();
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
            m_history->setArtwork(*artwork, track.trackID);
    }
}

QCoro::Task<> CorvaneModel::loadRadios(QString countryCode)
{
    QPointer<CorvaneModel> self(this);
    const QList<RadioStation> stations = co_await RadioDirectory::stations(countryCode, 150, m_services.radioOrigin);
    if (self)
        assign(m_radios, stations, &CorvaneModel::radiosChanged);
}

} // namespace corvane
