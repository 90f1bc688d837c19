#include "simtrack.h"

#include "sonos/text.h"

#include <QUrl>

namespace corvane::sim {

namespace {
const QString kDidlOpen = QStringLiteral(
    "<DIDL-Lite xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
    "xmlns:upnp=\"urn:schemas-upnp-org:metadata-1-0/upnp/\" "
    "xmlns:r=\"urn:schemas-rinconnetworks-com:metadata-1-0/\" "
    "xmlns=\"urn:schemas-upnp-org:metadata-1-0/DIDL-Lite/\">");

QString hms(int seconds)
{
    return QString::asprintf("%d:%02d:%02d", seconds / 3600, (seconds / 60) % 60, seconds % 60);
}

SimTrack song(const char *id, const char *title, const char *artist, const char *album,
              int seconds)
{
    SimTrack track;
    track.uri = QStringLiteral("x-sonos-http:song%3a%1.mp4?sid=204&flags=8224&sn=3")
                    .arg(QLatin1String(id));
    track.title = QString::fromUtf8(title);
    track.artist = QString::fromUtf8(artist);
    track.album = QString::fromUtf8(album);
    track.durationSeconds = seconds;
    // Speakers serve the art of service tracks themselves, keyed by the percent-encoded URI.
    track.albumArtURI = QStringLiteral("/getaa?s=1&u=")
        + QString::fromLatin1(QUrl::toPercentEncoding(track.uri));
    return track;
}
} // namespace

QString SimTrack::didlItem(const QString &itemId, const QString &parentId) const
{
    QString item = QStringLiteral("<item id=\"%1\" parentID=\"%2\" restricted=\"true\">")
                       .arg(xmlEscape(itemId), xmlEscape(parentId));
    switch (kind) {
    case Kind::Song:
        item += QStringLiteral("<res protocolInfo=\"sonos.com-http:*:audio/mp4:*\" "
                               "duration=\"%1\">%2</res>")
                    .arg(hms(durationSeconds), xmlEscape(uri));
        item += QStringLiteral("<r:streamContent></r:streamContent>");
        item += QStringLiteral("<upnp:albumArtURI>%1</upnp:albumArtURI>").arg(xmlEscape(albumArtURI));
        item += QStringLiteral("<dc:title>%1</dc:title>").arg(xmlEscape(title));
        item += QStringLiteral("<upnp:class>object.item.audioItem.musicTrack</upnp:class>");
        item += QStringLiteral("<dc:creator>%1</dc:creator>").arg(xmlEscape(artist));
        item += QStringLiteral("<upnp:album>%1</upnp:album>").arg(xmlEscape(album));
        break;
    case Kind::Radio:
        item += QStringLiteral("<res protocolInfo=\"x-rincon-mp3radio:*:*:*\">%1</res>")
                    .arg(xmlEscape(uri));
        item += QStringLiteral("<r:streamContent>%1</r:streamContent>").arg(xmlEscape(artist));
        item += QStringLiteral("<dc:title>%1</dc:title>").arg(xmlEscape(title));
        item += QStringLiteral("<upnp:class>object.item</upnp:class>");
        break;
    case Kind::LineIn:
        item += QStringLiteral("<res protocolInfo=\"x-rincon-stream:*:*:*\">%1</res>")
                    .arg(xmlEscape(uri));
        item += QStringLiteral("<r:audioInputIcon>AudioComponent</r:audioInputIcon>");
        item += QStringLiteral("<upnp:class>object.item</upnp:class>");
        break;
    }
    item += QStringLiteral("</item>");
    return item;
}

QString SimTrack::didl(const QString &itemId, const QString &parentId) const
{
    return didlDocument(didlItem(itemId, parentId));
}

QString didlDocument(const QString &items)
{
    return kDidlOpen + items + QStringLiteral("</DIDL-Lite>");
}

QList<SimTrack> catalogueSongs()
{
    return {
        song("1440857781", "Marée basse", "Les Phares Lointains", "Cartes marines", 214),
        song("1440857790", "Sel & Cendre", "Les Phares Lointains", "Cartes marines", 187),
        song("1440857802", "Le Vent d'Ouessant", "Les Phares Lointains", "Cartes marines", 243),
        song("1609934412", "Néons sur la Loire", "Odile Ravanel", "Villes de nuit", 201),
        song("1609934420", "Minuit moins le quart", "Odile Ravanel", "Villes de nuit", 176),
        song("1702231145", "Quatre saisons en ré", "Ensemble Arbousier", "Arbousier joue", 325),
    };
}

SimTrack radioStation(const QString &name, const QString &streamUrl)
{
    SimTrack track;
    track.kind = SimTrack::Kind::Radio;
    track.uri = QStringLiteral("x-rincon-mp3radio://") + QString(streamUrl).remove(QRegularExpression(QStringLiteral("^https?://")));
    track.title = name;
    return track;
}

SimTrack lineIn(const QString &speakerUuid)
{
    SimTrack track;
    track.kind = SimTrack::Kind::LineIn;
    track.uri = QStringLiteral("x-rincon-stream:") + speakerUuid;
    return track;
}

} // namespace corvane::sim
