#include "applemusic/requests.h"
#include "async/http.h"
#include "simwebservices.h"
#include "testutil.h"

#include <QTest>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

namespace {

// A music service that signs with the simulator's tokens; its status is what the test says.
class SimMusicService : public MusicService
{
public:
    SimMusicService(QUrl origin, Status status) : m_origin(std::move(origin)), m_status(status) {}

    Status authorizationStatus() const override { return m_status; }
    QCoro::Task<Status> requestAuthorization() override
    {
        ++prompts;
        if (m_status == Status::NotDetermined)
            m_status = answer;
        co_return m_status;
    }
    QCoro::Task<std::optional<QByteArray>> get(QString path) override
    {
        requested << path;
        HttpRequest request;
        request.url = QUrl(m_origin.toString() + path);
        request.headers = {{"Authorization", "Bearer " + SimWebServices::developerToken},
                           {"Music-User-Token", SimWebServices::userToken}};
        const HttpResult result = co_await httpSend(webNetwork(), request);
        if (result.status != 200)
            co_return std::nullopt;
        co_return result.body;
    }
    QCoro::Task<std::optional<QString>> countryCode() override
    {
        const std::optional<QByteArray> body = co_await get(QStringLiteral("/v1/me/storefront"));
        const auto response = body ? RestResponse::decode(*body) : std::nullopt;
        if (!response || response->data.isEmpty())
            co_return std::nullopt;
        co_return response->data.first().id;
    }

    QStringList requested;
    int prompts = 0;
    Status answer = Status::Authorized;

private:
    QUrl m_origin;
    Status m_status;
};

} // namespace

class TestRequests : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void paging_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("failAt");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<int>("count");
        QTest::newRow("250 in pages of 100, 100, 50, and 3 after a short one")
            << "/v1/me/library/songs" << 250 << 1000 << 0
            << QStringList{"/v1/me/library/songs?limit=100", "/v1/me/library/songs?offset=100&limit=100",
                           "/v1/me/library/songs?offset=200&limit=50", "/v1/me/library/songs?offset=250&limit=3"}
            << 250;
        QTest::newRow("a short page while next is given: one more request")
            << "/v1/me/library/songs" << 300 << 1000 << 0
            << QStringList{"/v1/me/library/songs?limit=100", "/v1/me/library/songs?offset=100&limit=100",
                           "/v1/me/library/songs?offset=200&limit=100", "/v1/me/library/songs?offset=300&limit=3"}
            << 300;
        QTest::newRow("a path with its own limit is sent as is")
            << "/v1/me/library/songs?limit=40" << 30 << 1000 << 0 << QStringList{"/v1/me/library/songs?limit=40"} << 30;
        QTest::newRow("the end of the library") << "/v1/me/library/songs" << 500 << 120 << 0
                                                << QStringList{"/v1/me/library/songs?limit=100", "/v1/me/library/songs?offset=100&limit=100"}
                                                << 120;
        QTest::newRow("the third page fails: two pages kept")
            << "/v1/me/library/songs" << 500 << 1000 << 3
            << QStringList{"/v1/me/library/songs?limit=100", "/v1/me/library/songs?offset=100&limit=100",
                           "/v1/me/library/songs?offset=200&limit=100"}
            << 200;
        QTest::newRow("nothing asked: nothing sent") << "/v1/me/library/songs" << 0 << 1000 << 0 << QStringList() << 0;
        QTest::newRow("at most 10 requests") << "/v1/me/library/songs?limit=10" << 5000 << 5000 << 0 << QStringList() << 910;
    }
    void paging()
    {
        QFETCH(QString, path);
        QFETCH(int, max);
        QFETCH(int, total);
        QFETCH(int, failAt);
        QFETCH(QStringList, sent);
        QFETCH(int, count);
        SimWebServices web;
        QVERIFY(web.start());
        web.setLibrarySongCount(total);
        if (failAt)
            web.failRequest(QStringLiteral("/v1/me/library/songs"), failAt);
        SimMusicService service(web.origin(), MusicService::Status::Authorized);
        const QList<RestItem> items = await(AppleMusic::pagedGet(&service, path, max));
        QVERIFY2(items.size() == count, qPrintable(service.requested.join(QLatin1Char(' ')) + QStringLiteral(" -> %1").arg(items.size())));
        if (!sent.isEmpty())
            QCOMPARE(service.requested, sent);
        else if (max > 0)
            QCOMPARE(service.requested.size(), 10);
        if (count)
            QCOMPARE(Catalog::itemsToTracks(items).first().id, QStringLiteral("1609930000"));
    }

    void nothingGoesOutUnlessAuthorized_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("denied") << int(MusicService::Status::Denied)
                                << "Accès refusé. Apple Music n'accepte plus l'autorisation donnée à Corvane : reliez de nouveau votre compte avec « Relier Apple Music ».";
        QTest::newRow("restricted") << int(MusicService::Status::Restricted)
                                    << "Apple Music n'est pas configuré : il manque le jeton de développeur MusicKit de Corvane.";
        QTest::newRow("not determined") << int(MusicService::Status::NotDetermined) << "";
    }
    void nothingGoesOutUnlessAuthorized()
    {
        QFETCH(int, status);
        QFETCH(QString, message);
        SimWebServices web;
        QVERIFY(web.start());
        SimMusicService service(web.origin(), MusicService::Status(status));
        QVERIFY(await(AppleMusic::pagedGet(&service, QStringLiteral("/v1/me/library/songs"), 50)).isEmpty());
        QCOMPARE(await(AppleMusic::singleGet(&service, QStringLiteral("/v1/me/storefront"))), std::nullopt);
        QVERIFY(web.requested().isEmpty());
        QCOMPARE(AppleMusic::authorizationMessage(service).value_or(QString()), message);
    }

    void ensureAuthorized_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("granted");
        QTest::addColumn<int>("prompts");
        QTest::newRow("already authorized: no prompt") << int(MusicService::Status::Authorized) << 0 << true << 0;
        QTest::newRow("asked and granted") << int(MusicService::Status::NotDetermined) << int(MusicService::Status::Authorized) << true << 1;
        QTest::newRow("asked and refused") << int(MusicService::Status::NotDetermined) << int(MusicService::Status::Denied) << false << 1;
    }
    void ensureAuthorized()
    {
        QFETCH(int, status);
        QFETCH(int, answer);
        QFETCH(bool, granted);
        QFETCH(int, prompts);
        SimMusicService service(QUrl(QStringLiteral("http://127.0.0.1:9")), MusicService::Status(status));
        service.answer = MusicService::Status(answer);
        QCOMPARE(await(AppleMusic::ensureAuthorized(&service)), granted);
        QCOMPARE(service.prompts, prompts);
    }

    void catalogPathsCarryTheStorefront()
    {
        SimWebServices web;
        QVERIFY(web.start());
        SimMusicService service(web.origin(), MusicService::Status::Authorized);
        await(AppleMusic::catalogGet(&service, QStringLiteral("genres"), 30));
        QCOMPARE(service.requested, (QStringList{"/v1/me/storefront", "/v1/catalog/fr/genres?limit=30"}));
        QCOMPARE(AppleMusic::withLimit(QStringLiteral("/v1/catalog/fr/search?term=x"), 25), QStringLiteral("/v1/catalog/fr/search?term=x&limit=25"));
    }
};

QTEST_GUILESS_MAIN(TestRequests)
#include "tst_requests.moc"
