#include "authorizationflow.h"

#include "async/delays.h"
#include "base/language.h"

#include <QCoreApplication>
#include <QHash>
#include <QHttpServerRequest>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

namespace corvane {

namespace {

QString randomText(int bytes)
{
    QByteArray random(bytes, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(random.data()), random.size() / 4);
    return QString::fromLatin1(random.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

// Watches every connection before the HTTP server reads it: one that sends more than a sign-in
// needs, stays silent too long, or comes while too many are open is dropped.
class GuardedServer : public QTcpServer
{
public:
    using QTcpServer::QTcpServer;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        if (findChildren<QTcpSocket *>(Qt::FindDirectChildrenOnly).size() > AuthorizationFlow::maxConnections) {
            socket->abort();
            socket->deleteLater();
            return;
        }
        auto *idle = new QTimer(socket);
        idle->setSingleShot(true);
        idle->start(delays().signInIdle);
        connect(idle, &QTimer::timeout, socket, &QTcpSocket::abort);
        auto received = std::make_shared<qint64>(0);
        // Connected before the HTTP server's own reader: what is available is what just came.
        connect(socket, &QTcpSocket::readyRead, socket, [socket, idle, received] {
            *received += socket->bytesAvailable();
            if (*received > AuthorizationFlow::maxRequestBytes) {
                socket->abort();
                return;
            }
            idle->start(delays().signInIdle);
        });
        addPendingConnection(socket);
    }
};

} // namespace

AuthorizationFlow::AuthorizationFlow(QByteArray developerToken, QUrl musicKitScript, QObject *parent)
    : QAbstractHttpServer(parent), m_developerToken(std::move(developerToken)), m_script(std::move(musicKitScript))
{
    m_state = randomText(24);
    m_secretPath = QLatin1Char('/') + randomText(24) + QLatin1Char('/');
}

bool AuthorizationFlow::isAcceptableScript(const QUrl &script)
{
    if (!script.isValid() || script.host().isEmpty())
        return false;
    if (script.scheme() == QLatin1String("https"))
        return true;
    const QHostAddress address(script.host());
    return script.scheme() == QLatin1String("http") && !address.isNull() && address.isLoopback();
}

bool AuthorizationFlow::start()
{
    if (!isAcceptableScript(m_script)) {
        qWarning("The MusicKit JS address must be https: %s", qPrintable(m_script.toString()));
        return false;
    }
    auto *server = new GuardedServer(this);
    if (!server->listen(QHostAddress::LocalHost, 0)) {
        delete server;
        return false;
    }
    bind(server);
    m_page = QUrl(QStringLiteral("http://127.0.0.1:%1").arg(server->serverPort()) + m_secretPath);
    return true;
}

QByteArray AuthorizationFlow::page() const
{
    // A value for the page's script: a JSON string, so quotes in it end nothing.
    const auto js = [](const QString &text) {
        return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
    };
    const QString done = QCoreApplication::translate("Authorization", "C'est fait : vous pouvez fermer cet onglet et revenir à Corvane.");
    const QString refused = QCoreApplication::translate("Authorization", "Corvane a refusé cette réponse. Relancez la connexion depuis Corvane.");
    //: %1 is the browser's reason
    const QString failed = QCoreApplication::translate("Authorization", "La connexion a échoué : %1");
    // The state travels in the page; the token comes back only with it. The values go in at one
    // pass: one that holds a marker's look (an encoded "%2F" of the script's address) stays as it is.
    const QString page = QStringLiteral(
        "<!doctype html><html lang=\"{lang}\"><head><meta charset=\"utf-8\"><title>{title}</title>"
        "<script src=\"{script}\"></script></head><body style=\"font-family:sans-serif;background:#1c1c1e;color:#eee\">"
        "<h1>{heading}</h1><p id=\"m\">{connecting}</p><script>"
        "document.addEventListener('musickitloaded', async () => {"
        " try { await MusicKit.configure({developerToken: {token}, app: {name: 'Corvane', build: '1'}});"
        " const token = await MusicKit.getInstance().authorize();"
        " const r = await fetch('token', {method: 'POST', headers: {'Content-Type': 'application/json'},"
        " body: JSON.stringify({state: {state}, token})});"
        " document.getElementById('m').textContent = r.ok ? {done} : {refused};"
        " } catch (e) { document.getElementById('m').textContent = {failed}.replace('{reason}', e); } });"
        "</script></body></html>");
    const QHash<QString, QString> values{
        {QStringLiteral("lang"), language::current()},
        {QStringLiteral("title"), QCoreApplication::translate("Authorization", "Corvane et Apple Music").toHtmlEscaped()},
        {QStringLiteral("script"), m_script.toString(QUrl::FullyEncoded).toHtmlEscaped()},
        {QStringLiteral("heading"), QCoreApplication::translate("Authorization", "Connecter Corvane à Apple Music").toHtmlEscaped()},
        {QStringLiteral("connecting"), QCoreApplication::translate("Authorization", "Connexion en cours…").toHtmlEscaped()},
        {QStringLiteral("token"), js(QString::fromLatin1(m_developerToken))},
        {QStringLiteral("state"), js(m_state)},
        {QStringLiteral("done"), js(done)},
        {QStringLiteral("refused"), js(refused)},
        {QStringLiteral("failed"), js(failed.arg(QStringLiteral("{reason}")))},
        {QStringLiteral("reason"), QStringLiteral("{reason}")},
    };
    static const QRegularExpression marker(QStringLiteral("\\{([a-z]+)\\}"));
    QString filled;
    qsizetype at = 0;
    for (const QRegularExpressionMatch &match : marker.globalMatch(page)) {
        filled += QStringView(page).mid(at, match.capturedStart() - at);
        filled += values.value(match.captured(1), match.captured(0));
        at = match.capturedEnd();
    }
    filled += QStringView(page).mid(at);
    return filled.toUtf8();
}

bool AuthorizationFlow::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    // Only this computer, and only under our own name: a page elsewhere that points a host name
    // at 127.0.0.1 does not get in.
    const QByteArray host = request.value("Host");
    if (!request.remoteAddress().isLoopback() || host != m_page.authority().toLatin1()) {
        reply(socket, 403, "text/plain; charset=utf-8", QCoreApplication::translate("Authorization", "Refusé.").toUtf8());
        return true;
    }
    const QString path = request.url().path();
    if (request.method() == QHttpServerRequest::Method::Get && path == m_secretPath) {
        // Served once: the state it carries is for one browser tab only.
        if (m_pageServed) {
            reply(socket, 410, "text/plain; charset=utf-8", QCoreApplication::translate("Authorization", "Cette page a déjà servi. Relancez la connexion depuis Corvane.").toUtf8());
            return true;
        }
        m_pageServed = true;
        reply(socket, 200, "text/html; charset=utf-8", page());
        return true;
    }
    if (request.method() == QHttpServerRequest::Method::Post && path == m_secretPath + QStringLiteral("token")) {
        // Only the page itself posts: same origin, as JSON (a form elsewhere cannot send that).
        const QByteArray origin = request.value("Origin");
        const QByteArray type = request.value("Content-Type").split(';').first().trimmed().toLower();
        if (origin != m_page.adjusted(QUrl::RemovePath).toString(QUrl::FullyEncoded).toLatin1() || type != "application/json") {
            reply(socket, 403, "text/plain; charset=utf-8", QCoreApplication::translate("Authorization", "Refusé.").toUtf8());
            return true;
        }
        const QJsonObject body = QJsonDocument::fromJson(request.body()).object();
        const QString token = body.value(QLatin1String("token")).toString();
        if (m_finished || body.value(QLatin1String("state")).toString() != m_state || token.isEmpty()) {
            reply(socket, 403, "text/plain; charset=utf-8", QCoreApplication::translate("Authorization", "Refusé.").toUtf8());
            return true;
        }
        reply(socket, 200, "text/plain; charset=utf-8", "OK");
        finish();
        // Whoever takes the token may end the program: the browser's answer goes out first,
        // once the socket has handed it to the system and closed.
        if (socket->state() == QAbstractSocket::UnconnectedState) {
            Q_EMIT tokenReceived(token);
        } else {
            auto delivered = std::make_shared<bool>(false);
            const auto deliver = [this, token, delivered] {
                if (*delivered)
                    return;
                *delivered = true;
                Q_EMIT tokenReceived(token);
            };
            connect(socket, &QAbstractSocket::disconnected, this, deliver);
            connect(socket, &QAbstractSocket::errorOccurred, this, deliver);
            connect(socket, &QObject::destroyed, this, deliver);
        }
        return true;
    }
    reply(socket, 404, "text/plain; charset=utf-8", "Introuvable.");
    return true;
}

void AuthorizationFlow::missingHandler(const QHttpServerRequest &, QTcpSocket *socket)
{
    reply(socket, 404, "text/plain; charset=utf-8", "Introuvable.");
}

void AuthorizationFlow::reply(QTcpSocket *socket, int status, const QByteArray &type, const QByteArray &body)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + (status == 200 ? " OK" : " Error") + "\r\n";
    head += "Content-Type: " + type + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n";
    head += "Cache-Control: no-store\r\nConnection: close\r\n";
    // The page may not be framed by another, and loads only its own script and MusicKit's.
    head += "Content-Security-Policy: frame-ancestors 'none'\r\nX-Frame-Options: DENY\r\n"
            "X-Content-Type-Options: nosniff\r\n\r\n";
    socket->write(head + body);
    socket->disconnectFromHost();
}

void AuthorizationFlow::finish()
{
    // One use: the listener closes, later attempts find nothing to talk to.
    m_finished = true;
    for (QTcpServer *server : servers())
        server->close();
}

} // namespace corvane
