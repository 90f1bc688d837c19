#include "updatecheck.h"

#include "async/http.h"
#include "base/configuration.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>

namespace corvane {

UpdateCheck::UpdateCheck(QObject *parent) : QObject(parent) {}

bool UpdateCheck::isNewer(const QString &a, const QString &b)
{
    const auto numbers = [](const QString &version) {
        QList<long long> parts;
        for (const QString &piece : version.split(QLatin1Char('.'), Qt::SkipEmptyParts))
            parts.append(piece.toLongLong()); // not a number: 0
        return parts;
    };
    const QList<long long> x = numbers(a);
    const QList<long long> y = numbers(b);
    for (qsizetype i = 0; i < std::max(x.size(), y.size()); ++i) {
        const long long p = x.value(i, 0);
        const long long q = y.value(i, 0);
        if (p != q)
            return p > q;
    }
    return false;
}

std::optional<UpdateCheck::Release> UpdateCheck::decode(const QByteArray &json)
{
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    const QJsonValue version = object.value(QLatin1String("version"));
    const QUrl url(object.value(QLatin1String("url")).toString(), QUrl::StrictMode);
    if (!version.isString() || !url.isValid() || url.isRelative())
        return std::nullopt;
    Release release{version.toString(), url, std::nullopt};
    if (object.value(QLatin1String("notes")).isString())
        release.notes = object.value(QLatin1String("notes")).toString();
    return release;
}

bool UpdateCheck::isProjectPage(const QUrl &page, const QUrl &origin)
{
    if (!page.isValid() || !page.userInfo().isEmpty())
        return false;
    const QString host = page.host().toLower();
    if (page.scheme() == QLatin1String("https") && page.port(443) == 443
        && (host == QLatin1String("corvane.app") || host.endsWith(QLatin1String(".corvane.app"))))
        return true;
    return isLoopbackURL(origin) && page.scheme() == origin.scheme() && host == origin.host().toLower()
        && page.port(-1) == origin.port(-1);
}

QCoro::Task<> UpdateCheck::check(QString currentVersion, QUrl origin)
{
    if (currentVersion.isEmpty())
        co_return;
    QPointer<UpdateCheck> self(this);
    HttpRequest request;
    request.url = origin.resolved(QUrl(QStringLiteral("/corvane/version.json")));
    request.headers = {{"User-Agent", Configuration::userAgent()}};
    request.cacheLoad = QNetworkRequest::AlwaysNetwork;
    request.timeout = delays().updateTimeout;
    const HttpResult result = co_await httpSend(webNetwork(), request);
    if (!self || result.status != 200)
        co_return;
    auto release = decode(result.body);
    if (!release || !isNewer(release->version, currentVersion))
        co_return;
    // A manifest that points elsewhere still says a version exists, without a link to follow.
    if (!isProjectPage(release->url, origin))
        release->url = QUrl();
    m_available = release;
    Q_EMIT availableChanged();
}

} // namespace corvane
