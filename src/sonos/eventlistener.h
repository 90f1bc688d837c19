#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

#include <optional>

class QTcpServer;
class QTcpSocket;

namespace corvane {

// One notification a speaker sent, after the listener accepted it.
struct EventNotification
{
    QString sid;
    std::optional<quint32> seq;
    QString path;
    QByteArray body;
};

// The HTTP server speakers send their events to. It listens on one address (the interface that
// reaches the speakers, never all of them) on a port the system picks, and takes a NOTIFY only
// from the address a live subscription was made with. Everything runs on the event loop: a slow
// or endless sender holds one connection until its deadline, never the thread.
class EventListener : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 maxBody = qint64(1) << 20;
    static constexpr qint64 maxHead = 16 * 1024;
    static constexpr int maxConnections = 16;
    static constexpr int maxHeld = 16;

    explicit EventListener(QObject *parent = nullptr);
    ~EventListener() override;

    // False when the address cannot be bound. The preferred port is tried first, then one the
    // system picks.
    bool listen(const QHostAddress &address, quint16 preferredPort = 0);
    void close();
    bool isListening() const;
    QHostAddress address() const;
    quint16 port() const;
    // Where a subscription asks its notifications to go.
    QUrl callbackURL(const QString &path) const;

    // A SUBSCRIBE to this speaker is on its way: its first notification may come before the
    // answer that names its SID, and is held until allow() names it (or the last SUBSCRIBE
    // to the speaker has been answered).
    void expect(const QString &speakerIP);
    void stopExpecting(const QString &speakerIP);
    // Notifications with this SID are taken from `speakerIP` only.
    void allow(const QString &sid, const QString &speakerIP);
    void forget(const QString &sid);
    void forgetAll();

    // Requests turned away (unknown SID or sender, bad or oversized request), for tests.
    int refused() const { return m_refused; }
    int openConnections() const { return int(m_connections.size()); }

Q_SIGNALS:
    void notified(const corvane::EventNotification &notification);

private:
    struct Connection
    {
        QByteArray buffer;
        qsizetype headEnd = -1;
        qint64 contentLength = -1;
    };

    void accept();
    void read(QTcpSocket *socket);
    void finish(QTcpSocket *socket, int status, const std::optional<EventNotification> &notification = {});

    QTcpServer *m_server = nullptr;
    QHash<QString, QString> m_allowed; // SID -> speaker address
    QHash<QString, int> m_expecting;   // speaker address -> SUBSCRIBEs unanswered
    QList<std::pair<QString, EventNotification>> m_held; // from an expected speaker, SID not yet known
    QHash<QTcpSocket *, Connection> m_connections;
    int m_refused = 0;
};

} // namespace corvane

Q_DECLARE_METATYPE(corvane::EventNotification)
