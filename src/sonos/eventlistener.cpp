#include "eventlistener.h"

#include "async/delays.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace corvane {

namespace {

QByteArray headerValue(QByteArrayView head, QByteArrayView name)
{
    qsizetype at = 0;
    while (at < head.size()) {
        qsizetype end = head.indexOf("\r\n", at);
        if (end < 0)
            end = head.size();
        const QByteArrayView line = head.sliced(at, end - at);
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.first(colon).toByteArray().trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.sliced(colon + 1).toByteArray().trimmed();
        at = end + 2;
    }
    return {};
}

QByteArray reasonOf(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 405:
        return "Method Not Allowed";
    case 408:
        return "Request Timeout";
    case 411:
        return "Length Required";
    case 412:
        return "Precondition Failed";
    case 413:
        return "Payload Too Large";
    default:
        return "Error";
    }
}

} // namespace

EventListener::EventListener(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<EventNotification>();
}

EventListener::~EventListener() = default;

bool EventListener::listen(const QHostAddress &address, quint16 preferredPort)
{
    close();
    m_server = new QTcpServer(this);
    m_server->setMaxPendingConnections(maxConnections);
    if ((preferredPort == 0 || !m_server->listen(address, preferredPort)) && !m_server->listen(address, 0)) {
        delete m_server;
        m_server = nullptr;
        return false;
    }
    connect(m_server, &QTcpServer::newConnection, this, &EventListener::accept);
    return true;
}

void EventListener::close()
{
    for (auto it = m_connections.keyBegin(); it != m_connections.keyEnd(); ++it)
        (*it)->abort();
    m_connections.clear();
    if (m_server) {
        m_server->close();
        delete m_server;
        m_server = nullptr;
    }
}

bool EventListener::isListening() const { return m_server && m_server->isListening(); }
QHostAddress EventListener::address() const { return m_server ? m_server->serverAddress() : QHostAddress(); }
quint16 EventListener::port() const { return m_server ? m_server->serverPort() : 0; }

QUrl EventListener::callbackURL(const QString &path) const
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(address().toString());
    url.setPort(port());
    url.setPath(path);
    return url;
}

void EventListener::expect(const QString &speakerIP) { ++m_expecting[speakerIP]; }

void EventListener::stopExpecting(const QString &speakerIP)
{
    if (--m_expecting[speakerIP] > 0)
        return;
    m_expecting.remove(speakerIP);
    m_held.removeIf([&speakerIP](const auto &held) { return held.first == speakerIP; });
}

void EventListener::allow(const QString &sid, const QString &speakerIP)
{
    m_allowed.insert(sid, speakerIP);
    for (qsizetype i = 0; i < m_held.size();) {
        if (m_held[i].first != speakerIP || m_held[i].second.sid != sid) {
            ++i;
            continue;
        }
        // Delivered from the event loop, after the caller has stored what the SID stands for.
        QMetaObject::invokeMethod(this, [this, notification = m_held.takeAt(i).second] { Q_EMIT notified(notification); },
                                  Qt::QueuedConnection);
    }
}

void EventListener::forget(const QString &sid) { m_allowed.remove(sid); }

void EventListener::forgetAll()
{
    m_allowed.clear();
    m_expecting.clear();
    m_held.clear();
}

void EventListener::accept()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        if (m_connections.size() >= maxConnections) {
            // More senders than a household has speakers: the newest waits for nothing.
            ++m_refused;
            socket->abort();
            socket->deleteLater();
            continue;
        }
        m_connections.insert(socket, Connection{});
        socket->setReadBufferSize(maxBody + maxHead + 1);
        QPointer<QTcpSocket> guard(socket);
        // A sender that never finishes loses its connection, whatever it still has to say.
        QTimer::singleShot(delays().eventReadTimeout, this, [this, guard] {
            if (guard && m_connections.contains(guard))
                finish(guard, 408);
        });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_connections.remove(socket);
            socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0)
            read(socket);
    }
}

void EventListener::read(QTcpSocket *socket)
{
    auto it = m_connections.find(socket);
    if (it == m_connections.end())
        return;
    Connection &connection = *it;
    connection.buffer += socket->readAll();

    if (connection.headEnd < 0) {
        connection.headEnd = connection.buffer.indexOf("\r\n\r\n");
        if (connection.headEnd < 0) {
            if (connection.buffer.size() > maxHead)
                finish(socket, 400);
            return;
        }
        if (connection.headEnd > maxHead) {
            finish(socket, 400);
            return;
        }
        const QByteArrayView head = QByteArrayView(connection.buffer).first(connection.headEnd);
        if (!head.startsWith("NOTIFY ")) {
            finish(socket, 405);
            return;
        }
        const QByteArray length = headerValue(head, "CONTENT-LENGTH");
        bool ok = false;
        connection.contentLength = length.toLongLong(&ok);
        if (length.isEmpty() || !ok || connection.contentLength < 0) {
            finish(socket, 411);
            return;
        }
        if (connection.contentLength > maxBody) {
            finish(socket, 413);
            return;
        }
    }
    const qint64 received = connection.buffer.size() - (connection.headEnd + 4);
    if (received < connection.contentLength)
        return;

    const QByteArrayView head = QByteArrayView(connection.buffer).first(connection.headEnd);
    const qsizetype firstLineEnd = head.indexOf("\r\n");
    const QByteArrayView requestLine = firstLineEnd < 0 ? head : head.first(firstLineEnd);
    const QList<QByteArray> parts = requestLine.toByteArray().split(' ');
    EventNotification notification;
    notification.sid = QString::fromLatin1(headerValue(head, "SID"));
    notification.path = parts.size() >= 2 ? QString::fromLatin1(parts[1]) : QString();
    const QByteArray seq = headerValue(head, "SEQ");
    bool ok = false;
    const quint32 number = seq.toUInt(&ok);
    if (ok)
        notification.seq = number;
    notification.body = connection.buffer.mid(connection.headEnd + 4, connection.contentLength);

    // Only the speaker a subscription was made with may speak for it.
    const auto allowed = m_allowed.constFind(notification.sid);
    QHostAddress peer = socket->peerAddress();
    bool isV4 = false;
    const quint32 v4 = peer.toIPv4Address(&isV4);
    if (isV4)
        peer = QHostAddress(v4);
    if (allowed == m_allowed.constEnd() && !notification.sid.isEmpty()) {
        const QString from = peer.toString();
        if (m_expecting.contains(from)) {
            if (m_held.size() >= maxHeld)
                m_held.removeFirst();
            m_held.append({from, notification});
            finish(socket, 200);
            return;
        }
    }
    if (notification.sid.isEmpty() || allowed == m_allowed.constEnd() || QHostAddress(*allowed) != peer) {
        finish(socket, 412);
        return;
    }
    finish(socket, 200, notification);
}

void EventListener::finish(QTcpSocket *socket, int status, const std::optional<EventNotification> &notification)
{
    m_connections.remove(socket);
    if (status != 200)
        ++m_refused;
    const QByteArray reply = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonOf(status)
        + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    socket->write(reply);
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
    // Signalled after the answer is on its way: the speaker does not wait on the merge.
    if (notification)
        Q_EMIT notified(*notification);
}

} // namespace corvane
