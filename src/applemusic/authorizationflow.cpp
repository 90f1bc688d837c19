#include "authorizationflow.h"

#include <QHttpServerRequest>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

namespace corvane {

AuthorizationFlow::AuthorizationFlow(QByteArray developerToken, QUrl musicKitScript, QObject *parent)
    : QAbstractHttpServer(parent), m_developerToken(std::move(developerToken)), m_script(std::move(musicKitScript))
{
    QByteArray random(24, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(random.data()), random.size() / 4);
    m_state = QString::fromLatin1(random.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

bool AuthorizationFlow::start()
{
    auto *server = new QTcpServer(this);
    if (!server->listen(QHostAddress::LocalHost, 0)) {
        delete server;
        return false;
    }
    bind(server);
    m_page = QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(server->serverPort()));
    return true;
}

QByteArray AuthorizationFlow::page() const
{
    // The state travels in the page; the token comes back only with it.
    return QStringLiteral(
               "<!doctype html><html lang=\"fr\"><head><meta charset=\"utf-8\"><title>Corvane et Apple Music</title>"
               "<script src=\"%1\"></script></head><body style=\"font-family:sans-serif;background:#1c1c1e;color:#eee\">"
               "<h1>Connecter Corvane à Apple Music</h1><p id=\"m\">Connexion en cours…</p><script>"
               "document.addEventListener('musickitloaded', async () => {"
               " try { await MusicKit.configure({developerToken: %2, app: {name: 'Corvane', build: '1'}});"
               " const token = await MusicKit.getInstance().authorize();"
               " const r = await fetch('/token', {method: 'POST', headers: {'Content-Type': 'application/json'},"
               " body: JSON.stringify({state: %3, token})});"
               " document.getElementById('m').textContent = r.ok ? 'C\\'est fait : vous pouvez fermer cet onglet et revenir à Corvane.'"
               " : 'Corvane a refusé cette réponse. Relancez la connexion depuis Corvane.';"
               " } catch (e) { document.getElementById('m').textContent = 'La connexion a échoué : ' + e; } });"
               "</script></body></html>")
        .arg(m_script.toString(QUrl::FullyEncoded),
             QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("t"), QString::fromLatin1(m_developerToken)}})
                                   .toJson(QJsonDocument::Compact))
                 .mid(5)
                 .chopped(1),
             QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("s"), m_state}}).toJson(QJsonDocument::Compact)).mid(5).chopped(1))
        .toUtf8();
}

bool AuthorizationFlow::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    // Only this computer, and only under our own name: a page elsewhere that points a host name
    // at 127.0.0.1 does not get in.
    const QByteArray host = request.value("Host");
    if (!request.remoteAddress().isLoopback() || host != m_page.authority().toLatin1()) {
        reply(socket, 403, "text/plain; charset=utf-8", "Refusé.");
        return true;
    }
    const QString path = request.url().path();
    if (request.method() == QHttpServerRequest::Method::Get && path == QLatin1String("/")) {
        reply(socket, 200, "text/html; charset=utf-8", page());
        return true;
    }
    if (request.method() == QHttpServerRequest::Method::Post && path == QLatin1String("/token")) {
        const QJsonObject body = QJsonDocument::fromJson(request.body()).object();
        const QString token = body.value(QLatin1String("token")).toString();
        if (m_finished || body.value(QLatin1String("state")).toString() != m_state || token.isEmpty()) {
            reply(socket, 403, "text/plain; charset=utf-8", "Refusé.");
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
    head += "Cache-Control: no-store\r\nConnection: close\r\n\r\n";
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
