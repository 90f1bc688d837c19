#include "applemusic/applemusickit.h"
#include "applemusic/requests.h"
#include "applemusic/webmusicservice.h"
#include "async/delays.h"
#include "simwebservices.h"
#include "testutil.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QSet>
#include <QTest>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

namespace {
std::unique_ptr<WebMusicService> signedIn_(const SimWebServices &web)
{
    UserTokenStore store(false);
    await(store.write(QString::fromLatin1(SimWebServices::userToken)));
    auto service = std::make_unique<WebMusicService>(WebMusicService::Settings{web.origin(), SimWebServices::developerToken, {}, {}}, store);
    await(service->load());
    return service;
}

QStringList titles(const QList<Track> &tracks)
{
    QStringList list;
    for (const Track &t : tracks)
        list << t.title;
    return list;
}
} // namespace

class TestAppleMusicKit : public QObject
{
    Q_OBJECT

    QTemporaryDir m_profile;

private Q_SLOTS:
    void initTestCase() { qputenv("CORVANE_PROFILE", m_profile.path().toUtf8()); }

    void search()
    {
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        const AppleMusicKit::SearchResults results = await(AppleMusicKit::search(service.get(), QStringLiteral("ravanel "), 25));
        QCOMPARE(titles(results.songs), (QStringList{"Néons sur la Loire", "Minuit moins le quart", "Quai des brumes électriques", "Dernier tramway"}));
        QCOMPARE(results.songs.first().id, QStringLiteral("1609934412"));
        QCOMPARE(results.songs.first().durationMS, std::optional<qint64>(201000));
        QVERIFY(results.songs.first().artworkBase->endsWith(QLatin1String("/100x100bb.jpg")));
        QCOMPARE(results.albums.size(), 1);
        QCOMPARE(results.albums.first().year, std::optional<QString>("2021"));
        QCOMPARE(results.albums.first().trackCount, std::optional<int>(4));
        QCOMPARE(results.artists.size(), 1);
        QCOMPARE(results.artists.first().genre, std::optional<QString>("Pop"));
        QVERIFY(results.artists.first().artworkBase->endsWith(QLatin1String("/600x600bb.jpg")));
        QVERIFY(results.playlists.isEmpty()); // no bucket at all in the reply
        QVERIFY(web.requested().contains(QStringLiteral("/v1/catalog/fr/search")));
    }

    void searchSendsNothing_data()
    {
        QTest::addColumn<QString>("term");
        QTest::addColumn<bool>("authorized");
        QTest::newRow("spaces and tabs only") << " \t  " << true;
        QTest::newRow("not authorized") << "ravanel" << false;
    }
    void searchSendsNothing()
    {
        QFETCH(QString, term);
        QFETCH(bool, authorized);
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        if (!authorized)
            service = std::make_unique<WebMusicService>(WebMusicService::Settings{web.origin(), std::nullopt, {}, {}}, UserTokenStore(false));
        const auto results = await(AppleMusicKit::search(service.get(), term, 25));
        QVERIFY(results.songs.isEmpty() && results.albums.isEmpty() && results.artists.isEmpty() && results.playlists.isEmpty());
        QVERIFY(web.requested().isEmpty());
    }

    void searchOverTheServiceLimitIsEmpty()
    {
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        QVERIFY(await(AppleMusicKit::search(service.get(), QStringLiteral("ravanel"), 26)).songs.isEmpty());
    }

    void searchMappingEdges()
    {
        const QByteArray reply = "{\"results\":{\"songs\":{\"data\":["
                                 "{\"id\":\"1\",\"type\":\"songs\",\"attributes\":{\"name\":\"Sans album\",\"artistName\":\"X\"}},"
                                 "{\"id\":\"1\",\"type\":\"songs\",\"attributes\":{\"name\":\"Sans album\",\"artistName\":\"X\",\"extra\":[1,2]}}]},"
                                 "\"artists\":{\"data\":[{\"id\":\"7\",\"type\":\"artists\",\"attributes\":{\"name\":\"Nue\"}}]},"
                                 "\"albums\":null}}";
        const auto results = AppleMusicKit::searchResultsFrom(reply);
        QCOMPARE(results.songs.size(), 2); // repeats stay as the service sent them
        QCOMPARE(results.songs.first().album, QString());
        QCOMPARE(results.songs.first().durationMS, std::nullopt);
        QCOMPARE(results.artists.first(), (Artist{"7", "Nue", std::nullopt, std::nullopt}));
        QVERIFY(results.albums.isEmpty());
    }

