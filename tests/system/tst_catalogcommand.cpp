#include "applemusic/webmusicservice.h"
#include "cli/catalogcommand.h"
#include "simwebservices.h"
#include "testutil.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
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

    void failuresAreNotEmptyAnswers_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("500") << "500" << 1 << "erreur (500)";
        QTest::newRow("404") << "404" << 1 << "erreur 404";
        QTest::newRow("a reply cut short") << "cut" << 1 << "incomplète";
        QTest::newRow("nothing at all") << "closed" << 1 << "ne répond pas";
        QTest::newRow("developer token refused") << "401" << 1 << "jeton de développeur";
        QTest::newRow("really nothing found") << "empty" << 0 << "";
    }
    void failuresAreNotEmptyAnswers()
    {
        QFETCH(QString, failure);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        SimWebServices web;
        QVERIFY(web.start());
        const QString path = QStringLiteral("/v1/catalog/fr/search");
        if (failure == QLatin1String("500"))
            web.setReply(path, SimWebServices::Reply{500, "application/json", "{\"errors\":[]}"});
        else if (failure == QLatin1String("404"))
            web.setReply(path, SimWebServices::Reply{404, "application/json", "{\"errors\":[]}"});
        else if (failure == QLatin1String("cut"))
            web.setReply(path, SimWebServices::Reply{200, "application/json", "{\"results\":{\"songs\":{\"data\":[{\"id\":\"1\""});
        else if (failure == QLatin1String("401"))
            web.setReply(path, SimWebServices::Reply{401, "application/json", "{\"errors\":[]}"});
        else if (failure == QLatin1String("empty"))
            web.setReply(path, SimWebServices::Reply{200, "application/json", "{\"results\":{},\"meta\":{\"results\":{\"order\":[]}}}"});
        const QUrl origin = failure == QLatin1String("closed") ? QUrl(QStringLiteral("http://127.0.0.1:%1").arg(closedPort())) : web.origin();
        UserTokenStore store(false);
        await(store.write(QString::fromLatin1(SimWebServices::userToken)));
        WebMusicService service(WebMusicService::Settings{origin, SimWebServices::developerToken, {}, {}}, store);
        await(service.load());
        const CommandResult result = await(runCatalogCommand({QStringLiteral("search"), QStringLiteral("Phares")}, &service, true));
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.out, QString());
        if (exitCode == 0)
            QCOMPARE(result.err, QString());
        else
            QVERIFY2(result.err.contains(message), qPrintable(result.err));
    }

    void partlyFailedAnswersAreFailures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("lines"); // printed on stdout all the same
        // The second page of three fails: what came is printed, the exit status says it is partial.
        QTest::newRow("a later page fails") << QStringList{"library", "playlists"} << "/v1/me/library/playlists" << 1 << 100;
        QTest::newRow("one view of seven fails") << QStringList{"artist", "art.full"} << "/v1/catalog/fr/artists/art.full/view/full-albums" << 1
                                                 << 11;
        // No label is printed for a quality that could not be read.
        QTest::newRow("quality not read") << QStringList{"quality", "1609934412"} << "/v1/catalog/fr/songs/1609934412" << 1 << 0;
        // A catalogue playlist is not in the library: that route's 404 is no failure.
        QTest::newRow("playlist found on one route") << QStringList{"playlist", "pl.u-Kf3mQ"} << "" << 0 << 5;
        QTest::newRow("playlist on no route") << QStringList{"playlist", "pl.nowhere"} << "" << 1 << 0;
    }
    void partlyFailedAnswersAreFailures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, path);
        QFETCH(int, exitCode);
        QFETCH(int, lines);
        SimWebServices web;
        QVERIFY(web.start());
        if (!path.isEmpty())
            web.failRequest(path, arguments.first() == QLatin1String("library") ? 2 : 1);
        UserTokenStore store(false);
        await(store.write(QString::fromLatin1(SimWebServices::userToken)));
        WebMusicService service(WebMusicService::Settings{web.origin(), SimWebServices::developerToken, {}, {}}, store);
        await(service.load());
        const CommandResult result = await(runCatalogCommand(arguments, &service, true));
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.out.isEmpty() ? 0 : int(result.out.split(QLatin1Char('\n')).size()), lines);
        QCOMPARE(result.err.isEmpty(), exitCode == 0);
        if (exitCode != 0 && lines > 0)
            QVERIFY2(result.err.startsWith(QStringLiteral("Réponse incomplète d'Apple Music : ")), qPrintable(result.err));
        QVERIFY(!result.out.contains(QLatin1String("\"label\":null")));
    }

    void tokenStorageSaysWhereTheTokenIs()
    {
        QVERIFY(await(UserTokenStore(false).write(QStringLiteral("kept-in-the-file"))));
        // A later run, which only reads the token.
        UserTokenStore store(false);
        QCOMPARE(await(store.read()), std::optional<QString>("kept-in-the-file"));
        QVERIFY(store.usesFile());
        WebMusicService service(WebMusicService::Settings{QUrl(QStringLiteral("http://127.0.0.1:9")), SimWebServices::developerToken, {}, {}}, store);
        await(service.load());
        const CommandResult result = await(runCatalogCommand({QStringLiteral("status")}, &service, store.usesFile()));
        QCOMPARE(result.out, QStringLiteral("{\"status\":\"authorized\",\"tokenStorage\":\"file\"}"));
    }

    void originsAreSettingsTheEnvironmentOverrides()
    {
        const QByteArray saved = qgetenv("CORVANE_APPLE_MUSIC_ORIGIN");
        qunsetenv("CORVANE_APPLE_MUSIC_ORIGIN");
        {
            QSettings settings(m_profile.path() + QStringLiteral("/config/Corvane.ini"), QSettings::IniFormat);
            settings.setValue(QStringLiteral("origins/appleMusic"), QStringLiteral("http://127.0.0.1:7"));
            settings.setValue(QStringLiteral("origins/musicKitJS"), QStringLiteral("http://127.0.0.1:7/mk.js"));
            settings.setValue(QStringLiteral("origins/developerToken"), QStringLiteral("token-from-settings"));
        }
        WebMusicService::Settings fromSettings = WebMusicService::configuredSettings();
        qputenv("CORVANE_APPLE_MUSIC_ORIGIN", "http://127.0.0.1:8");
        const WebMusicService::Settings overridden = WebMusicService::configuredSettings();
        if (saved.isEmpty())
            qunsetenv("CORVANE_APPLE_MUSIC_ORIGIN");
        else
            qputenv("CORVANE_APPLE_MUSIC_ORIGIN", saved);
        QCOMPARE(fromSettings.origin, QUrl(QStringLiteral("http://127.0.0.1:7")));
        QCOMPARE(fromSettings.musicKitScript, QUrl(QStringLiteral("http://127.0.0.1:7/mk.js")));
        QCOMPARE(fromSettings.developerToken, std::optional<QByteArray>("token-from-settings"));
        QCOMPARE(overridden.origin, QUrl(QStringLiteral("http://127.0.0.1:8")));
    }
};

QTEST_GUILESS_MAIN(TestCatalogCommand)
#include "tst_catalogcommand.moc"
