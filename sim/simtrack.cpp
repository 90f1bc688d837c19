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

namespace {
QList<SimTrack> extraSongs()
{
    return {
        song("1440857815", "Balises", "Les Phares Lointains", "Cartes marines", 198),
        song("1609934431", "Quai des brumes électriques", "Odile Ravanel", "Villes de nuit", 231),
        song("1609934447", "Dernier tramway", "Odile Ravanel", "Villes de nuit", 189),
        song("1702231152", "Menuet pour un figuier", "Ensemble Arbousier", "Arbousier joue", 262),
        song("1702231160", "Rondeau des cigales", "Ensemble Arbousier", "Arbousier joue", 148),
        song("1811470021", "Grand large", "Maëlle Kerbrat", "Grand large", 224),
    };
}
} // namespace

QList<SimContainer> catalogueContainers()
{
    const QList<SimTrack> all = catalogueSongs() + extraSongs();
    const auto pick = [&all](std::initializer_list<int> indexes) {
        QList<SimTrack> songs;
        for (int i : indexes)
            songs.append(all.at(i));
        return songs;
    };
    return {
        {QStringLiteral("album"), QStringLiteral("1440857770"), QStringLiteral("Cartes marines"), pick({0, 1, 2, 6})},
        {QStringLiteral("album"), QStringLiteral("1609934400"), QStringLiteral("Villes de nuit"), pick({3, 4, 7, 8})},
        {QStringLiteral("album"), QStringLiteral("1702231140"), QStringLiteral("Arbousier joue"), pick({5, 9, 10})},
        {QStringLiteral("album"), QStringLiteral("1811470010"), QStringLiteral("Grand large"), pick({11})},
        {QStringLiteral("playlist"), QStringLiteral("pl.u-Kf3mQ"), QStringLiteral("Routes du soir"), pick({3, 1, 11, 9, 7})},
        {QStringLiteral("playlist"), QStringLiteral("pl.8d2a61f0c4"), QStringLiteral("Matins calmes"), pick({5, 10, 0})},
    };
}

std::optional<SimTrack> catalogueSong(const QString &songID)
{
    for (const SimTrack &track : catalogueSongs() + extraSongs()) {
        if (songIDOf(track.uri) == songID)
            return track;
    }
    return std::nullopt;
}

std::optional<SimContainer> catalogueContainer(const QString &kind, const QString &id)
{
    for (const SimContainer &container : catalogueContainers()) {
        if (container.kind == kind && container.id == id)
            return container;
    }
    return std::nullopt;
}

QString songIDOf(const QString &uri)
{
    static const QRegularExpression song(QStringLiteral("song%3a(\\d+)"), QRegularExpression::CaseInsensitiveOption);
    return song.match(uri).captured(1);
}

SimTrack songFromMetadata(const QString &uri, const QString &metadata)
{
    const auto field = [&metadata](const char *tag) {
        const QRegularExpression pattern(QStringLiteral("<%1>([^<]*)</%1>").arg(QLatin1String(tag)));
        return xmlUnescape(pattern.match(metadata).captured(1));
    };
    SimTrack track;
    track.uri = uri;
    track.title = field("dc:title");
    track.artist = field("dc:creator");
    track.album = field("upnp:album");
    track.durationSeconds = 200;
    track.albumArtURI = QStringLiteral("/getaa?s=1&u=") + QString::fromLatin1(QUrl::toPercentEncoding(uri));
    return track;
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
