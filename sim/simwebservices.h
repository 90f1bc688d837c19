#pragma once

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QUrl>

class QTcpSocket;

namespace corvane::sim {

// The web services Corvane talks to, on one loopback port: for now the version manifest.
class SimWebServices : public QAbstractHttpServer
{
    Q_OBJECT
public:
    struct Reply
    {
        int status = 200;
        QByteArray contentType = "application/json";
        QByteArray body;
    };

    explicit SimWebServices(QObject *parent = nullptr);

    // Listens on `address`, on a port of the system's choosing.
    bool start(const QString &address = QStringLiteral("127.0.0.1"));
    QUrl origin() const { return m_origin; }

    // The manifest served at /corvane/version.json; a status other than 200 answers that
    // status with no body.
    void setManifest(const QByteArray &json, int status = 200);
    // Any other fixed reply.
    void setReply(const QString &path, Reply reply);
    // Paths requested so far, in order.
    QStringList requested() const { return m_requested; }

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    void send(QTcpSocket *socket, const Reply &reply);

    QUrl m_origin;
    QHash<QString, Reply> m_replies;
    QStringList m_requested;
};

} // namespace corvane::sim
