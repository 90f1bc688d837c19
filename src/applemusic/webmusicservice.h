#pragma once

#include "async/tasks.h"
#include "musicservice.h"
#include "usertokenstore.h"

#include <QByteArray>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

namespace corvane {

// The music service over the Apple Music web API: the developer token signs every request, the
// user's Music-User-Token (from the browser flow, kept by UserTokenStore) goes with /v1/me/ ones.
class WebMusicService : public MusicService
{
public:
    struct Settings
    {
        QUrl origin;
        std::optional<QByteArray> developerToken;
        QUrl musicKitScript;
        // Opens the authorization page in the user's browser; tests drive it themselves.
        std::function<void(const QUrl &)> openBrowser;
        // The public search used without a developer token, and the storefront it searches;
        // no public search when the origin is empty.
        QUrl publicOrigin;
        QString publicCountry = QStringLiteral("fr");
    };

    WebMusicService(Settings settings, UserTokenStore store);
    ~WebMusicService() override;
    // The configured origins and tokens (CORVANE_APPLE_MUSIC_ORIGIN, CORVANE_DEVELOPER_TOKEN or a
    // .p8 key named by CORVANE_MUSICKIT_KEY_FILE, CORVANE_MUSICKIT_KEY_ID, CORVANE_MUSICKIT_TEAM_ID).
    static Settings configuredSettings();

    // Reads the stored user token; call once before the first request.
    QCoro::Task<> load();

    Status authorizationStatus() const override;
    QCoro::Task<Status> requestAuthorization() override;
    QCoro::Task<std::optional<QByteArray>> get(QString path) override;
    QCoro::Task<std::optional<QString>> countryCode() override;
    PublicCatalog *publicCatalog() const override;

    int failedRequests() const override { return m_failures; }
    QString lastFailure() const override { return m_lastFailure; }
    int notFoundRequests() const override { return m_notFound; }
    bool developerTokenRejected() const override { return m_developerTokenRejected; }
    bool keepsTokenInFile() const override { return m_store.usesFile(); }
    const UserTokenStore &store() const { return m_store; }

private:
    Settings m_settings;
    UserTokenStore m_store;
    std::unique_ptr<PublicCatalog> m_public;
    std::optional<QString> m_userToken;
    bool m_denied = false;
    bool m_developerTokenRejected = false;
    int m_failures = 0;
    int m_notFound = 0;
    QString m_lastFailure;
    void failed(QString message);
    std::optional<QString> m_country;
    std::shared_ptr<detail::Wakeup> m_countryLookup; // the storefront request in flight
    // Requests still running when the service goes away see it expire and touch nothing.
    std::shared_ptr<int> m_lifetime = std::make_shared<int>(0);
};

} // namespace corvane
