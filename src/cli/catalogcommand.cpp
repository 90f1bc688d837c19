#include "catalogcommand.h"

#include "applemusic/applemusickit.h"
#include "applemusic/publiccatalog.h"
#include "applemusic/requests.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

namespace corvane {

namespace {

QString line(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QJsonValue optional(const std::optional<QString> &text)
{
    return text ? QJsonValue(*text) : QJsonValue();
}

QString trackLine(const Track &track)
{
    QJsonObject object{{QStringLiteral("type"), QStringLiteral("song")}, {QStringLiteral("id"), track.id},
                       {QStringLiteral("title"), track.title}, {QStringLiteral("artist"), track.artist},
                       {QStringLiteral("album"), track.album}, {QStringLiteral("artwork"), optional(track.artworkBase)}};
    if (track.durationMS)
        object.insert(QStringLiteral("durationMS"), *track.durationMS);
    return line(object);
}

QString albumLine(const Album &album)
{
    return line({{QStringLiteral("type"), QStringLiteral("album")}, {QStringLiteral("id"), album.id}, {QStringLiteral("title"), album.title},
                 {QStringLiteral("artist"), album.artist}, {QStringLiteral("year"), optional(album.year)},
                 {QStringLiteral("artwork"), optional(album.artworkBase)}});
}

QString playlistLine(const PlaylistRef &playlist)
{
    return line({{QStringLiteral("type"), QStringLiteral("playlist")}, {QStringLiteral("id"), playlist.id}, {QStringLiteral("name"), playlist.name},
                 {QStringLiteral("curator"), optional(playlist.curator)}, {QStringLiteral("artwork"), optional(playlist.artworkBase)}});
}

QString statusText(MusicService::Status status)
{
    switch (status) {
    case MusicService::Status::Authorized:
        return QStringLiteral("authorized");
    case MusicService::Status::Denied:
        return QStringLiteral("denied");
    case MusicService::Status::Restricted:
        return QStringLiteral("restricted");
    case MusicService::Status::NotDetermined:
        break;
    }
    return QStringLiteral("notDetermined");
}

CommandResult usage(const QString &why)
{
    return CommandResult{2, {}, why + QLatin1Char('\n') + catalogUsage()};
}

} // namespace

QString catalogUsage()
{
    return QCoreApplication::translate("CatalogCommand", "Usage : corvane catalog <commande>\n"
                          "Commandes :\n"
                          "  status                    l'accès à Apple Music et où est gardé le jeton\n"
                          "  authorize                 ouvre la connexion à Apple Music dans le navigateur\n"
                          "  search TERME              morceaux, albums, artistes et playlists (sans jeton : sans les playlists)\n"
                          "  library songs|playlists   la bibliothèque\n"
                          "  recent                    albums et playlists écoutés récemment\n"
                          "  quality ID_MORCEAU        la meilleure qualité audio proposée pour ce morceau\n"
                          "  album ID | playlist ID    les morceaux d'un album ou d'une playlist\n"
                          "  artist ID                 la page d'un artiste\n"
                          "  charts [--storefront CC] [--genre ID]   les classements");
}

QCoro::Task<CommandResult> runCatalogCommand(QStringList arguments, MusicService *service, bool tokenInFile)
{
    const QString command = arguments.value(0);
    // Without a developer token only the public search answers, and "restricted" alone does not
    // say what is missing.
    const bool restricted = service->authorizationStatus() == MusicService::Status::Restricted;
    PublicCatalog *open = service->publicCatalog();
    const QString missingToken = restricted ? AppleMusic::developerTokenMissingExplanation() : QString();
    if (command == QLatin1String("status")) {
        QJsonObject status{{QStringLiteral("status"), statusText(service->authorizationStatus())},
                           {QStringLiteral("tokenStorage"), tokenInFile ? QStringLiteral("file") : QStringLiteral("keychain")}};
        if (open) {
            status.insert(QStringLiteral("search"), QStringLiteral("public"));
            status.insert(QStringLiteral("storefront"), open->country());
        }
        co_return CommandResult{0, line(status), missingToken};
    }
    if (restricted && command == QLatin1String("authorize"))
        co_return CommandResult{1, {}, missingToken};
    if (command == QLatin1String("authorize")) {
        const bool granted = co_await AppleMusic::ensureAuthorized(service);
        if (!granted)
            co_return CommandResult{1, {}, AppleMusic::authorizationMessage(*service).value_or(QCoreApplication::translate("CatalogCommand", "La connexion à Apple Music n'a pas abouti."))};
        co_return CommandResult{0, line({{QStringLiteral("status"), QStringLiteral("authorized")},
                                         {QStringLiteral("tokenStorage"), tokenInFile ? QStringLiteral("file") : QStringLiteral("keychain")}}),
                                {}};
    }

    // Everything else needs access; the public search serves the catalogue without it.
    const bool publicCommand = command == QLatin1String("search") || command == QLatin1String("album") || command == QLatin1String("artist");
    if (service->authorizationStatus() != MusicService::Status::Authorized && !(open && publicCommand)) {
        const QString message = restricted ? missingToken
                                           : AppleMusic::authorizationMessage(*service).value_or(
                                                 QCoreApplication::translate("CatalogCommand", "Corvane n'est pas encore connecté à Apple Music : lancez « corvane catalog authorize »."));
        if (command == QLatin1String("search") || command == QLatin1String("library") || command == QLatin1String("recent")
            || command == QLatin1String("quality") || command == QLatin1String("album") || command == QLatin1String("playlist")
            || command == QLatin1String("artist") || command == QLatin1String("charts"))
            co_return CommandResult{1, {}, message};
    }
    // The client answers failures with empty or shorter lists: the service's count tells them
    // apart from answers that really are empty or short.
    const int failuresBefore = service->failedRequests();
    const int notFoundBefore = service->notFoundRequests();
    const int publicSentBefore = open ? open->requestsSent() : 0;
    QStringList lines;
    if (command == QLatin1String("search")) {
        const QString term = arguments.mid(1).join(QLatin1Char(' '));
        if (term.trimmed().isEmpty())
            co_return usage(QCoreApplication::translate("CatalogCommand", "Indiquez ce qu'il faut chercher."));
        const AppleMusicKit::SearchResults results = co_await AppleMusicKit::search(service, term, 25);
        for (const Track &track : results.songs)
            lines << trackLine(track);
        for (const Album &album : results.albums)
            lines << albumLine(album);
        for (const Artist &artist : results.artists)
            lines << line({{QStringLiteral("type"), QStringLiteral("artist")}, {QStringLiteral("id"), artist.id}, {QStringLiteral("name"), artist.name},
                           {QStringLiteral("genre"), optional(artist.genre)}, {QStringLiteral("artwork"), optional(artist.artworkBase)}});
        for (const PlaylistRef &playlist : results.playlists)
            lines << playlistLine(playlist);
    } else if (command == QLatin1String("library") && arguments.value(1) == QLatin1String("songs")) {
        const QList<Track> songs = co_await AppleMusicKit::librarySongs(service, 100);
        for (const Track &track : songs)
            lines << trackLine(track);
    } else if (command == QLatin1String("library") && arguments.value(1) == QLatin1String("playlists")) {
        const QList<LibraryPlaylist> playlists = co_await AppleMusicKit::libraryPlaylists(service, 500);
        for (const LibraryPlaylist &playlist : playlists)
            lines << line({{QStringLiteral("type"), QStringLiteral("library-playlist")}, {QStringLiteral("id"), playlist.id},
                           {QStringLiteral("name"), playlist.name}, {QStringLiteral("curator"), optional(playlist.curator)}});
    } else if (command == QLatin1String("quality")) {
        const QString id = arguments.value(1);
        if (id.isEmpty())
            co_return usage(QCoreApplication::translate("CatalogCommand", "Indiquez l'identifiant du morceau."));
        const std::optional<QString> label = co_await AppleMusicKit::quality(service, id);
        lines << line({{QStringLiteral("type"), QStringLiteral("quality")}, {QStringLiteral("id"), id}, {QStringLiteral("label"), optional(label)}});
    } else if (command == QLatin1String("album") || command == QLatin1String("playlist")) {
        const QString id = arguments.value(1);
        if (id.isEmpty())
            co_return usage(QCoreApplication::translate("CatalogCommand", "Indiquez l'identifiant."));
        // One co_await per statement: GCC 12 miscompiles co_await inside ?:.
        QList<Track> tracks;
        if (command == QLatin1String("album")) {
            QList<Track> album = co_await AppleMusicKit::albumTracks(service, id);
            tracks = album;
        } else {
            QList<Track> playlist = co_await AppleMusicKit::playlistTracks(service, id);
            tracks = playlist;
        }
        for (const Track &track : std::as_const(tracks))
            lines << trackLine(track);
    } else if (command == QLatin1String("artist")) {
        const QString id = arguments.value(1);
        if (id.isEmpty())
            co_return usage(QCoreApplication::translate("CatalogCommand", "Indiquez l'identifiant de l'artiste."));
        const ArtistDetail detail = co_await AppleMusicKit::artistDetail(service, id);
        for (const Track &track : detail.topSongs)
            lines << trackLine(track);
        for (const QList<Album> *shelf : {&detail.albums, &detail.singles, &detail.appearsOn})
            for (const Album &album : *shelf)
                lines << albumLine(album);
        for (const PlaylistRef &playlist : detail.playlists)
            lines << playlistLine(playlist);
    } else if (command == QLatin1String("charts")) {
        std::optional<QString> storefront;
        std::optional<QString> genre;
        for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
            if (arguments.at(i) == QLatin1String("--storefront"))
                storefront = arguments.at(i + 1).toLower();
            else if (arguments.at(i) == QLatin1String("--genre"))
                genre = arguments.at(i + 1);
            else
                co_return usage(QCoreApplication::translate("CatalogCommand", "Option inconnue : « %1 ».").arg(arguments.at(i)));
        }
        const AppleMusicKit::Charts charts = co_await AppleMusicKit::charts(service, storefront, genre, 24);
        for (const Track &track : charts.songs)
            lines << trackLine(track);
        for (const Album &album : charts.albums)
            lines << albumLine(album);
        for (const PlaylistRef &playlist : charts.playlists)
            lines << playlistLine(playlist);
    } else if (command == QLatin1String("recent")) {
        const AppleMusicKit::Shelf shelf = co_await AppleMusicKit::recentlyPlayed(service, 25);
        for (const Album &album : shelf.albums)
            lines << albumLine(album);
        for (const PlaylistRef &playlist : shelf.playlists)
            lines << playlistLine(playlist);
    } else {
        co_return usage(QCoreApplication::translate("CatalogCommand", "Commande inconnue : « %1 ».").arg(command));
    }
    if (open && open->requestsSent() > publicSentBefore && !open->lastFailure().isEmpty()) {
        if (lines.isEmpty())
            co_return CommandResult{1, {}, open->lastFailure()};
        co_return CommandResult{1, lines.join(QLatin1Char('\n')), QCoreApplication::translate("CatalogCommand", "Réponse incomplète d'Apple Music : %1").arg(open->lastFailure())};
    }
    int failures = service->failedRequests() - failuresBefore;
    // A playlist is looked for in the library and in the catalogue at once: the route it is not
    // on answers 404, which is no failure once the other one answered.
    if (command == QLatin1String("playlist") && !lines.isEmpty())
        failures -= service->notFoundRequests() - notFoundBefore;
    if (failures > 0) {
        QString why = service->lastFailure();
        if (why.isEmpty())
            why = QCoreApplication::translate("CatalogCommand", "La demande à Apple Music a échoué.");
        // A label read from nothing is no label: nothing is printed in its place.
        if (lines.isEmpty() || command == QLatin1String("quality"))
            co_return CommandResult{1, {}, why};
        // What did arrive is printed, and the exit status says it is not the whole answer.
        co_return CommandResult{1, lines.join(QLatin1Char('\n')), QCoreApplication::translate("CatalogCommand", "Réponse incomplète d'Apple Music : %1").arg(why)};
    }
    co_return CommandResult{0, lines.join(QLatin1Char('\n')), {}};
}

} // namespace corvane
