#include "simspeaker.h"

#include "sonos/text.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QHttpServerRequest>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>
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
    // Connections in flight die with the speaker, as they do when a player loses power.
    for (QTcpSocket *socket : findChildren<QTcpSocket *>())
        socket->abort();
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
}

void SimSpeaker::setStreamSource(SimTrack source)
{
    settle();
    m_stream = std::move(source);
    m_positionMs = 0;
}

void SimSpeaker::setTransport(Transport state)
{
    settle();
    m_transport = state;
}

void SimSpeaker::setPosition(int seconds)
{
    settle();
    m_positionMs = qint64(seconds) * 1000;
}

bool SimSpeaker::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    static const QRegularExpression argument(QStringLiteral("<([A-Za-z0-9_]+)>([^<]*)</\\1>"));

    SimRequest seen;
    switch (request.method()) {
    case QHttpServerRequest::Method::Get:
        seen.method = "GET";
        break;
    case QHttpServerRequest::Method::Post:
        seen.method = "POST";
        break;
    default:
        seen.method = "OTHER";
        break;
    }
    seen.path = request.url().path();
    seen.query = request.url().query(QUrl::FullyEncoded);
    seen.headers = request.headers();
    seen.body = request.body();
    const QString soapAction = QString::fromUtf8(seen.header("SOAPACTION")).remove(QLatin1Char('"'));
    if (const qsizetype hash = soapAction.indexOf(QLatin1Char('#')); hash > 0) {
        seen.service = soapAction.left(hash);
        seen.action = soapAction.mid(hash + 1);
        auto it = argument.globalMatch(QString::fromUtf8(seen.body));
        while (it.hasNext()) {
            const auto m = it.next();
            seen.arguments.insert(m.captured(1), xmlUnescape(m.captured(2)));
        }
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
    } else {
        reply = route(seen);
        if (m_faults.invalidUtf8)
            reply.body.insert(reply.body.size() / 2, "\xC3\x28\xFF");
    }

    if (m_faults.delayMs > 0) {
        QPointer<QTcpSocket> guard(socket);
        QTimer::singleShot(m_faults.delayMs, this, [this, guard, reply] {
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
        {200, "OK"}, {403, "Forbidden"}, {404, "Not Found"}, {500, "Internal Server Error"}};
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + ' '
        + reasons.value(reply.status, "Error") + "\r\n";
    head += "CONTENT-LENGTH: " + QByteArray::number(reply.body.size()) + "\r\n";
    head += "CONTENT-TYPE: " + reply.contentType + "\r\n";
    head += "EXT:\r\n";
    head += "Server: Linux UPnP/1.0 Sonos/80.1-55240 (" + m_config.modelNumber.toLatin1() + ")\r\n";
    head += "Connection: close\r\n\r\n";
    socket->write(head + reply.body);
    socket->disconnectFromHost();
}

SimSpeaker::Reply SimSpeaker::route(const SimRequest &request)
{
    if (request.method == "POST" && !request.action.isEmpty())
        return soap(request);
    if (request.method != "GET")
        return Reply{404, "text/plain", {}};
    if (request.path == QLatin1String("/xml/device_description.xml"))
        return m_faults.deviceDescription.isEmpty() ? deviceDescription()
                                                    : Reply{200, "text/xml", m_faults.deviceDescription};
    if (request.path == QLatin1String("/status/batterystatus"))
        return batteryPage();
    if (request.path == QLatin1String("/getaa"))
        return albumArt(request.query);
    return Reply{404, "text/plain", {}};
}

SimSpeaker::Reply SimSpeaker::deviceDescription() const
{
    const auto service = [](const char *name, const char *path) {
        return QStringLiteral("<service><serviceType>urn:schemas-upnp-org:service:%1:1</serviceType>"
                              "<serviceId>urn:upnp-org:serviceId:%1</serviceId>"
                              "<controlURL>%2/Control</controlURL><eventSubURL>%2/Event</eventSubURL>"
                              "<SCPDURL>/xml/%1%3.xml</SCPDURL></service>")
            .arg(QLatin1String(name), QLatin1String(path), QStringLiteral("1"));
    };
    QString services = service("AlarmClock", "/AlarmClock") + service("MusicServices", "/MusicServices")
        + service("DeviceProperties", "/DeviceProperties")
        + service("SystemProperties", "/SystemProperties")
        + service("ZoneGroupTopology", "/ZoneGroupTopology")
        + service("GroupManagement", "/GroupManagement");
    if (m_config.hasAudioIn)
        services += service("AudioIn", "/AudioIn");

    const QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n"
        "<root xmlns=\"urn:schemas-upnp-org:device-1-0\"><specVersion><major>1</major><minor>0</minor>"
        "</specVersion><device><deviceType>urn:schemas-upnp-org:device:ZonePlayer:1</deviceType>"
        "<friendlyName>%1 - %2 - %3</friendlyName><manufacturer>Sonos, Inc.</manufacturer>"
        "<manufacturerURL>http://www.sonos.com</manufacturerURL><modelNumber>%4</modelNumber>"
        "<modelDescription>%2</modelDescription><modelName>%2</modelName>"
        "<softwareVersion>80.1-55240</softwareVersion><swGen>2</swGen>"
        "<hardwareVersion>1.36.1.6-2.1</hardwareVersion><UDN>uuid:%3</UDN>"
        "<roomName>%5</roomName><displayName>%6</displayName><zoneType>31</zoneType>"
        "<serviceList>%7</serviceList><deviceList>"
        "<device><deviceType>urn:schemas-upnp-org:device:MediaServer:1</deviceType>"
        "<UDN>uuid:%3_MS</UDN><serviceList>%8</serviceList></device>"
        "<device><deviceType>urn:schemas-upnp-org:device:MediaRenderer:1</deviceType>"
        "<UDN>uuid:%3_MR</UDN><serviceList>%9</serviceList></device>"
        "</deviceList></device></root>\n")
        .arg(m_config.ip, xmlEscape(m_config.modelName), m_config.uuid, m_config.modelNumber,
             xmlEscape(m_config.roomName), xmlEscape(m_config.displayName), services,
             service("ContentDirectory", "/MediaServer/ContentDirectory"),
             service("RenderingControl", "/MediaRenderer/RenderingControl")
                 + service("AVTransport", "/MediaRenderer/AVTransport")
                 + service("Queue", "/MediaRenderer/Queue"));
    return Reply{200, "text/xml", xml.toUtf8()};
}

