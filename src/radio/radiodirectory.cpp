#include "radiodirectory.h"

#include "async/http.h"
#include "async/tasks.h"
#include "base/configuration.h"
#include "base/text.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QSet>

namespace corvane::RadioDirectory {

namespace {

const QByteArray kUserAgent = "Corvane/1.0 (Sonos remote)";
constexpr qsizetype maxLogoProbes = 4;

// The logos of well-known stations, by normalised name; file names under the logo origin.
const QHash<QString, QString> &knownLogos()
{
    static const QHash<QString, QString> table = {
        {"bfm business", "bfm-business.png"}, {"bfm radio", "bfm-radio.png"},
        {"chante france", "chante-france.png"}, {"europe 1", "europe-1.png"},
        {"fip", "fip.png"}, {"france bleu paris", "france-bleu-paris.png"},
        {"france culture", "france-culture.png"}, {"france info", "france-info.png"},
        {"france inter", "france-inter.png"}, {"france musique", "france-musique.png"},
        {"fun radio", "fun-radio.png"}, {"jazz radio", "jazz-radio.png"},
        {"m radio", "m-radio.png"}, {"mouv'", "mouv.png"},
        {"nostalgie", "nostalgie.png"}, {"radio classique", "radio-classique.png"},
        {"radio meuh", "radio-meuh.png"}, {"radio nostalgie", "nostalgie.png"},
        {"radio orient", "radio-orient.png"}, {"rfi", "rfi.png"},
        {"rire et chansons", "rire-et-chansons.png"}, {"rmc", "rmc.png"},
        {"rtl", "rtl.png"}, {"rtl france", "rtl.png"},
        {"skyrock", "skyrock.png"}, {"sud radio", "sud-radio.png"},
        {"tsf jazz", "tsf-jazz.png"},
    };
    return table;
}

std::optional<QString> optionalString(const QJsonObject &object, const char *key, bool *ok)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    if (!value.isString()) {
        *ok = false;
        return std::nullopt;
    }
    return value.toString();
}

// Logos are fetched over HTTPS; a server on this very computer (the simulator) has no
// certificate to offer and keeps its plain address.
QString upgraded(QString url)
{
    const QString host = QUrl(url).host();
    if (host.startsWith(QLatin1String("127.")) || host == QLatin1String("localhost"))
        return url;
    if (url.startsWith(QLatin1String("http://")))
        url.replace(0, 7, QStringLiteral("https://"));
    return url;
}

} // namespace

QList<RadioStation> builtIn()
{
    const auto station = [](const char *id, const char *name, const char *genre, const char *stream) {
        return RadioStation{QString::fromUtf8(id), QString::fromUtf8(name), QCoreApplication::translate("Radio", genre), QString::fromUtf8(stream), std::nullopt};
    };
    return {
        station("nrj", "NRJ", QT_TRANSLATE_NOOP("Radio", "Hits"), "https://streaming.nrjaudio.fm/oumvmk8fnozc"),
        station("skyrock", "Skyrock", QT_TRANSLATE_NOOP("Radio", "Rap"), "https://icecast.skyrock.net/s/natio_mp3_128k"),
        station("fun", "Fun Radio", QT_TRANSLATE_NOOP("Radio", "Dance"), "https://streamer-01.rtl.fr/fun-1-44-128"),
        station("rfm", "RFM", QT_TRANSLATE_NOOP("Radio", "Pop"), "https://ais-live.cloud-services.paris:8443/rfm.mp3"),
        station("fip", "FIP", QT_TRANSLATE_NOOP("Radio", "Éclectique"), "https://icecast.radiofrance.fr/fip-hifi.aac"),
        station("inter", "France Inter", QT_TRANSLATE_NOOP("Radio", "Généraliste"), "https://icecast.radiofrance.fr/franceinter-hifi.aac"),
        station("info", "France Info", QT_TRANSLATE_NOOP("Radio", "Info"), "https://icecast.radiofrance.fr/franceinfo-hifi.aac"),
        station("musique", "France Musique", QT_TRANSLATE_NOOP("Radio", "Classique"), "https://icecast.radiofrance.fr/francemusique-hifi.aac"),
        station("classique", "Radio Classique", QT_TRANSLATE_NOOP("Radio", "Classique"), "https://radioclassique.ice.infomaniak.ch/radioclassique-high.mp3"),
        station("europe1", "Europe 1", QT_TRANSLATE_NOOP("Radio", "Généraliste"), "https://europe1.lmn.fm/europe1.mp3"),
    };
}

