// The model's search, routes, home and explore loading, favorites, rooms, tone and sleep timer.

#include "async/clock.h"
#include "async/delays.h"
#include "modelrig.h"
#include "simtrack.h"
#include "sonos/sonoscontroller.h"
#include "storage/cachedhome.h"

#include <QSignalSpy>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

namespace {

const QString searchPath = QStringLiteral("/v1/catalog/fr/search");

LibraryPlaylist playlist(const QString &id, const QString &name)
{
    return LibraryPlaylist{id, name, std::nullopt, std::nullopt};
}

QStringList namesOf(const QList<LibraryPlaylist> &playlists)
{
    QStringList names;
    for (const LibraryPlaylist &playlist : playlists)
        names << playlist.name;
    return names;
}

} // namespace

class TestModelBrowse : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void init() { setDelayScale(0.05); }
    void cleanup() { setDelayScale(1.0); }

    // ---- search

    void typingQuicklySendsOneSearch()
    {
        ModelRig rig;
        CorvaneModel &model = *rig.model;
        model.browse()->setQuery(QStringLiteral("r"));
        model.browse()->setQuery(QStringLiteral("ra"));
        model.browse()->setQuery(QStringLiteral("rav"));
        QTRY_VERIFY(!model.browse()->foundTracks().isEmpty());
        QTRY_VERIFY(!model.browse()->isSearching());
        QCOMPARE(rig.web.requested().count(searchPath), 1);
        QCOMPARE(model.browse()->recentSearches(), QStringList{"rav"});
        QCOMPARE(model.browse()->route(), Route::results());
    }

    void clearingTheFieldShowsTheHomeAtOnce()
    {
        ModelRig rig;
        CorvaneModel &model = *rig.model;
        model.browse()->setQuery(QStringLiteral("ravanel"));
        QTRY_VERIFY(!model.browse()->foundTracks().isEmpty());
        model.browse()->setQuery(QStringLiteral(" \t "));
        QVERIFY(model.browse()->foundTracks().isEmpty());
        QVERIFY(model.browse()->foundAlbums().isEmpty());
        QVERIFY(!model.browse()->isSearching());
        QCOMPARE(model.browse()->route(), Route::results());
    }

    void staleResultsAreDropped()
    {
        ModelRig rig;
        CorvaneModel &model = *rig.model;
        rig.web.setReplyDelay(150);
        QSignalSpy applied(model.browse(), &Browse::resultsChanged);
        model.browse()->setQuery(QStringLiteral("phares"));
        QTRY_COMPARE(rig.web.requested().count(searchPath), 1); // in flight
        model.browse()->setQuery(QStringLiteral("ravanel"));
        QTRY_VERIFY_WITH_TIMEOUT(!model.browse()->foundTracks().isEmpty(), 3000);
        QTRY_VERIFY(!model.browse()->isSearching());
        QCOMPARE(applied.count(), 1); // the older reply never showed
        QCOMPARE(model.browse()->foundTracks().first().artist, QStringLiteral("Odile Ravanel"));
        QCOMPARE(model.browse()->recentSearches(), QStringList{"ravanel"});
    }

    void scopeKeepsOneKind()
    {
        ModelRig rig;
        CorvaneModel &model = *rig.model;
        model.browse()->setQuery(QStringLiteral("ravanel"));
        QTRY_VERIFY(!model.browse()->foundTracks().isEmpty());
        model.browse()->setScope(SearchScope::Albums);
        QTRY_VERIFY(model.browse()->foundTracks().isEmpty());
        QTRY_VERIFY(!model.browse()->isSearching());
        QVERIFY(!model.browse()->foundAlbums().isEmpty());
        QVERIFY(model.browse()->foundArtists().isEmpty());
        QCOMPARE(rig.web.requested().count(searchPath), 2);
    }

    void searchingWithoutAccess()
    {
        ModelRig::Options options;
        options.signedIn = false;
        ModelRig rig(options);
        rig.model->browse()->setQuery(QStringLiteral("ravanel"));
        QTRY_VERIFY(rig.model->household()->needsAppleMusic());
        QVERIFY(rig.model->browse()->foundTracks().isEmpty());
        QVERIFY(!rig.web.requested().contains(searchPath));
    }

    // Without a developer token the catalogue is Apple's public search: what it finds plays with
    // the household's own account, as a search with a token does.
    void withoutTokenThePublicCatalogueIsSearchedAndPlayed()
    {
        ModelRig rig(ModelRig::Options{.signedIn = false, .developerToken = false});
        QVERIFY(rig.startUp());
        SimSpeaker &salon = *rig.speaker("Salon");
        rig.model->browse()->setQuery(QStringLiteral("Ravanel"));
        QTRY_VERIFY(rig.model->browse()->hasAnsweredQuery());
        QVERIFY(!rig.model->household()->needsAppleMusic());
        QVERIFY(!rig.model->browse()->foundTracks().isEmpty());
        QVERIFY(!rig.model->browse()->foundAlbums().isEmpty());
        QVERIFY(!rig.model->browse()->foundArtists().isEmpty());
        QCOMPARE(rig.web.requested().count(QStringLiteral("/search")), 1);
        QVERIFY(!rig.web.requested().contains(searchPath));

        // A song: its catalogue id with the household's serial and flags.
        const Track song = rig.model->browse()->foundTracks().first();
        salon.clearReceived();
        await(rig.model->playback()->playSong(song));
        const QString expected = QStringLiteral("song%3a") + song.id + QStringLiteral(".mp4?sid=204&flags=8224&sn=3");
        const auto sent = [&salon](const QString &part) {
            for (const SimRequest &request : salon.received()) {
                for (const QString &argument : request.arguments) {
                    if (argument.contains(part, Qt::CaseInsensitive))
                        return true;
                }
            }
            return false;
        };
        QVERIFY2(sent(expected), qPrintable(expected));

        // An album, opened then played: its songs come from one lookup.
        const Album album = rig.model->browse()->foundAlbums().first();
        await(rig.model->browse()->showAlbum(album));
        QTRY_VERIFY(!rig.model->browse()->detailTracks().isEmpty());
        salon.clearReceived();
        await(rig.model->playback()->playSongs(rig.model->browse()->detailTracks(), album.title, QStringLiteral("album"), album.id));
        QVERIFY(sent(QStringLiteral("album%3a") + album.id) || sent(QStringLiteral("song%3a") + rig.model->browse()->detailTracks().first().id));

        // An artist's most popular songs.
        salon.clearReceived();
        await(rig.model->playback()->startRadio(rig.model->browse()->foundArtists().first()));
        QVERIFY(countOf(salon, "AddURIToQueue") + countOf(salon, "SetAVTransportURI") > 0);
        QVERIFY(sent(QStringLiteral("sid=204")));
    }

    void withoutTokenASearchIsAskedOnceAndRefusalsPass()
    {
        ModelRig rig(ModelRig::Options{.signedIn = false, .developerToken = false});
        // The same words again within ten minutes: from memory.
        rig.model->browse()->setQuery(QStringLiteral("Phares"));
        QTRY_VERIFY(rig.model->browse()->hasAnsweredQuery());
        rig.model->browse()->setQuery(QString());
        rig.model->browse()->setQuery(QStringLiteral("Phares"));
        QTRY_VERIFY(rig.model->browse()->hasAnsweredQuery());
        QVERIFY(!rig.model->browse()->foundTracks().isEmpty());
        QCOMPARE(rig.web.requested().count(QStringLiteral("/search")), 1);

        // Too many searches: said in French, then asked again a moment later, unprompted.
        rig.web.failNext(QStringLiteral("/search"), 1, 403);
        rig.model->browse()->setQuery(QStringLiteral("Ravanel"));
        QTRY_VERIFY(rig.model->notices()->errorMessage().value_or(QString()).contains(QStringLiteral("Trop de recherches")));
        QVERIFY(!rig.model->browse()->isSearching());
        QTRY_VERIFY(rig.model->browse()->hasAnsweredQuery());
        QVERIFY(!rig.model->browse()->foundTracks().isEmpty());
        QCOMPARE(rig.web.requested().count(QStringLiteral("/search")), 3);
        QVERIFY(!rig.model->notices()->errorMessage());
    }

    void withoutTokenTheHomeHasChartsAndNoPersonalShelves()
    {
        ModelRig rig(ModelRig::Options{.signedIn = false, .developerToken = false});
        QVERIFY(rig.startUp());
        await(rig.model->home()->loadHome());
        await(rig.model->home()->loadHomeCharts());
        QTRY_VERIFY(rig.model->home()->chartsLoaded());
        QVERIFY(!rig.model->home()->chartSongs().isEmpty());
        for (const QString &path : rig.web.requested())
            QVERIFY2(!path.startsWith(QLatin1String("/v1/")), qPrintable(path));
    }

    void recentSearches_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("recent");
        QTest::newRow("newest first") << QStringList{"abc", "def"} << QStringList{"def", "abc"};
        QTest::newRow("another capitalisation: one entry, as typed last")
            << QStringList{"Ravanel", "abc", "RAVANEL"} << QStringList{"RAVANEL", "abc"};
        QTest::newRow("too short") << QStringList{"a", " b\t"} << QStringList{};
        QTest::newRow("trimmed of spaces and tabs") << QStringList{"\t phares  "} << QStringList{"phares"};
        QTest::newRow("a ninth pushes out the oldest")
            << QStringList{"s1", "s2", "s3", "s4", "s5", "s6", "s7", "s8", "s9"}
            << QStringList{"s9", "s8", "s7", "s6", "s5", "s4", "s3", "s2"};
    }
    void recentSearches()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, recent);
        ModelRig::Options options;
        options.household = "none";
        ModelRig rig(options);
        for (const QString &text : typed)
            rig.model->browse()->addRecentSearch(text);
        QCOMPARE(rig.model->browse()->recentSearches(), recent);
    }

    // ---- routes

    void panelsReturnWhereTheUserWas()
    {
        ModelRig rig;
        CorvaneModel &model = *rig.model;
        const Album album{"1609934400", "Villes de nuit", "Odile Ravanel", std::nullopt, std::nullopt, std::nullopt};
        await(model.browse()->showAlbum(album));
        QCOMPARE(model.browse()->albumTracks().size(), 4);
        QVERIFY(!model.browse()->isLoadingDetail());
        model.browse()->showPanel(RouteKind::Queue);
        model.browse()->showPanel(RouteKind::Queue);
        QCOMPARE(model.browse()->route(), Route::album(album));
        model.browse()->showPanel(RouteKind::Queue);
        model.browse()->showPanel(RouteKind::History);
        QCOMPARE(model.browse()->route(), Route::panel(RouteKind::History));
        model.browse()->showPanel(RouteKind::History);
        QCOMPARE(model.browse()->route(), Route::album(album)); // not back to the queue
        model.playback()->setExpanded(true);
        model.browse()->toggleQueue();
        QVERIFY(!model.playback()->isExpanded());
        QCOMPARE(model.browse()->route().kind, RouteKind::Queue);
    }

    void artistNamedWithoutAccents()
    {
        ModelRig rig;
        CorvaneModel &model = *rig.model;
        await(model.browse()->showArtistNamed(QStringLiteral("maelle kerbrat")));
        QCOMPARE(model.browse()->route().kind, RouteKind::Artist);
        QCOMPARE(std::get<Artist>(model.browse()->route().payload).name, QStringLiteral("Maëlle Kerbrat"));
        QVERIFY(!model.browse()->isLoadingDetail());
        // Nobody by that name: the name goes to the search field.
        await(model.browse()->showArtistNamed(QStringLiteral("zzzz")));
        QCOMPARE(model.browse()->query(), QStringLiteral("zzzz"));
    }

    void playingAnEmptyTile()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        rig.model->playback()->setPreparing(QStringLiteral("Rien"));
        await(rig.model->playback()->playCatalogItem(MusicItem{"999", MusicItem::Kind::Album, "Rien", "", std::nullopt}));
        QCOMPARE(rig.model->playback()->preparing(), std::nullopt);
        QCOMPARE(rig.model->notices()->errorMessage(), std::optional<QString>("Ce contenu est vide ou indisponible."));
    }

    // ---- home and explore

    void homeShowsTheSnapshotFirst()
    {
        ModelRig rig;
        CorvaneModel &model = *rig.model;
        CachedHome::save({Recommendation{"old", "Ancienne étagère", {MusicItem{"1", MusicItem::Kind::Album, "A", "B", std::nullopt}}}});
        CachedHome::waitForSaves();
        rig.web.setReplyDelay(100);
        auto loading = model.home()->loadHome();
        QCOMPARE(model.home()->recommendations().size(), 1); // before any reply
        QCOMPARE(model.home()->recommendations().first().title, QStringLiteral("Ancienne étagère"));
        await(std::move(loading));
        QCOMPARE(model.home()->recommendations().size(), 2);
        QCOMPARE(model.home()->playlists().size(), 230);
        QCOMPARE(model.home()->libraryTracks().size(), 100);
        CachedHome::waitForSaves();
        QCOMPARE(CachedHome::read()->recommendations, model.home()->recommendations());
    }

    void failedHomeRequests()
    {
        ModelRig rig;
        CorvaneModel &model = *rig.model;
        CachedHome::save({Recommendation{"old", "Ancienne étagère", {MusicItem{"1", MusicItem::Kind::Album, "A", "B", std::nullopt}}}});
        CachedHome::waitForSaves();
        rig.web.failNext(QStringLiteral("/v1/me/recommendations"), 5);
        rig.web.failNext(QStringLiteral("/v1/me/library/songs"), 5);
        rig.web.setLibrarySongCount(0);
        await(model.home()->loadHome());
        QCOMPARE(model.home()->recommendations().first().title, QStringLiteral("Ancienne étagère")); // kept
        QVERIFY(model.home()->libraryTracks().isEmpty());
    }

    void aRefusedDeveloperTokenIsSaid()
    {
        ModelRig rig;
        CorvaneModel &model = *rig.model;
        for (const char *path : {"/v1/me/recommendations", "/v1/me/library/playlists", "/v1/me/library/songs"})
            rig.web.setReply(QString::fromLatin1(path), SimWebServices::Reply{401, "application/json", "{\"errors\":[]}"});
        await(model.home()->loadHome());
        QVERIFY2(model.notices()->errorMessage().value_or(QString()).contains(QStringLiteral("jeton de développeur")),
                 qPrintable(model.notices()->errorMessage().value_or(QString())));
    }

    void chartsWithoutRecommendations()
    {
        ModelRig rig;
        await(rig.model->home()->loadHomeCharts());
        QVERIFY(rig.model->home()->chartsLoaded());
        QVERIFY(!rig.model->home()->chartSongs().isEmpty());
        QVERIFY(!rig.model->home()->chartAlbums().isEmpty());
        QVERIFY(!rig.model->home()->newReleases().isEmpty());
        QVERIFY(!rig.model->home()->recentAlbums().isEmpty()); // the personal shelves follow
    }

    void personalReloadAtMostOncePerMinute()
    {
        setDelayScale(1.0);
        ModelRig rig;
        ManualClock clock;
        const QString path = QStringLiteral("/v1/me/history/heavy-rotation");
        await(rig.model->home()->loadPersonal(true));
        clock.advance(std::chrono::seconds(30));
        await(rig.model->home()->loadPersonal(true));
        QCOMPARE(rig.web.requested().count(path), 1);
        clock.advance(std::chrono::seconds(31)); // 61 s after the first
        await(rig.model->home()->loadPersonal(true));
        QCOMPARE(rig.web.requested().count(path), 2);
        await(rig.model->home()->loadPersonal(false)); // loaded once is enough
        QCOMPARE(rig.web.requested().count(path), 2);
    }

    void staleExploreResultsAreDropped()
    {
        ModelRig rig;
        CorvaneModel &model = *rig.model;
        await(model.home()->loadExploreLists());
        QCOMPARE(model.home()->accountStorefront()->id, QStringLiteral("fr"));
        QCOMPARE(model.home()->exploreStorefrontLabel(), QStringLiteral("France"));
        rig.web.setReplyDelay(100);
        // (loading, playlists shown) at every change of the page
        QList<std::pair<bool, qsizetype>> seen;
        connect(model.home(), &Home::exploreChanged, &model,
                [&] { seen.append({model.home()->isLoadingExplore(), model.home()->explorePlaylists().size()}); });
        auto jazz = model.home()->pickExploreGenre(GenreRef{"11", "Jazz"}); // no playlists in its charts
        auto all = model.home()->pickExploreGenre(std::nullopt);
        await(std::move(jazz));
        await(std::move(all));
        // The older load ended without touching the page: loading ends once, with the newer charts.
        QCOMPARE(std::count_if(seen.begin(), seen.end(), [](const auto &state) { return !state.first; }), 1);
        QCOMPARE(seen.last(), (std::pair<bool, qsizetype>(false, 2)));
        QVERIFY(model.home()->exploreLoaded());
    }

    void enteringExploreLoadsEverything()
    {
        ModelRig rig;
        await(rig.model->home()->enterExplore());
        QVERIFY(!rig.model->home()->exploreGenres().isEmpty());
        QVERIFY(rig.model->home()->exploreLoaded());
        QTRY_VERIFY_WITH_TIMEOUT(!rig.model->home()->radios().isEmpty(), 5000);
    }

    void accountStorefrontMissing()
    {
        ModelRig rig;
        rig.web.setReply(QStringLiteral("/v1/me/storefront"), {200, "application/json", "{\"data\":[{\"id\":\"zz\",\"type\":\"storefronts\"}]}"});
        await(rig.model->home()->loadExploreLists());
        QCOMPARE(rig.model->home()->accountStorefront(), std::nullopt);
        QCOMPARE(rig.model->home()->exploreStorefrontLabel(), QStringLiteral("Mon pays"));
    }

    void playlistOrders_data()
    {
        QTest::addColumn<int>("order");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("by name, numbers by value") << int(PlaylistOrder::Name) << QStringList{"abc", "Été", "Mix 2", "Mix 10", "zèbre"};
        QTest::newRow("by name, descending") << int(PlaylistOrder::NameDescending) << QStringList{"zèbre", "Mix 10", "Mix 2", "Été", "abc"};
        // Played yesterday, then last week, then the never-played ones by name.
        QTest::newRow("recently played") << int(PlaylistOrder::RecentlyPlayed) << QStringList{"Mix 10", "zèbre", "abc", "Été", "Mix 2"};
    }
    void playlistOrders()
    {
        QFETCH(int, order);
        QFETCH(QStringList, names);
        ModelRig::Options options;
        options.household = "none";
        ModelRig rig(options);
        const QHash<QString, QDateTime> plays{{"p.10", QDateTime::currentDateTimeUtc().addDays(-1)},
                                              {"p.z", QDateTime::currentDateTimeUtc().addDays(-7)}};
        rig.model->home()->setPlaylistOrder(PlaylistOrder(order));
        QCOMPARE(Preferences().playlistOrder(), playlistOrderText(PlaylistOrder(order)));
        // The order applies to whatever the library gave.
        QList<LibraryPlaylist> lists{playlist("p.z", "zèbre"), playlist("p.2", "Mix 2"), playlist("p.a", "abc"),
                                     playlist("p.10", "Mix 10"), playlist("p.e", "Été")};
        QCOMPARE(namesOf(Home::sortPlaylists(lists, PlaylistOrder(order), plays)), names);
    }

    // ---- favorites, radio, rooms, tone, sleep

    void favoritesInOrdinalOrder()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        QTRY_COMPARE(rig.model->favorites()->list().size(), 4);
        QStringList titles;
        for (const SonosFavorite &favorite : rig.model->favorites()->list())
            titles << favorite.title;
        // Highest ordinal first: 22, 21, 13, 4.
        QCOMPARE(titles, (QStringList{"Rires & Chansons d'ici", "Radio Gardon FM", "Routes du soir", "Minuit moins le quart"}));
    }

    void favoriteArtworkFromTheEscapedSongPrefix()
    {
        ModelRig::Options options;
        options.household = "none";
        ModelRig rig(options);
        rig.model->favorites()->set({SonosFavorite{"FV:2/7", "Sans pochette", std::nullopt,
                                               "x-sonos-http:song%3A1609934412.mp4?sid=204&flags=8224&sn=3", ""},
                                 SonosFavorite{"FV:2/8", "Radio", std::nullopt, "x-rincon-mp3radio://127.0.0.1/r.mp3", ""}});
        QTRY_VERIFY(rig.model->favorites()->list().at(1).artworkURL.has_value());
        QCOMPARE(rig.model->favorites()->list().at(1).id, QStringLiteral("FV:2/7"));
        QVERIFY(rig.model->favorites()->artwork().contains(QStringLiteral("FV:2/7")));
        QVERIFY(Preferences().favoriteArtwork().contains(QStringLiteral("FV:2/7")));
        QVERIFY(!rig.model->favorites()->list().at(0).artworkURL.has_value());
    }

    void favoriteArtworkGivesUpAfterThreeSearches()
    {
        ModelRig::Options options;
        options.household = "none";
        ModelRig rig(options);
        const SonosFavorite unknown{"FV:2/9", "Inconnu", std::nullopt, "x-sonos-http:song%3a42.mp4?sid=204", ""};
        for (int read = 0; read < 5; ++read) {
            rig.model->favorites()->set({unknown});
            QTest::qWait(30);
        }
        QCOMPARE(rig.web.requested().count(QStringLiteral("/v1/catalog/fr/songs/42")), 3);
    }

    void addingAFavoriteRereadsFourTimes()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        QTRY_COMPARE(rig.model->favorites()->list().size(), 4);
        SimSpeaker &salon = *rig.speaker("Salon");
        salon.clearReceived();
        const Track song{"1440857781", "Marée basse", "Les Phares Lointains", "Cartes marines", std::nullopt, 214000};
        ToastLog toasts(rig.model.get());
        await(rig.model->favorites()->toggle(song));
        QCOMPARE(toasts.shown, QStringList{"Ajouté aux favoris · Marée basse"});
        QCOMPARE(countOf(salon, "CreateObject"), 1);
        const auto browses = [&salon] {
            int count = 0;
            for (const SimRequest &request : salon.received())
                count += request.action == QLatin1String("Browse") && argumentsOf(request).contains(QLatin1String("FV:2"));
            return count;
        };
        QVERIFY(browses() >= 4);
        QCOMPARE(rig.model->favorites()->list().size(), 5);
    }

    void removingAFavoriteHidesItAtOnce()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        QTRY_COMPARE(rig.model->favorites()->list().size(), 4);
        const Track song{"1609934420", "Minuit moins le quart", "Odile Ravanel", "Villes de nuit", std::nullopt, 176000};
        auto removing = rig.model->favorites()->toggle(song);
        QCOMPARE(rig.model->favorites()->list().size(), 3);
        await(std::move(removing));
        QCOMPARE(rig.model->favorites()->list().size(), 3);
        QCOMPARE(countOf(*rig.speaker("Salon"), "DestroyObject"), 1);
    }

    void regrouping()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        CorvaneModel &model = *rig.model;
        SimSpeaker &salon = *rig.speaker("Salon");
        SimSpeaker &cuisine = *rig.speaker("Cuisine");
        await(model.household()->toggleMembership(cuisine.speaker()));
        QCOMPARE(model.household()->currentGroup()->members.size(), 2);
        QCOMPARE(model.household()->selected()->roomName, QStringLiteral("Salon"));
        // The coordinator's own card does nothing.
        salon.clearReceived();
        await(model.household()->toggleMembership(salon.speaker()));
        QVERIFY(actionsOf(salon).isEmpty());
        await(model.household()->toggleMembership(cuisine.speaker()));
        QCOMPARE(model.household()->currentGroup()->members.size(), 1);
    }

    void equalizerIsClamped_data()
    {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("sent");
        QTest::newRow("14 → 10") << 14 << 10;
        QTest::newRow("-12 → -10") << -12 << -10;
        QTest::newRow("3 as is") << 3 << 3;
    }
    void equalizerIsClamped()
    {
        QFETCH(int, asked);
        QFETCH(int, sent);
        ModelRig rig;
        QVERIFY(rig.startUp());
        ToastLog toasts(rig.model.get());
        await(rig.model->playback()->adjustBass(asked));
        QCOMPARE(rig.model->playback()->equalizer().bass, sent);
        QVERIFY(argumentsOf(lastRequest(*rig.speaker("Salon"), "SetBass")).contains(QStringLiteral("<DesiredBass>%1</DesiredBass>").arg(sent)));
        await(rig.model->playback()->adjustTreble(asked));
        QCOMPARE(rig.model->playback()->equalizer().treble, sent);
        await(rig.model->playback()->resetEqualizer());
        QCOMPARE(rig.model->playback()->equalizer().bass, 0);
        QCOMPARE(rig.model->playback()->equalizer().treble, 0);
        QCOMPARE(toasts.shown, QStringList{"Égalisation remise à plat"});
    }

    void sleepTimer_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("toast");
        QTest::addColumn<QString>("duration");
        QTest::newRow("30 minutes") << 30 << "Arrêt dans 30 min" << "00:30:00";
        QTest::newRow("cancelled") << 0 << "Minuterie annulée" << "";
    }
    void sleepTimer()
    {
        QFETCH(int, minutes);
        QFETCH(QString, toast);
        QFETCH(QString, duration);
        ModelRig rig;
        QVERIFY(rig.startUp());
        ToastLog toasts(rig.model.get());
        await(rig.model->playback()->changeSleepTimer(minutes ? std::optional(minutes) : std::nullopt));
        QCOMPARE(toasts.shown, QStringList{toast});
        QVERIFY(argumentsOf(lastRequest(*rig.speaker("Salon"), "ConfigureSleepTimer"))
                    .contains(QStringLiteral("<NewSleepTimerDuration>%1</NewSleepTimerDuration>").arg(duration)));
    }

    void lineInOnlyWhereThereIsOne_data()
    {
        QTest::addColumn<QString>("room");
        QTest::addColumn<bool>("lineIn");
        QTest::newRow("a Port has one") << "Bureau" << true;
        QTest::newRow("an Era 300 has none") << "Salon" << false;
    }
    void lineInOnlyWhereThereIsOne()
    {
        QFETCH(QString, room);
        QFETCH(bool, lineIn);
        ModelRig::Options options;
        options.preferredRoom = room;
        ModelRig rig(options);
        QVERIFY(rig.startUp());
        QTRY_COMPARE(rig.model->household()->speakerHasLineIn(), lineIn);
    }

    void stationsAndLineInEmptyTheQueue()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        await(rig.model->queue()->refresh());
        QVERIFY(!rig.model->queue()->entries().isEmpty());
        ToastLog toasts(rig.model.get());
        auto station = rig.model->playback()->startStation(RadioStation{"s1", "Radio Gardon FM", "Chanson", "http://127.0.0.1/gardon.mp3", std::nullopt});
        QVERIFY(rig.model->queue()->entries().isEmpty());
        QCOMPARE(rig.model->playback()->nowPlaying().artist, QStringLiteral("Chanson"));
        await(std::move(station));
        QCOMPARE(toasts.shown, QStringList{"Radio Gardon FM"});
    }

    void radioWithoutSongs()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        rig.model->playback()->setPreparing(QStringLiteral("Radio Personne"));
        await(rig.model->playback()->startRadio(Artist{"art.none", "Personne", std::nullopt, std::nullopt}));
        QCOMPARE(rig.model->playback()->preparing(), std::nullopt);
        QCOMPARE(rig.model->notices()->errorMessage(), std::optional<QString>("Pas assez de morceaux pour lancer cette radio."));
    }

    void historyArtworkIsRepaired()
    {
        ModelRig::Options options;
        options.household = "none";
        ModelRig rig(options);
        rig.model->history()->record(Track{"1609934412", "Néons sur la Loire", "Odile Ravanel", "", std::nullopt, std::nullopt}, std::nullopt);
        await(rig.model->home()->repairHistoryArtwork());
        QVERIFY(rig.model->history()->entries().first().artworkBase.has_value());
    }
};

QTEST_GUILESS_MAIN(TestModelBrowse)
#include "tst_modelbrowse.moc"
