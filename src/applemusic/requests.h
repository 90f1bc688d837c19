#pragma once

#include "catalog.h"
#include "musicservice.h"

#include <QCoroTask>
#include <QList>
#include <QString>

#include <optional>

namespace corvane::AppleMusic {

// True when access is granted, asking the user only when it was never decided.
QCoro::Task<bool> ensureAuthorized(MusicService *service);
// The French explanation of a refusal; nothing for any other status.
std::optional<QString> authorizationMessage(const MusicService &service);
// What is missing when no developer token is configured (status restricted) and what to do, in
// French, for the screens and `corvane catalog status`: the token given whole or minted from the
// person's own .p8 key, where to put either, and what works without it. When a key is
// configured but could not be used, the first line says why.
QString developerTokenMissingExplanation();

// One GET; nothing when not authorized or on any failure. Callers decode the shape they expect.
QCoro::Task<std::optional<QByteArray>> singleGet(MusicService *service, QString path);
// Follows "next" links until `max` items or 10 requests; a failing page ends with what came before.
// Pages ask for `pageSize` items at most (100, the service's ceiling for most paths).
QCoro::Task<QList<RestItem>> pagedGet(MusicService *service, QString path, int max, int pageSize = 100);
// pagedGet of "/v1/catalog/<storefront>/" + `relativePath`.
QCoro::Task<QList<RestItem>> catalogGet(MusicService *service, QString relativePath, int max);

// The path of one page: `path` with "limit=" added unless it already carries one.
QString withLimit(const QString &path, int limit);

} // namespace corvane::AppleMusic