QString genreFromTags(const QString &tags)
{
    static const QSet<QString> ignored = {"aac", "mp3", "ogg", "flac", "radio", "fm", "am", "128k", "192k", "320k",
                                          "hifi", "hi-fi", "live", "france", "french", "français", "francais", "web"};
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    for (const QString &piece : tags.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString tag = piece.trimmed().toLower();
        if (tag.size() <= 2 || ignored.contains(tag) || digits.match(tag).hasMatch())
            continue;
        // Each word capitalised, and each part of a hyphenated one: "hip-hop" is "Hip-Hop".
        QString genre = tag.simplified();
        for (qsizetype i = 0; i < genre.size(); ++i) {
            if (i == 0 || genre.at(i - 1) == QLatin1Char(' ') || genre.at(i - 1) == QLatin1Char('-'))
                genre[i] = genre.at(i).toUpper();
        }
        return genre;
    }
    return QStringLiteral("Radio");
}

std::optional<QString> knownLogo(const QString &name)
{
    QString normalised = foldCaseAndAccents(name);
    normalised.replace(QLatin1Char('-'), QLatin1Char(' ')).replace(QChar(0x2019), QLatin1Char('\''));
    normalised = normalised.split(QLatin1Char(' '), Qt::SkipEmptyParts).join(QLatin1Char(' '));
    const QHash<QString, QString> &table = knownLogos();
    QString key;
    if (table.contains(normalised)) {
        key = normalised;
    } else {
        for (auto it = table.cbegin(); it != table.cend(); ++it) {
            if (normalised.startsWith(it.key() + QLatin1Char(' ')) && it.key().size() > key.size())
                key = it.key();
        }
    }
    if (key.isEmpty())
        return std::nullopt;
    return upgraded(Configuration::logoOrigin().resolved(QUrl(table.value(key))).toString());
}

std::optional<QList<Candidate>> clean(const QByteArray &reply)
{
    const QJsonDocument document = QJsonDocument::fromJson(reply);
    if (!document.isArray())
        return std::nullopt;
    QList<Candidate> stations;
    QSet<QString> seen;
    for (const QJsonValue &value : document.array()) {
        const QJsonObject entry = value.toObject();
        if (!value.isObject() || !entry.value(QLatin1String("stationuuid")).isString() || !entry.value(QLatin1String("name")).isString())
            return std::nullopt;
        bool ok = true;
        const auto resolved = optionalString(entry, "url_resolved", &ok);
        const auto url = optionalString(entry, "url", &ok);
        const auto favicon = optionalString(entry, "favicon", &ok);
        const auto tags = optionalString(entry, "tags", &ok);
        optionalString(entry, "codec", &ok);
        if (!ok)
            return std::nullopt;

        const QString stream = resolved ? *resolved : url.value_or(QString());
        if (stream.isEmpty())
            continue;
        const QString name = entry.value(QLatin1String("name")).toString().trimmed();
        if (seen.contains(name.toLower()))
            continue;
        seen.insert(name.toLower());

        Candidate candidate;
        candidate.station = RadioStation{entry.value(QLatin1String("stationuuid")).toString(), name,
                                         genreFromTags(tags.value_or(QString())), stream, std::nullopt};
        if (const auto known = knownLogo(name)) {
            candidate.station.logo = known;
        } else if (favicon && !favicon->isEmpty()) {
            candidate.station.logo = upgraded(*favicon);
            candidate.probeLogo = true;
        }
        stations.append(candidate);
    }
    return stations;
}

std::optional<QSize> imageSize(const QByteArray &bytes)
{
    if (bytes.size() < 25)
        return std::nullopt;
    const auto byte = [&bytes](qsizetype i) { return quint8(bytes.at(i)); };
    const auto be16 = [&byte](qsizetype i) { return (int(byte(i)) << 8) | byte(i + 1); };
    const auto be32 = [&byte](qsizetype i) {
        return (quint32(byte(i)) << 24) | (quint32(byte(i + 1)) << 16) | (quint32(byte(i + 2)) << 8) | byte(i + 3);
    };
    if (bytes.startsWith("\x89PNG"))
        return QSize(int(be32(16)), int(be32(20))); // IHDR follows the signature
    if (byte(0) != 0xFF || byte(1) != 0xD8)
        return std::nullopt;
    qsizetype at = 2;
    while (at + 4 <= bytes.size()) {
        if (byte(at) != 0xFF)
            return std::nullopt;
        const quint8 marker = byte(at + 1);
        if (marker == 0xFF) { // padding
            ++at;
            continue;
        }
        if (marker >= 0xC0 && marker <= 0xC3) {
            if (at + 9 > bytes.size())
                return std::nullopt;
            return QSize(be16(at + 7), be16(at + 5));
        }
        if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
            at += 2;
            continue;
        }
        at += 2 + be16(at + 2);
    }
    return std::nullopt;
}

