#pragma once

#include "async/http.h"
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

// A plain GET to a simulated speaker, as the speakers' own client sends it.
inline QCoro::Task<HttpResult> speakerGet(QUrl url)
{
    HttpRequest request;
    request.url = url;
    request.timeout = std::chrono::seconds(5);
    HttpResult result = co_await httpSend(speakerNetwork(), request);
    co_return result;
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

// A whole simulated household on a loopback /24 of its own.
inline std::unique_ptr<sim::SimHousehold> startHousehold(const char *kind = "default", int size = 32)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        auto household = std::make_unique<sim::SimHousehold>(sim::randomLoopbackPrefix());
        const QByteArray which(kind);
        const bool ok = which == "never" ? household->startNeverPlayed()
            : which == "large"           ? household->startLarge(size)
                                         : household->startDefault();
        if (ok)
            return household;
    }
    qFatal("no free loopback /24 for a simulated household");
}

// The SOAP actions a speaker received, in order.
inline QStringList actionsOf(const sim::SimSpeaker &speaker)
{
    QStringList actions;
    for (const sim::SimRequest &request : speaker.received()) {
        if (!request.action.isEmpty())
            actions << request.action;
    }
    return actions;
}

inline int countOf(const sim::SimSpeaker &speaker, const QString &action)
{
    return int(actionsOf(speaker).count(action));
}

// The argument text of a SOAP request: what sits inside <u:Action ...>...</u:Action>.
inline QString argumentsOf(const sim::SimRequest &request)
{
    const QString body = QString::fromUtf8(request.body);
    const QString open = QStringLiteral("<u:") + request.action + QLatin1Char(' ');
    const qsizetype start = body.indexOf(QLatin1Char('>'), body.indexOf(open)) + 1;
    const qsizetype end = body.indexOf(QStringLiteral("</u:") + request.action + QLatin1Char('>'));
    return start > 0 && end >= start ? body.mid(start, end - start) : QString();
}

// The last request carrying `action`.
inline sim::SimRequest lastRequest(const sim::SimSpeaker &speaker, const QString &action)
{
    const auto received = speaker.received();
    for (auto it = received.crbegin(); it != received.crend(); ++it) {
        if (it->action == action)
            return *it;
    }
    return {};
}

template<typename T>
T await(QCoro::Task<T> task)
{
    return runBlocking(std::move(task));
}

} // namespace corvane::test
