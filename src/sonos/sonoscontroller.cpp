#include "sonoscontroller.h"

#include "async/http.h"
#include "base/corvaneerror.h"
#include "base/text.h"


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
    if (service == upnp::groupRenderingControl)
        return QStringLiteral("/MediaRenderer/GroupRenderingControl/Control");
    if (service == upnp::alarmClock)
        return QStringLiteral("/AlarmClock/Control");
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

QCoro::Task<QStringList> SonosController::browseAll(QString objectID, int limit) const
{
    const auto number = [](const QString &reply, QLatin1StringView name) {
        const QString open = QLatin1Char('<') + name + QLatin1Char('>');
        const QString close = QStringLiteral("</") + name + QLatin1Char('>');
        const qsizetype from = reply.indexOf(open);
        const qsizetype to = from < 0 ? -1 : reply.indexOf(close, from);
        bool ok = false;
        const int value = to < 0 ? 0 : QStringView(reply).sliced(from + open.size(), to - from - open.size()).trimmed().toInt(&ok);
        return ok ? std::optional<int>(value) : std::nullopt;
    };
    for (int attempt = 0;; ++attempt) {
        QStringList pages;
        std::optional<int> updateID;
        bool moved = false;
        int start = 0;
        while (start < limit) {
            // The counts sit outside the escaped result: they read the same after unescaping.
            QString page = co_await browse(objectID, start, std::min(pageSize, limit - start));
            const int returned = number(page, QLatin1StringView("NumberReturned")).value_or(0);
            const std::optional<int> total = number(page, QLatin1StringView("TotalMatches"));
            const std::optional<int> update = number(page, QLatin1StringView("UpdateID"));
            pages.append(std::move(page));
            if (update && updateID && *update != *updateID) {
                moved = true;
                break;
            }
            if (update)
                updateID = update;
            start += returned;
            if (returned <= 0 || !total || start >= *total)
                break;
        }
        if (!moved || attempt == 2)
            co_return pages;
    }
}

} // namespace corvane