    void library()
    {
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        const QList<LibraryPlaylist> playlists = await(AppleMusicKit::libraryPlaylists(service.get(), 500));
        QCOMPARE(playlists.size(), 230);
        QCOMPARE(web.requested().count(QStringLiteral("/v1/me/library/playlists")), 3); // 100, 100, then 30: done
        QVERIFY(playlists.first().artwork.has_value());
        const QList<Track> songs = await(AppleMusicKit::librarySongs(service.get(), 100));
        QCOMPARE(songs.size(), 100);
        QCOMPARE(songs.first().id, QStringLiteral("1609930000")); // the catalogue id
    }

    void librarySongsFallBackToOffsetPages()
    {
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        web.failRequest(QStringLiteral("/v1/me/library/songs"), 1);
        const QList<Track> songs = await(AppleMusicKit::librarySongs(service.get(), 100));
        QCOMPARE(songs.size(), 100);
        QCOMPARE(web.requested().count(QStringLiteral("/v1/me/library/songs")), 2);
    }

    void recommendations()
    {
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        const QList<Recommendation> shelves = await(AppleMusicKit::recommendations(service.get(), 12));
        QCOMPARE(shelves.size(), 2); // the empty shelf is dropped
        QCOMPARE(shelves[0].title, QStringLiteral("Écoutés récemment"));
        QCOMPARE(shelves[0].items.size(), 6); // albums first, then playlists, the repeat dropped
        QCOMPARE(shelves[0].items[3].kind, MusicItem::Kind::Album);
        QCOMPARE(shelves[0].items[4].kind, MusicItem::Kind::Playlist);
        QCOMPARE(shelves[0].items[4].subtitle, QStringLiteral("Corvane Radio"));
        QCOMPARE(shelves[1].title, QStringLiteral("Pour vous"));
    }

