#include "applemusic/catalog.h"
#include "storage/cachedhome.h"
#include "testutil.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;
using namespace corvane::test;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {
QList<RestItem> itemsOf(const QString &fixtureName)
{
    const auto response = RestResponse::decode(fixture(fixtureName).toUtf8());
    return response ? response->data : QList<RestItem>();
}

const QByteArray kArtwork = "{\"url\":\"https://img.example.com/a/{w}x{h}bb.jpg\",\"width\":3000,\"height\":3000,\"bgColor\":\"f4f4f4\"}";

Recommendation shelf()
{
    const ArtworkDescriptor art{QJsonDocument::fromJson(kArtwork).object()};
    return Recommendation{QStringLiteral("6-27s5hU6azhJY"), QStringLiteral("Pour vous"),
                          {MusicItem{QStringLiteral("1609934400"), MusicItem::Kind::Album, QStringLiteral("Villes de nuit"),
                                     QStringLiteral("Odile Ravanel"), art},
                           MusicItem{QStringLiteral("pl.u-Kf3mQ"), MusicItem::Kind::Playlist, QStringLiteral("Routes du soir"),
                                     QString(), std::nullopt}}};
}
} // namespace

class TestCatalog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void artworkTemplate_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("base");
        QTest::newRow("full template") << "https://img.example.com/a/{w}x{h}{c}.{f}" << "https://img.example.com/a/100x100bb.jpg";
        QTest::newRow("size only") << "https://img.example.com/a/{w}x{h}sr.jpg" << "https://img.example.com/a/100x100sr.jpg";
        QTest::newRow("braces are case-sensitive") << "https://img.example.com/a/{W}x{h}.jpg" << "https://img.example.com/a/{W}x100.jpg";
    }
    void artworkTemplate()
    {
        QFETCH(QString, url);
        QFETCH(QString, base);
        QCOMPARE(Catalog::fillArtworkTemplate(url), base);
    }

    void durationsOutOfRange_data()
    {
        QTest::addColumn<QByteArray>("millis");
        QTest::addColumn<std::optional<qint64>>("durationMS");
        QTest::newRow("ordinary") << QByteArray("214000") << std::optional<qint64>(214000);
        QTest::newRow("1e19") << QByteArray("1e19") << std::optional<qint64>();
        QTest::newRow("-1e19") << QByteArray("-1e19") << std::optional<qint64>();
        QTest::newRow("negative") << QByteArray("-5") << std::optional<qint64>();
        QTest::newRow("a text") << QByteArray("\"214000\"") << std::optional<qint64>();
    }
    void durationsOutOfRange()
    {
        QFETCH(QByteArray, millis);
        QFETCH(std::optional<qint64>, durationMS);
        const auto response = RestResponse::decode("{\"data\":[{\"id\":\"1609934412\",\"type\":\"songs\",\"attributes\":"
                                                   "{\"name\":\"Balises\",\"durationInMillis\":" + millis + "}}]}");
        QVERIFY(response);
        const QList<Track> tracks = Catalog::itemsToTracks(response->data);
        QCOMPARE(tracks.size(), 1);
        QCOMPARE(tracks.first().durationMS, durationMS);
    }

    void librarySongs()
    {
        const auto response = RestResponse::decode(fixture(QStringLiteral("library_songs_page.json")).toUtf8());
        QVERIFY(response);
        QCOMPARE(response->next, std::optional<QString>("/v1/me/library/songs?offset=3"));
        const QList<Track> tracks = Catalog::itemsToTracks(response->data);
        // The music video is skipped; the second song with the same catalogue id is a duplicate.
        QCOMPARE(tracks.size(), 3);
        QCOMPARE(tracks[0].id, QStringLiteral("1440857781")); // the catalogue id, not i.…
        QCOMPARE(tracks[0].artworkBase, std::optional<QString>("https://img.example.com/image/thumb/Music/2e/72/cartes.jpg/100x100bb.jpg"));
        QCOMPARE(tracks[0].durationMS, std::optional<qint64>(214000));
        QCOMPARE(tracks[0].durationText(), std::optional<QString>("3:34"));
        QCOMPARE(tracks[1].id, QStringLiteral("i.dlvVYxxTPLaemG")); // no catalogue id: playParams.id
        QCOMPARE(tracks[1].artworkBase, std::nullopt);               // "artwork": null
        QCOMPARE(tracks[2], (Track{"i.noAttributes", "", "", "", std::nullopt, std::nullopt}));
    }

    void decodingFailures_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("no data") << QByteArray("{\"next\":\"/v1/x\"}");
        QTest::newRow("an item without id") << QByteArray("{\"data\":[{\"type\":\"songs\"}]}");
        QTest::newRow("not JSON") << QByteArray("{\"data\":[");
        QTest::newRow("an error body") << QByteArray("{\"errors\":[{\"status\":\"400\",\"code\":\"40005\"}]}");
    }
    void decodingFailures()
    {
        QFETCH(QByteArray, json);
        QCOMPARE(RestResponse::decode(json).has_value(), false);
    }

    void homeShelf()
    {
        const auto [albums, playlists] = Catalog::itemsToHomeShelf(itemsOf(QStringLiteral("recent_played_page.json")));
        QCOMPARE(albums.size(), 2); // the station and the untyped item are skipped, the repeat dropped
        QCOMPARE(albums[0], (Album{"1609934400", "Villes de nuit", "Odile Ravanel",
                                   QStringLiteral("https://img.example.com/image/thumb/Music/villes.jpg/100x100bb.jpg"),
                                   QStringLiteral("2021"), std::nullopt}));
        QCOMPARE(albums[1].id, QStringLiteral("l.AbCdEf"));
        QCOMPARE(albums[1].year, std::nullopt);
        QCOMPARE(playlists.size(), 2);
        QCOMPARE(playlists[0].curator, std::optional<QString>("Corvane Radio"));
        QVERIFY(!playlists[0].isLibrary);
        QCOMPARE(playlists[1].id, QStringLiteral("p.XyZ"));
    }

    void genres()
    {
        const auto response = RestResponse::decode(
            "{\"data\":[{\"id\":\"34\",\"type\":\"genres\",\"attributes\":{\"name\":\"Musique\"}},{\"id\":\"14\",\"attributes\":{\"name\":\"Pop\"}},"
            "{\"id\":\"99\",\"attributes\":{\"name\":\"\"}},{\"id\":\"98\"},{\"id\":\"14\",\"attributes\":{\"name\":\"Pop bis\"}}]}");
        QCOMPARE(Catalog::itemsToGenres(response->data), (QList<GenreRef>{{"34", "Musique"}, {"14", "Pop"}}));
    }

    void musicItemKinds_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("error");
        QTest::newRow("album") << QByteArray("{\"id\":\"1\",\"kind\":{\"album\":{}},\"title\":\"T\",\"subtitle\":\"S\"}") << "";
        QTest::newRow("playlist with artwork")
            << QByteArray("{\"id\":\"pl.1\",\"kind\":{\"playlist\":{}},\"title\":\"T\",\"subtitle\":\"\",\"artwork\":" + kArtwork + "}") << "";
        QTest::newRow("two keys") << QByteArray("{\"id\":\"1\",\"kind\":{\"album\":{},\"playlist\":{}},\"title\":\"T\",\"subtitle\":\"S\"}")
                                  << "Invalid number of keys found, expected one.";
        QTest::newRow("no key") << QByteArray("{\"id\":\"1\",\"kind\":{},\"title\":\"T\",\"subtitle\":\"S\"}")
                                << "Invalid number of keys found, expected one.";
    }
    void musicItemKinds()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, error);
        QString message;
        const auto item = Catalog::decodeMusicItem(QJsonDocument::fromJson(json).object(), &message);
        QCOMPARE(item.has_value(), error.isEmpty());
        QCOMPARE(message, error);
        if (item)
            QCOMPARE(Catalog::decodeMusicItem(Catalog::encode(*item)), item);
    }

    void artworkDescriptor()
    {
        const auto art = ArtworkDescriptor::from(QJsonDocument::fromJson(kArtwork).object());
        QVERIFY(art);
        QCOMPARE(art->url(600, 600), std::optional<QUrl>(QUrl("https://img.example.com/a/600x600bb.jpg")));
        QCOMPARE(ArtworkDescriptor::from(QJsonValue()), std::nullopt);
    }

    void playlistOrders()
    {
        for (PlaylistOrder order : {PlaylistOrder::Name, PlaylistOrder::NameDescending, PlaylistOrder::RecentlyPlayed})
            QCOMPARE(playlistOrderFromText(playlistOrderText(order)), std::optional<PlaylistOrder>(order));
        QCOMPARE(playlistOrderText(PlaylistOrder::NameDescending), QStringLiteral("nameDescending"));
        QCOMPARE(playlistOrderFromText(QStringLiteral("Name")), std::nullopt);
    }

    void homeSnapshot()
    {
        QTemporaryDir profile;
        qputenv("CORVANE_PROFILE", profile.path().toUtf8());
        QCOMPARE(CachedHome::read(), std::nullopt); // first launch: nothing to show

        CachedHome::save({shelf()});
        QTRY_VERIFY_WITH_TIMEOUT(CachedHome::read().has_value(), 3000);
        const CachedHome home = *CachedHome::read();
        QCOMPARE(home.recommendations, QList<Recommendation>{shelf()});
        QVERIFY(home.savedAt > 0);

        QFile file(CachedHome::location());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        QVERIFY(written.startsWith("{\"recommendations\":[{"));
        QVERIFY(written.contains("\"kind\":{\"album\":{}}"));
        QVERIFY2(written.contains("\"}],\"savedAt\":"), written.right(60).constData());
        file.close();

        // A stored item with a two-key kind makes the whole snapshot unreadable: it is ignored.
        QByteArray broken = written;
        broken.replace("\"kind\":{\"album\":{}}", "\"kind\":{\"album\":{},\"playlist\":{}}");
        QVERIFY(CachedHome::decode(broken) == std::nullopt);

        CachedHome::save({}); // an empty list is saved like any other
        QTRY_VERIFY_WITH_TIMEOUT(CachedHome::read() && CachedHome::read()->recommendations.isEmpty(), 3000);
    }

    void newestSnapshotWins()
    {
        QTemporaryDir profile;
        qputenv("CORVANE_PROFILE", profile.path().toUtf8());
        // A long list (slow to encode) saved just before a short one: the short one is the newest.
        Recommendation big{QStringLiteral("big"), QStringLiteral("Longue étagère"), {}};
        for (int i = 0; i < 40000; ++i)
            big.items.append(MusicItem{QString::number(i), MusicItem::Kind::Album, QStringLiteral("Titre %1").arg(i),
                                       QStringLiteral("Artiste"), std::nullopt});
        const Recommendation small{QStringLiteral("small"), QStringLiteral("Courte"), {}};
        for (int round = 0; round < 3; ++round) {
            CachedHome::save({big});
            CachedHome::save({small});
            QTRY_VERIFY_WITH_TIMEOUT(CachedHome::read() && CachedHome::read()->recommendations.value(0).id == small.id, 5000);
            QTest::qWait(400);
            QCOMPARE(CachedHome::read()->recommendations.value(0).id, small.id);
        }
    }
};

QTEST_GUILESS_MAIN(TestCatalog)
#include "tst_catalog.moc"
