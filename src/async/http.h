#pragma once

#include "cancellation.h"
#include "delays.h"

#include <QByteArray>
#include <QCoroTask>
#include <QList>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include <optional>
#include <utility>

class QNetworkAccessManager;

namespace corvane {

// The largest reply body accepted for each kind of request: a device on the network or a web
// service that sends more is cut off while it sends, not after it filled the memory.
namespace bodyLimit {
constexpr qint64 speaker = qint64(4) << 20;
constexpr qint64 artwork = qint64(8) << 20;
constexpr qint64 webJson = qint64(16) << 20;
} // namespace bodyLimit

struct HttpRequest
{
    QByteArray method = "GET";
    QUrl url;
    QList<std::pair<QByteArray, QByteArray>> headers;
    QByteArray body;
    // Bounds the whole exchange, not only a silence; zero means delays().requestTimeout.
    Millis timeout{0};
    qint64 maxBody = bodyLimit::webJson;
    QNetworkRequest::CacheLoadControl cacheLoad = QNetworkRequest::PreferNetwork;
    // Requests that carry a credential stay on their origin when redirected.
    std::optional<QNetworkRequest::RedirectPolicy> redirectPolicy;
    CancellationToken token;
    // Changes nothing where it is sent (a GET always counts as such): when cancelled, it is left
    // to end on its own instead of being aborted.
    bool readOnly = false;
};

struct HttpResult
{
    // The HTTP status code; absent when no complete HTTP reply arrived (refused, timed out,
    // cancelled, unreachable, ...).
    std::optional<int> status;
    QByteArray body;
    QList<QNetworkReply::RawHeaderPair> headers;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    bool timedOut = false;
    bool cancelled = false;
    // The body went past the request's maxBody and was cut off.
    bool tooLarge = false;
    // French description of a transport failure; empty when an HTTP reply arrived.
    QString errorMessage;

    QByteArray header(const QByteArray &name) const;
};

// The long-lived client for speakers (no proxy: speakers are on the local network).
QNetworkAccessManager *speakerNetwork();

// The long-lived client for web services (the system's proxy settings apply).
QNetworkAccessManager *webNetwork();

// One request through `network`. Never throws: failures are described in the result.
// 127.0.0.0/8, ::1 or "localhost".
bool isLoopbackURL(const QUrl &url);

// A host of this computer or of a local network: loopback, private (RFC 1918, unique local),
// link-local, unspecified, "localhost" and ".local" / ".localhost" names.
bool isLocalNetworkHost(const QString &host);

QCoro::Task<HttpResult> httpSend(QNetworkAccessManager *network, HttpRequest request);

// Silences one Qt warning that aborting a request can provoke (see http.cpp); other messages go
// to the handler that was installed before.
void quietAbortWarnings();

// The French text the user sees for a transport failure.
QString networkErrorMessage(QNetworkReply::NetworkError error, bool timedOut, bool cancelled);

} // namespace corvane
