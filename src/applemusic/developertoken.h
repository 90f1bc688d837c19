#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace corvane {

// The developer token that signs every Apple Music web request: an ES256 JSON Web Token with the
// key id in its header and the team id as issuer, valid at most six months.
namespace DeveloperToken {

// Lifetime of a minted token: 180 days, under the service's six-month ceiling.
inline constexpr qint64 lifetimeSeconds = 180LL * 24 * 3600;

// Mints a token from the PEM text of a .p8 key; nothing when the key cannot be used.
std::optional<QByteArray> mint(const QByteArray &p8, const QString &keyId, const QString &teamId,
                               const QDateTime &issuedAt = QDateTime::currentDateTimeUtc());

QByteArray base64Url(const QByteArray &bytes);

} // namespace DeveloperToken

} // namespace corvane
