#include "webmusicservice.h"

#include "publiccatalog.h"

#include "async/delays.h"
#include "async/http.h"
#include "async/tasks.h"
#include "authorizationflow.h"
#include "base/configuration.h"
#include "catalog.h"
#include "developertoken.h"

#include <QCoreApplication>
#include <QCoroSignal>
#include <QFile>
#include <QJsonDocument>
#include <QPointer>

namespace corvane {

WebMusicService::WebMusicService(Settings settings, UserTokenStore store)
    : m_settings(std::move(settings)), m_store(std::move(store))
{
    if (m_settings.publicOrigin.isValid() && !m_settings.publicOrigin.host().isEmpty())
        m_public = std::make_unique<PublicCatalog>(m_settings.publicOrigin, m_settings.publicCountry);
}

WebMusicService::~WebMusicService() = default;

PublicCatalog *WebMusicService::publicCatalog() const
{
    return authorizationStatus() == Status::Restricted ? m_public.get() : nullptr;
}

WebMusicService::Settings WebMusicService::configuredSettings()
{
    Settings settings;
    using Configuration::setting;
    settings.origin = Configuration::appleMusicOrigin();
    settings.musicKitScript = Configuration::musicKitScript();
    settings.publicOrigin = Configuration::itunesSearchOrigin();
    settings.publicCountry = Configuration::catalogCountry();
    const QByteArray given = setting("CORVANE_DEVELOPER_TOKEN", QStringLiteral("origins/developerToken")).toUtf8();
    if (!given.isEmpty()) {
        settings.developerToken = given;
    } else if (const QString keyFile = setting("CORVANE_MUSICKIT_KEY_FILE", QStringLiteral("origins/musicKitKeyFile")); !keyFile.isEmpty()) {
        // (A QFile without a name complains on stderr when opened.)
        QFile key(keyFile);
        if (key.open(QIODevice::ReadOnly))
            settings.developerToken = DeveloperToken::mint(key.readAll(), setting("CORVANE_MUSICKIT_KEY_ID", QStringLiteral("origins/musicKitKeyId")),
                                                           setting("CORVANE_MUSICKIT_TEAM_ID", QStringLiteral("origins/musicKitTeamId")));
    }
    return settings;
}

QCoro::Task<> WebMusicService::load()
{
    const std::optional<QString> token = co_await m_store.read();
    m_userToken = token;
    if (!m_store.fileProblem().isEmpty())
        failed(m_store.fileProblem());
}

MusicService::Status WebMusicService::authorizationStatus() const
{
    if (!m_settings.developerToken)
        return Status::Restricted;
    if (m_userToken)
        return Status::Authorized;
    return m_denied ? Status::Denied : Status::NotDetermined;
}

QCoro::Task<MusicService::Status> WebMusicService::requestAuthorization()
{
    if (authorizationStatus() == Status::Authorized || authorizationStatus() == Status::Restricted)
        co_return authorizationStatus();
    AuthorizationFlow flow(*m_settings.developerToken, m_settings.musicKitScript);
    if (!flow.start())
        co_return authorizationStatus();
    if (m_settings.openBrowser)
        m_settings.openBrowser(flow.pageURL());
    // The user has all the time the browser needs, within reason.
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, &flow, [&flow] { Q_EMIT flow.tokenReceived(QString()); });
    giveUp.start(delays().authorizationTimeout);
    const QString token = co_await qCoro(&flow, &AuthorizationFlow::tokenReceived);
    if (token.isEmpty())
        co_return authorizationStatus();
    co_await m_store.write(token);
    m_userToken = token;
    m_denied = false;
    co_return authorizationStatus();
}

