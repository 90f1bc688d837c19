#pragma once

#include "async/tasks.h"
#include "simhousehold.h"
#include "simspeaker.h"

#include <QCoroTask>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>

namespace corvane::test {

inline QString fixture(const QString &name)
{
    QFile file(QStringLiteral(CORVANE_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return QString::fromUtf8(file.readAll());
}

// A server that accepts connections and never says a word.
class SilentServer : public QTcpServer
{
public:
    explicit SilentServer(QObject *parent = nullptr) : QTcpServer(parent)
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection())
                m_sockets.append(socket);
        });
        listen(QHostAddress::LocalHost);
    }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(serverPort())); }
    int accepted() const { return int(m_sockets.size()); }

private:
    QList<QTcpSocket *> m_sockets;
};

// A port on 127.0.0.1 where nothing listens.
inline quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    const quint16 port = server.serverPort();
    server.close();
    return port;
}

// One simulated speaker on a loopback address of its own, so tests can run side by side.
inline std::unique_ptr<sim::SimSpeaker> startSpeaker(sim::SimSpeakerConfig config = {})
{
    if (config.uuid.isEmpty())
        config.uuid = QStringLiteral("RINCON_000E58A0B1C201400");
    if (config.roomName.isEmpty())
        config.roomName = QStringLiteral("Salon");
    if (config.modelName.isEmpty()) {
        config.modelName = QStringLiteral("Sonos Era 100");
        config.modelNumber = QStringLiteral("S39");
        config.displayName = QStringLiteral("Era 100");
    }
    for (int attempt = 0; attempt < 20; ++attempt) {
        config.ip = sim::randomLoopbackPrefix() + QStringLiteral(".10");
        auto speaker = std::make_unique<sim::SimSpeaker>(config);
        if (speaker->start())
            return speaker;
    }
    qFatal("no free loopback address for a simulated speaker");
}

template<typename T>
T await(QCoro::Task<T> task)
{
    return runBlocking(std::move(task));
}

} // namespace corvane::test
