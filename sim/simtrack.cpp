#include "simtrack.h"

#include "base/text.h"

#include <QRegularExpression>
#include <QUrl>

#include <cctype>

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
    track.albumArtURI = QStringLiteral("/getaa?s=1&u=") + artEncoded(track.uri);
    return track;
}
} // namespace

QString SimTrack::didlItem(const QString &itemId, const QString &parentId) const
{
    // A queue lists service tracks without the stream fields of the current track.
    return QStringLiteral("<item id=\"%1\" parentID=\"%2\" restricted=\"true\">").arg(xmlEscape(itemId), xmlEscape(parentId))
        + QStringLiteral("<res protocolInfo=\"sonos.com-http:*:audio/mp4:*\" duration=\"%1\">%2</res>").arg(hms(durationSeconds), xmlEscape(uri))
        + QStringLiteral("<upnp:albumArtURI>%1</upnp:albumArtURI>").arg(xmlEscape(albumArtURI))
        + QStringLiteral("<dc:title>%1</dc:title>").arg(xmlEscape(title))
        + QStringLiteral("<upnp:class>object.item.audioItem.musicTrack</upnp:class>")
        + QStringLiteral("<dc:creator>%1</dc:creator>").arg(xmlEscape(artist))
        + QStringLiteral("<upnp:album>%1</upnp:album></item>").arg(xmlEscape(album));
}

QString SimTrack::didl(const QString &itemId, const QString &parentId) const
{
    return didlDocument(didlItem(itemId, parentId));
}

QString SimTrack::positionDidl(const QString &streamContent) const
{
    QString item = QStringLiteral("<item id=\"-1\" parentID=\"-1\" restricted=\"true\">");
    switch (kind) {
    case Kind::Song:
        item += QStringLiteral("<res protocolInfo=\"sonos.com-http:*:audio/mp4:*\" duration=\"%1\">%2</res>")
                    .arg(hms(durationSeconds), xmlEscape(uri))
            + QStringLiteral("<r:streamContent></r:streamContent>")
            + QStringLiteral("<upnp:albumArtURI>%1</upnp:albumArtURI>").arg(xmlEscape(albumArtURI))
            + QStringLiteral("<dc:title>%1</dc:title>").arg(xmlEscape(title))
            + QStringLiteral("<upnp:class>object.item.audioItem.musicTrack</upnp:class>")
            + QStringLiteral("<dc:creator>%1</dc:creator>").arg(xmlEscape(artist))
            + QStringLiteral("<upnp:album>%1</upnp:album>").arg(xmlEscape(album));
        break;
    case Kind::Radio: {
        // The speaker names a plain stream after its file and a service stream after its URI;
        // the station's own name is only in the metadata it was set with (GetMediaInfo).
        const QString scheme = uri.section(QLatin1Char(':'), 0, 0);
        const QString name = scheme == QLatin1String("x-rincon-mp3radio")
            ? QUrl(QStringLiteral("http:") + uri.mid(scheme.size() + 1)).fileName()
            : uri;
        item += QStringLiteral("<res protocolInfo=\"%1:*:*:*\">%2</res>").arg(scheme, xmlEscape(uri))
            + QStringLiteral("<r:streamContent>%1</r:streamContent>").arg(xmlEscape(streamContent))
            + QStringLiteral("<dc:title>%1</dc:title>").arg(xmlEscape(name.isEmpty() ? uri : name))
            + QStringLiteral("<upnp:class>object.item</upnp:class>");
        break;
    }
    case Kind::LineIn:
        item += QStringLiteral("<res protocolInfo=\"%1:*:*:*\">%2</res>").arg(uri.section(QLatin1Char(':'), 0, 0), xmlEscape(uri))
            + QStringLiteral("<r:audioInputIcon>AudioComponent</r:audioInputIcon>")
            + QStringLiteral("<dc:title>Audio Component</dc:title>")
            + QStringLiteral("<upnp:class>object.item</upnp:class>")
            + QStringLiteral("<r:episodeNumber>0</r:episodeNumber>");
        break;
    }
    return didlDocument(item + QStringLiteral("</item>"));
}

QString artEncoded(const QString &uri)
{
    QByteArray encoded = QUrl::toPercentEncoding(uri);
    for (qsizetype i = 0; i + 2 < encoded.size(); ++i) {
        if (encoded[i] == '%') {
            encoded[i + 1] = char(std::tolower(encoded[i + 1]));
            encoded[i + 2] = char(std::tolower(encoded[i + 2]));
            i += 2;
        }
    }
    return QString::fromLatin1(encoded);
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

QList<SimTrack> numberedSongs(int count)
{
    const QList<SimTrack> songs = catalogueSongs();
    QList<SimTrack> numbered;
    numbered.reserve(count);
    for (int i = 0; i < count; ++i) {
        SimTrack track = songs.at(i % songs.size());
        track.title += QStringLiteral(" (%1)").arg(i + 1);
        numbered.append(std::move(track));
    }
    return numbered;
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
    const QList<SimTrack> named = catalogueSongs();
    for (const SimTrack &track : named + extraSongs()) {
        if (songIDOf(track.uri) == songID)
            return track;
    }
    // The pages the web service generates (simwebservices.cpp: artists' top songs and library
    // playlists numbered from a base id, the library's catalogue ids) list songs of their own
    // numbers, which the catalogue knows as the songs those pages show.
    bool ok = false;
    const qint64 number = songID.toLongLong(&ok, 10);
    if (!ok || QString::number(number) != songID)
        return std::nullopt;
    const auto renumbered = [&named, &songID](qint64 index) {
        const SimTrack &base = named.at(int(index % named.size()));
        return song(songID.toLatin1().constData(), base.title.toUtf8().constData(), base.artist.toUtf8().constData(),
                    base.album.toUtf8().constData(), base.durationSeconds);
    };
    // The public chart feeds number their entries from 1700000000.
    if (number >= 1700000000 && number < 1700001000)
        return renumbered(number - 1700000000);
    if (number >= 1810000000 && number < 1830000000)
        return renumbered((number - 1810000000) % 10000000);
    if (number >= 1830000000 && number < 1930000000)
        return renumbered((number - 1830000000) % 100);
    if (number >= 1609930000 && number < 1609940000)
        return song(songID.toLatin1().constData(), QStringLiteral("Chanson %1").arg(number - 1609930000).toUtf8().constData(),
                    "Odile Ravanel", "Villes de nuit", 200);
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

SimTrack radioStation(const QString &name, const QString &streamUrl)
{
    SimTrack track;
    track.kind = SimTrack::Kind::Radio;
    track.uri = QStringLiteral("x-rincon-mp3radio://") + QString(streamUrl).remove(QRegularExpression(QStringLiteral("^(https?|x-rincon-mp3radio)://")));
    track.title = name;
    track.metadata = didlDocument(QStringLiteral("<item id=\"R:0/0/0\" parentID=\"R:0/0\" restricted=\"true\"><dc:title>")
                                  + xmlEscape(name)
                                  + QStringLiteral("</dc:title><upnp:class>object.item.audioItem.audioBroadcast</upnp:class>"
                                                   "<desc id=\"cdudn\" nameSpace=\"urn:schemas-rinconnetworks-com:metadata-1-0/\">"
                                                   "SA_RINCON65031_</desc></item>"));
    // The station plays the catalogue's songs and says so, as "Artist - Title".
    for (const SimTrack &song : catalogueSongs())
        track.streamTitles << song.artist + QStringLiteral(" - ") + song.title;
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
