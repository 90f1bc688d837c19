#include "applemusic/authorizationflow.h"
#include "applemusic/requests.h"
#include "applemusic/usertokenstore.h"
#include "applemusic/webmusicservice.h"
#include "async/http.h"
#include "simwebservices.h"
#include "testutil.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTcpSocket>
#include <QTest>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

namespace {

QCoro::Task<HttpResult> post(QUrl url, QByteArray body, QByteArray host = {})
{
    HttpRequest request;
    request.method = "POST";
    request.url = url;
    request.body = body;
    request.timeout = std::chrono::seconds(5);
    request.headers = {{"Content-Type", "application/json"}};
    if (!host.isEmpty())
        request.headers.append({"Host", host});
    HttpResult result = co_await httpSend(webNetwork(), request);
    co_return result;
}

QCoro::Task<HttpResult> fetch(QUrl url)
{
    HttpRequest request;
    request.url = url;
    request.timeout = std::chrono::seconds(5);
    HttpResult result = co_await httpSend(webNetwork(), request);
    co_return result;
}

// What the page's script does once the user signed in: read the state from the page, post the token.
QCoro::Task<> signInWithBrowser(QUrl page, QString token)
{
    const HttpResult html = co_await fetch(page);
    const QString state = QRegularExpression(QStringLiteral("state: \"([^\"]+)\"")).match(QString::fromUtf8(html.body)).captured(1);
    co_await post(page.resolved(QUrl(QStringLiteral("/token"))),
                  QStringLiteral("{\"state\":\"%1\",\"token\":\"%2\"}").arg(state, token).toUtf8());
}

} // namespace

class TestMusicService : public QObject
{
    Q_OBJECT

    QTemporaryDir m_profile;

private Q_SLOTS:
    void initTestCase() { qputenv("CORVANE_PROFILE", m_profile.path().toUtf8()); }
    void init() { QFile::remove(UserTokenStore::fileName()); }

