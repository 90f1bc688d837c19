#include "requests.h"

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
        return service.lastFailure().isEmpty() ? QStringLiteral("Apple Music refuse le jeton de développeur de Corvane (erreur 401).")
                                               : service.lastFailure();
    switch (service.authorizationStatus()) {
    case MusicService::Status::Denied:
        return QStringLiteral("Accès refusé. Autorisez Corvane dans les Réglages de Corvane, Confidentialité et sécurité, Musique.");
    case MusicService::Status::Restricted:
        return QStringLiteral("Accès bloqué sur cet appareil, par un contrôle parental ou une configuration d'entreprise.");
    default:
        return std::nullopt;
    }
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