    void songArtwork_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("signedIn");
        QTest::addColumn<bool>("found");
        QTest::newRow("a catalogue song") << "1609934412" << true << true;
        QTest::newRow("not in the catalogue") << "42" << true << false;
        QTest::newRow("not authorized") << "1609934412" << false << false;
    }
    void songArtwork()
    {
        QFETCH(QString, id);
        QFETCH(bool, signedIn);
        QFETCH(bool, found);
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn ? signedIn_(web)
                                : std::make_unique<WebMusicService>(WebMusicService::Settings{web.origin(), std::nullopt, {}, {}}, UserTokenStore(false));
        const auto url = await(AppleMusicKit::songArtwork(service.get(), id));
        QCOMPARE(url.has_value(), found);
        if (found)
            QCOMPARE(*url, web.origin().toString() + QStringLiteral("/art/1609934412/100x100bb.jpg"));
        if (!signedIn)
            QVERIFY(web.requested().isEmpty());
    }

    void qualityLabels_data()
    {
        QTest::addColumn<QByteArray>("variants");
        QTest::addColumn<QString>("label");
        QTest::newRow("Atmos wins over lossless") << QByteArray("[\"lossless\",\"dolby-atmos\"]") << "Dolby Atmos";
        QTest::newRow("hi-res wins over lossless") << QByteArray("[\"lossless\",\"hi-res-lossless\"]") << "Hi-Res Lossless";
        QTest::newRow("lossless") << QByteArray("[\"lossy-stereo\",\"lossless\"]") << "Lossless";
        QTest::newRow("none of the three") << QByteArray("[\"lossy-stereo\",\"dolby-audio\"]") << "";
        QTest::newRow("empty list") << QByteArray("[]") << "";
        QTest::newRow("no variants at all") << QByteArray("null") << "";
    }
    void qualityLabels()
    {
        QFETCH(QByteArray, variants);
        QFETCH(QString, label);
        const QByteArray reply = "{\"data\":[{\"id\":\"1\",\"type\":\"songs\",\"attributes\":{\"name\":\"x\",\"audioVariants\":" + variants + "}}]}";
        QCOMPARE(AppleMusicKit::qualityFrom(reply).value_or(QString()), label);
    }

    void qualityFromTheCatalogue_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("label");
        QTest::newRow("1609934412 offers Atmos") << "1609934412" << "Dolby Atmos";
        QTest::newRow("1440857781 offers hi-res") << "1440857781" << "Hi-Res Lossless";
        QTest::newRow("not in the storefront") << "42" << "";
    }
    void qualityFromTheCatalogue()
    {
        QFETCH(QString, id);
        QFETCH(QString, label);
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        QCOMPARE(await(AppleMusicKit::quality(service.get(), id)).value_or(QString()), label);
    }

    void chartRegion_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("region");
        QTest::newRow("France") << QLocale(QLocale::French, QLocale::France) << "fr";
        QTest::newRow("Belgium") << QLocale(QLocale::French, QLocale::Belgium) << "be";
        QTest::newRow("no region") << QLocale::c() << "fr";
    }
    void chartRegion()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, region);
        QCOMPARE(AppleCharts::region(locale), region);
    }

    void chartFeedRetriesOnce_data()
    {
        QTest::addColumn<int>("failures");
        QTest::addColumn<int>("songs");
        QTest::addColumn<int>("requests");
        QTest::newRow("good at once") << 0 << 8 << 1;
        QTest::newRow("503 then good") << 1 << 8 << 2;
        QTest::newRow("two failures") << 2 << 0 << 2;
    }
    void chartFeedRetriesOnce()
    {
        QFETCH(int, failures);
        QFETCH(int, songs);
        QFETCH(int, requests);
        setDelayScale(0.1);
        SimWebServices web;
        QVERIFY(web.start());
        web.failNext(QStringLiteral("/api/v2/fr/music/most-played/8/songs.json"), failures);
        QElapsedTimer clock;
        clock.start();
        const AppleCharts::Feed feed = await(AppleCharts::mostPlayed(web.origin(), QStringLiteral("FR"), AppleCharts::Kind::Songs, 8));
        QCOMPARE(feed.songs.size(), songs);
        QCOMPARE(web.requested().size(), requests);
        if (requests == 2)
            QVERIFY(clock.elapsed() >= 55); // one pause of 0.6 s, scaled
        if (songs) {
            QCOMPARE(feed.songs.first().album, QString());
            QCOMPARE(feed.songs.first().durationMS, std::nullopt);
        }
        setDelayScale(1.0);
    }

    void newReleases()
    {
        SimWebServices web;
        QVERIFY(web.start());
        const QList<Album> albums = await(AppleCharts::newReleases(web.origin(), QStringLiteral("fr"), 8));
        QStringList ids;
        for (const Album &album : albums)
            ids << album.id;
        // 3, 10, 10 (feed order kept), 20 and 55 days old; 56, 57 and undated ones are out.
        QCOMPARE(ids, (QStringList{"1700000001", "1700000000", "1700000004", "1700000007", "1700000002"}));
        QCOMPARE(albums.first().year, std::optional<QString>(QString::number(QDate::currentDate().addDays(-3).year())));
    }

    void explore()
    {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        const AppleMusicKit::Charts all = await(AppleMusicKit::charts(service.get(), std::nullopt, std::nullopt, 24));
        QCOMPARE(all.albums.size(), 4); // two groups, repeats dropped
        QCOMPARE(all.songs.size(), 4);
        QCOMPARE(all.playlists.size(), 2);
        const AppleMusicKit::Charts jazz = await(AppleMusicKit::charts(service.get(), QStringLiteral("be"), QStringLiteral("11"), 24));
        QVERIFY(jazz.playlists.isEmpty());
        QVERIFY(web.requested().contains(QStringLiteral("/v1/catalog/be/charts")));

        QCOMPARE(await(AppleMusicKit::genres(service.get())).size(), 3); // the nameless genre is left out
        QStringList names;
        for (const StorefrontRef &storefront : await(AppleMusicKit::storefronts(service.get())))
            names << storefront.name;
        QCOMPARE(names, (QStringList{"Autriche", "belgique", "DZ", "Égypte", "France"}));
    }

    void idsInPathsAreEscaped_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("unescaped"); // what an id taken as path would have asked for
        QTest::newRow("album") << "album" << "/v1/catalog/fr/albums/a/b";
        QTest::newRow("playlist") << "playlist" << "/v1/catalog/fr/playlists/a/b";
        QTest::newRow("artist") << "artist" << "/v1/catalog/fr/artists/a/b";
        QTest::newRow("genre") << "genre" << "";
    }
    void idsInPathsAreEscaped()
    {
        QFETCH(QString, kind);
        QFETCH(QString, unescaped);
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        const QString id = QStringLiteral("a/b?x=1&genre=2#c");
        if (kind == QLatin1String("album"))
            await(AppleMusicKit::albumTracks(service.get(), id));
        else if (kind == QLatin1String("playlist"))
            await(AppleMusicKit::playlistTracks(service.get(), id));
        else if (kind == QLatin1String("artist"))
            await(AppleMusicKit::artistDetail(service.get(), id));
        else
            await(AppleMusicKit::charts(service.get(), QStringLiteral("fr"), id, 5));
        for (const QUrl &url : web.requestedURLs()) {
            const QString path = url.path(QUrl::FullyEncoded);
            QVERIFY2(unescaped.isEmpty() || !path.startsWith(unescaped), qPrintable(path));
            QVERIFY2(!url.query().contains(QStringLiteral("x=1")), qPrintable(url.toString()));
        }
        if (kind == QLatin1String("genre"))
            QVERIFY(web.requestedURLs().last().query(QUrl::FullyEncoded).contains(QStringLiteral("genre=a%2Fb%3Fx%3D1%26genre%3D2%23c")));
    }

    void albumTracksLeaveClipsOut()
    {
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        const QList<Track> tracks = await(AppleMusicKit::albumTracks(service.get(), QStringLiteral("1440857770")));
        QCOMPARE(tracks.size(), 4);
        for (const Track &track : tracks)
            QVERIFY(track.id != QLatin1String("1811470099"));
        QVERIFY(web.requested().contains(QStringLiteral("/v1/catalog/fr/albums/1440857770/tracks")));
    }

    void playlistTracks_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("firstID");
        QTest::newRow("catalogue playlist: the library has none") << "pl.u-Kf3mQ" << 5 << "1609934412";
        QTest::newRow("12 and 12: the catalogue") << "tie12" << 12 << "1800000000";
        QTest::newRow("12 in the library, 11 in the catalogue: the library") << "lib12cat11" << 12 << "1810000000";
        QTest::newRow("library playlist through the fallback route") << "p.fallback" << 5 << "1820000000";
        QTest::newRow("unknown everywhere") << "pl.nothing" << 0 << "";
    }
    void playlistTracks()
    {
        QFETCH(QString, id);
        QFETCH(int, count);
        QFETCH(QString, firstID);
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        const QList<Track> tracks = await(AppleMusicKit::playlistTracks(service.get(), id));
        QCOMPARE(tracks.size(), count);
        if (count)
            QCOMPARE(tracks.first().id, firstID);
    }

    void itemTracks_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("count");
        QTest::newRow("album tile") << int(MusicItem::Kind::Album) << "1609934400" << 4;
        QTest::newRow("playlist tile") << int(MusicItem::Kind::Playlist) << "pl.u-Kf3mQ" << 5;
        QTest::newRow("unknown") << int(MusicItem::Kind::Album) << "999" << 0;
        QTest::newRow("longer than the included tracks") << int(MusicItem::Kind::Playlist) << "pl.long" << 250;
    }
    void itemTracks()
    {
        QFETCH(int, kind);
        QFETCH(QString, id);
        QFETCH(int, count);
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        const QList<Track> tracks = await(AppleMusicKit::itemTracks(service.get(), MusicItem{id, MusicItem::Kind(kind), {}, {}, std::nullopt}));
        QCOMPARE(tracks.size(), count); // the clip among the tracks is left out
    }

    void artistOfAlbum()
    {
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        const auto artist = await(AppleMusicKit::artistOfAlbum(service.get(), QStringLiteral("1609934400")));
        QVERIFY(artist);
        QCOMPARE(artist->name, QStringLiteral("Odile Ravanel"));
        QCOMPARE(artist->genre, std::optional<QString>("Chanson"));
        QVERIFY(artist->artworkBase->endsWith(QLatin1String("/100x100bb.jpg")));
        QCOMPARE(await(AppleMusicKit::artistOfAlbum(service.get(), QStringLiteral("999"))), std::nullopt);
    }

    void artistPage()
    {
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        const ArtistDetail detail = await(AppleMusicKit::artistDetail(service.get(), QStringLiteral("art.full")));
        QCOMPARE(detail.topSongs.size(), 8);
        QCOMPARE(detail.albums.size(), 2);
        QVERIFY(detail.singles.isEmpty()); // no singles, the other shelves still fill
        QCOMPARE(detail.appearsOn.size(), 2);
        QCOMPARE(detail.similar.size(), 2);
        QCOMPARE(detail.playlists.size(), 1);
        QVERIFY(detail.latest.has_value());
        QVERIFY(web.requested().contains(QStringLiteral("/v1/catalog/fr/artists/art.full/view/latest-release")));
    }

    void theStorefrontIsAskedOnce()
    {
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        await(AppleMusicKit::artistDetail(service.get(), QStringLiteral("art.full")));
        // Seven views start together; they share one request for the storefront.
        QCOMPARE(web.requested().count(QStringLiteral("/v1/me/storefront")), 1);
    }

    void artistRadio_data()
    {
        QTest::addColumn<QString>("artist");
        QTest::addColumn<int>("count");
        QTest::newRow("three songs, no similar artists") << "art.small" << 3;
        QTest::newRow("own songs and two similar artists") << "art.full" << 24;
    }
    void artistRadio()
    {
        QFETCH(QString, artist);
        QFETCH(int, count);
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        const QList<Track> mix = await(AppleMusicKit::artistRadio(service.get(), artist, 60));
        QCOMPARE(mix.size(), count);
        QCOMPARE(Catalog::uniqueByID(mix).size(), count);
        QCOMPARE(await(AppleMusicKit::artistRadio(service.get(), artist, 2)).size(), std::min(2, count));
    }

    void artistsNeverShareTopSongs()
    {
        // The radio mixes several artists' top songs and drops repeats: two artists must not
        // come back with the same songs.
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        QSet<QString> seen;
        for (int artist = 1; artist <= 100; ++artist) {
            const QList<Track> songs = Catalog::itemsToTracks(
                await(AppleMusic::catalogGet(service.get(), QStringLiteral("artists/art.n%1/view/top-songs").arg(artist), 8)));
            QCOMPARE(songs.size(), 8);
            for (const Track &song : songs) {
                QVERIFY2(!seen.contains(song.id), qPrintable(song.id));
                seen.insert(song.id);
            }
        }
    }

    void personalShelves()
    {
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        const AppleMusicKit::Shelf rotation = await(AppleMusicKit::heavyRotation(service.get(), 25));
        QCOMPARE(rotation.albums.size(), 4);
        QCOMPARE(rotation.playlists.size(), 2);
        QVERIFY(rotation.songs.isEmpty());
        QVERIFY(web.requested().contains(QStringLiteral("/v1/me/history/heavy-rotation")));

        const AppleMusicKit::Shelf added = await(AppleMusicKit::recentlyAdded(service.get(), 25));
        QCOMPARE(added.albums.size(), 4);
        QCOMPARE(added.albums.first().id, QStringLiteral("l.1440857770"));
        QCOMPARE(added.playlists.size(), 2);
        QCOMPARE(added.songs.size(), 3); // the clip is left out
        QCOMPARE(added.songs.first().id, QStringLiteral("1440857781")); // the catalogue id
    }

    void recentlyPlayedInPagesOfTen()
    {
        SimWebServices web;
        QVERIFY(web.start());
        auto service = signedIn_(web);
        const AppleMusicKit::Shelf shelf = await(AppleMusicKit::recentlyPlayed(service.get(), 25));
        // 25 items read in pages of 10, 10 and 5: stations skipped, repeats dropped.
        QCOMPARE(web.requested().count(QStringLiteral("/v1/me/recent/played")), 3);
        QCOMPARE(shelf.albums.size(), 4);
        QCOMPARE(shelf.playlists.size(), 2);
        QCOMPARE(shelf.albums.first().title, QStringLiteral("Cartes marines"));
    }
};

QTEST_GUILESS_MAIN(TestAppleMusicKit)
#include "tst_applemusickit.moc"