QCoro::Task<bool> logoIsUsable(QString url)
{
    HttpRequest request;
    request.url = QUrl(url);
    request.timeout = delays().logoProbeTimeout;
    // Only the first bytes are asked for; a server that ignores the range still stops here.
    request.maxBody = 256 * 1024;
    request.headers = {{"Range", "bytes=0-4095"},
                       {"User-Agent", "Corvane/1.0 (Sonos remote; contact: " + Configuration::contactAddress().toUtf8() + ')'}};
    const HttpResult result = co_await httpSend(webNetwork(), request);
    if (result.status != 200 && result.status != 206)
        co_return false;
    // Media types are case-insensitive: "Image/PNG" is an image.
    if (!result.header("Content-Type").toLower().startsWith("image/"))
        co_return false;
    const auto size = imageSize(result.body.left(4096));
    co_return !size || std::min(size->width(), size->height()) >= 120;
}

QCoro::Task<QList<RadioStation>> stations(QString countryCode, int limit, QUrl origin)
{
    const QUrl url(origin.toString() + QStringLiteral("/json/stations/bycountrycodeexact/") + countryCode
                       + QStringLiteral("?limit=%1&order=clickcount&reverse=true&hidebroken=true").arg(limit),
                   QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty() || url.host().isEmpty())
        co_return builtIn();
    HttpRequest request;
    request.url = url;
    request.timeout = delays().radioDirectoryTimeout;
    request.headers = {{"User-Agent", kUserAgent}};
    const HttpResult result = co_await httpSend(webNetwork(), request);
    if (!result.status)
        co_return builtIn();
    auto candidates = clean(result.body);
    if (!candidates || candidates->isEmpty())
        co_return builtIn();

    // Doubtful logos are probed a few at a time. A logo the directory points at a host of this
    // computer or of the local network is never fetched: the directory is anyone's to edit, and
    // its entries must not make Corvane knock on the listener's own devices. The directory's own
    // server (a simulator on this computer) is the one exception.
    QList<qsizetype> probed;
    for (qsizetype i = 0; i < candidates->size(); ++i) {
        Candidate &candidate = (*candidates)[i];
        if (!candidate.probeLogo)
            continue;
        const QUrl logo(*candidate.station.logo);
        const bool directorysOwn = logo.host() == origin.host() && logo.port(-1) == origin.port(-1);
        if (isLocalNetworkHost(logo.host()) && !directorysOwn)
            candidate.station.logo.reset();
        else
            probed.append(i);
    }
    for (qsizetype first = 0; first < probed.size(); first += maxLogoProbes) {
        std::vector<QCoro::Task<bool>> probes;
        const QList<qsizetype> batch = probed.mid(first, maxLogoProbes);
        for (const qsizetype i : batch)
            probes.push_back(logoIsUsable(*candidates->at(i).station.logo));
        const std::vector<bool> usable = co_await whenAll(std::move(probes));
        for (qsizetype p = 0; p < batch.size(); ++p) {
            if (!usable[size_t(p)])
                (*candidates)[batch[p]].station.logo.reset();
        }
    }

    QList<RadioStation> withLogo;
    QList<RadioStation> without;
    for (const Candidate &candidate : std::as_const(*candidates))
        (candidate.station.logo ? withLogo : without).append(candidate.station);
    co_return withLogo + without;
}

bool lightInk(const QImage &image)
{
    if (image.isNull())
        return true;
    QImage thumb(32, 32, QImage::Format_RGBA8888_Premultiplied);
    thumb.fill(Qt::transparent);
    QPainter painter(&thumb);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, 32, 32), image);
    painter.end();
    double weighted = 0;
    double weights = 0;
    for (int y = 0; y < 32; ++y) {
        const uchar *line = thumb.constScanLine(y);
        for (int x = 0; x < 32; ++x) {
            const double a = line[x * 4 + 3] / 255.0;
            if (a <= 0.02)
                continue;
            const double r = line[x * 4] / 255.0 / a;
            const double g = line[x * 4 + 1] / 255.0 / a;
            const double b = line[x * 4 + 2] / 255.0 / a;
            weighted += (0.2126 * r + 0.7152 * g + 0.0722 * b) * a;
            weights += a;
        }
    }
    return weights == 0 || weighted / weights >= 0.55;
}

bool lightInk(const QString &key, const QImage &image)
{
    // Main thread only, like every tile.
    static QHash<QString, bool> cache;
    const auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    const bool light = lightInk(image);
    cache.insert(key, light);
    return light;
}

double fallbackHue(const QString &name)
{
    // FNV-1a over the UTF-8 name: the same colour for a station on every run and computer.
    quint32 hash = 2166136261u;
    for (const char c : name.toUtf8()) {
        hash ^= quint8(c);
        hash *= 16777619u;
    }
    return double(std::abs(qint32(hash) % 360)) / 360.0;
}

} // namespace corvane::RadioDirectory
