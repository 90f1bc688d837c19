// The simulated feeds beside Apple Music's API: the public charts, the radio directory and the
// stations' logos.

#include "simwebservices.h"

#include "simtrack.h"

#include <QBuffer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrlQuery>

namespace corvane::sim {

SimWebServices::Reply SimWebServices::chartFeed(const QString &path) const
{
    // /api/v2/<cc>/music/most-played/<n>/<albums|songs>.json, release dates counted from today.
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.size() != 7 || parts[4] != QLatin1String("most-played"))
        return Reply{404, "application/json", "{}"};
    const bool albums = parts[6] == QLatin1String("albums.json");
    const QDate today = QDate::currentDate();
    const int daysAgo[] = {10, 3, 55, 57, 10, -1, 56, 20};
    const int count = std::min(parts[5].toInt(), m_chartSize);
    QJsonArray results;
    const QList<SimContainer> containers = catalogueContainers();
    for (int i = 0; i < count; ++i) {
        QJsonObject entry{{QStringLiteral("id"), QString::number(1700000000 + i)},
                          {QStringLiteral("name"), albums ? QStringLiteral("Album %1").arg(i) : QStringLiteral("Titre %1").arg(i)},
                          {QStringLiteral("artistName"), containers.at(i % containers.size()).songs.first().artist},
                          {QStringLiteral("artworkUrl100"), m_origin.toString() + QStringLiteral("/art/%1/100x100bb.jpg").arg(1700000000 + i)},
                          {QStringLiteral("kind"), albums ? QStringLiteral("albums") : QStringLiteral("songs")},
                          {QStringLiteral("url"), QStringLiteral("https://music.example.com/fr/album/%1").arg(i)}};
        if (daysAgo[i % 8] >= 0)
            entry.insert(QStringLiteral("releaseDate"), today.addDays(-daysAgo[i % 8]).toString(QStringLiteral("yyyy-MM-dd")));
        results.append(entry);
    }
    const QJsonObject feed{{QStringLiteral("title"), QStringLiteral("Les plus écoutés")}, {QStringLiteral("country"), parts[2]},
                           {QStringLiteral("updated"), QDateTime::currentDateTimeUtc().toString(Qt::ISODate)}, {QStringLiteral("results"), results}};
    return Reply{200, "application/json", QJsonDocument(QJsonObject{{QStringLiteral("feed"), feed}}).toJson(QJsonDocument::Compact)};
}

void SimWebServices::setRadioStations(QByteArray json)
{
    m_radioStations = std::move(json);
}

SimWebServices::Reply SimWebServices::radioStations(const QUrlQuery &query) const
{
    const QByteArray all = m_radioStations.isEmpty() ? defaultRadioStations(m_origin) : m_radioStations;
    const QJsonDocument document = QJsonDocument::fromJson(all);
    if (!document.isArray())
        return Reply{200, "application/json", all};
    const int limit = query.queryItemValue(QStringLiteral("limit")).toInt();
    QJsonArray stations = document.array();
    while (limit > 0 && stations.size() > limit)
        stations.removeLast();
    return Reply{200, "application/json", QJsonDocument(stations).toJson(QJsonDocument::Compact)};
}

