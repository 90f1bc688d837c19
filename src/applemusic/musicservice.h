#pragma once

#include <QByteArray>
#include <QCoroTask>
#include <QString>

#include <optional>

namespace corvane {

class PublicCatalog;

// Everything the Apple Music client asks of the music service: the user's authorization, signed
// GETs of web-service paths, and the account's storefront. Implementations never throw.
class MusicService
{
public:
    enum class Status { NotDetermined, Authorized, Denied, Restricted };

    virtual ~MusicService() = default;

    virtual Status authorizationStatus() const = 0;
    // Asks the user for access when it was never decided; the status afterwards.
    virtual QCoro::Task<Status> requestAuthorization() = 0;
    // The raw body of a signed GET of `path` ("/v1/..."), or nothing on any failure.
    virtual QCoro::Task<std::optional<QByteArray>> get(QString path) = 0;
    // The storefront code of the signed-in account ("fr"), or nothing.
    virtual QCoro::Task<std::optional<QString>> countryCode() = 0;

    // Requests that failed so far, and the French description of the latest, for callers that
    // must tell a failure from an empty answer.
    virtual int failedRequests() const { return 0; }
    virtual QString lastFailure() const { return {}; }
    // Of those, the ones answered 404: a resource that is not there, which a caller trying two
    // routes to the same thing expects on one of them.
    virtual int notFoundRequests() const { return 0; }
    // The service answered 401: the developer token is not accepted.
    virtual bool developerTokenRejected() const { return false; }
    // The keyring was not reachable: the user's token is kept in a private file instead.
    virtual bool keepsTokenInFile() const { return false; }
    // Where the catalogue is searched when the service itself cannot be asked (no developer
    // token): Apple's public search. Nothing when the service answers itself or has none.
    virtual PublicCatalog *publicCatalog() const { return nullptr; }
};

} // namespace corvane
