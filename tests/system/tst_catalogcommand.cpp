#include "applemusic/webmusicservice.h"
#include "simwebservices.h"
#include "system/catalogcommand.h"
#include "testutil.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

class TestCatalogCommand : public QObject
{
    Q_OBJECT

    QTemporaryDir m_profile;

private Q_SLOTS:
    void initTestCase() { qputenv("CORVANE_PROFILE", m_profile.path().toUtf8()); }

    void commands_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("signedIn");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("firstType");
        QTest::addColumn<int>("lines");
        QTest::newRow("status") << QStringList{"status"} << true << 0 << "" << 1;
        QTest::newRow("search") << QStringList{"search", "Phares"} << true << 0 << "song" << 6;
        QTest::newRow("library songs") << QStringList{"library", "songs"} << true << 0 << "song" << 100;
        QTest::newRow("library playlists") << QStringList{"library", "playlists"} << true << 0 << "library-playlist" << 230;
        QTest::newRow("recent") << QStringList{"recent"} << true << 0 << "album" << 6;
        QTest::newRow("quality") << QStringList{"quality", "1609934412"} << true << 0 << "quality" << 1;
        QTest::newRow("album") << QStringList{"album", "1440857770"} << true << 0 << "song" << 4;
        QTest::newRow("playlist") << QStringList{"playlist", "pl.u-Kf3mQ"} << true << 0 << "song" << 5;
        QTest::newRow("artist") << QStringList{"artist", "art.full"} << true << 0 << "song" << 13;
        QTest::newRow("charts of a genre") << QStringList{"charts", "--storefront", "BE", "--genre", "11"} << true << 0 << "song" << 8;
        QTest::newRow("not signed in") << QStringList{"search", "Phares"} << false << 1 << "" << 0;
        QTest::newRow("nothing to search") << QStringList{"search", " "} << true << 2 << "" << 0;
        QTest::newRow("unknown") << QStringList{"dance"} << true << 2 << "" << 0;
    }
    void commands()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, signedIn);
        QFETCH(int, exitCode);
        QFETCH(QString, firstType);
        QFETCH(int, lines);
        SimWebServices web;
        QVERIFY(web.start());
        UserTokenStore store(false);
        if (signedIn)
            await(store.write(QString::fromLatin1(SimWebServices::userToken)));
        else
            await(store.remove());
        WebMusicService service(WebMusicService::Settings{web.origin(), SimWebServices::developerToken, {}, {}}, store);
        await(service.load());
        const CommandResult result = await(runCatalogCommand(arguments, &service, true));
        QCOMPARE(result.exitCode, exitCode);
        if (exitCode != 0) {
            QVERIFY(result.out.isEmpty());
            QVERIFY(!result.err.isEmpty());
            if (!signedIn)
                QVERIFY(result.err.contains(QStringLiteral("corvane catalog authorize")));
            return;
        }
        const QStringList output = result.out.split(QLatin1Char('\n'));
        QCOMPARE(output.size(), lines);
        for (const QString &line : output)
            QVERIFY2(QJsonDocument::fromJson(line.toUtf8()).isObject(), qPrintable(line));
        if (!firstType.isEmpty())
            QCOMPARE(QJsonDocument::fromJson(output.first().toUtf8()).object().value(QLatin1String("type")).toString(), firstType);
        else
            QCOMPARE(output.first(), QStringLiteral("{\"status\":\"authorized\",\"tokenStorage\":\"file\"}"));
    }
};

QTEST_GUILESS_MAIN(TestCatalogCommand)
#include "tst_catalogcommand.moc"
