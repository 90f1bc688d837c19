// What the screens ask of the model through its areas: pages that must not mix, sessions that
// must not bleed into each other, and the queue moves a drag or a key gives.

#include "applemusic/applemusickit.h"
#include "async/delays.h"
#include "desktop/autostart.h"
#include "modelrig.h"
#include "sonos/sonoscontroller.h"

#include <QSignalSpy>

using namespace corvane;
using namespace corvane::test;

namespace {

QStringList titlesOf(const QList<sim::SimTrack> &tracks)
{
    QStringList titles;
    for (const sim::SimTrack &track : tracks)
        titles << track.title;
    return titles;
}

bool settled(QCoro::Task<> &task)
{
    return QTest::qWaitFor([&task] { return task.isReady(); }, 5000);
}

} // namespace

class TestModelAreas : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setDelayScale(0.05); }
    void cleanup() { setDelayScale(1.0); }

    // The rows star a song from this list: it must name the songs refersToSong names.
    void theStarredSongsAreTheFavoritesSongs_data()
    {
        QTest::addColumn<QString>("uri");
        QTest::addColumn<QString>("song");
        QTest::newRow("a song") << "x-sonos-http:song%3a123.mp4?sid=204" << "123";
        QTest::newRow("upper-case escape") << "x-sonos-http:song%3A123.mp4" << "123";
        QTest::newRow("a longer id is another song") << "x-sonos-http:song%3a1234.mp4" << "123";
        QTest::newRow("two songs, the second") << "song%3a1234|song%3a123" << "123";
        QTest::newRow("a playlist") << "x-rincon-cpcontainer:1006206cplaylist%3apl.u-1" << "123";
    }
    void theStarredSongsAreTheFavoritesSongs()
    {
        QFETCH(QString, uri);
        QFETCH(QString, song);
        ModelRig rig;
        Favorites *favorites = rig.model->favorites();
        QSignalSpy changed(favorites, &Favorites::changed);
        favorites->set({SonosFavorite{"FV:2/1", "t", {}, uri, {}}});
        QCOMPARE(changed.count(), 1);
        QCOMPARE(favorites->songIDs().contains(song), favorites->contains(song));
    }

    // The window closes while the home shelves are on their way: the model and every other owner
    // of the music service go, and the replies that come later find the service still there (under
    // the sanitizers, a use after free here fails the test).
    void homeLoadsOutliveTheModel()
    {
        ModelRig rig;
        rig.web.setReplyDelay(150);
        QCoro::Task<> load = rig.model->home()->loadHome();
        QVERIFY(!load.isReady());
        const std::weak_ptr<WebMusicService> service = rig.music;
        rig.model.reset();
        rig.music.reset();
        QVERIFY(!service.expired()); // the load keeps it
        QVERIFY(QTest::qWaitFor([&service] { return service.expired(); }, 5000));
        // It lived until the last of the library's playlist pages (230 playlists, 100 a page)
        // had been asked for and answered.
        QCOMPARE(rig.web.requested().count(QStringLiteral("/v1/me/library/playlists")), 3);
        QVERIFY(load.isReady());
    }

    void aPageLeftBeforeItsReplyStaysLeft_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("album") << int(RouteKind::Album);
        QTest::newRow("playlist") << int(RouteKind::Playlist);
        QTest::newRow("artist") << int(RouteKind::Artist);
    }

    // Page A's slow reply lands after page B's: B's songs stay under B's header.
    void aPageLeftBeforeItsReplyStaysLeft()
    {
        QFETCH(int, kind);
        ModelRig rig;
        CorvaneModel &model = *rig.model;
        model.browse()->setQuery(QStringLiteral("a"));
        QTRY_VERIFY(model.browse()->hasAnsweredQuery());
        QVERIFY(model.browse()->foundAlbums().size() >= 2 && model.browse()->foundArtists().size() >= 2);
        await(model.home()->enterExplore()); // the charts' playlists: the search finds one only
        QVERIFY(model.home()->explorePlaylists().size() >= 2);

        rig.web.setReplyDelay(600);
        std::optional<QCoro::Task<>> first;
        std::optional<QCoro::Task<>> second;
        const auto open = [&](int at) {
            switch (kind) {
            case RouteKind::Album:
                return model.browse()->showAlbum(model.browse()->foundAlbums().at(at));
            case RouteKind::Playlist:
                return model.browse()->showPlaylist(model.home()->explorePlaylists().at(at));
            default:
                return model.browse()->showArtist(model.browse()->foundArtists().at(at));
            }
        };
        first.emplace(open(0));
        QTest::qWait(50);
        rig.web.setReplyDelay(0);
        second.emplace(open(1));
        QVERIFY(settled(*second));
        const Route shown = model.browse()->route();
        const QList<Track> songs = model.browse()->detailTracks();
        const QList<Album> albums = model.browse()->artistDetail().albums;
        QVERIFY(!songs.isEmpty());
        QVERIFY(settled(*first));
        QCOMPARE(model.browse()->route(), shown);
        QCOMPARE(titlesOf(model.browse()->detailTracks()), titlesOf(songs));
        QCOMPARE(model.browse()->artistDetail().albums, albums);
        QVERIFY(!model.browse()->isLoadingDetail());
    }

    // Reads of the speaker chosen first arrive after those of the one chosen next.
    void readsOfAnEndedSessionAreDropped()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        CorvaneModel &model = *rig.model;
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        sim::SimSpeaker *bureau = rig.speaker(QStringLiteral("Bureau"));
        await(SonosController(bureau->speaker()).setVolume(71));
        await(SonosController(bureau->speaker()).setBass(-4));
        await(SonosController(salon->speaker()).setVolume(12));
        model.household()->selectSpeaker(bureau->config().uuid);
        QTRY_VERIFY(model.playback()->hasReadSpeakerState());

        salon->faults().delayMs = 120;
        model.household()->selectSpeaker(salon->config().uuid);
        QTest::qWait(30);
        model.household()->selectSpeaker(bureau->config().uuid);
        QTRY_VERIFY(model.playback()->hasReadSpeakerState());
        QTest::qWait(3000); // the first session's replies come in meanwhile
        QCOMPARE(model.household()->selected()->uuid, bureau->config().uuid);
        QCOMPARE(model.playback()->volume(), 71.0);
        QCOMPARE(model.playback()->equalizer().bass, -4);
        salon->faults().delayMs = 0;
    }

    void playingAQueueEntryJumpsThere()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        CorvaneModel &model = *rig.model;
        model.browse()->setQuery(QStringLiteral("Ravanel"));
        QTRY_VERIFY(model.browse()->hasAnsweredQuery() && model.browse()->foundTracks().size() >= 3);
        await(model.playback()->playSongs(model.browse()->foundTracks().mid(0, 3), QStringLiteral("Trois")));
        QTRY_COMPARE(model.queue()->entries().size(), 3);
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        model.queue()->playEntry(2);
        QTRY_COMPARE(salon->trackNumber(), 3);
        QTRY_COMPARE(salon->transport(), sim::SimSpeaker::Transport::Playing);
        QTRY_COMPARE(model.queue()->currentPosition(), 3);
    }

    void aSongPlaysNext()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        CorvaneModel &model = *rig.model;
        model.browse()->setQuery(QStringLiteral("Ravanel"));
        QTRY_VERIFY(model.browse()->hasAnsweredQuery() && model.browse()->foundTracks().size() >= 4);
        await(model.playback()->playSongs(model.browse()->foundTracks().mid(0, 3), QStringLiteral("Trois")));
        const Track later = model.browse()->foundTracks().at(3);
        await(model.queue()->addTrackNext(later));
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        QCOMPARE(titlesOf(salon->queue()).value(salon->trackNumber()), later.title);
        QTRY_COMPARE(model.queue()->entries().size(), 4);
        QVERIFY(!model.queue()->changeLocked());
    }

    void aRowMovesToTheRowItIsDroppedOn_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QList<int>>("order"); // the first four songs, as they end up
        QTest::newRow("down to the third") << 0 << 2 << QList<int>{1, 2, 0, 3};
        QTest::newRow("up to the top") << 2 << 0 << QList<int>{2, 0, 1, 3};
        QTest::newRow("one down (Alt+↓)") << 1 << 2 << QList<int>{0, 2, 1, 3};
        QTest::newRow("one up (Alt+↑)") << 3 << 2 << QList<int>{0, 1, 3, 2};
        QTest::newRow("to the last") << 0 << 3 << QList<int>{1, 2, 3, 0};
    }

    void aRowMovesToTheRowItIsDroppedOn()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QList<int>, order);
        ModelRig rig;
        QVERIFY(rig.startUp());
        CorvaneModel &model = *rig.model;
        model.browse()->setQuery(QStringLiteral("Ravanel"));
        QTRY_VERIFY(model.browse()->hasAnsweredQuery() && model.browse()->foundTracks().size() >= 4);
        const QList<Track> songs = model.browse()->foundTracks().mid(0, 4);
        await(model.playback()->playSongs(songs, QStringLiteral("Quatre")));
        QTRY_COMPARE(model.queue()->entries().size(), 4);
        model.queue()->move(from, to);
        QStringList expected;
        for (int index : order)
            expected << songs.at(index).title;
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        QTRY_COMPARE(titlesOf(salon->queue()), expected);
        QStringList shown;
        for (const QueueItem &item : model.queue()->entries())
            shown << item.title;
        QTRY_COMPARE(shown, expected);
    }

    // "Ajouter" on another group's card joins that group, not the selected one's.
    void aRoomJoinsTheGroupOfItsCard()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        CorvaneModel &model = *rig.model;
        sim::SimSpeaker *bureau = rig.speaker(QStringLiteral("Bureau"));
        sim::SimSpeaker *chambre = rig.speaker(QStringLiteral("Chambre"));
        QCOMPARE(model.household()->selected()->roomName, QStringLiteral("Salon"));
        model.household()->toggleRoom(chambre->config().uuid, bureau->config().uuid);
        QTRY_VERIFY(std::any_of(model.household()->groups().begin(), model.household()->groups().end(), [&](const SonosGroup &group) {
            return group.coordinatorUUID == bureau->config().uuid && group.members.size() == 2;
        }));
        QVERIFY(lastRequest(*chambre, QStringLiteral("SetAVTransportURI")).body.contains(bureau->config().uuid.toUtf8()));
        model.household()->toggleRoom(chambre->config().uuid, bureau->config().uuid);
        QTRY_VERIFY(std::none_of(model.household()->groups().begin(), model.household()->groups().end(), [&](const SonosGroup &group) {
            return group.coordinatorUUID == bureau->config().uuid && group.members.size() > 1;
        }));
    }

    void theChooserNamesTheRoomAndWhatItIs_data()
    {
        QTest::addColumn<QString>("room");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("label");
        QTest::newRow("named like its model") << "One" << "Sonos One" << "One";
        QTest::newRow("another room") << "Salon" << "Sonos Era 300" << "Salon — Era 300";
        QTest::newRow("model not read yet") << "Cuisine" << "" << "Cuisine";
        QTest::newRow("every Sonos goes") << "Bureau" << "Sonos Port Sonos " << "Bureau — Port";
    }

    void theChooserNamesTheRoomAndWhatItIs()
    {
        QFETCH(QString, room);
        QFETCH(QString, model);
        QFETCH(QString, label);
        QCOMPARE((Speaker{QStringLiteral("RINCON_1"), QStringLiteral("127.0.0.1"), room, model}.chooserLabel()), label);
    }

    void searchStatesForTheResultsScreen()
    {
        ModelRig rig;
        CorvaneModel &model = *rig.model;
        Browse *browse = model.browse();
        model.browse()->setQuery(QStringLiteral("zzqx"));
        QVERIFY(!browse->foundNothing()); // not answered yet: no "Aucun résultat" while typing
        QTRY_VERIFY(browse->foundNothing());
        model.browse()->setQuery(QStringLiteral("Villes"));
        QVERIFY(!browse->foundNothing());
        QTRY_VERIFY(model.browse()->hasAnsweredQuery() && !model.browse()->foundAlbums().isEmpty());
        QVERIFY(!browse->canReturnToResults());
        await(model.browse()->showAlbum(model.browse()->foundAlbums().first()));
        QVERIFY(browse->canReturnToResults());
        browse->returnToResults();
        QCOMPARE(model.browse()->route(), Route::results());
        QVERIFY(!model.browse()->recentSearches().isEmpty());
        browse->clearRecentSearches();
        QVERIFY(model.browse()->recentSearches().isEmpty());
    }
    void anUpdateIsAskedForOncePerLaunch()
    {
        ModelRig rig(ModelRig::Options{.household = "none"});
        QCoreApplication::setApplicationVersion(QStringLiteral("0.1.0"));
        Home *home = rig.model->home();
        QSignalSpy changed(home, &Home::updateChanged);
        QCOMPARE(home->property("updateVersion").toString(), QString());
        rig.model->home()->checkForUpdate(rig.web.origin());
        QVERIFY(changed.wait(5000));
        QCOMPARE(home->property("updateVersion").toString(), QStringLiteral("9.9.0"));
        QCOMPARE(home->property("updateUrl").toUrl(), QUrl(QStringLiteral("https://corvane.app/telecharger")));
        QVERIFY(!home->property("updateNotes").toString().isEmpty());
        rig.model->home()->checkForUpdate(rig.web.origin());
        QTest::qWait(200);
        QCOMPARE(rig.web.requested().count(QStringLiteral("/corvane/version.json")), 1);
        QCOMPARE(changed.count(), 1);
        QCoreApplication::setApplicationVersion(QString());
    }

    void theCatalogueCountryIsChosenAndKept()
    {
        ModelRig rig(ModelRig::Options{.signedIn = false, .developerToken = false});
        Household *household = rig.model->household();
        QVERIFY(household->property("publicSearch").toBool());
        QCOMPARE(household->property("catalogCountry").toString(), QStringLiteral("fr"));
        const QVariantList countries = household->property("catalogCountries").toList();
        QVERIFY(countries.size() > 10);
        QCOMPARE(countries.first().toMap().value(QStringLiteral("id")).toString(), QStringLiteral("fr"));

        rig.model->browse()->setQuery(QStringLiteral("Phares"));
        QTRY_VERIFY(rig.model->browse()->hasAnsweredQuery());
        // Another country: kept in the preferences, and the words are looked for there.
        household->setCatalogCountry(QStringLiteral("BE"));
        QCOMPARE(household->property("catalogCountry").toString(), QStringLiteral("be"));
        QCOMPARE(Preferences().catalogCountry(), QStringLiteral("be"));
        QTRY_VERIFY(rig.web.requestedURLs().last().query().contains(QStringLiteral("country=be")));
        QTRY_VERIFY(rig.model->browse()->hasAnsweredQuery());
        Preferences preferences;
        preferences.setCatalogCountry(QString());
        preferences.sync();
    }

    void launchAtLoginIsTheSessionsAutostart_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("writable") << true;
        QTest::newRow("the folder cannot be made") << false;
    }
    void launchAtLoginIsTheSessionsAutostart()
    {
        QFETCH(bool, writable);
        ModelRig rig(ModelRig::Options{.household = "none"});
        Home *home = rig.model->home();
        const QString folder = rig.profile.filePath(QStringLiteral("autostart"));
        if (!writable) {
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        QSignalSpy changed(home, &Home::launchAtLoginChanged);
        QVERIFY(!home->property("launchAtLogin").toBool());
        QVERIFY(home->setProperty("launchAtLogin", true));
        // The switch follows what is on disk, and a failure is said where the person looks.
        QCOMPARE(home->property("launchAtLogin").toBool(), writable);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(rig.model->notices()->errorMessage().has_value(), !writable);
        QCOMPARE(QFileInfo::exists(folder + QStringLiteral("/corvane.desktop")), writable);
        if (!writable)
            return;
        home->setProperty("launchAtLogin", true);
        QCOMPARE(changed.count(), 1);
        home->setProperty("launchAtLogin", false);
        QCOMPARE(changed.count(), 2);
        QVERIFY(!home->property("launchAtLogin").toBool());
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/corvane.desktop")));
    }
};

QTEST_MAIN(TestModelAreas)
#include "tst_modelareas.moc"
