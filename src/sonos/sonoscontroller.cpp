#include "sonoscontroller.h"

#include "async/http.h"
#include "corvaneerror.h"
#include "text.h"


namespace corvane {

SonosController::SonosController(Speaker speaker, CancellationToken token)
    : m_speaker(std::move(speaker)), m_token(std::move(token))
{
}

QString SonosController::controlPath(const QString &service)
{
    if (service == upnp::avTransport)
        return QStringLiteral("/MediaRenderer/AVTransport/Control");
    if (service == upnp::renderingControl)
        return QStringLiteral("/MediaRenderer/RenderingControl/Control");
    if (service == upnp::contentDirectory)
        return QStringLiteral("/MediaServer/ContentDirectory/Control");
    return QStringLiteral("/MusicServices/Control");
}

QByteArray SonosController::envelope(const QString &service, const QString &action,
                                     const QString &body)
{
    return (QStringLiteral("<?xml version=\"1.0\"?>"
                           "<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                           "s:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\">"
                           "<s:Body><u:")
            + action + QStringLiteral(" xmlns:u=\"") + service + QStringLiteral("\">") + body
            + QStringLiteral("</u:") + action + QStringLiteral("></s:Body></s:Envelope>"))
        .toUtf8();
}

QCoro::Task<QString> SonosController::soap(QString service, QString action, QString body) const
{
    const QString path = controlPath(service);
    QString reply = co_await soap(service, path, action, body);
    co_return reply;
}

QCoro::Task<QString> SonosController::soap(QString service, QString path, QString action,
                                           QString body) const
{
    QUrl url = m_speaker.baseURL();
    url.setPath(path);

    HttpRequest request;
    request.method = "POST";
    request.url = url;
    request.headers = {
        {"Content-Type", "text/xml; charset=\"utf-8\""},
        {"SOAPACTION", ('"' + service + '#' + action + '"').toUtf8()},
    };
    request.body = envelope(service, action, body);
    request.timeout = delays().soapTimeout;
    request.maxBody = bodyLimit::speaker;
    request.token = m_token;
    // Reading actions change nothing on the speaker.
    request.readOnly = action.startsWith(QLatin1String("Get")) || action == QLatin1String("Browse")
        || action == QLatin1String("ListAvailableServices");

    const HttpResult result = co_await httpSend(speakerNetwork(), request);
    if (!result.status)
        throw CorvaneError::network(result.errorMessage);
    if (*result.status == 403)
        throw CorvaneError::localControlDisabled();
    // Speakers answer in UTF-8; anything else counts as no text at all.
    const QString text = strictUtf8(result.body).value_or(QString());
    if (*result.status != 200)
        throw CorvaneError::sonosRefused(firstCapture(QStringLiteral("<errorCode>(\\d+)</errorCode>"), text));
    co_return text;
}

QCoro::Task<QString> SonosController::browse(QString objectID, int start, int count) const
{
    const QString body = QStringLiteral("<ObjectID>") + xmlEscape(objectID)
        + QStringLiteral("</ObjectID><BrowseFlag>BrowseDirectChildren</BrowseFlag><Filter>*</"
                         "Filter><StartingIndex>")
        + QString::number(start) + QStringLiteral("</StartingIndex><RequestedCount>")
        + QString::number(count) + QStringLiteral("</RequestedCount><SortCriteria></SortCriteria>");
    const QString reply = co_await soap(upnp::contentDirectory, QStringLiteral("Browse"), body);
    co_return xmlUnescape(xmlUnescape(reply));
}

} // namespace corvane
