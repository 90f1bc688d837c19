// The home page, what plays, and the rooms, history and sound screens, as a person meets them.

#include "async/delays.h"
#include "async/http.h"
#include "base/preferences.h"
#include "discrotation.h"
#include "windowlook.h"
#include "windowrig.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QPointer>
#include <QRegularExpression>
#include <QScopeGuard>

Q_IMPORT_QML_PLUGIN(CorvanePlugin)

using namespace corvane;
using namespace corvane::test;

namespace {

Track songNamed(const QString &title, const QString &artist)
{
    Track track;
    track.id = QString::number(qHash(title));
    track.title = title;
    track.artist = artist;
    return track;
}

QStringList mprisPlayers()
{
    QStringList players;
    const QStringList names = QDBusConnection::sessionBus().interface()->registeredServiceNames().value();
    for (const QString &name : names) {
        if (name.startsWith(QLatin1String("org.mpris.MediaPlayer2.")))
            players << name;
    }
    return players;
}

} // namespace

class TestHomeScreens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { quietAbortWarnings(); }
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!QStandardPaths|QNetworkDiskCache|\"?There are still).+"))); }

    // ---- home

    void greetingFollowsTheHour_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("greeting");
        QTest::newRow("11:59") << QTime(11, 59) << "Bonjour";
        QTest::newRow("12:00") << QTime(12, 0) << "Bon après-midi";
        QTest::newRow("17:59") << QTime(17, 59) << "Bon après-midi";
        QTest::newRow("18:00") << QTime(18, 0) << "Bonsoir";
        QTest::newRow("23:00") << QTime(23, 0) << "Bonne nuit";
        QTest::newRow("04:59") << QTime(4, 59) << "Bonne nuit";
        QTest::newRow("05:00") << QTime(5, 0) << "Bonjour";
    }
    void greetingFollowsTheHour()
    {
        QFETCH(QTime, time);
        QFETCH(QString, greeting);
        ModelRig rig(ModelRig::Options{.household = "none"});
        rig.model->home()->setClock(QDateTime(QDate(2026, 12, 8), time));
        WindowRig ui(rig);
        QQuickItem *label = ui.named(QStringLiteral("greeting"));
        QVERIFY(label);
        QCOMPARE(label->property("text").toString(), greeting);
    }

    void allTheChartSongsPlayTwentyFive()
    {
        ModelRig rig(ModelRig::Options{.signedIn = false});
        rig.web.setChartSize(60);
        QVERIFY(rig.startUp());
        await(rig.model->queue()->empty());
        WindowRig ui(rig);
        QTRY_VERIFY(ui.shows(QStringLiteral("Top titres")));
        QVERIFY(ui.click(QStringLiteral("Tout lire")));
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        QTRY_COMPARE(salon->queue().size(), Home::chartSongsPlayed);
        QCOMPARE(salon->transport(), sim::SimSpeaker::Transport::Playing);
    }

    void withoutAccessTheInvitationReplacesTheLibrary()
    {
        ModelRig rig(ModelRig::Options{.signedIn = false});
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        QTRY_VERIFY(ui.shows(QStringLiteral("Top titres")));
        QVERIFY(ui.shows(QStringLiteral("Relier Apple Music")));
        QVERIFY(ui.shows(QStringLiteral("Top albums")));
        QVERIFY(!ui.shows(QStringLiteral("Vos playlists")));
        QVERIFY(!ui.named(QStringLiteral("chartSkeleton"))->isVisible());
    }

    void withoutDeveloperTokenTheCatalogueIsSearchedAnyway()
    {
        ModelRig rig(ModelRig::Options{.signedIn = false, .developerToken = false});
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        // The home page says what a token would add, not that nothing works.
        QTRY_VERIFY(ui.shows(QStringLiteral("Votre bibliothèque Apple Music")));
        QVERIFY(!ui.shows(QStringLiteral("Apple Music n'est pas configuré")));
        QVERIFY(!ui.control(QStringLiteral("Relier Apple Music")));
        // The search answers from the public catalogue: songs, albums and artists.
        rig.model->browse()->setQuery(QStringLiteral("phares"));
        QTRY_VERIFY(rig.model->browse()->hasAnsweredQuery());
        QVERIFY(!rig.model->household()->needsAppleMusic());
        QVERIFY(!rig.model->browse()->foundTracks().isEmpty());
        QTRY_VERIFY(ui.shows(rig.model->browse()->foundTracks().first().title));
        QVERIFY(!rig.model->browse()->foundAlbums().isEmpty());
        QVERIFY(!rig.model->browse()->foundArtists().isEmpty());
        // Playlists are not in the public search: the page says so instead of "nothing found".
        rig.model->browse()->setScope(SearchScope::Playlists);
        QTRY_VERIFY(ui.shows(QStringLiteral("Pas de playlists sans jeton")));
        QVERIFY(!ui.shows(QStringLiteral("Aucun résultat")));
        QVERIFY(!ui.control(QStringLiteral("Relier Apple Music")));
    }

    // Every album tile of the home's shelves plays from its hover button, as the
    // recommendations' tiles do.
    void albumTilesPlayFromTheirButton()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        // A catalogue album of a shelf (recently played, heavy rotation): one the simulated
        // catalogue knows.
        QStringList catalogue;
        for (const sim::SimContainer &container : sim::catalogueContainers())
            catalogue << container.id;
        const auto albumTile = [&ui, &catalogue] {
            for (QQuickItem *item : ui.items()) {
                if (QByteArray(item->metaObject()->className()).startsWith("AlbumTile") && WindowRig::shown(item)
                    && catalogue.contains(item->property("album").value<Album>().id))
                    return item;
            }
            return static_cast<QQuickItem *>(nullptr);
        };
        // The shelves fill as their answers come: the tile is taken once they stand still.
        QTRY_VERIFY(albumTile());
        QVERIFY(ui.settle());
        QTest::qWait(300);
        QPointer<QQuickItem> tile = albumTile();
        QVERIFY(tile);
        QVERIFY(tile->property("playable").toBool());
        // Scrolled into sight, as a person would.
        QQuickItem *home = ui.named(QStringLiteral("homeView"));
        QVERIFY(home);
        const qreal top = tile->mapToItem(home->property("contentItem").value<QQuickItem *>(), QPointF(0, 0)).y();
        home->setProperty("contentY", std::max(0.0, top - 40));
        QTest::qWait(100);
        QVERIFY(tile);
        ui.hover(tile);
        QVERIFY(tile);
        QQuickItem *play = nullptr;
        QTRY_VERIFY((play = [&ui, &tile] {
            for (QQuickItem *item : ui.items()) {
                if (tile && item->property("help").toString() == QLatin1String("Lire") && WindowRig::shown(item) && tile->isAncestorOf(item))
                    return item;
            }
            return static_cast<QQuickItem *>(nullptr);
        }()));
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        salon->clearReceived();
        QTest::mouseMove(ui.window, ui.centreOf(play));
        QTest::mouseClick(ui.window, Qt::LeftButton, {}, ui.centreOf(play));
        QTRY_VERIFY(countOf(*salon, QStringLiteral("AddURIToQueue")) + countOf(*salon, QStringLiteral("SetAVTransportURI")) > 0);
        QTRY_VERIFY(actionsOf(*salon).contains(QStringLiteral("Play")));
    }

    void aNewcomerSeesWhereToBegin()
    {
        ModelRig rig;
        rig.house->house().favorites.clear();
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        QTRY_VERIFY(ui.shows(QStringLiteral("Commencez par une recherche")));
        QVERIFY(!ui.shows(QStringLiteral("Écouté récemment")));
        QVERIFY(!ui.shows(QStringLiteral("Vos artistes")));
        QVERIFY(!ui.shows(QStringLiteral("Favoris Sonos")));

        // One play later: the hints give way to what was played.
        rig.model->history()->record(songNamed(QStringLiteral("Marée basse"), QStringLiteral("Les Phares")), QStringLiteral("Salon"));
        QTRY_VERIFY(ui.shows(QStringLiteral("Écouté récemment")));
        QVERIFY(ui.shows(QStringLiteral("Vos artistes")));
        QVERIFY(!ui.shows(QStringLiteral("Commencez par une recherche")));
    }

    // ---- what plays

    void theDiscTurnsAndStopsWhereItIs_data()
    {
        QTest::addColumn<QList<int>>("events"); // ms of each play/pause change, starting with play
        QTest::addColumn<int>("at");
        QTest::addColumn<double>("angle");
        QTest::newRow("still") << QList<int>{} << 5000 << 0.0;
        QTest::newRow("a second of play") << QList<int>{0} << 1000 << 12.0;
        QTest::newRow("paused stays") << QList<int>{0, 2000} << 9000 << 24.0;
        QTest::newRow("resumes from there") << QList<int>{0, 2000, 6000} << 6500 << 30.0;
        QTest::newRow("no jump at the restart") << QList<int>{0, 2000, 6000} << 6000 << 24.0;
        QTest::newRow("full turns wrap") << QList<int>{0} << 31000 << 12.0;
    }
    void theDiscTurnsAndStopsWhereItIs()
    {
        QFETCH(QList<int>, events);
        QFETCH(int, at);
        QFETCH(double, angle);
        ui::DiscRotation disc;
        bool playing = false;
        for (int ms : events) {
            playing = !playing;
            disc.setPlayingAt(playing, ms);
        }
        QCOMPARE(disc.angleAt(at), angle);
    }

    void theTonearmFollowsTheSong_data()
    {
        QTest::addColumn<double>("progress");
        QTest::addColumn<bool>("engaged");
        QTest::addColumn<double>("angle");
        QTest::newRow("stopped: aside") << 0.5 << false << ui::DiscRotation::restAngle;
        QTest::newRow("start: outer groove") << 0.0 << true << ui::DiscRotation::outerGroove;
        QTest::newRow("end: inner groove") << 1.0 << true << ui::DiscRotation::innerGroove;
        QTest::newRow("past the end") << 3.0 << true << ui::DiscRotation::innerGroove;
        QTest::newRow("no duration (NaN)") << qQNaN() << true << ui::DiscRotation::outerGroove;
    }
    void theTonearmFollowsTheSong()
    {
        QFETCH(double, progress);
        QFETCH(bool, engaged);
        QFETCH(double, angle);
        QCOMPARE(ui::DiscRotation::tonearmAngleFor(progress, engaged), angle);
    }

    void aStreamHasNoProgressNothingToSkipAndNoArtistPage()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        salon->setStreamSource(sim::radioStation(QStringLiteral("Radio Gardon FM"), QStringLiteral("http://127.0.0.1/gardon.mp3")));
        salon->setTransport(sim::SimSpeaker::Transport::Playing);
        QTRY_COMPARE(rig.model->playback()->nowPlaying().duration, 0);
        QVERIFY(rig.model->playback()->nowPlaying().isPlaying);
        rig.model->playback()->setExpanded(true);
        QTRY_VERIFY(ui.named(QStringLiteral("turntable")));
        QTRY_VERIFY(ui.named(QStringLiteral("tonearm")));
        QQuickItem *arm = ui.named(QStringLiteral("tonearm"));
        QTRY_COMPARE(arm->property("armAngle").toDouble(), ui::DiscRotation::outerGroove);
        for (QQuickItem *item : ui.items()) {
            if (item->objectName() == QLatin1String("progressFill"))
                QCOMPARE(item->width(), 0.0);
        }
        // Skips and the announced song's "artist" would only earn a refusal or an empty page.
        const QString announced = rig.model->playback()->nowPlaying().artist;
        QVERIFY(!announced.isEmpty());
        int skips = 0;
        for (QQuickItem *item : ui.items()) {
            if (!WindowRig::shown(item))
                continue;
            const QString help = item->property("help").toString();
            if (help == QLatin1String("Morceau suivant") || help == QLatin1String("Morceau précédent")) {
                ++skips;
                QVERIFY2(!item->isEnabled(), qPrintable(help));
            }
            if (item->metaObject()->indexOfSignal("clicked()") >= 0 && item->property("text").toString() == announced)
                QVERIFY(!item->isEnabled());
        }
        QVERIFY(skips > 0);
        QVERIFY(ui.shows(announced));
        QVERIFY(ui.control(QStringLiteral("Lecture / Pause"))->isEnabled());
    }

    // Nobody sees a record turn in a hidden window: it stops, and goes on from the same angle.
    void theRecordRestsWhileTheWindowCannotBeSeen()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        rig.speaker(QStringLiteral("Salon"))->setTransport(sim::SimSpeaker::Transport::Playing);
        QTRY_VERIFY(rig.model->playback()->nowPlaying().isPlaying);
        rig.model->playback()->setExpanded(true);
        QTRY_VERIFY(ui.window->findChild<QObject *>(QStringLiteral("discRotation")));
        QObject *disc = ui.window->findChild<QObject *>(QStringLiteral("discRotation"));
        QTRY_VERIFY(disc->property("isPlaying").toBool());
        QTest::qWait(200);

        ui.window->hide();
        QTRY_VERIFY(!disc->property("isPlaying").toBool());
        const double stoppedAt = disc->property("angle").toDouble();
        QTest::qWait(500);
        QCOMPARE(disc->property("angle").toDouble(), stoppedAt);

        ui.window->show();
        QTRY_VERIFY(disc->property("isPlaying").toBool());
        const double resumedAt = disc->property("angle").toDouble();
        QVERIFY2(resumedAt >= stoppedAt && resumedAt - stoppedAt < 3, qPrintable(QStringLiteral("%1 → %2").arg(stoppedAt).arg(resumedAt)));
    }

    void aCoverLeavesItsColour_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<QColor>("colour");
        QImage red(8, 8, QImage::Format_RGB32);
        red.fill(QColor(200, 0, 0));
        QImage halves(8, 8, QImage::Format_RGB32);
        halves.fill(QColor(0, 0, 200));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 4; ++x)
                halves.setPixelColor(x, y, QColor(200, 0, 0));
        QImage clear(8, 8, QImage::Format_ARGB32);
        clear.fill(Qt::transparent);
        QTest::newRow("one colour") << red << QColor(200, 0, 0);
        QTest::newRow("two halves average") << halves << QColor(100, 0, 100);
        QTest::newRow("transparent: none") << clear << QColor();
        QTest::newRow("unreadable: none") << QImage() << QColor();
    }
    void aCoverLeavesItsColour()
    {
        QFETCH(QImage, image);
        QFETCH(QColor, colour);
        const QColor average = ui::ArtworkTint::averageOf(image);
        QCOMPARE(average.isValid(), colour.isValid());
        if (colour.isValid()) {
            QVERIFY2(qAbs(average.red() - colour.red()) <= 2 && qAbs(average.green() - colour.green()) <= 2
                         && qAbs(average.blue() - colour.blue()) <= 2,
                     qPrintable(average.name()));
        }
    }

    void theWindowTakesTheTintOfWhatPlays()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        const QColor plain = ui.window->color();
        rig.speaker(QStringLiteral("Salon"))->setTransport(sim::SimSpeaker::Transport::Playing);
        QTRY_VERIFY(rig.model->playback()->nowPlaying().artworkURL.has_value());
        QTRY_VERIFY(ui.window->findChild<QObject *>(QStringLiteral("windowTint"))->property("known").toBool());
        QTRY_VERIFY(ui.window->color() != plain);
    }

    void withoutASpeakerTheControlsRest()
    {
        ModelRig rig(ModelRig::Options{.household = "none"});
        await(rig.model->household()->discoveryRun());
        WindowRig ui(rig);
        QQuickItem *play = ui.named(QStringLiteral("playPauseButton"));
        QVERIFY(play);
        QVERIFY(!play->isEnabled());
        QVERIFY(!ui.named(QStringLiteral("volumeSlider"))->isEnabled());
    }

    void nothingLoadedReadsSo()
    {
        ModelRig rig;
        rig.speaker(QStringLiteral("Salon"))->setQueue({}, 0);
        rig.speaker(QStringLiteral("Salon"))->setTransport(sim::SimSpeaker::Transport::Stopped);
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        QTRY_COMPARE(ui.named(QStringLiteral("barTitle"))->property("text").toString(), QStringLiteral("Rien en lecture"));
        rig.model->playback()->setExpanded(true);
        QTRY_VERIFY(ui.named(QStringLiteral("largeTitle")));
        QCOMPARE(ui.named(QStringLiteral("largeTitle"))->property("text").toString(), QStringLiteral("Rien en lecture"));
    }

    void draggingTheVolumeSendsItOnce()
    {
        // A slow debounce (600 ms), so that a busy machine never pauses that long mid-drag.
        setDelayScale(5.0);
        const auto restore = qScopeGuard([] { setDelayScale(1.0); });
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        QQuickItem *slider = ui.named(QStringLiteral("volumeSlider"));
        QVERIFY(slider);
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        const int before = countOf(*salon, QStringLiteral("SetVolume"));
        const QPointF left = slider->mapToScene(QPointF(6, slider->height() / 2));
        QTest::mousePress(ui.window, Qt::LeftButton, {}, left.toPoint());
        for (int x = 6; x < int(slider->width()) - 6; x += 3)
            QTest::mouseMove(ui.window, slider->mapToScene(QPointF(x, slider->height() / 2)).toPoint());
        QTest::mouseRelease(ui.window, Qt::LeftButton, {}, slider->mapToScene(QPointF(slider->width() - 6, slider->height() / 2)).toPoint());
        QTRY_COMPARE_WITH_TIMEOUT(countOf(*salon, QStringLiteral("SetVolume")), before + 1, 8000);
        QTest::qWait(1000);
        QCOMPARE(countOf(*salon, QStringLiteral("SetVolume")), before + 1);
        QVERIFY(salon->volume() > 80);
    }

    void mediaKeysOffLeavesNoPlayer()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("no session bus");
        ModelRig rig;
        QVERIFY(rig.startUp());
        rig.model->playback()->setSystemNowPlaying(true);
        await(rig.model->playback()->resumePlayback());
        QTRY_VERIFY(!mprisPlayers().isEmpty());
        WindowRig ui(rig);
        QVERIFY(ui.click(QStringLiteral("Réglages sonores")));
        QQuickItem *row = nullptr;
        QTRY_VERIFY((row = ui.named(QStringLiteral("mediaKeysSwitch"))) && WindowRig::shown(row));
        QQuickItem *toggle = nullptr;
        for (QQuickItem *item : ui.items()) {
            if (QByteArray(item->metaObject()->className()).contains("Switch") && row->isAncestorOf(item))
                toggle = item;
        }
        QVERIFY(toggle);
        QTest::mouseClick(ui.window, Qt::LeftButton, {}, ui.centreOf(toggle));
        QTRY_VERIFY(mprisPlayers().isEmpty());
        QVERIFY(!Preferences().systemNowPlaying());
    }

    // ---- rooms and history

    void aGroupOfOneRoomHasNoCount()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        rig.model->browse()->showPanel(RouteKind::Groups);
        QVERIFY(ui.settle());
        int single = 0, several = 0;
        for (const QVariant &card : rig.model->household()->groupCards()) {
            const int rooms = card.toMap().value(QStringLiteral("roomCount")).toInt();
            (rooms == 1 ? single : several)++;
        }
        QVERIFY(single > 0);
        QVERIFY(ui.showsSymbol(QStringLiteral("hifispeaker.fill")));
        int counts = 0;
        for (const QString &text : ui.shownTexts())
            counts += text.endsWith(QLatin1String(" pièces en synchronisme"));
        QCOMPARE(counts, several);
    }

    void historyCountsItsPlays_data()
    {
        QTest::addColumn<int>("plays");
        QTest::addColumn<QString>("line");
        QTest::newRow("none") << 0 << "Rien encore";
        QTest::newRow("one") << 1 << "1 écoute conservée";
        QTest::newRow("two") << 2 << "2 écoutes conservées";
    }
    void historyCountsItsPlays()
    {
        QFETCH(int, plays);
        QFETCH(QString, line);
        ModelRig rig(ModelRig::Options{.household = "none"});
        for (int i = 0; i < plays; ++i)
            rig.model->history()->record(songNamed(QStringLiteral("Titre %1").arg(i), QStringLiteral("Les Phares")), QStringLiteral("Salon"));
        WindowRig ui(rig);
        rig.model->browse()->showPanel(RouteKind::History);
        QTRY_VERIFY(ui.shows(line));
    }

    void clearedHistoryStaysEmptyAfterARelaunch()
    {
        ModelRig rig(ModelRig::Options{.household = "none"});
        rig.model->history()->record(songNamed(QStringLiteral("Marée basse"), QStringLiteral("Les Phares")), QStringLiteral("Salon"));
        {
            WindowRig ui(rig);
            rig.model->browse()->showPanel(RouteKind::History);
            QTRY_VERIFY(ui.shows(QStringLiteral("1 écoute conservée")));
            // Asked first, "Annuler" ready for the keyboard: Enter keeps everything.
            QVERIFY(ui.click(QStringLiteral("Effacer")));
            QTRY_VERIFY(ui.control(QStringLiteral("Annuler")) && ui.control(QStringLiteral("Annuler"))->hasActiveFocus());
            QTest::keyClick(ui.window, Qt::Key_Return);
            QObject *confirm = ui.window->findChild<QObject *>(QStringLiteral("confirmClearHistory"));
            QVERIFY(confirm);
            QTRY_VERIFY(!confirm->property("visible").toBool());
            QCOMPARE(rig.model->history()->entries().size(), 1);
            QVERIFY(ui.click(QStringLiteral("Effacer")));
            QTRY_VERIFY(ui.control(QStringLiteral("Effacer l'historique")));
            QVERIFY(ui.click(QStringLiteral("Effacer l'historique")));
            QTRY_VERIFY(ui.shows(QStringLiteral("Historique vide")));
        }
        rig.model.reset();
        rig.model = std::make_unique<CorvaneModel>(
            CorvaneModel::Services{rig.music, rig.web.origin(), rig.web.origin(), QStringLiteral("fr"), false});
        WindowRig ui(rig);
        rig.model->browse()->showPanel(RouteKind::History);
        QTRY_VERIFY(ui.shows(QStringLiteral("Historique vide")));
    }
};

QTEST_MAIN(TestHomeScreens)
#include "tst_homescreens.moc"
