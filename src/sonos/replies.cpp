#include "replies.h"

#include "base/text.h"

#include <QRegularExpression>

#include <algorithm>

namespace corvane {

namespace {

QRegularExpression caseless(const char *pattern)
{
    return QRegularExpression(QString::fromLatin1(pattern),
                              QRegularExpression::CaseInsensitiveOption);
}

QString captureOrEmpty(const QRegularExpression &pattern, const QString &text)
{
    return firstCapture(pattern, text).value_or(QString());
}

std::optional<int> captureInt(const QRegularExpression &pattern, const QString &text)
{
    const auto captured = firstCapture(pattern, text);
    if (!captured || captured->isEmpty())
        return std::nullopt;
    bool ok = false;
    const int value = captured->toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// Titles and artists run lazily up to their closing tag: after the second unescape a title may
// hold '<' itself.
std::optional<QString> titleOf(QStringView text)
{
    return firstBetween(text, QLatin1StringView("<dc:title>"), QLatin1StringView("</dc:title>"));
}

QString creatorOf(QStringView text)
{
    return firstBetween(text, QLatin1StringView("<dc:creator>"), QLatin1StringView("</dc:creator>")).value_or(QString());
}

// The text of the first <res ...>…</res> (the item's address), or empty.
QString resourceOf(QStringView text)
{
    qsizetype at = 0;
    while (true) {
        const qsizetype start = text.indexOf(QLatin1StringView("<res"), at, Qt::CaseInsensitive);
        if (start < 0)
            return {};
        const qsizetype tagEnd = text.indexOf(QLatin1Char('>'), start);
        if (tagEnd < 0)
            return {};
        const qsizetype end = text.indexOf(QLatin1Char('<'), tagEnd + 1);
        if (end < 0)
            return {};
        if (text.mid(end).startsWith(QLatin1StringView("</res>"), Qt::CaseInsensitive))
            return text.mid(tagEnd + 1, end - tagEnd - 1).toString();
        at = tagEnd + 1;
    }
}

const QRegularExpression &albumArtPattern()
{
    static const QRegularExpression p = caseless("<upnp:albumArtURI>([^<]*)</upnp:albumArtURI>");
    return p;
}

// The top-level <item ...>...</item> elements of a DIDL-Lite document. A favorite carries its own
// DIDL-Lite in r:resMD, and a single-track favorite nests an <item> there: counting depth keeps
// that nested item inside its favorite instead of ending the favorite at the nested close tag.
QList<QStringView> topLevelItems(const QString &didl)
{
    static const QRegularExpression tag(QStringLiteral("<(/?)item(?=[\\s>/])"));
    QList<QStringView> items;
    int depth = 0;
    qsizetype start = -1;
    auto it = tag.globalMatch(didl);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const bool closing = !m.capturedView(1).isEmpty();
        if (!closing) {
            if (depth++ == 0)
                start = m.capturedStart(0);
        } else if (depth > 0 && --depth == 0) {
            const qsizetype end = didl.indexOf(QLatin1Char('>'), m.capturedEnd(0));
            if (end < 0)
                break;
            items.append(QStringView(didl).mid(start, end + 1 - start));
        }
    }
    return items;
}

} // namespace

QList<SonosFavorite> parseFavorites(const QString &didl, const Speaker &speaker)
{
    QList<SonosFavorite> favorites;
    for (const QStringView view : topLevelItems(didl)) {
        const QString item = view.toString();
        const QList<QStringView> tags = startTags(item, QStringLiteral("item"));
        const auto id = tags.isEmpty() ? std::nullopt : attributeValue(tags.first(), QStringLiteral("id"));
        if (!id || id->isEmpty())
            continue;
        const auto title = titleOf(item);
        if (!title)
            continue;
        SonosFavorite favorite;
        favorite.id = *id;
        favorite.title = *title;
        favorite.artworkURL = resolveArtwork(captureOrEmpty(albumArtPattern(), item), speaker);
        favorite.uri = resourceOf(item);
        favorite.metadata = firstBetween(item, QLatin1StringView("<r:resMD>"), QLatin1StringView("</r:resMD>")).value_or(QString());
        favorites.append(favorite);
    }
    return favorites;
}

QList<QueueItem> parseQueue(const QString &didl, const Speaker &speaker)
{
    static const QRegularExpression songPattern = caseless("song(?:%3a|%3A|:)(\\d+)");

    QList<QueueItem> items;
    for (const QStringView element : elements(didl, QLatin1StringView("item"))) {
        const QString id = attributeValue(element, QStringLiteral("id")).value_or(QString()).trimmed();
        if (!id.startsWith(QLatin1String("Q:0/")))
            continue;
        bool ok = false;
        const int number = QStringView(id).mid(4).toInt(&ok, 10);
        if (!ok)
            continue;
        const QString item = element.toString();
        QueueItem entry;
        entry.id = number;
        entry.artworkURL = resolveArtwork(captureOrEmpty(albumArtPattern(), item), speaker);
        entry.title = titleOf(item).value_or(QStringLiteral("—"));
        entry.artist = creatorOf(item);
        entry.songID = firstCapture(songPattern, item);
        items.append(entry);
    }
    return items;
}

NowPlaying parseNowPlaying(const QString &positionText, const QString &transportText,
                           const Speaker &speaker, const QString &station)
{
    static const QRegularExpression album = caseless("<upnp:album>([^<]*)</upnp:album>");
    static const QRegularExpression state =
        caseless("<CurrentTransportState>([A-Z_]+)</CurrentTransportState>");
    static const QRegularExpression track = caseless("<Track>(\\d+)</Track>");
    static const QRegularExpression relTime = caseless("<RelTime>([0-9:]+)</RelTime>");
    static const QRegularExpression song = caseless("song%3[aA]([0-9]+)");
    static const QRegularExpression duration =
        caseless("<TrackDuration>([0-9:]+)</TrackDuration>");

    NowPlaying now;
    now.title = titleOf(positionText).value_or(QString());
    now.artist = creatorOf(positionText);
    now.album = captureOrEmpty(album, positionText);
    now.isPlaying = firstCapture(state, transportText) == QStringLiteral("PLAYING");
    now.queueIndex = captureInt(track, positionText);
    now.elapsed = hmsSeconds(firstCapture(relTime, positionText));
    now.trackID = firstCapture(song, positionText);
    now.duration = hmsSeconds(firstCapture(duration, positionText));
    now.artworkURL = resolveArtwork(captureOrEmpty(albumArtPattern(), positionText), speaker);

    const QString uri = parseTrackURI(positionText);
    now.isLive = isInputSource(uri) || isLiveStream(uri);
    if (isInputSource(uri)) {
        // The speaker calls every input "Audio Component": that names no music.
        now.title.clear();
        now.artist.clear();
        now.album.clear();
    } else if (isLiveStream(uri)) {
        // The stream's own title is a file name or the stream's address; the station's name came
        // with the stream when it was chosen, and the song is what the stream announces now
        // (speakers put their own ZPSTR_ status words there while they connect).
        QString announced = firstBetween(positionText, QLatin1StringView("<r:streamContent>"), QLatin1StringView("</r:streamContent>"))
                                .value_or(QString())
                                .trimmed();
        if (announced.startsWith(QLatin1String("ZPSTR_")))
            announced.clear();
        QString fallback = now.title;
        if (fallback.startsWith(QLatin1String("x-")) || fallback.contains(QLatin1String("://")))
            fallback.clear();
        now.title = !station.isEmpty() ? station : !announced.isEmpty() ? announced : fallback;
        now.artist = !station.isEmpty() ? announced : QString();
        now.album.clear();
    }
    return now;
}

QString parseTrackURI(const QString &positionText)
{
    static const QRegularExpression uri = caseless("<TrackURI>([^<]*)</TrackURI>");
    return captureOrEmpty(uri, positionText).trimmed();
}

std::optional<QString> followedCoordinator(const QString &trackURI)
{
    static const QRegularExpression follower(QStringLiteral("^x-rincon:(RINCON_[0-9A-Za-z]+)$"));
    return firstCapture(follower, trackURI);
}

bool isLiveStream(const QString &trackURI)
{
    static const char *const schemes[] = {"x-rincon-mp3radio:", "x-sonosapi-stream:", "x-sonosapi-radio:",
                                          "x-sonosapi-hls:", "aac:", "hls-radio:"};
    return std::any_of(std::begin(schemes), std::end(schemes), [&trackURI](const char *scheme) {
        return trackURI.startsWith(QLatin1String(scheme), Qt::CaseInsensitive);
    });
}

bool isInputSource(const QString &trackURI)
{
    return trackURI.startsWith(QLatin1String("x-rincon-stream:"), Qt::CaseInsensitive)
        || trackURI.startsWith(QLatin1String("x-sonos-htastream:"), Qt::CaseInsensitive);
}

QString parseStationName(const QString &mediaText)
{
    const QString metadata = firstBetween(mediaText, QLatin1StringView("<CurrentURIMetaData>"), QLatin1StringView("</CurrentURIMetaData>"))
                                 .value_or(QString());
    return titleOf(metadata).value_or(QString()).trimmed();
}

std::optional<PlayMode> parsePlayMode(const QString &reply)
{
    static const QRegularExpression mode = caseless("<PlayMode>([A-Z_]+)</PlayMode>");
    return playModeFromText(captureOrEmpty(mode, reply));
}

std::optional<int> parseSleepTimerRemaining(const QString &reply)
{
    static const QRegularExpression remaining =
        caseless("<RemainingSleepTimerDuration>([0-9:]+)</RemainingSleepTimerDuration>");
    const auto text = firstCapture(remaining, reply);
    if (!text || text->isEmpty())
        return std::nullopt;
    QList<qint64> numbers;
    for (const QStringView piece : QStringView(*text).split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        bool ok = false;
        const qint64 value = piece.toLongLong(&ok, 10);
        if (ok)
            numbers.append(value);
    }
    if (numbers.size() != 3)
        return std::nullopt;
    // A remaining time no int holds in seconds is no timer a speaker runs.
    if (std::any_of(numbers.cbegin(), numbers.cend(), [](qint64 n) { return n < 0 || n > maxHmsSeconds; }))
        return std::nullopt;
    const qint64 minutes = numbers[0] * 60 + numbers[1] + (numbers[2] > 0 ? 1 : 0);
    if (minutes * 60 > maxHmsSeconds)
        return std::nullopt;
    return int(minutes);
}

int parseVolume(const QString &reply)
{
    static const QRegularExpression volume = caseless("<CurrentVolume>(\\d+)</CurrentVolume>");
    return captureInt(volume, reply).value_or(0);
}

bool parseMute(const QString &reply)
{
    static const QRegularExpression mute = caseless("<CurrentMute>([01])</CurrentMute>");
    return firstCapture(mute, reply) == QStringLiteral("1");
}

Equalizer parseEqualizer(const QString &bassReply, const QString &trebleReply,
                         const QString &loudnessReply)
{
    static const QRegularExpression bass = caseless("<CurrentBass>(-?\\d+)</CurrentBass>");
    static const QRegularExpression treble = caseless("<CurrentTreble>(-?\\d+)</CurrentTreble>");
    static const QRegularExpression loudness =
        caseless("<CurrentLoudness>([01])</CurrentLoudness>");
    Equalizer eq;
    eq.bass = captureInt(bass, bassReply).value_or(0);
    eq.treble = captureInt(treble, trebleReply).value_or(0);
    eq.loudness = firstCapture(loudness, loudnessReply) == QStringLiteral("1");
    return eq;
}

std::optional<BatteryStatus> parseBatteryStatus(const QString &page)
{
    static const QRegularExpression level = caseless("<Data\\s+name\\s*=\\s*\"Level\"\\s*>\\s*(\\d+)\\s*</Data>");
    static const QRegularExpression source =
        caseless("<Data\\s+name\\s*=\\s*\"PowerSource\"\\s*>\\s*([A-Z_]+)\\s*</Data>");
    const auto percent = captureInt(level, page);
    if (!percent)
        return std::nullopt;
    return BatteryStatus{*percent, captureOrEmpty(source, page).contains(QLatin1String("USB"))};
}

} // namespace corvane
