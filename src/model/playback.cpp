// Starting something: shown at once, then sent to the speaker.

#include "playback.h"

#include "applemusic/applemusickit.h"
#include "async/tasks.h"
#include "desktop/systemplayback.h"
#include "model/commands.h"
#include "model/favorites.h"
#include "model/field.h"
#include "model/household.h"
#include "model/notices.h"
#include "model/queue.h"
#include "sonos/sonoscontroller.h"
#include "storage/listeninghistory.h"

#include <QCoreApplication>
#include <QPointer>

namespace corvane {

namespace {

bool isCatalogueContainer(const std::optional<QString> &kind, const std::optional<QString> &id)
{
    if (!kind || !id || id->isEmpty())
        return false;
    if (*kind == QLatin1String("playlist"))
        return id->startsWith(QLatin1String("pl."));
    if (*kind == QLatin1String("album"))
        return std::all_of(id->begin(), id->end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return false;
}

} // namespace

PlayMode Playback::playModeFor(bool shuffled, RepeatState repeat)
{
    if (!shuffled) {
        switch (repeat) {
        case RepeatState::Off:
            return PlayMode::Normal;
        case RepeatState::All:
            return PlayMode::RepeatAll;
        case RepeatState::One:
            return PlayMode::RepeatOne;
        }
    }
    return repeat == RepeatState::All ? PlayMode::Shuffle : PlayMode::ShuffleNoRepeat;
}

QString Playback::refusedMessage(const QList<Track> &refused, int sent)
{
    if (refused.isEmpty())
        return {};
    if (refused.size() == 1)
        return QCoreApplication::translate("Playback", "« %1 » n'a pas pu être ajouté : l'enceinte l'a refusé.").arg(refused.first().title);
    QStringList titles;
    for (const Track &track : refused.mid(0, 3))
        titles << track.title;
    QString shown = titles.join(QStringLiteral(", "));
    if (refused.size() > 3)
        shown += QStringLiteral("…");
    // Two songs or more: the count is never one here.
    return QCoreApplication::translate("Playback", "%n morceaux sur %1 n'ont pas pu être ajoutés : %2", nullptr, int(refused.size()))
        .arg(QString::number(sent), shown);

}

Playback::Playback(Services services, Household *household, Notices *notices, SpeakerCommands *commands, Queue *queue,
                   Favorites *favorites, QObject *parent)
    : QObject(parent)
    , m_services(std::move(services))
    , m_household(household)
    , m_notices(notices)
    , m_commands(commands)
    , m_queue(queue)
    , m_favorites(favorites)
{
    connect(this, &Playback::nowPlayingChanged, this, &Playback::nowPlayingIsFavoriteChanged);
    connect(favorites, &Favorites::changed, this, &Playback::nowPlayingIsFavoriteChanged);
    // The desktop's sound menu shows the group's volume too.
    connect(this, &Playback::volumeChanged, this, [this] {
        if (m_services.system)
            m_services.system->updateVolume(m_volume / 100.0);
    });
}

Playback::~Playback()
{
    for (auto *source : {&m_pollTask, &m_volumeTask}) {
        if (*source)
            (*source)->cancel();
    }
}

bool Playback::nowPlayingIsFavorite() const
{
    return m_nowPlaying.trackID && m_favorites->contains(*m_nowPlaying.trackID);
}

void Playback::setPreparing(const std::optional<QString> &title)
{
    assign(this, m_preparing, title, &Playback::preparingChanged);
}

void Playback::showStarting(NowPlaying now, Millis window)
{
    m_playIntent = true;
    m_playIntentUntil = steadyNow() + window;
    writeNowPlaying(now);
}

void Playback::setOptimisticStart(const Track &track)
{
    m_playbackStarted++;
    Q_EMIT playbackStartedChanged();
    NowPlaying now;
    now.title = track.title;
    now.artist = track.artist;
    now.album = track.album;
    now.artworkURL = track.artworkURL(600);
    now.isPlaying = true;
    now.elapsed = 0;
    now.duration = track.durationMS ? int(*track.durationMS / 1000) : 0;
    now.queueIndex = 1;
    showStarting(now, delays().startWindow);
}

QCoro::Task<> Playback::playSong(Track track)
{
    if (const std::optional<QString> refusal = m_commands->refusal(SpeakerCommands::Needs::MusicLink)) {
        m_notices->setErrorMessage(*refusal);
        co_return;
    }
    setOptimisticStart(track);
    m_queue->rememberArtwork({track}, false);
    const int token = m_queue->beginChange(1);
    QPointer<Playback> self(this);
    QCoro::Task<> command = m_commands->perform(std::nullopt, SpeakerCommands::Target::Group, [this, self, track, token](const SonosController &speaker) -> QCoro::Task<> {
        return recordWhenAccepted(m_queue->withChange(speaker.playTrack(track, *m_household->link()), token), track);
    }, SpeakerCommands::Needs::MusicLink, token);
    co_await command;
}

QCoro::Task<> Playback::playSongs(QList<Track> tracks, QString title, std::optional<QString> containerKind,
                                      std::optional<QString> containerID)
{
    if (tracks.isEmpty())
        co_return;
    if (const std::optional<QString> refusal = m_commands->refusal(SpeakerCommands::Needs::MusicLink)) {
        m_notices->setErrorMessage(*refusal);
        co_return;
    }
    setOptimisticStart(tracks.first());
    m_queue->rememberArtwork(tracks, false);
    const int token = m_queue->beginChange(int(tracks.size()));
    if (containerKind == QLatin1String("playlist") && containerID)
        Q_EMIT playlistPlayed(*containerID);
    const bool asContainer = isCatalogueContainer(containerKind, containerID);
    QPointer<Playback> self(this);
    auto action = [this, self, tracks, title, containerKind, containerID, asContainer, token](const SonosController &speaker) {
        return recordWhenAccepted(m_queue->withChange(sendList(speaker, tracks, title, asContainer ? containerKind : std::nullopt, containerID), token),
                                  tracks.first());
    };
    // The check runs alongside the command, 0.7 s after the start.
    QCoro::Task<> check = postStartCheck();
    QCoro::Task<> command = m_commands->perform(title, SpeakerCommands::Target::Group, action, SpeakerCommands::Needs::MusicLink, token);
    co_await command;
    co_await check;
}

QCoro::Task<> Playback::sendList(const SonosController &speaker, QList<Track> tracks, QString title,
                                     std::optional<QString> containerKind, std::optional<QString> containerID)
{
    QPointer<Playback> self(this);
    const AppleMusicLink link = *m_household->link();
    if (containerKind && containerID) {
        const std::optional<int> added = co_await speaker.playContainer(*containerKind, *containerID, title, link);
        if (added && *added > 0)
            co_return;
    }
    const QList<Track> refused = co_await speaker.playAll(tracks, link);
    if (self && !refused.isEmpty())
        m_notices->setErrorMessage(refusedMessage(refused, int(tracks.size())));
}

QCoro::Task<> Playback::postStartCheck()
{
    QPointer<Playback> self(this);
    co_await sleep(delays().postStartCheck);
    if (!self)
        co_return;
    std::unique_ptr<SonosController> controller = m_household->coordinatorController();
    if (!controller)
        co_return;
    try {
        // A group is heard at its group volume; a room alone at its own.
        const bool group = m_volumeIsGroup;
        // One await per statement: GCC 12 mistranslates co_await inside ?:.
        QCoro::Task<int> volumeRead = group ? controller->groupVolume() : controller->volume();
        const int volume = co_await volumeRead;
        if (!self)
            co_return;
        QCoro::Task<bool> muteRead = group ? controller->isGroupMuted() : controller->isMuted();
        const bool muted = co_await muteRead;
        if (!self)
            co_return;
        if (volume == 0) {
            assign(this, m_volume, 0.0, &Playback::volumeChanged);
            m_notices->setErrorMessage(QCoreApplication::translate("Playback", "Le volume de l'enceinte est à 0 — montez-le pour entendre la musique."));
        } else if (muted) {
            assign(this, m_isMuted, true, &Playback::isMutedChanged);
            m_notices->setErrorMessage(QCoreApplication::translate("Playback", "L'enceinte est en sourdine."));
        }
    } catch (...) {
        // a check that cannot be made warns of nothing
    }
}

QCoro::Task<> Playback::startFavorite(SonosFavorite favorite)
{
    m_playbackStarted++;
    Q_EMIT playbackStartedChanged();
    NowPlaying now;
    now.title = favorite.title;
    now.artworkURL = favorite.artworkURL;
    now.isPlaying = true;
    showStarting(now, delays().startWindow);
    QCoro::Task<> command = m_favorites->start(favorite);
    co_await command;
}

QCoro::Task<> Playback::startStation(RadioStation station)
{
    NowPlaying now;
    now.title = station.name;
    now.artist = station.genre;
    now.isPlaying = true;
    writeNowPlaying(now);
    m_queue->show({});
    QCoro::Task<> command = m_commands->perform(station.name, SpeakerCommands::Target::Group, [station](const SonosController &speaker) {
        return speaker.playRadio(station.name, station.stream);
    });
    co_await command;
}

QCoro::Task<> Playback::startRadio(Artist artist)
{
    QPointer<Playback> self(this);
    QList<Track> tracks;
    const std::shared_ptr<MusicService> service = m_services.music;
    if (service)
        tracks = co_await AppleMusicKit::artistRadio(service.get(), artist.id, 60);
    if (!self)
        co_return;
    setPreparing(std::nullopt);
    if (tracks.isEmpty()) {
        m_notices->setErrorMessage(QCoreApplication::translate("Playback", "Pas assez de morceaux pour lancer cette radio."));
        co_return;
    }
    //: The radio of songs like an artist's; %1 is the artist
    co_await playSongs(tracks, QCoreApplication::translate("Playback", "Radio %1").arg(artist.name));
}

QCoro::Task<> Playback::startLineIn()
{
    NowPlaying now;
    now.title = QCoreApplication::translate("Playback", "Entrée ligne");
    now.artist = m_household->selected() ? m_household->selected()->roomName : QString();
    now.isPlaying = true;
    writeNowPlaying(now);
    m_queue->show({});
    QCoro::Task<> command = m_commands->perform(QCoreApplication::translate("Playback", "Entrée ligne"), SpeakerCommands::Target::Group,
                                                [](const SonosController &speaker) { return speaker.playLineIn(); });
    co_await command;
}

QCoro::Task<> Playback::playCatalogItem(MusicItem item)
{
    QPointer<Playback> self(this);
    QList<Track> tracks;
    const std::shared_ptr<MusicService> service = m_services.music;
    if (service)
        tracks = co_await AppleMusicKit::itemTracks(service.get(), item);
    if (!self)
        co_return;
    const QString kind = item.kind == MusicItem::Kind::Album ? QStringLiteral("album") : QStringLiteral("playlist");
    co_await playFetched(tracks, item.title, kind, item.id);
}

QCoro::Task<> Playback::playPlaylistNamed(QString id, QString name)
{
    QPointer<Playback> self(this);
    setPreparing(name);
    QList<Track> tracks;
    const std::shared_ptr<MusicService> service = m_services.music;
    if (service)
        tracks = co_await AppleMusicKit::playlistTracks(service.get(), id);
    if (!self)
        co_return;
    co_await playFetched(tracks, name, QStringLiteral("playlist"), id);
}

QCoro::Task<> Playback::playFetched(QList<Track> tracks, QString title, QString kind, QString id)
{
    setPreparing(std::nullopt);
    if (tracks.isEmpty()) {
        m_notices->setErrorMessage(QCoreApplication::translate("Playback", "Ce contenu est vide ou indisponible."));
        co_return;
    }
    co_await playSongs(tracks, title, kind, id);
}

// ---- what the screens call

void Playback::playAlbum(const Album &album)
{
    // An album of a shelf or a result: played as the recommendations' albums are.
    setPreparing(album.title);
    playCatalogItem(MusicItem{album.id, MusicItem::Kind::Album, album.title, album.artist, std::nullopt});
}

void Playback::playLibraryPlaylist(const LibraryPlaylist &playlist)
{
    playPlaylistNamed(playlist.id, playlist.name);
}

void Playback::playItem(const MusicItem &item)
{
    setPreparing(item.title);
    playCatalogItem(item);
}

void Playback::artistRadio(const Artist &artist)
{
    setPreparing(QCoreApplication::translate("Playback", "Radio %1").arg(artist.name));

    startRadio(artist);
}

void Playback::toggleFavorite(const Track &track)
{
    m_favorites->toggle(track);
}

void Playback::toggleNowPlayingFavorite()
{
    const NowPlaying &now = m_nowPlaying;
    if (!now.trackID || now.title.isEmpty())
        return;
    Track track;
    track.id = *now.trackID;
    track.title = now.title;
    track.artist = now.artist;
    track.album = now.album;
    if (now.artworkURL)
        track.artworkBase = now.artworkURL->toString();
    m_favorites->toggle(track);
}

} // namespace corvane