QCoro::Task<std::optional<QByteArray>> WebMusicService::get(QString path)
{
    if (authorizationStatus() != Status::Authorized)
        co_return std::nullopt;
    // Paths come from the service's own replies too ("next" pages): whatever they say, the tokens
    // go to the service's origin and nowhere else.
    const QUrl url(m_settings.origin.toString() + path, QUrl::StrictMode);
    if (!path.startsWith(QLatin1Char('/')) || path.startsWith(QLatin1String("//")) || !url.isValid()
        || url.host().isEmpty() || url.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment)
            != m_settings.origin.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::StripTrailingSlash))
        co_return std::nullopt;
    HttpRequest request;
    request.url = url;
    request.redirectPolicy = QNetworkRequest::SameOriginRedirectPolicy;
    request.timeout = delays().musicRequestTimeout;
    request.headers = {{"Authorization", "Bearer " + *m_settings.developerToken}, {"User-Agent", Configuration::userAgent()}};
    const bool personal = path.startsWith(QLatin1String("/v1/me/"));
    if (personal)
        request.headers.append({"Music-User-Token", m_userToken->toUtf8()});
    const std::weak_ptr<int> alive = m_lifetime;
    const HttpResult result = co_await httpSend(webNetwork(), request);
    if (alive.expired())
        co_return std::nullopt; // the service went away meanwhile
    if (!result.status) {
        failed(QCoreApplication::translate("Network", "Apple Music ne répond pas : %1").arg(result.errorMessage));
        co_return std::nullopt;
    }
    if (*result.status == 401) {
        m_developerTokenRejected = true;
        failed(QCoreApplication::translate("Network", "Apple Music refuse le jeton de développeur de Corvane (erreur 401) : il a expiré ou n'est pas valable. "
                              "Vérifiez CORVANE_DEVELOPER_TOKEN ou la clé MusicKit."));
    } else if (*result.status == 403) {
        failed(personal ? QCoreApplication::translate("Network", "Apple Music refuse l'accès à votre compte (erreur 403) : reconnectez Corvane avec « corvane catalog authorize ».")
                        : QCoreApplication::translate("Network", "Apple Music refuse cette demande (erreur 403)."));
    } else if (*result.status == 404) {
        ++m_notFound;
        failed(QCoreApplication::translate("Network", "Apple Music ne trouve pas ce qui est demandé (erreur 404)."));
    } else if (*result.status != 200) {
        failed(QCoreApplication::translate("Network", "Apple Music a répondu par une erreur (%1). Réessayez plus tard.").arg(*result.status));
    } else if (QJsonParseError error; QJsonDocument::fromJson(result.body, &error).isNull()) {
        // A reply cut short, or not the JSON every path of the service answers with.
        failed(QCoreApplication::translate("Network", "La réponse d'Apple Music est incomplète ou illisible."));
        co_return std::nullopt;
    }
    if (result.status == 403 && personal) {
        // The user withdrew the access: forget the token, ask again next time.
        m_userToken.reset();
        m_denied = true;
        co_await m_store.remove();
    }
    if (result.status != 200)
        co_return std::nullopt;
    co_return result.body;
}

void WebMusicService::failed(QString message)
{
    ++m_failures;
    m_lastFailure = std::move(message);
}

QCoro::Task<std::optional<QString>> WebMusicService::countryCode()
{
    // Without a token there is no account to ask: the storefront chosen for the public search.
    if (PublicCatalog *open = publicCatalog())
        co_return open->country();
    // Copies: QCoro 0.8 moves from an lvalue that is co_returned, the member included.
    if (m_country) {
        std::optional<QString> known = m_country;
        co_return known;
    }
    // Views that start together (an artist's page starts seven) share one request.
    const std::weak_ptr<int> alive = m_lifetime;
    if (const std::shared_ptr<detail::Wakeup> pending = m_countryLookup) {
        if (!pending->hasFired())
            co_await qCoro(pending.get(), &detail::Wakeup::fired);
        if (alive.expired())
            co_return std::nullopt;
        std::optional<QString> shared = m_country;
        co_return shared;
    }
    const auto lookup = std::make_shared<detail::Wakeup>();
    m_countryLookup = lookup;
    const std::optional<QByteArray> body = co_await get(QStringLiteral("/v1/me/storefront"));
    if (alive.expired()) {
        lookup->fire();
        co_return std::nullopt;
    }
    const auto reply = body ? RestResponse::decode(*body) : std::nullopt;
    if (reply && !reply->data.isEmpty())
        m_country = reply->data.first().id;
    m_countryLookup.reset();
    lookup->fire();
    std::optional<QString> found = m_country;
    co_return found;
}

} // namespace corvane