SimSpeaker::Reply SimSpeaker::batteryPage() const
{
    QString page = QStringLiteral("<?xml version=\"1.0\" ?>\n"
                                  "<?xml-stylesheet type=\"text/xsl\" href=\"/xml/review.xsl\"?>\n"
                                  "<ZPSupportInfo>\n");
    if (m_config.hasBattery) {
        page += QStringLiteral("<LocalBatteryStatus>\n<Data name=\"Health\">GREEN</Data>\n"
                               "<Data name=\"Level\">%1</Data>\n"
                               "<Data name=\"Temperature\">NORMAL</Data>\n"
                               "<Data name=\"PowerSource\">%2</Data>\n</LocalBatteryStatus>\n")
                    .arg(m_config.batteryLevel)
                    .arg(m_config.powerSource);
    }
    page += QStringLiteral("<!-- SDT: 0 ms -->\n</ZPSupportInfo>\n");
    return Reply{200, "text/xml", page.toUtf8()};
}

SimSpeaker::Reply SimSpeaker::albumArt(const QString &key) const
{
    // A cover of its own for every track: two colours drawn from a stable hash of the URI.
    const QByteArray digest = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1);
    QImage image(240, 240, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(quint8(digest[0]) * 359 / 255, 140, 200));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor::fromHsv(quint8(digest[1]) * 359 / 255, 200, 90));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(120, 120), 70 + quint8(digest[2]) % 40, 70 + quint8(digest[2]) % 40);
    painter.end();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return Reply{200, "image/png", buffer.data()};
}

} // namespace corvane::sim
