// The household's Apple Music binding: found from what the speakers report, and turned into the
// URIs and DIDL-Lite a speaker needs to stream a song, album or playlist with the user's account.
#include "replies.h"
#include "base/corvaneerror.h"
#include "base/text.h"
#include "sonoscontroller.h"

#include <QRegularExpression>
#include <QUrl>

namespace corvane {

namespace {

const QString kDidlRoot = QStringLiteral(
    "<DIDL-Lite xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
    "xmlns:upnp=\"urn:schemas-upnp-org:metadata-1-0/upnp/\" "
    "xmlns=\"urn:schemas-upnp-org:metadata-1-0/DIDL-Lite/\">");

// An id inside a URI: catalogue and library ids pass unchanged, anything that would end the
// piece or add a parameter ('?', '&', '#', spaces, quotes) is percent-encoded.
QString uriPiece(const QString &id)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(id));
}

QString containerPrefix(const QString &kind)
{
    return kind == QLatin1String("album") ? QStringLiteral("1004206c") : QStringLiteral("1006206c");
}

QString accountDesc(const AppleMusicLink &link)
{
    return QStringLiteral("<desc id=\"cdudn\" nameSpace=\"urn:schemas-rinconnetworks-com:metadata-1-0/\">")
        + link.accountToken() + QStringLiteral("</desc>");
}

} // namespace

QString AppleMusicLink::accountToken() const
{
    const QString type = QString::number(serviceType());
    return QStringLiteral("SA_RINCON") + type + QStringLiteral("_X_#Svc") + type + QLatin1Char('-') + sn
        + QStringLiteral("-Token");
}

QString AppleMusicLink::trackURI(const QString &songID) const
{
    return scheme + QStringLiteral(":song%3a") + uriPiece(songID) + QStringLiteral(".mp4?sid=") + QString::number(sid)
        + QStringLiteral("&flags=") + flags + QStringLiteral("&sn=") + sn;
}

QString AppleMusicLink::trackMetadata(const Track &track) const
{
    return kDidlRoot + QStringLiteral("<item id=\"00032020song%3a") + xmlEscape(uriPiece(track.id))
        + QStringLiteral("\" parentID=\"00020000album%3a\" restricted=\"true\"><dc:title>")
        + xmlEscape(track.title) + QStringLiteral("</dc:title><dc:creator>") + xmlEscape(track.artist)
        + QStringLiteral("</dc:creator><upnp:album>") + xmlEscape(track.album)
        + QStringLiteral("</upnp:album><upnp:class>object.item.audioItem.musicTrack</upnp:class>")
        + accountDesc(*this) + QStringLiteral("</item></DIDL-Lite>");
}

QString AppleMusicLink::containerURI(const QString &kind, const QString &id) const
{
    return QStringLiteral("x-rincon-cpcontainer:") + containerPrefix(kind) + uriPiece(kind) + QStringLiteral("%3a") + uriPiece(id)
        + QStringLiteral("?sid=") + QString::number(sid) + QStringLiteral("&flags=8300&sn=") + sn;
}

QString AppleMusicLink::containerMetadata(const QString &kind, const QString &id, const QString &title) const
{
    const QString upnpClass = kind == QLatin1String("album") ? QStringLiteral("album.musicAlbum")
                                                             : QStringLiteral("playlistContainer");
    return kDidlRoot + QStringLiteral("<item id=\"") + containerPrefix(kind) + xmlEscape(uriPiece(kind)) + QStringLiteral("%3a") + xmlEscape(uriPiece(id))
        + QStringLiteral("\" parentID=\"0\" restricted=\"true\"><dc:title>") + xmlEscape(title)
        + QStringLiteral("</dc:title><upnp:class>object.container.") + upnpClass + QStringLiteral("</upnp:class>")
        + accountDesc(*this) + QStringLiteral("</item></DIDL-Lite>");
}

std::optional<int> appleMusicServiceId(const QString &services)
{
    for (const QStringView tag : startTags(services, QStringLiteral("Service"))) {
        const auto name = attributeValue(tag, QStringLiteral("Name"));
        if (!name || !name->toLower().contains(QLatin1String("apple music")))
            continue;
        bool ok = false;
        const int id = attributeValue(tag, QStringLiteral("Id")).value_or(QString()).toInt(&ok, 10);
        if (ok)
            return id;
    }
    return std::nullopt;
}

std::optional<AppleMusicLink> appleMusicLinkFromSamples(int sid, const QStringList &samples)
{
    // One address at a time: a sample may mix services, or hold Apple Music playlists whose
    // container flags (8300) are not a song's, so the serial and flags must come from the very
    // address of an Apple Music song. "&amp;" leaves ';' before a parameter.
    static const QRegularExpression song(QStringLiteral("(x-[a-z\\-]*http):song[^\\s<>\"']*"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression sn(QStringLiteral("[?&;]sn=(\\d+)"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression flags(QStringLiteral("[?&;]flags=(\\d+)"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression sidParameter(QStringLiteral("[?&;]sid=(\\d+)"), QRegularExpression::CaseInsensitiveOption);
    const QString marker = QStringLiteral("sid=") + QString::number(sid);
    for (const QString &sample : samples) {
        if (!sample.contains(marker))
            continue;
        // An address of exactly this service first; one whose sid merely contains it after.
        std::optional<AppleMusicLink> nearMatch;
        auto it = song.globalMatch(sample);
        while (it.hasNext()) {
            const QRegularExpressionMatch address = it.next();
            const QString text = address.captured(0);
            if (!text.contains(marker))
                continue;
            const auto foundSn = firstCapture(sn, text);
            const auto foundFlags = firstCapture(flags, text);
            if (!foundSn || !foundFlags)
                continue;
            const AppleMusicLink link{sid, *foundSn, *foundFlags, address.captured(1)};
            if (firstCapture(sidParameter, text) == QString::number(sid))
                return link;
            if (!nearMatch)
                nearMatch = link;
        }
        if (nearMatch)
            return nearMatch;
    }
    return std::nullopt;
}

QCoro::Task<AppleMusicLink> SonosController::appleMusicLink() const
{
    const QString services = co_await soap(upnp::musicServices, QStringLiteral("ListAvailableServices"), QString());
    const auto sid = appleMusicServiceId(xmlUnescape(xmlUnescape(services)));
    if (!sid)
        throw CorvaneError::appleMusicNotLinked();

    // Where the account shows: the current track, the queue, the favorites. Each read may fail
    // on its own without spoiling the others.
    QStringList samples;
    try {
        const QString position = co_await soap(upnp::avTransport, QStringLiteral("GetPositionInfo"),
                                               QStringLiteral("<InstanceID>0</InstanceID>"));
        samples << xmlUnescape(xmlUnescape(position));
    } catch (const CorvaneError &) {
    }
    try {
        const QString queue = co_await browse(QStringLiteral("Q:0"), 0, 50);
        samples << queue;
    } catch (const CorvaneError &) {
    }
    try {
        const QString favorites = co_await browse(QStringLiteral("FV:2"), 0, 50);
        samples << favorites;
    } catch (const CorvaneError &) {
    }
    const auto link = appleMusicLinkFromSamples(*sid, samples);
    if (!link)
        throw CorvaneError::appleMusicNotLinked();
    co_return *link;
}

} // namespace corvane
