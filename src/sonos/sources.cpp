// Favorites, radio streams and line-in of SonosController.
#include "sonoscontroller.h"

#include "async/http.h"
#include "base/text.h"
#include "replies.h"

#include <QRegularExpression>

#include <algorithm>

namespace corvane {

namespace {
const QString kInstance = QStringLiteral("<InstanceID>0</InstanceID>");
}

QCoro::Task<QList<SonosFavorite>> SonosController::favorites(int count) const
{
    const QStringList pages = co_await browseAll(QStringLiteral("FV:2"), count);
    QList<SonosFavorite> favorites;
    for (const QString &page : pages)
        favorites += parseFavorites(page, m_speaker);
    co_return favorites;
}

QCoro::Task<> SonosController::playFavorite(SonosFavorite favorite) const
{
    if (favorite.uri.isEmpty())
        co_return;
    // Containers, service streams, plain radio streams, line-in and TV inputs are set directly; a
    // queue holds tracks only, so such a favorite sent there would be refused.
    static const char *const direct[] = {"x-rincon-cpcontainer:", "x-rincon-mp3radio:", "x-rincon-stream:",
                                         "x-sonos-htastream:"};
    const bool setDirectly = favorite.uri.contains(QLatin1String("x-sonosapi"))
        || std::any_of(std::begin(direct), std::end(direct),
                       [&favorite](const char *scheme) { return favorite.uri.startsWith(QLatin1String(scheme)); });
    if (setDirectly) {
        co_await setTransportURI(favorite.uri, favorite.metadata);
        co_await play();
        co_return;
    }
    co_await clearQueue();
    co_await addURIToQueue(favorite.uri, favorite.metadata, 0, false);
    co_await setQueueAsSource();
    co_await play();
}

QString SonosController::favoriteMetadata(const Track &track, const AppleMusicLink &link)
{
    QString artwork;
    if (const auto url = track.artworkURL(600))
        artwork = QStringLiteral("<upnp:albumArtURI>") + xmlEscape(url->toString(QUrl::FullyEncoded))
            + QStringLiteral("</upnp:albumArtURI>");
    return QStringLiteral("<DIDL-Lite xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
                          "xmlns:upnp=\"urn:schemas-upnp-org:metadata-1-0/upnp/\" "
                          "xmlns:r=\"urn:schemas-rinconnetworks-com:metadata-1-0/\" "
                          "xmlns=\"urn:schemas-upnp-org:metadata-1-0/DIDL-Lite/\">"
                          "<item id=\"\" parentID=\"\" restricted=\"false\"><dc:title>")
        + xmlEscape(track.title) + QStringLiteral("</dc:title><dc:creator>") + xmlEscape(track.artist)
        + QStringLiteral("</dc:creator>") + artwork
        + QStringLiteral("<res protocolInfo=\"sonos.com-http:*:audio/mp4:*\">") + xmlEscape(link.trackURI(track.id))
        + QStringLiteral("</res><upnp:class>object.itemobject.item.sonos-favorite</upnp:class>"
                         "<r:type>instantPlay</r:type><r:description>")
        + xmlEscape(track.artist)
        + QStringLiteral("</r:description><desc id=\"cdudn\" "
                         "nameSpace=\"urn:schemas-rinconnetworks-com:metadata-1-0/\">")
        + link.accountToken() + QStringLiteral("</desc></item></DIDL-Lite>");
}

QCoro::Task<> SonosController::addFavorite(Track track, AppleMusicLink link) const
{
    co_await soap(upnp::contentDirectory, QStringLiteral("CreateObject"),
                  QStringLiteral("<ContainerID>FV:2</ContainerID><Elements>")
                      + xmlEscape(favoriteMetadata(track, link)) + QStringLiteral("</Elements>"));
}

QCoro::Task<> SonosController::removeFavorite(QString id) const
{
    // The id comes from a speaker reply: it is escaped like any other inserted value.
    co_await soap(upnp::contentDirectory, QStringLiteral("DestroyObject"),
                  QStringLiteral("<ObjectID>") + xmlEscape(id) + QStringLiteral("</ObjectID>"));
}

QString SonosController::radioURI(const QString &stream)
{
    // Only the scheme in front goes: a URL carried inside the query must stay whole.
    static const QRegularExpression scheme(QStringLiteral("^https?://"), QRegularExpression::CaseInsensitiveOption);
    return QStringLiteral("x-rincon-mp3radio://") + QString(stream).remove(scheme);
}

QString SonosController::radioMetadata(const QString &title)
{
    return QStringLiteral("<DIDL-Lite xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
                          "xmlns:upnp=\"urn:schemas-upnp-org:metadata-1-0/upnp/\" "
                          "xmlns=\"urn:schemas-upnp-org:metadata-1-0/DIDL-Lite/\">"
                          "<item id=\"R:0/0/0\" parentID=\"R:0/0\" restricted=\"true\"><dc:title>")
        + xmlEscape(title)
        + QStringLiteral("</dc:title><upnp:class>object.item.audioItem.audioBroadcast</upnp:class>"
                         "<desc id=\"cdudn\" nameSpace=\"urn:schemas-rinconnetworks-com:metadata-1-0/\">"
                         "SA_RINCON65031_</desc></item></DIDL-Lite>");
}

QCoro::Task<> SonosController::playRadio(QString title, QString stream) const
{
    co_await setTransportURI(radioURI(stream), radioMetadata(title));
    co_await play();
}

QCoro::Task<bool> SonosController::hasLineIn() const
{
    const QUrl url(QStringLiteral("http://") + m_speaker.ip + QStringLiteral(":1400/xml/device_description.xml"),
                   QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        co_return false;
    HttpRequest request;
    request.url = url;
    request.timeout = delays().lineInTimeout;
    request.maxBody = bodyLimit::speaker;
    request.token = m_token;
    const HttpResult result = co_await httpSend(speakerNetwork(), request);
    if (!result.status)
        co_return false;
    co_return strictUtf8(result.body).value_or(QString()).contains(QLatin1String("serviceId:AudioIn"));
}

QCoro::Task<> SonosController::playLineIn() const
{
    co_await setTransportURI(QStringLiteral("x-rincon-stream:") + m_speaker.uuid, QString());
    co_await play();
}

} // namespace corvane
