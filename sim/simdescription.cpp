// The plain pages of a simulated speaker: its device description, battery page and album art.
#include "simspeaker.h"
#include "simwebservices.h"

#include "base/text.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QPainter>
#include <QUrl>

namespace corvane::sim {

namespace {

// One <service> of a description, indented as real players indent it.
QString service(const QString &type, const QString &id, const QString &path, const QString &scpd, int depth)
{
    const QString pad(depth * 2, QLatin1Char(' '));
    const QString in = pad + QStringLiteral("  ");
    return pad + QStringLiteral("<service>\n") + in + QStringLiteral("<serviceType>") + type + QStringLiteral("</serviceType>\n")
        + in + QStringLiteral("<serviceId>") + id + QStringLiteral("</serviceId>\n")
        + in + QStringLiteral("<controlURL>") + path + QStringLiteral("/Control</controlURL>\n")
        + in + QStringLiteral("<eventSubURL>") + path + QStringLiteral("/Event</eventSubURL>\n")
        + in + QStringLiteral("<SCPDURL>/xml/") + scpd + QStringLiteral("1.xml</SCPDURL>\n")
        + pad + QStringLiteral("</service>\n");
}

QString upnpService(const char *name, const QString &path, int depth)
{
    const QString n = QLatin1String(name);
    return service(QStringLiteral("urn:schemas-upnp-org:service:%1:1").arg(n), QStringLiteral("urn:upnp-org:serviceId:%1").arg(n),
                   path, n, depth);
}

bool isHomeTheatre(const QString &modelNumber)
{
    static const QStringList models = {QStringLiteral("S9"), QStringLiteral("S11"), QStringLiteral("S14"), QStringLiteral("S19"),
                                       QStringLiteral("S31"), QStringLiteral("S45")};
    return models.contains(modelNumber);
}

} // namespace

// The hardware address a real player derives its UUID from: RINCON_<12 hex digits>01400.
QString SimSpeaker::macAddress() const
{
    QString hex = m_config.uuid.mid(7, 12).toUpper();
    if (hex.size() < 12)
        hex = hex.leftJustified(12, QLatin1Char('0'));
    QStringList pairs;
    for (int i = 0; i < 12; i += 2)
        pairs << hex.mid(i, 2);
    return pairs.join(QLatin1Char(':'));
}

SimSpeaker::Reply SimSpeaker::deviceDescription() const
{
    const QString model = xmlEscape(m_config.modelName);
    const QString number = m_config.modelNumber;
    const QString mac = macAddress();
    QString services = upnpService("AlarmClock", QStringLiteral("/AlarmClock"), 3)
        + upnpService("MusicServices", QStringLiteral("/MusicServices"), 3);
    if (m_config.hasAudioIn)
        services += upnpService("AudioIn", QStringLiteral("/AudioIn"), 3);
    services += upnpService("DeviceProperties", QStringLiteral("/DeviceProperties"), 3)
        + upnpService("SystemProperties", QStringLiteral("/SystemProperties"), 3)
        + upnpService("ZoneGroupTopology", QStringLiteral("/ZoneGroupTopology"), 3)
        + upnpService("GroupManagement", QStringLiteral("/GroupManagement"), 3);
    if (isHomeTheatre(number))
        services += upnpService("HTControl", QStringLiteral("/HTControl"), 3);

    const QString serverServices = upnpService("ContentDirectory", QStringLiteral("/MediaServer/ContentDirectory"), 5)
        + upnpService("ConnectionManager", QStringLiteral("/MediaServer/ConnectionManager"), 5);
    const QString rendererServices = upnpService("RenderingControl", QStringLiteral("/MediaRenderer/RenderingControl"), 5)
        + upnpService("ConnectionManager", QStringLiteral("/MediaRenderer/ConnectionManager"), 5)
        + upnpService("AVTransport", QStringLiteral("/MediaRenderer/AVTransport"), 5)
        + service(QStringLiteral("urn:schemas-sonos-com:service:Queue:1"), QStringLiteral("urn:sonos-com:serviceId:Queue"),
                  QStringLiteral("/MediaRenderer/Queue"), QStringLiteral("Queue"), 5)
        + upnpService("GroupRenderingControl", QStringLiteral("/MediaRenderer/GroupRenderingControl"), 5)
        + upnpService("VirtualLineIn", QStringLiteral("/MediaRenderer/VirtualLineIn"), 5);

    // The sub-devices repeat the player's identity under their own kind.
    const auto subDevice = [&](const char *kind, const QString &friendly, const QString &suffix, const QString &list) {
        return QStringLiteral("      <device>\n"
                              "        <deviceType>urn:schemas-upnp-org:device:%1:1</deviceType>\n"
                              "        <friendlyName>%2</friendlyName>\n"
                              "        <manufacturer>Sonos, Inc.</manufacturer>\n"
                              "        <manufacturerURL>http://www.sonos.com</manufacturerURL>\n"
                              "        <modelNumber>%3</modelNumber>\n"
                              "        <modelDescription>%4 %5</modelDescription>\n"
                              "        <modelName>%4</modelName>\n"
                              "        <modelURL>http://www.sonos.com/products/zoneplayers/%3</modelURL>\n"
                              "        <UDN>uuid:%6%7</UDN>\n"
                              "        <serviceList>\n%8        </serviceList>\n"
                              "      </device>\n")
            .arg(QLatin1String(kind), friendly, number, model, QString::fromLatin1(kind).replace(QStringLiteral("Media"), QStringLiteral("Media ")),
                 m_config.uuid, suffix, list);
    };

    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n"
        "<root xmlns=\"urn:schemas-upnp-org:device-1-0\">\n"
        "  <specVersion>\n"
        "    <major>1</major>\n"
        "    <minor>0</minor>\n"
        "  </specVersion>\n"
        "  <device>\n"
        "    <deviceType>urn:schemas-upnp-org:device:ZonePlayer:1</deviceType>\n"
        "    <friendlyName>%1 - %2 - %3</friendlyName>\n"
        "    <manufacturer>Sonos, Inc.</manufacturer>\n"
        "    <manufacturerURL>http://www.sonos.com</manufacturerURL>\n"
        "    <modelNumber>%4</modelNumber>\n"
        "    <modelDescription>%2</modelDescription>\n"
        "    <modelName>%2</modelName>\n"
        "    <modelURL>http://www.sonos.com/products/zoneplayers/%4</modelURL>\n"
        "    <softwareVersion>80.1-55240</softwareVersion>\n"
        "    <swGen>2</swGen>\n"
        "    <hardwareVersion>1.36.1.6-2.1</hardwareVersion>\n"
        "    <serialNum>%5:E</serialNum>\n"
        "    <MACAddress>%6</MACAddress>\n"
        "    <UDN>uuid:%3</UDN>\n"
        "    <iconList>\n"
        "      <icon>\n"
        "        <id>0</id>\n"
        "        <mimetype>image/png</mimetype>\n"
        "        <width>48</width>\n"
        "        <height>48</height>\n"
        "        <depth>24</depth>\n"
        "        <url>/img/icon-%4.png</url>\n"
        "      </icon>\n"
        "    </iconList>\n"
        "    <minCompatibleVersion>79.0-00000</minCompatibleVersion>\n"
        "    <legacyCompatibleVersion>58.0-00000</legacyCompatibleVersion>\n"
        "    <apiVersion>1.40.1</apiVersion>\n"
        "    <minApiVersion>1.1.0</minApiVersion>\n"
        "    <displayVersion>16.3</displayVersion>\n"
        "    <extraVersion/>\n"
        "    <roomName>%7</roomName>\n"
        "    <displayName>%8</displayName>\n"
        "    <zoneType>31</zoneType>\n"
        "    <feature1>0x00000000</feature1>\n"
        "    <feature2>0x00403332</feature2>\n"
        "    <feature3>0x0003302e</feature3>\n"
        "    <memory>1024</memory>\n"
        "    <flash>1024</flash>\n"
        "    <ampOnTime>10</ampOnTime>\n"
        "    <retailMode>0</retailMode>\n")
                      .arg(m_config.ip, model, m_config.uuid, number, QString(mac).replace(QLatin1Char(':'), QLatin1Char('-')), mac,
                           xmlEscape(m_config.roomName), xmlEscape(m_config.displayName));
    xml += QStringLiteral("    <serviceList>\n") + services + QStringLiteral("    </serviceList>\n");
    xml += QStringLiteral("    <deviceList>\n")
        + subDevice("MediaServer", m_config.ip + QStringLiteral(" - ") + model + QStringLiteral(" Media Server"), QStringLiteral("_MS"),
                    serverServices)
        + subDevice("MediaRenderer", xmlEscape(m_config.roomName) + QStringLiteral(" - ") + model + QStringLiteral(" Media Renderer"),
                    QStringLiteral("_MR"), rendererServices)
        + QStringLiteral("    </deviceList>\n  </device>\n</root>\n");
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
    // An Apple Music song shows its album's cover, as the catalogue does.
    const QString song = songIDOf(QUrl::fromPercentEncoding(key.toUtf8()).replace(QLatin1Char(':'), QStringLiteral("%3a")));
    if (!song.isEmpty())
        return Reply{200, "image/png", SimWebServices::coverImage(song, 240, "PNG")};
    // A cover of its own for every other track: two colours drawn from a stable hash of the URI.
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
