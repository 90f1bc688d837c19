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
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTcpSocket>
#include <QTest>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

namespace {

// As the page's script posts: from the page's origin, as JSON.
QCoro::Task<HttpResult> post(QUrl url, QByteArray body, QByteArray host = {}, QByteArray origin = "page",
                             QByteArray type = "application/json")
{
    HttpRequest request;
    request.method = "POST";
    request.url = url;
    request.body = body;
    request.timeout = std::chrono::seconds(5);
    request.headers = {{"Content-Type", type}};
    if (origin == "page")
        origin = url.adjusted(QUrl::RemovePath).toString(QUrl::FullyEncoded).toLatin1();
    if (!origin.isEmpty())
        request.headers.append({"Origin", origin});
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
    co_await post(page.resolved(QUrl(QStringLiteral("token"))),
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

    void aTokenFileOthersCouldTouchIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("readable by the group") << "group";
        QTest::newRow("writable by everyone") << "others";
        QTest::newRow("a link") << "link";
    }
    void aTokenFileOthersCouldTouchIsRefused()
    {
        QFETCH(QString, kind);
        UserTokenStore writer(false);
        QVERIFY(await(writer.write(QStringLiteral("secret-token"))));
        const QString path = UserTokenStore::fileName();
        if (kind == QLatin1String("link")) {
            const QString elsewhere = m_profile.path() + QStringLiteral("/planted-token");
            QFile::remove(elsewhere);
            QVERIFY(QFile::rename(path, elsewhere));
            QVERIFY(QFile::link(elsewhere, path));
        } else {
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                    | (kind == QLatin1String("group") ? QFileDevice::ReadGroup : QFileDevice::WriteOther)));
        }
        UserTokenStore reader(false);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("est ignoré")));
        QCOMPARE(await(reader.read()), std::nullopt);
        QVERIFY2(reader.fileProblem().contains(path), qPrintable(reader.fileProblem()));
        QFile::remove(path);
    }

    void flowAcceptsTheRightStateOnce_data()
    {
        QTest::addColumn<QString>("attempt");
        QTest::addColumn<std::optional<int>>("status");
        QTest::newRow("wrong state") << "state" << std::optional<int>(403);
        QTest::newRow("another host name") << "host" << std::optional<int>(403);
        QTest::newRow("no token") << "empty" << std::optional<int>(403);
        QTest::newRow("no origin") << "no origin" << std::optional<int>(403);
        QTest::newRow("another origin") << "other origin" << std::optional<int>(403);
        QTest::newRow("a form, not JSON") << "form" << std::optional<int>(403);
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
        const QUrl target = flow.pageURL().resolved(QUrl(QStringLiteral("token")));
        const QByteArray host = attempt == QLatin1String("host") ? QByteArray("rebound.example.org") : QByteArray();
        const QByteArray origin = attempt == QLatin1String("no origin") ? QByteArray()
            : attempt == QLatin1String("other origin")                  ? QByteArray("http://rebound.example.org")
                                                                        : QByteArray("page");
        const QByteArray type = attempt == QLatin1String("form") ? QByteArray("text/plain") : QByteArray("application/json");
        QCOMPARE(await(post(target, body, host, origin, type)).status, status);
        QCOMPARE(received.size(), attempt == QLatin1String("right") ? 1 : 0);
        if (attempt != QLatin1String("right"))
            return;
        QCOMPARE(received.first().first().toString(), QStringLiteral("user-token"));
        // Used once: the listener is gone.
        QVERIFY(flow.isFinished());
        QCOMPARE(await(post(target, body)).status, std::nullopt);
    }

    void thePageIsHiddenServedOnceAndNotFramed()
    {
        AuthorizationFlow flow("dev-token", QUrl(QStringLiteral("http://127.0.0.1:9/musickit.js")));
        QVERIFY(flow.start());
        // Another user of this computer finds the port, not the page.
        QCOMPARE(await(fetch(flow.pageURL().resolved(QUrl(QStringLiteral("/"))))).status, std::optional<int>(404));
        QVERIFY(flow.pageURL().path().size() > 30);
        const HttpResult page = await(fetch(flow.pageURL()));
        QCOMPARE(page.status, std::optional<int>(200));
        QVERIFY(page.header("Content-Security-Policy").contains("frame-ancestors 'none'"));
        QCOMPARE(page.header("X-Frame-Options"), QByteArray("DENY"));
        // Whoever comes second gets no state.
        const HttpResult again = await(fetch(flow.pageURL()));
        QCOMPARE(again.status, std::optional<int>(410));
        QVERIFY(!again.body.contains(flow.state().toUtf8()));
    }

    void theListenerBoundsWhatItReads()
    {
        setDelayScale(0.05);
        auto restore = qScopeGuard([] { setDelayScale(1.0); });
        AuthorizationFlow flow("dev-token", QUrl(QStringLiteral("http://127.0.0.1:9/musickit.js")));
        QVERIFY(flow.start());
        QSignalSpy received(&flow, &AuthorizationFlow::tokenReceived);
        // A body past the limit: the connection is dropped, no answer, no token.
        const QByteArray huge = "{\"state\":\"" + flow.state().toUtf8() + "\",\"token\":\""
            + QByteArray(AuthorizationFlow::maxRequestBytes + 1024, 'x') + "\"}";
        QCOMPARE(await(post(flow.pageURL().resolved(QUrl(QStringLiteral("token"))), huge)).status, std::nullopt);
        QCOMPARE(received.size(), 0);
        // A connection that says nothing is closed by the listener, not kept for ever.
        QTcpSocket idle;
        idle.connectToHost(QHostAddress::LocalHost, quint16(flow.pageURL().port()));
        QVERIFY(idle.waitForConnected(2000));
        QTRY_COMPARE_WITH_TIMEOUT(idle.state(), QAbstractSocket::UnconnectedState, int(delays().signInIdle.count()) + 5000);
    }

    void theScriptComesOverHttps_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("https") << "https://js-cdn.example.com/musickit/v3/musickit.js" << true;
        QTest::newRow("simulator on loopback") << "http://127.0.0.1:9/musickit.js" << true;
        QTest::newRow("plain http") << "http://js-cdn.example.com/musickit.js" << false;
        QTest::newRow("javascript") << "javascript:alert(1)" << false;
        QTest::newRow("data") << "data:text/javascript,alert(1)" << false;
        QTest::newRow("file") << "file:///tmp/musickit.js" << false;
    }
    void theScriptComesOverHttps()
    {
        QFETCH(QString, script);
        QFETCH(bool, accepted);
        AuthorizationFlow flow("dev-token", QUrl(script));
        if (!accepted)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("must be https")));
        QCOMPARE(flow.start(), accepted);
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
        const HttpResult answer = await(post(flow.pageURL().resolved(QUrl(QStringLiteral("token"))),
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

    void theTokensStayOnTheServicesOrigin_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("a user before the host") << "@127.0.0.1:%1/v1/me/library/songs";
        QTest::newRow("a scheme-relative address") << "//127.0.0.1:%1/v1/me/library/songs";
        QTest::newRow("no leading slash") << ".127.0.0.1:%1/v1/me/library/songs";
        QTest::newRow("another port") << ":%1/v1/me/library/songs";
    }
    void theTokensStayOnTheServicesOrigin()
    {
        // A "next" page is a path from the service's reply: whatever it says, nothing with the
        // tokens goes anywhere but the service's origin.
        QFETCH(QString, path);
        SilentServer elsewhere;
        SimWebServices web;
        QVERIFY(web.start());
        UserTokenStore store(false);
        QVERIFY(await(store.write(QString::fromLatin1(SimWebServices::userToken))));
        WebMusicService service(WebMusicService::Settings{web.origin(), SimWebServices::developerToken, {}, {}}, store);
        await(service.load());
        QCOMPARE(await(service.get(path.arg(elsewhere.serverPort()))), std::nullopt);
        QTest::qWait(50);
        QCOMPARE(elsewhere.accepted(), 0);
        QVERIFY(web.requested().isEmpty());
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
