#include "http.h"

#include "tasks.h"

#include <QHostAddress>

#include <QCoreApplication>
#include <QCoroSignal>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace corvane {

QByteArray HttpResult::header(const QByteArray &name) const
{
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

QNetworkAccessManager *speakerNetwork()
{
    // Parented to the application so it goes away before Qt's own teardown.
    static QPointer<QNetworkAccessManager> network;
    if (!network) {
        network = new QNetworkAccessManager(QCoreApplication::instance());
        network->setProxy(QNetworkProxy::NoProxy);
        network->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    }
    return network;
}

namespace {
QtMessageHandler g_previousHandler = nullptr;

void filterMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // Qt delivers a request's network error from its own thread. When a cancellation aborts a
    // request whose "connection refused" is already on its way, Qt warns that the error was set
    // twice. Nothing is wrong: the request ended once, as cancelled.
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QNetworkReplyImplPrivate::error: Internal problem")))
        return;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
    else
        qt_message_output(type, context, message);
}
} // namespace

void quietAbortWarnings()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    g_previousHandler = qInstallMessageHandler(filterMessages);
}

QNetworkAccessManager *webNetwork()
{
    static QPointer<QNetworkAccessManager> network;
    if (!network)
        network = new QNetworkAccessManager(QCoreApplication::instance());
    return network;
}

QString networkErrorMessage(QNetworkReply::NetworkError error, bool timedOut, bool cancelled)
{
    if (timedOut)
        return QCoreApplication::translate("Network", "Le délai d'attente est dépassé : l'appareil n'a pas répondu à temps.");
    if (cancelled)
        return QCoreApplication::translate("Network", "La demande a été annulée.");
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return QCoreApplication::translate("Network", "La connexion a été refusée : l'appareil n'écoute pas à cette adresse.");
    case QNetworkReply::RemoteHostClosedError:
        return QCoreApplication::translate("Network", "L'appareil a fermé la connexion avant de répondre.");
    case QNetworkReply::HostNotFoundError:
        return QCoreApplication::translate("Network", "Adresse introuvable sur le réseau.");
    case QNetworkReply::TimeoutError:
        return QCoreApplication::translate("Network", "Le délai d'attente est dépassé : l'appareil n'a pas répondu à temps.");
    case QNetworkReply::OperationCanceledError:
        return QCoreApplication::translate("Network", "La demande a été annulée.");
    case QNetworkReply::SslHandshakeFailedError:
        return QCoreApplication::translate("Network", "La connexion sécurisée a échoué.");
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return QCoreApplication::translate("Network", "Le réseau est momentanément indisponible.");
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return QCoreApplication::translate("Network", "Le proxy réseau a empêché la connexion.");
    case QNetworkReply::ProtocolFailure:
    case QNetworkReply::ProtocolUnknownError:
    case QNetworkReply::ProtocolInvalidOperationError:
        return QCoreApplication::translate("Network", "L'appareil a envoyé une réponse illisible.");
    default:
        return QCoreApplication::translate("Network", "L'appareil est injoignable sur le réseau (hôte inaccessible ou "
                              "réseau indisponible).");
    }
}

