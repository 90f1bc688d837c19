#include "favorites.h"

#include "applemusic/applemusickit.h"
#include "async/delays.h"
#include "async/tasks.h"
#include "model/commands.h"
#include "model/household.h"
#include "model/recordlistmodel.h"
#include "sonos/sonoscontroller.h"

#include <QCoreApplication>
#include <QPointer>
#include <QRegularExpression>

namespace corvane {

namespace {

constexpr int artworkAttempts = 3;

std::optional<QString> favoriteSongID(const SonosFavorite &favorite)
{
    static const QRegularExpression song(QStringLiteral("song%3[aA]([0-9]+)"));
    const QRegularExpressionMatch match = song.match(favorite.uri);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1);
}

} // namespace

Favorites::Favorites(std::shared_ptr<MusicService> music, Household *household, SpeakerCommands *commands, QObject *parent)
    : QObject(parent)
    , m_music(std::move(music))
    , m_household(household)
    , m_commands(commands)
{
    const QHash<QString, QString> artwork = m_preferences.favoriteArtwork();
    for (auto it = artwork.begin(); it != artwork.end(); ++it) {
        const QUrl url(it.value());
        if (url.isValid() && !url.isEmpty())
            m_artwork.insert(it.key(), url);
    }
}

QVariantList Favorites::allList() const { return variantsOf(m_favorites); }

QVariantList Favorites::playableList() const
{
    QList<SonosFavorite> playable = m_favorites;
    playable.removeIf([](const SonosFavorite &favorite) { return favorite.uri.isEmpty(); });
    return variantsOf(playable);
}

QCoro::Task<> Favorites::refresh()
{
    QPointer<Favorites> self(this);
    std::unique_ptr<SonosController> controller = m_household->coordinatorController();
    if (!controller)
        co_return;
    try {
        QList<SonosFavorite> favorites = co_await controller->favorites();
        if (self)
            set(std::move(favorites));
    } catch (...) {
        // the list keeps what it showed
    }
}

void Favorites::set(QList<SonosFavorite> favorites)
{
    std::stable_sort(favorites.begin(), favorites.end(),
                     [](const SonosFavorite &a, const SonosFavorite &b) { return a.ordinal() > b.ordinal(); });
    for (SonosFavorite &favorite : favorites) {
        if (!favorite.artworkURL && m_artwork.contains(favorite.id))
            favorite.artworkURL = m_artwork.value(favorite.id);
    }
    setList(favorites);
    searchArtwork();
}

QCoro::Task<> Favorites::searchArtwork()
{
    QPointer<Favorites> self(this);
    const std::shared_ptr<MusicService> service = m_music;
    if (!service)
        co_return;
    QList<std::pair<QString, QString>> wanted; // favorite id, song id
    for (const SonosFavorite &favorite : std::as_const(m_favorites)) {
        if (favorite.artworkURL || m_artworkAttempts.value(favorite.id) >= artworkAttempts
            || m_artworkSearching.contains(favorite.id))
            continue;
        if (const std::optional<QString> song = favoriteSongID(favorite))
            wanted.append({favorite.id, *song});
    }
    for (const auto &[favoriteID, songID] : std::as_const(wanted)) {
        m_artworkSearching.insert(favoriteID);
        const std::optional<QString> artwork = co_await AppleMusicKit::songArtwork(service.get(), songID);
        if (!self)
            co_return;
        m_artworkSearching.remove(favoriteID);
        if (!artwork) {
            m_artworkAttempts[favoriteID] += 1;
            continue;
        }
        m_artwork.insert(favoriteID, QUrl(*artwork));
        QHash<QString, QString> stored;
        for (auto it = m_artwork.begin(); it != m_artwork.end(); ++it)
            stored.insert(it.key(), it.value().toString());
        m_preferences.setFavoriteArtwork(stored);
        QList<SonosFavorite> favorites = m_favorites;
        for (SonosFavorite &favorite : favorites) {
            if (favorite.id == favoriteID && !favorite.artworkURL)
                favorite.artworkURL = QUrl(*artwork);
        }
        setList(favorites);
    }
}

QCoro::Task<> Favorites::start(SonosFavorite favorite)
{
    if (favorite.uri.isEmpty())
        co_return;
    QCoro::Task<> command = m_commands->perform(QCoreApplication::translate("Favorites", "Lecture · %1").arg(favorite.title), SpeakerCommands::Target::Group,
                                                [favorite](const SonosController &speaker) { return speaker.playFavorite(favorite); });
    co_await command;
}

bool Favorites::contains(const QString &trackID) const
{
    return !trackID.isEmpty()
        && std::any_of(m_favorites.begin(), m_favorites.end(),
                       [&trackID](const SonosFavorite &favorite) { return favorite.refersToSong(trackID); });
}

void Favorites::setList(const QList<SonosFavorite> &favorites)
{
    if (m_favorites == favorites)
        return;
    m_favorites = favorites;
    // Every song row reads this list: it is made once per change, not once per row.
    // The same rule as SonosFavorite::refersToSong: every song id in the address, whole.
    static const QRegularExpression song(QStringLiteral("song%3a([0-9]+)"), QRegularExpression::CaseInsensitiveOption);
    m_songIDs.clear();
    for (const SonosFavorite &favorite : std::as_const(m_favorites)) {
        for (QRegularExpressionMatchIterator it = song.globalMatch(favorite.uri); it.hasNext();)
            m_songIDs << it.next().captured(1);
    }
    m_songIDs.removeDuplicates();
    Q_EMIT changed();
}

QCoro::Task<> Favorites::toggle(Track track)
{
    std::optional<SonosFavorite> existing;
    for (const SonosFavorite &favorite : std::as_const(m_favorites)) {
        if (favorite.refersToSong(track.id)) {
            existing = favorite;
            break;
        }
    }
    std::optional<QCoro::Task<>> command;
    if (!existing) {
        Household *household = m_household;
        command.emplace(m_commands->perform(QCoreApplication::translate("Favorites", "Ajouté aux favoris · %1").arg(track.title), SpeakerCommands::Target::Group,
                                            [household, track](const SonosController &speaker) {
                                                return speaker.addFavorite(track, *household->link());
                                            },
                                            SpeakerCommands::Needs::MusicLink));
    } else {
        QList<SonosFavorite> favorites = m_favorites;
        const QString id = existing->id;
        favorites.removeIf([&id](const SonosFavorite &favorite) { return favorite.id == id; });
        setList(favorites);
        command.emplace(m_commands->perform(QCoreApplication::translate("Favorites", "Retiré des favoris"),
 SpeakerCommands::Target::Group,
                                            [id](const SonosController &speaker) { return speaker.removeFavorite(id); }));
    }
    // The speaker takes a while to list the change: read again a few times.
    co_await rereadSoon();
    co_await *command;
}

QCoro::Task<> Favorites::rereadSoon()
{
    QPointer<Favorites> self(this);
    for (const Millis wait : {delays().favoriteReread1, delays().favoriteReread2, delays().favoriteReread3,
                              delays().favoriteReread4}) {
        co_await sleep(wait);
        if (!self)
            co_return;
        co_await refresh();
        if (!self)
            co_return;
    }
}

} // namespace corvane
