// Apple's public search and lookup: reading their replies, and asking as little as the screens need.

#include "applemusic/publiccatalog.h"
#include "simwebservices.h"
#include "testutil.h"

#include <QFile>
#include <QTest>
#include <QUrlQuery>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

namespace {

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(CORVANE_TEST_DATA "/itunes/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

template<typename T>
QStringList idsOf(const QList<T> &items)
{
    QStringList ids;
    for (const T &item : items)
        ids << item.id;
    return ids;
}

} // namespace

class TestPublicCatalog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsWhatItCanPlay_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QStringList>("songs");
        QTest::addColumn<QStringList>("albums");
        QTest::addColumn<QStringList>("artists");
        QTest::addColumn<QStringList>("songAlbums");
        // A clip, a podcast episode and a song that may not be streamed are left out.
        QTest::newRow("songs") << fixture("search_songs.json") << QStringList{"1609934412", "1440857781", "1440857783"} << QStringList{}
                               << QStringList{} << QStringList{"1609934400", "1440857770"};
        // The collection comes first, then its songs.
        QTest::newRow("an album") << fixture("lookup_album.json") << QStringList{"1609934410", "1609934412"} << QStringList{"1609934400"}
                                  << QStringList{} << QStringList{"1609934400"};
        QTest::newRow("an artist's albums") << fixture("lookup_artist_albums.json") << QStringList{}
                                            << QStringList{"1609934400", "1702231100", "1702231199"} << QStringList{"1283490001"}
                                            << QStringList{};
        QTest::newRow("ids as text, twice") << QByteArray(R"({"results":[{"wrapperType":"track","kind":"song","trackId":"42","trackName":"A"},
                                                                          {"wrapperType":"track","kind":"song","trackId":42,"trackName":"A"}]})")
                                            << QStringList{"42"} << QStringList{} << QStringList{} << QStringList{};
        QTest::newRow("ids that are no ids") << QByteArray(R"({"results":[{"wrapperType":"track","kind":"song","trackId":1.5,"trackName":"A"},
                                                                           {"wrapperType":"track","kind":"song","trackId":-3,"trackName":"B"},
                                                                           {"wrapperType":"track","kind":"song","trackName":"C"}]})")
                                             << QStringList{} << QStringList{} << QStringList{} << QStringList{};
        QTest::newRow("nothing found") << QByteArray(R"({"resultCount":0,"results":[]})") << QStringList{} << QStringList{} << QStringList{}
                                       << QStringList{};
    }
    void readsWhatItCanPlay()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, songs);
        QFETCH(QStringList, albums);
        QFETCH(QStringList, artists);
        QFETCH(QStringList, songAlbums);
        QVERIFY(!reply.isEmpty());
        const auto results = PublicCatalog::decode(reply);
        QVERIFY(results);
        QCOMPARE(idsOf(results->songs), songs);
        QCOMPARE(idsOf(results->albums), albums);
        QCOMPARE(idsOf(results->artists), artists);
        QCOMPARE(idsOf(results->songAlbums), songAlbums);
    }

    void everyFieldUsedIsRead()
    {
        const auto results = PublicCatalog::decode(fixture("search_songs.json"));
        QVERIFY(results);
        const Track &song = results->songs.first();
        QCOMPARE(song.title, QStringLiteral("Les Phares"));
        QCOMPARE(song.artist, QStringLiteral("Odile Ravanel"));
        QCOMPARE(song.album, QStringLiteral("Villes de nuit"));
        QCOMPARE(song.durationMS, std::optional<qint64>(214000));
        // The address ends in its size: the screens ask the size they draw.
        QCOMPARE(song.artworkURL(600), std::optional<QUrl>(QUrl(QStringLiteral("https://is1-ssl.mzstatic.com/image/thumb/Music/v4/aa/villes/600x600bb.jpg"))));
        const Track &bare = results->songs.last();
        QCOMPARE(bare.album, QString());
        QCOMPARE(bare.durationMS, std::nullopt);
        QCOMPARE(bare.artworkBase, std::nullopt);
        const Album &album = results->songAlbums.first();
        QCOMPARE(album.title, QStringLiteral("Villes de nuit"));
        QCOMPARE(album.artist, QStringLiteral("Odile Ravanel"));
        QCOMPARE(album.year, std::optional<QString>("2022"));
        QCOMPARE(album.trackCount, std::optional<int>(9));
        QCOMPARE(results->songArtists.first().name, QStringLiteral("Odile Ravanel"));

        const auto artist = PublicCatalog::decode(fixture("lookup_artist_albums.json"));
        QCOMPARE(artist->artists.first().genre, std::optional<QString>("Chanson française"));
    }

    void repliesThatAreNoCatalogue_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("a web page") << QByteArray("<html><body>Service indisponible</body></html>");
        QTest::newRow("an array") << QByteArray("[]");
        QTest::newRow("no results") << QByteArray(R"({"errorMessage":"Invalid value(s) for key(s): [term]"})");
        QTest::newRow("results not a list") << QByteArray(R"({"results":{"a":1}})");
        QTest::newRow("cut short") << fixture("search_songs.json").left(400);
    }
    void repliesThatAreNoCatalogue()
    {
        QFETCH(QByteArray, reply);
        QCOMPARE(PublicCatalog::decode(reply), std::nullopt);
    }

    // About twenty requests a minute from one address: each screen asks once, and again never
    // within ten minutes.
    void asksAsLittleAsTheScreensNeed()
    {
        SimWebServices web;
        QVERIFY(web.start());
        PublicCatalog catalogue(web.origin(), QStringLiteral("FR"));
        QCOMPARE(catalogue.country(), QStringLiteral("fr"));

        const auto found = await(catalogue.search(QStringLiteral("Phares"), 25));
        QVERIFY(found);
        QVERIFY(!found->songs.isEmpty());
        QVERIFY(!found->albums.isEmpty());
        QVERIFY(!found->artists.isEmpty());
        QCOMPARE(catalogue.requestsSent(), 1);
        const QUrlQuery asked(web.requestedURLs().last());
        QCOMPARE(web.requestedURLs().last().path(), QStringLiteral("/search"));
        QCOMPARE(asked.queryItemValue(QStringLiteral("entity")), QStringLiteral("song"));
        QCOMPARE(asked.queryItemValue(QStringLiteral("media")), QStringLiteral("music"));
        QCOMPARE(asked.queryItemValue(QStringLiteral("country")), QStringLiteral("fr"));

        // The same search again: from memory.
        QCOMPARE(await(catalogue.search(QStringLiteral("Phares"), 25)), found);
        QCOMPARE(catalogue.requestsSent(), 1);

        // An album opened: its tracks, its record and its artist come from one request.
        const QString albumID = found->albums.first().id;
        QVERIFY(!await(catalogue.albumTracks(albumID)).isEmpty());
        QVERIFY(await(catalogue.album(albumID)));
        QVERIFY(await(catalogue.artistOfAlbum(albumID)));
        QCOMPARE(catalogue.requestsSent(), 2);

        // An artist's page: albums and top songs, two requests; the artist's radio reuses them.
        const ArtistDetail detail = await(catalogue.artistDetail(found->artists.first().id));
        QVERIFY(!detail.topSongs.isEmpty());
        QVERIFY(!detail.albums.isEmpty());
        QCOMPARE(catalogue.requestsSent(), 4);
        QVERIFY(!await(catalogue.topSongs(found->artists.first().id, 20)).isEmpty());
        QCOMPARE(catalogue.requestsSent(), 4);

        // Another storefront is another catalogue.
        catalogue.setCountry(QStringLiteral("be"));
        QVERIFY(await(catalogue.search(QStringLiteral("Phares"), 25)));
        QCOMPARE(catalogue.requestsSent(), 5);
    }

    void aTermIsSentAsTyped()
    {
        SimWebServices web;
        QVERIFY(web.start());
        PublicCatalog catalogue(web.origin(), QStringLiteral("fr"));
        const QString term = QStringLiteral("Gabiers & Côte=Nord #2 +1");
        await(catalogue.search(term, 10, PublicCatalog::Kind::Albums));
        const QUrlQuery asked(web.requestedURLs().last());
        QCOMPARE(asked.queryItemValue(QStringLiteral("term"), QUrl::FullyDecoded), term);
        QCOMPARE(asked.queryItemValue(QStringLiteral("entity")), QStringLiteral("album"));
        QCOMPARE(asked.queryItems().size(), 5);
    }

    void tooManySearchesIsSaidAndPasses_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("403") << 403;
        QTest::newRow("429") << 429;
    }
    void tooManySearchesIsSaidAndPasses()
    {
        QFETCH(int, status);
        SimWebServices web;
        QVERIFY(web.start());
        web.failNext(QStringLiteral("/search"), 1, status);
        PublicCatalog catalogue(web.origin(), QStringLiteral("fr"));
        QCOMPARE(await(catalogue.search(QStringLiteral("Phares"), 25)), std::nullopt);
        QVERIFY(catalogue.isThrottled());
        QVERIFY2(catalogue.lastFailure().contains(QStringLiteral("Trop de recherches")), qPrintable(catalogue.lastFailure()));
        // A refusal is not kept: the next try asks again and succeeds.
        QVERIFY(await(catalogue.search(QStringLiteral("Phares"), 25)));
        QVERIFY(!catalogue.isThrottled());
        QVERIFY(catalogue.lastFailure().isEmpty());
        QCOMPARE(catalogue.requestsSent(), 2);
        // Refused again for other words, then the first ones from memory: that answer is no failure.
        web.failNext(QStringLiteral("/search"), 1, status);
        QCOMPARE(await(catalogue.search(QStringLiteral("Ravanel"), 25)), std::nullopt);
        QVERIFY(!catalogue.lastFailure().isEmpty());
        QVERIFY(await(catalogue.search(QStringLiteral("Phares"), 25)));
        QVERIFY(catalogue.lastFailure().isEmpty());
        QCOMPARE(catalogue.requestsSent(), 3);
    }

    void idsThatAreNotNumbersAreNeverSent()
    {
        SimWebServices web;
        QVERIFY(web.start());
        PublicCatalog catalogue(web.origin(), QStringLiteral("fr"));
        QVERIFY(await(catalogue.albumTracks(QStringLiteral("1&term=x"))).isEmpty());
        QCOMPARE(await(catalogue.song(QStringLiteral("pl.u-Kf3mQ"))), std::nullopt);
        QCOMPARE(catalogue.requestsSent(), 0);
    }
};

QTEST_GUILESS_MAIN(TestPublicCatalog)
#include "tst_publiccatalog.moc"
