#include "requests.h"

#include "developertoken.h"
#include "base/configuration.h"
#include "base/preferences.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace corvane::AppleMusic {

QCoro::Task<bool> ensureAuthorized(MusicService *service)
{
    if (service->authorizationStatus() == MusicService::Status::Authorized)
        co_return true;
    const MusicService::Status status = co_await service->requestAuthorization();
    co_return status == MusicService::Status::Authorized;
}

std::optional<QString> authorizationMessage(const MusicService &service)
{
    if (service.developerTokenRejected() && service.authorizationStatus() != MusicService::Status::Restricted)
        return service.lastFailure().isEmpty() ? QCoreApplication::translate("Network", "Apple Music refuse le jeton de développeur de Corvane (erreur 401).")
                                               : service.lastFailure();
    switch (service.authorizationStatus()) {
    case MusicService::Status::Denied:
        return QCoreApplication::translate("Network", "Accès refusé. Apple Music n'accepte plus l'autorisation donnée à Corvane : reliez de nouveau votre compte avec « Relier Apple Music ».");
    case MusicService::Status::Restricted:
        return QCoreApplication::translate("Network", "Apple Music n'est pas configuré : il manque le jeton de développeur MusicKit de Corvane.");
    default:
        return std::nullopt;
    }
}

namespace {

// Why the .p8 key the person configured gave no token; empty when none is configured.
QString unusableKey()
{
    using Configuration::setting;
    const QString path = setting("CORVANE_MUSICKIT_KEY_FILE", QStringLiteral("origins/musicKitKeyFile"));
    if (path.isEmpty())
        return {};
    QFile key(path);
    if (!key.open(QIODevice::ReadOnly))
        return QCoreApplication::translate("Network", "La clé MusicKit %1 ne peut pas être lue (%2).\n").arg(QDir::toNativeSeparators(path), key.errorString());
    const QString keyId = setting("CORVANE_MUSICKIT_KEY_ID", QStringLiteral("origins/musicKitKeyId"));
    const QString teamId = setting("CORVANE_MUSICKIT_TEAM_ID", QStringLiteral("origins/musicKitTeamId"));
    if (keyId.isEmpty() || teamId.isEmpty())
        return QCoreApplication::translate("Network", "La clé MusicKit %1 est indiquée, mais il manque %2.\n")
            .arg(QDir::toNativeSeparators(path), keyId.isEmpty() ? QCoreApplication::translate("Network", "son identifiant de clé") : QCoreApplication::translate("Network", "votre identifiant d'équipe"));
    if (!DeveloperToken::mint(key.readAll(), keyId, teamId))
        return QCoreApplication::translate("Network", "Le fichier %1 n'est pas une clé MusicKit .p8 utilisable.\n").arg(QDir::toNativeSeparators(path));
    return {};
}

} // namespace

QString developerTokenMissingExplanation()
{
    return unusableKey()
        + QCoreApplication::translate("Network", "Sans jeton de développeur MusicKit, Corvane cherche dans le catalogue public d'Apple Music, et vos enceintes jouent ce que vous "
              "choisissez avec le compte Apple Music de votre système Sonos. Le jeton, qui signe chaque demande de Corvane à Apple Music, "
              "ajoute votre bibliothèque, vos playlists et vos recommandations.\n"
              "Pour le fournir, au choix :\n"
              "  1. un jeton entier, dans la variable d'environnement CORVANE_DEVELOPER_TOKEN ou en ligne developerToken= de la section [origins] "
              "du fichier de réglages ;\n"
              "  2. votre propre clé MusicKit (le fichier .p8, son identifiant de clé et votre identifiant d'équipe Apple Developer), dont Corvane "
              "tire le jeton lui-même : les variables CORVANE_MUSICKIT_KEY_FILE, CORVANE_MUSICKIT_KEY_ID et CORVANE_MUSICKIT_TEAM_ID, ou les "
              "lignes musicKitKeyFile=, musicKitKeyId= et musicKitTeamId= de la section [origins].\n"
              "Fichier de réglages : %1. Relancez Corvane ensuite, puis reliez votre compte Apple Music.\n"
              "Sans jeton, la recherche du catalogue, les enceintes, les favoris, la radio, la file d'attente et l'entrée ligne fonctionnent "
              "normalement.")
              .arg(QDir::toNativeSeparators(Preferences().fileName()));
}

QCoro::Task<std::optional<QByteArray>> singleGet(MusicService *service, QString path)
{
    if (service->authorizationStatus() != MusicService::Status::Authorized)
        co_return std::nullopt;
    std::optional<QByteArray> body = co_await service->get(path);
    co_return body;
}

QString withLimit(const QString &path, int limit)
{
    if (path.contains(QLatin1String("limit=")))
        return path;
    return path + (path.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?')) + QStringLiteral("limit=")
        + QString::number(limit);
}

QCoro::Task<QList<RestItem>> pagedGet(MusicService *service, QString path, int max, int pageSize)
{
    QList<RestItem> items;
    if (max <= 0 || service->authorizationStatus() != MusicService::Status::Authorized)
        co_return items;
    QString next = path;
    for (int requests = 0; requests < 10; ++requests) {
        const std::optional<QByteArray> body = co_await service->get(withLimit(next, std::min(int(max - items.size()), pageSize)));
        const auto page = body ? RestResponse::decode(*body) : std::nullopt;
        if (!page)
            break;
        items += page->data;
        if (!page->next || items.size() >= max)
            break;
        next = *page->next;
    }
    co_return items.mid(0, max);
}

QCoro::Task<QList<RestItem>> catalogGet(MusicService *service, QString relativePath, int max)
{
    const std::optional<QString> storefront = co_await service->countryCode();
    if (!storefront)
        co_return QList<RestItem>();
    QList<RestItem> items = co_await pagedGet(service, QStringLiteral("/v1/catalog/") + QString::fromLatin1(QUrl::toPercentEncoding(*storefront)) + QLatin1Char('/') + relativePath, max);
    co_return items;
}

} // namespace corvane::AppleMusic