QByteArray SimWebServices::defaultRadioStations(const QUrl &origin)
{
    const auto station = [&origin](int n, const char *name, const char *url, const char *resolved, const char *favicon,
                                   const char *tags) {
        QJsonObject o;
        o.insert(QStringLiteral("changeuuid"), QStringLiteral("8f%1a0c2-1b3d-4e5f-8a9b-0c1d2e3f4a5b").arg(n, 2, 10, QLatin1Char('0')));
        o.insert(QStringLiteral("stationuuid"), QStringLiteral("c2%1fa9-8fe9-4a17-b092-aaee080f44%1").arg(n, 2, 10, QLatin1Char('0')));
        o.insert(QStringLiteral("name"), QString::fromUtf8(name));
        o.insert(QStringLiteral("url"), QString::fromUtf8(url));
        o.insert(QStringLiteral("url_resolved"), QString::fromUtf8(resolved));
        o.insert(QStringLiteral("homepage"), QStringLiteral("https://radio.example.org/"));
        const QString icon = QString::fromUtf8(favicon);
        o.insert(QStringLiteral("favicon"), icon.startsWith(QLatin1Char('/')) ? origin.toString() + icon : icon);
        o.insert(QStringLiteral("tags"), QString::fromUtf8(tags));
        o.insert(QStringLiteral("country"), QStringLiteral("France"));
        o.insert(QStringLiteral("countrycode"), QStringLiteral("FR"));
        o.insert(QStringLiteral("codec"), QStringLiteral("MP3"));
        o.insert(QStringLiteral("bitrate"), 128);
        o.insert(QStringLiteral("hls"), 0);
        o.insert(QStringLiteral("lastcheckok"), 1);
        o.insert(QStringLiteral("clickcount"), 1000 - n);
        o.insert(QStringLiteral("votes"), 50 - n);
        o.insert(QStringLiteral("geo_lat"), QJsonValue::Null);
        o.insert(QStringLiteral("has_extended_info"), false);
        return o;
    };
    QJsonArray stations = {
        station(1, "FIP", "http://radio.example.org/fip.mp3", "https://radio.example.org/fip-hifi.aac", "", "eclectic,jazz,mp3"),
        station(2, "Radio Gardon", "http://radio.example.org/gardon", "http://radio.example.org/gardon.mp3", "/logos/256.png", "mp3,128k,folk,live"),
        station(3, " fip ", "http://radio.example.org/fip2.mp3", "http://radio.example.org/fip2.mp3", "/logos/300.png", "jazz"),
        station(4, "Ondes Petites", "http://radio.example.org/ondes", "", "/logos/64.png", "mp3,fm,2000"),
        station(5, "Canal Cévennes", "", "", "/logos/256.png", "pop"),
        station(6, "France Inter", "http://radio.example.org/inter", "https://radio.example.org/inter.aac", "", "news,talk"),
        station(7, "Jazz Nocturne", "http://radio.example.org/jazz", "http://radio.example.org/jazz.mp3", "/logos/page.html", "jazz, smooth jazz"),
        station(8, "Radio Plein Sud", "http://radio.example.org/sud", "http://radio.example.org/sud.mp3", "/logos/300.jpg", "world music,pop"),
        station(9, "Vieux Port FM", "http://radio.example.org/port", "http://radio.example.org/port.mp3", "/logos/missing.png", "oldies"),
        station(10, "Antenne Libre", "http://radio.example.org/libre", "http://radio.example.org/libre.mp3", "", ""),
    };
    return QJsonDocument(stations).toJson(QJsonDocument::Compact);
}

SimWebServices::Reply SimWebServices::logo(const QString &name) const
{
    // "<size>.png" or "<size>.jpg": a square image of that many pixels; "page.html": a web page.
    if (name == QLatin1String("page.html"))
        return Reply{200, "text/html; charset=utf-8", "<!doctype html><html><body>Logo</body></html>"};
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    bool ok = false;
    const int size = name.left(dot).toInt(&ok);
    const QString type = name.mid(dot + 1);
    // A station's own logo ("fip.png"): its cover, at the size logos come in. "missing…" is
    // the name of a logo that is not there.
    if (!ok && dot > 0 && type == QLatin1String("png") && !name.startsWith(QLatin1String("missing")))
        return Reply{200, "image/png", coverImage(name.left(dot), 256, "PNG")};
    if (!ok || size < 1 || size > 2000 || (type != QLatin1String("png") && type != QLatin1String("jpg")))
        return Reply{404, "text/plain", {}};
    // Grain makes the files as large as real logos, so a range request gets only a part (206).
    QImage image(size, size, QImage::Format_RGB32);
    quint32 seed = quint32(size) * 2654435761u;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            seed = seed * 1664525u + 1013904223u;
            image.setPixel(x, y, QColor::fromHsv((size * 37) % 360, 160, 150 + int(seed >> 26)).rgb());
        }
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, type == QLatin1String("png") ? "PNG" : "JPEG");
    return Reply{200, type == QLatin1String("png") ? "image/png" : "image/jpeg", buffer.data()};
}

} // namespace corvane::sim
