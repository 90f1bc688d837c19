#include "simwebservices.h"

#include <QHttpServerRequest>
#include <QTcpServer>
#include <QTcpSocket>

namespace corvane::sim {

SimWebServices::SimWebServices(QObject *parent) : QAbstractHttpServer(parent)
{
    setManifest(R"({"version":"0.1.0","url":"https://corvane.app/telecharger"})");
}

bool SimWebServices::start(const QString &address)
{
    auto *server = new QTcpServer(this);
    if (!server->listen(QHostAddress(address), 0)) {
        delete server;
        return false;
    }
    bind(server);
    m_origin = QUrl(QStringLiteral("http://%1:%2").arg(address).arg(server->serverPort()));
    return true;
}

void SimWebServices::setManifest(const QByteArray &json, int status)
{
    setReply(QStringLiteral("/corvane/version.json"), Reply{status, "application/json", status == 200 ? json : QByteArray()});
}

void SimWebServices::setReply(const QString &path, Reply reply)
{
    m_replies.insert(path, std::move(reply));
}

bool SimWebServices::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    const QString path = request.url().path();
    m_requested.append(path);
    send(socket, m_replies.value(path, Reply{404, "application/json", R"({"errors":[{"status":"404"}]})"}));
    return true;
}

void SimWebServices::missingHandler(const QHttpServerRequest &, QTcpSocket *socket)
{
    send(socket, Reply{404, "text/plain", {}});
}

void SimWebServices::send(QTcpSocket *socket, const Reply &reply)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + " Sim\r\n";
    head += "Content-Type: " + reply.contentType + "\r\n";
    head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    head += "Connection: close\r\n\r\n";
    socket->write(head + reply.body);
    socket->disconnectFromHost();
}

} // namespace corvane::sim
