#include "simspeaker.h"
#include "simhousehold.h"

#include "base/text.h"

#include <QHttpServerRequest>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace corvane::sim {

QByteArray SimRequest::header(const QByteArray &name) const
{
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

SimSpeaker::SimSpeaker(SimSpeakerConfig config, QObject *parent)
    : QAbstractHttpServer(parent), m_config(std::move(config))
{
    m_clock.start();
    m_realClock.start();
    m_eventTimer.setInterval(400);
    connect(&m_eventTimer, &QTimer::timeout, this, &SimSpeaker::sendEvents);
}

SimSpeaker::~SimSpeaker() = default;

Speaker SimSpeaker::speaker() const
{
    return Speaker{m_config.uuid, m_config.ip, m_config.roomName, m_config.modelName};
}

bool SimSpeaker::start(quint16 port)
{
    if (m_online)
        return true;
    // QAbstractHttpServer::listen() binds a fresh QTcpServer each time, so a speaker can come back.
    auto *server = new QTcpServer(this);
    if (!server->listen(QHostAddress(m_config.ip), port)) {
        delete server;
        return false;
    }
    bind(server);
    m_online = true;
    return true;
}

void SimSpeaker::stop()
{
    for (QTcpServer *server : servers()) {
        server->close();
        server->deleteLater();
    }
    // Connections in flight die with the speaker, as they do when a player loses power, and so
    // do its subscriptions.
    for (QTcpSocket *socket : findChildren<QTcpSocket *>())
        socket->abort();
    m_subscriptions.clear();
    m_eventTimer.stop();
    m_online = false;
}

void SimSpeaker::setQueue(QList<SimTrack> tracks, int currentTrack)
{
    settle();
    m_queue = std::move(tracks);
    ++m_queueUpdateID;
    m_stream.reset();
    m_track = m_queue.isEmpty() ? 0 : std::clamp(currentTrack, 1, int(m_queue.size()));
    m_positionMs = 0;
    if (m_queue.isEmpty())
        m_transport = Transport::Stopped;
    announce();
}

void SimSpeaker::setStreamSource(SimTrack source)
{
    settle();
    m_stream = std::move(source);
    m_positionMs = 0;
    announce();
}

void SimSpeaker::announce()
{
    // Members follow their coordinator: the whole household looks for what changed.
    if (m_household)
        m_household->scheduleEvents();
    else
        scheduleEvents();
}

void SimSpeaker::setTransport(Transport state)
{
    settle();
    m_transport = state;
    announce();
}

void SimSpeaker::setPosition(int seconds)
{
    settle();
    m_positionMs = qint64(seconds) * 1000;
}

bool SimSpeaker::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    SimRequest seen;
    switch (request.method()) {
    case QHttpServerRequest::Method::Get:
        seen.method = "GET";
        break;
    case QHttpServerRequest::Method::Post:
        seen.method = "POST";
        break;
    default:
        // Qt's server does not name GENA's methods: a subscription request is told by its
        // headers (a new one has CALLBACK, a renewal SID and TIMEOUT, a cancellation SID only).
        seen.method = "OTHER";
        if (isEventPath(request.url().path())) {
            const QByteArray sid = request.value("SID");
            seen.method = !sid.isEmpty() && request.value("TIMEOUT").isEmpty() && request.value("CALLBACK").isEmpty()
                ? "UNSUBSCRIBE"
                : "SUBSCRIBE";
        }
        break;
    }
    seen.path = request.url().path();
    seen.query = request.url().query(QUrl::FullyEncoded);
    seen.headers = request.headers();
    seen.body = request.body();
    SoapCall call;
    if (seen.method == "POST") {
        call = readSoapCall(seen.path, seen.header("SOAPACTION"), seen.body);
        seen.service = call.service;
        seen.action = call.action;
        seen.arguments = call.arguments;
    }
    m_received.append(seen);
    Q_EMIT requestReceived(seen);

    if (m_faults.silent)
        return true; // keep the connection open and say nothing

    Reply reply;
    if (m_faults.localControlOff) {
        reply = Reply{403, "text/html", "<html><body><h1>403 Forbidden</h1></body></html>"};
    } else if (m_faults.emptyServerError) {
        reply = Reply{500, "text/xml; charset=\"utf-8\"", {}};
    } else if (m_faults.emptyReply) {
        reply = Reply{200, "text/xml; charset=\"utf-8\"", {}};
    } else if (seen.method == "SUBSCRIBE" && m_faults.refusedEventPaths.contains(seen.path)) {
        reply = Reply{500, "text/html", {}};
    } else if (seen.method == "SUBSCRIBE" || seen.method == "UNSUBSCRIBE") {
        reply = gena(seen);
    } else {
        reply = route(seen, call);
        if (m_faults.invalidUtf8)
            reply.body.insert(reply.body.size() / 2, "\xC3\x28\xFF");
    }
    // What a request changed may concern every speaker of the household (a group, a favorite).
    announce();

    const int delay = m_faults.delayMs + (seen.method == "SUBSCRIBE" && reply.status == 200 ? m_faults.subscribeDelayMs : 0);
    if (delay > 0) {
        QPointer<QTcpSocket> guard(socket);
        QTimer::singleShot(delay, this, [this, guard, reply] {
            if (guard)
                send(guard, reply);
        });
    } else {
        send(socket, reply);
    }
    return true;
}

void SimSpeaker::missingHandler(const QHttpServerRequest &, QTcpSocket *socket)
{
    send(socket, Reply{404, "text/plain", {}});
}

void SimSpeaker::send(QTcpSocket *socket, Reply reply)
{
    static const QHash<int, QByteArray> reasons = {
        {200, "OK"}, {412, "Precondition Failed"}, {403, "Forbidden"}, {404, "Not Found"}, {405, "Method Not Allowed"}, {500, "Internal Server Error"}};
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + ' '
        + reasons.value(reply.status, "Error") + "\r\n";
    head += "CONTENT-LENGTH: " + QByteArray::number(reply.body.size()) + "\r\n";
    head += "CONTENT-TYPE: " + reply.contentType + "\r\n";
    head += "EXT:\r\n" + reply.extraHeaders;
    head += "Server: Linux UPnP/1.0 Sonos/80.1-55240 (" + m_config.modelNumber.toLatin1() + ")\r\n";
    head += "Connection: close\r\n\r\n";
    socket->write(head + reply.body);
    socket->disconnectFromHost();
}

SimSpeaker::Reply SimSpeaker::route(const SimRequest &request, const SoapCall &call)
{
    if (request.method == "POST") {
        // Only control URLs take a POST; a real player's web server refuses the method elsewhere.
        if (call.httpStatus != 200)
            return Reply{call.httpStatus, "text/html", {}};
        return soap(request, call);
    }
    if (request.method != "GET" || serviceAt(request.path))
        return Reply{405, "text/html", {}};
    if (request.path == QLatin1String("/xml/device_description.xml"))
        return m_faults.deviceDescription.isEmpty() ? deviceDescription()
                                                    : Reply{200, "text/xml", m_faults.deviceDescription};
    if (request.path == QLatin1String("/status/batterystatus"))
        return batteryPage();
    if (request.path == QLatin1String("/getaa"))
        return albumArt(request.query);
    return Reply{404, "text/plain", {}};
}

} // namespace corvane::sim