    void tokenFileIsPrivate()
    {
        UserTokenStore store(false);
        QVERIFY(await(store.write(QStringLiteral("secret-token"))));
        QVERIFY(store.usesFile());
        const QFileInfo file(UserTokenStore::fileName());
        // Owner bits only: nothing for the group or the others (0600 and 0700).
        const auto groupAndOthers = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(file.permissions() & (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | groupAndOthers),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(QFileInfo(file.absolutePath()).permissions() & (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | groupAndOthers),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(await(store.read()), std::optional<QString>("secret-token"));
        await(store.remove());
        QCOMPARE(await(store.read()), std::nullopt);
    }

    void flowAcceptsTheRightStateOnce_data()
    {
        QTest::addColumn<QString>("attempt");
        QTest::addColumn<std::optional<int>>("status");
        QTest::newRow("wrong state") << "state" << std::optional<int>(403);
        QTest::newRow("another host name") << "host" << std::optional<int>(403);
        QTest::newRow("no token") << "empty" << std::optional<int>(403);
        QTest::newRow("right state") << "right" << std::optional<int>(200);
    }
    void flowAcceptsTheRightStateOnce()
    {
        QFETCH(QString, attempt);
        QFETCH(std::optional<int>, status);
        AuthorizationFlow flow("dev-token", QUrl(QStringLiteral("http://127.0.0.1:9/musickit.js")));
        QVERIFY(flow.start());
        QSignalSpy received(&flow, &AuthorizationFlow::tokenReceived);

        const HttpResult page = await(fetch(flow.pageURL()));
        QCOMPARE(page.status, std::optional<int>(200));
        QVERIFY(page.body.contains("http://127.0.0.1:9/musickit.js"));
        QVERIFY(page.body.contains(flow.state().toUtf8()));

        const QString state = attempt == QLatin1String("state") ? QStringLiteral("guess") : flow.state();
        const QString token = attempt == QLatin1String("empty") ? QString() : QStringLiteral("user-token");
        const QByteArray body = QStringLiteral("{\"state\":\"%1\",\"token\":\"%2\"}").arg(state, token).toUtf8();
        const QUrl target = flow.pageURL().resolved(QUrl(QStringLiteral("/token")));
        const QByteArray host = attempt == QLatin1String("host") ? QByteArray("rebound.example.org") : QByteArray();
        QCOMPARE(await(post(target, body, host)).status, status);
        QCOMPARE(received.size(), attempt == QLatin1String("right") ? 1 : 0);
        if (attempt != QLatin1String("right"))
            return;
        QCOMPARE(received.first().first().toString(), QStringLiteral("user-token"));
        // Used once: the listener is gone.
        QVERIFY(flow.isFinished());
        QCOMPARE(await(post(target, body)).status, std::nullopt);
    }

    void theBrowserHasItsAnswerBeforeTheTokenIsGiven()
    {
        AuthorizationFlow flow("dev-token", QUrl(QStringLiteral("http://127.0.0.1:9/musickit.js")));
        QVERIFY(flow.start());
        int received = 0;
        // Whoever takes the token may quit at once, which drops every connection on the spot.
        connect(&flow, &AuthorizationFlow::tokenReceived, this, [&flow, &received] {
            ++received;
            for (QTcpSocket *socket : flow.findChildren<QTcpSocket *>())
                socket->abort();
        });
        const HttpResult page = await(fetch(flow.pageURL()));
        const QString state = QRegularExpression(QStringLiteral("state: \"([^\"]+)\"")).match(QString::fromUtf8(page.body)).captured(1);
        const HttpResult answer = await(post(flow.pageURL().resolved(QUrl(QStringLiteral("/token"))),
                                             QStringLiteral("{\"state\":\"%1\",\"token\":\"user-token\"}").arg(state).toUtf8()));
        QCOMPARE(answer.status, std::optional<int>(200));
        QCOMPARE(answer.body, QByteArray("OK"));
        QTRY_COMPARE_WITH_TIMEOUT(received, 1, 5000);
    }

    void aCatalogue403KeepsTheUserToken()
    {
        SimWebServices web;
        QVERIFY(web.start());
        web.setReply(QStringLiteral("/v1/catalog/fr/songs/1609934412"), SimWebServices::Reply{403, "application/json", "{\"errors\":[]}"});
        UserTokenStore store(false);
        QVERIFY(await(store.write(QString::fromLatin1(SimWebServices::userToken))));
        WebMusicService service(WebMusicService::Settings{web.origin(), SimWebServices::developerToken, {}, {}}, store);
        await(service.load());
        QCOMPARE(await(service.get(QStringLiteral("/v1/catalog/fr/songs/1609934412"))), std::nullopt);
        QCOMPARE(service.authorizationStatus(), MusicService::Status::Authorized);
        QCOMPARE(await(UserTokenStore(false).read()), std::optional<QString>(QString::fromLatin1(SimWebServices::userToken)));
        QCOMPARE(service.failedRequests(), 1);
    }

    void authorizationEndToEnd()
    {
        SimWebServices web;
        QVERIFY(web.start());
        WebMusicService::Settings settings{web.origin(), SimWebServices::developerToken, QUrl(QStringLiteral("http://127.0.0.1:9/mk.js")), {}};
        settings.openBrowser = [](const QUrl &page) { signInWithBrowser(page, QString::fromLatin1(SimWebServices::userToken)); };
        WebMusicService service(settings, UserTokenStore(false));
        await(service.load());
        QCOMPARE(service.authorizationStatus(), MusicService::Status::NotDetermined);
        QCOMPARE(await(service.get(QStringLiteral("/v1/me/storefront"))), std::nullopt);
        QVERIFY(web.requested().isEmpty()); // nothing goes out before the user agreed

        QVERIFY(await(AppleMusic::ensureAuthorized(&service)));
        QCOMPARE(service.authorizationStatus(), MusicService::Status::Authorized);
        QCOMPARE(await(service.countryCode()), std::optional<QString>("fr"));
        QCOMPARE(await(AppleMusic::pagedGet(&service, QStringLiteral("/v1/me/library/songs"), 120)).size(), 120);

        // Kept for the next start.
        WebMusicService again(settings, UserTokenStore(false));
        await(again.load());
        QCOMPARE(again.authorizationStatus(), MusicService::Status::Authorized);
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("developerToken");
        QTest::addColumn<QString>("userToken");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("rejected");
        QTest::newRow("user token withdrawn: 403") << SimWebServices::developerToken << "old-token" << int(MusicService::Status::Denied) << false;
        QTest::newRow("bad developer token: 401") << QByteArray("expired") << QString::fromLatin1(SimWebServices::userToken)
                                                  << int(MusicService::Status::Authorized) << true;
    }
    void refusals()
    {
        QFETCH(QByteArray, developerToken);
        QFETCH(QString, userToken);
        QFETCH(int, status);
        QFETCH(bool, rejected);
        SimWebServices web;
        QVERIFY(web.start());
        UserTokenStore store(false);
        QVERIFY(await(store.write(userToken)));
        WebMusicService service(WebMusicService::Settings{web.origin(), developerToken, {}, {}}, store);
        await(service.load());
        QCOMPARE(await(service.get(QStringLiteral("/v1/me/library/songs"))), std::nullopt);
        QCOMPARE(int(service.authorizationStatus()), status);
        QCOMPARE(service.developerTokenRejected(), rejected);
        // Said where the user sees failures of Apple Music.
        if (rejected)
            QVERIFY(AppleMusic::authorizationMessage(service).value_or(QString()).contains(QStringLiteral("jeton de développeur")));
        if (status == int(MusicService::Status::Denied)) {
            QCOMPARE(await(UserTokenStore(false).read()), std::nullopt); // the dead token is gone
            QVERIFY(AppleMusic::authorizationMessage(service).has_value());
        }
    }

    void noDeveloperTokenIsRestricted()
    {
        WebMusicService service(WebMusicService::Settings{QUrl(QStringLiteral("http://127.0.0.1:9")), std::nullopt, {}, {}}, UserTokenStore(false));
        QCOMPARE(service.authorizationStatus(), MusicService::Status::Restricted);
        QVERIFY(!await(AppleMusic::ensureAuthorized(&service)));
        QCOMPARE(AppleMusic::authorizationMessage(service),
                 std::optional<QString>("Apple Music n'est pas configuré : il manque le jeton de développeur MusicKit de Corvane."));
    }
};

QTEST_GUILESS_MAIN(TestMusicService)
#include "tst_musicservice.moc"