bool isLoopbackURL(const QUrl &url)
{
    const QString host = url.host();
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

bool isLocalNetworkHost(const QString &host)
{
    const QString name = host.toLower();
    if (name.isEmpty() || name == QLatin1String("localhost") || name.endsWith(QLatin1String(".localhost"))
        || name.endsWith(QLatin1String(".local")))
        return true;
    QHostAddress address(name);
    if (address.isNull())
        return false;
    bool mapped = false;
    const quint32 v4 = address.toIPv4Address(&mapped);
    if (mapped)
        address = QHostAddress(v4);
    static const auto ranges = [] {
        QList<std::pair<QHostAddress, int>> list;
        for (const char *range : {"0.0.0.0/8", "10.0.0.0/8", "100.64.0.0/10", "127.0.0.0/8", "169.254.0.0/16",
                                  "172.16.0.0/12", "192.168.0.0/16", "fc00::/7", "fe80::/10"})
            list.append(QHostAddress::parseSubnet(QString::fromLatin1(range)));
        return list;
    }();
    if (address.isLoopback() || address == QHostAddress::AnyIPv6 || address == QHostAddress::AnyIPv4)
        return true;
    return std::any_of(ranges.cbegin(), ranges.cend(), [&address](const auto &range) { return address.isInSubnet(range); });
}

QCoro::Task<HttpResult> httpSend(QNetworkAccessManager *network, HttpRequest request)
{
    HttpResult result;
    // The tests, the demo and the benchmarks run with CORVANE_LOOPBACK_ONLY: a URL that would
    // leave the machine fails here, before any name is even looked up.
    static const bool loopbackOnly = !qEnvironmentVariableIsEmpty("CORVANE_LOOPBACK_ONLY");
    if (loopbackOnly && !isLoopbackURL(request.url)) {
        qWarning("CORVANE_LOOPBACK_ONLY: request to %s refused", qPrintable(request.url.host()));
        result.error = QNetworkReply::HostNotFoundError;
        result.errorMessage = networkErrorMessage(result.error, false, false);
        co_return result;
    }
    if (request.token.isCancelled()) {
        result.cancelled = true;
        result.error = QNetworkReply::OperationCanceledError;
        result.errorMessage = networkErrorMessage(result.error, false, true);
        co_return result;
    }

    QNetworkRequest networkRequest(request.url);
    for (const auto &[name, value] : request.headers)
        networkRequest.setRawHeader(name, value);
    networkRequest.setAttribute(QNetworkRequest::CacheLoadControlAttribute, request.cacheLoad);
    if (request.redirectPolicy)
        networkRequest.setAttribute(QNetworkRequest::RedirectPolicyAttribute, *request.redirectPolicy);

    std::unique_ptr<QNetworkReply, QScopedPointerDeleteLater> reply;
    if (request.method == "GET")
        reply.reset(network->get(networkRequest));
    else
        reply.reset(network->sendCustomRequest(networkRequest, request.method, request.body));

    bool timedOut = false;
    bool cancelled = false;
    bool tooLarge = false;
    QNetworkReply *raw = reply.get();
    // The body is taken as it arrives, through a small buffer, so a sender faster than this
    // reader is held back by the connection itself; past the limit the reply is cut off.
    QByteArray body;
    const qint64 maxBody = request.maxBody;
    raw->setReadBufferSize(std::min<qint64>(maxBody + 1, qint64(256) << 10));
    const auto overflow = [raw, &tooLarge, &body] {
        tooLarge = true;
        body.clear();
        raw->abort();
    };
    const QMetaObject::Connection onData = QObject::connect(raw, &QNetworkReply::readyRead, raw, [raw, maxBody, &body, &tooLarge, overflow] {
        if (tooLarge)
            return;
        body += raw->read(maxBody + 1 - body.size());
        if (body.size() > maxBody)
            overflow();
    });
    const QMetaObject::Connection onHeaders = QObject::connect(raw, &QNetworkReply::metaDataChanged, raw, [raw, maxBody, &tooLarge, overflow] {
        const QVariant length = raw->header(QNetworkRequest::ContentLengthHeader);
        if (!tooLarge && length.isValid() && length.toLongLong() > maxBody)
            overflow();
    });
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, raw, [raw, &timedOut] {
        if (raw->isFinished())
            return; // it ended in time; this frame only has not resumed yet
        timedOut = true;
        raw->abort();
    });
    timer.start(request.timeout.count() > 0 ? request.timeout : delays().requestTimeout);
    // A read from a speaker that is cancelled is let go rather than aborted: aborting requests
    // while a speaker drops its connections (it left the network) leaves Qt 6.4's pooled
    // connection to it wedged, and every later request to that speaker then times out.
    const bool letGo = network == speakerNetwork() && (request.method == "GET" || request.readOnly);
    detail::Wakeup ended;
    QObject::connect(raw, &QNetworkReply::finished, &ended, &detail::Wakeup::fire);
    const QMetaObject::Connection onCancel = request.token.onCancel(raw, [raw, letGo, &cancelled, &ended] {
        cancelled = true;
        if (letGo)
            ended.fire();
        else if (raw->isRunning())
            raw->abort();
    });

    // Awaited through a signal, once and from the event loop. A reply aborted while its error is
    // on its way from Qt's network thread emits finished() twice (Qt 6.4), and QCoro 0.8's own
    // awaiter of a reply resumes the coroutine on every emission: the second resume ran a frame
    // that was gone.
    if (!raw->isFinished() && !ended.hasFired())
        co_await qCoro(&ended, &detail::Wakeup::fired);

    // The reply outlives this frame until deleteLater runs: nothing may reach our locals then.
    const auto left = std::chrono::milliseconds(std::max(timer.remainingTime(), 0));
    timer.stop();
    QObject::disconnect(onCancel);
    QObject::disconnect(onData);
    QObject::disconnect(onHeaders);
    if (cancelled && letGo && !raw->isFinished()) {
        // It ends on its own, within what was left of its time and of its size; what still
        // comes is read and dropped.
        QNetworkReply *released = reply.release();
        auto drained = std::make_shared<qint64>(body.size());
        const auto drain = [released, drained, maxBody] {
            *drained += released->skip(released->bytesAvailable());
            if (*drained > maxBody && released->isRunning())
                released->abort();
        };
        QObject::connect(released, &QNetworkReply::readyRead, released, drain);
        drain();
        QObject::connect(released, &QNetworkReply::finished, released, &QObject::deleteLater);
        QTimer::singleShot(left.count() > 0 ? left : delays().soapTimeout, released, [released] {
            if (!released->isFinished())
                released->abort();
        });
        result.cancelled = true;
        result.error = QNetworkReply::OperationCanceledError;
        result.errorMessage = networkErrorMessage(result.error, false, true);
        co_return result;
    }

    result.error = tooLarge ? QNetworkReply::ProtocolFailure : raw->error();
    result.timedOut = timedOut;
    result.cancelled = cancelled;
    result.tooLarge = tooLarge;
    const QVariant status = raw->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && !timedOut && !cancelled && !tooLarge)
        result.status = status.toInt();
    result.headers = raw->rawHeaderPairs();
    if (raw->isOpen() && !tooLarge)
        body += raw->read(maxBody + 1 - body.size());
    if (body.size() > maxBody) {
        result.tooLarge = true;
        result.status.reset();
        result.error = QNetworkReply::ProtocolFailure;
        body.clear();
    }
    result.body = body;
    if (!result.status)
        result.errorMessage = networkErrorMessage(result.error, timedOut, cancelled);
    co_return result;
}

} // namespace corvane
