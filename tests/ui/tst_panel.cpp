// The notification area's icon and panel, on the simulated household.

#include "async/http.h"
#include "base/preferences.h"
#include "tray.h"
#include "windowrig.h"

#include <QRegularExpression>
#include <QTcpServer>

Q_IMPORT_QML_PLUGIN(CorvanePlugin)

using namespace corvane;
using namespace corvane::test;

namespace {

// What the panel shows: texts of its visible items, and its visible items by name.
QStringList panelTexts(QQuickWindow *panel)
{
    QStringList texts;
    QList<QQuickItem *> pending{panel->contentItem()};
    while (!pending.isEmpty()) {
        QQuickItem *item = pending.takeFirst();
        if (!item->isVisible())
            continue;
        const QString text = item->property("text").toString();
        if (!text.isEmpty())
            texts << text;
        pending += item->childItems();
    }
    return texts;
}

bool panelShows(QQuickWindow *panel, const QString &objectName)
{
    QList<QQuickItem *> pending{panel->contentItem()};
    while (!pending.isEmpty()) {
        QQuickItem *item = pending.takeFirst();
        if (!item->isVisible())
            continue;
        if (item->objectName() == objectName)
            return true;
        pending += item->childItems();
    }
    return false;
}

// Every Text under `root` (Label, Text, and the controls' own labels) that shows `marker`: the
// object names of those that would read it as markup.
QStringList markupReaders(QQuickItem *root, const QString &marker, int *found)
{
    QStringList readers;
    QList<QQuickItem *> pending{root};
    while (!pending.isEmpty()) {
        QQuickItem *item = pending.takeFirst();
        pending += item->childItems();
        if (!item->inherits("QQuickText") || !item->property("text").toString().contains(marker) || !WindowRig::shown(item))
            continue;
        ++*found;
        if (item->property("textFormat").toInt() != Qt::PlainText)
            readers << QStringLiteral("%1 (%2)").arg(item->objectName(), QString::fromLatin1(item->metaObject()->className()));
    }
    return readers;
}

} // namespace

class TestPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { quietAbortWarnings(); }
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!QStandardPaths|QNetworkDiskCache|\"?There are still|This plugin does not support).+"))); }

    void theIconFollowsWhatPlays_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("artist");
        QTest::addColumn<bool>("playing");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("room");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("nothing loaded") << "" << "" << false << "opticaldisc" << "Salon" << "Corvane\nRien en lecture · Salon";
        QTest::newRow("nothing loaded, said to play") << "" << "" << true << "opticaldisc" << "Salon" << "Corvane\nRien en lecture · Salon";
        QTest::newRow("playing") << "Marée basse" << "Les Phares" << true << "opticaldisc.fill" << "Salon"
                                 << "Corvane\nMarée basse — Les Phares · Salon";
        QTest::newRow("paused") << "Marée basse" << "Les Phares" << false << "pause.circle" << "Bureau"
                                << "Corvane\nMarée basse — Les Phares (en pause) · Bureau";
        QTest::newRow("a station, playing") << "Radio Gardon FM" << "" << true << "opticaldisc.fill" << "Cuisine"
                                            << "Corvane\nRadio Gardon FM · Cuisine";
        QTest::newRow("no speaker") << "" << "" << false << "opticaldisc" << "" << "Corvane\nAucune enceinte";
    }
    void theIconFollowsWhatPlays()
    {
        QFETCH(QString, title);
        QFETCH(QString, artist);
        QFETCH(bool, playing);
        QFETCH(QString, symbol);
        QFETCH(QString, room);
        QFETCH(QString, tooltip);
        NowPlaying now;
        now.title = title;
        now.artist = artist;
        now.isPlaying = playing;
        QCOMPARE(ui::Tray::symbolFor(now), symbol);
        QCOMPARE(ui::Tray::tooltipFor(now, room), tooltip);
    }

    void theIconFollowsTheSpeaker()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        ui::Tray tray(rig.model.get(), &ui.engine, ui.window);
        QTRY_COMPARE(tray.symbol(), QStringLiteral("opticaldisc.fill"));
        QVERIFY(tray.tooltip().endsWith(QStringLiteral(" · Salon")));
        await(rig.model->playback()->pausePlayback());
        QTRY_COMPARE(tray.symbol(), QStringLiteral("pause.circle"));
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        salon->setQueue({}, 0);
        salon->setTransport(sim::SimSpeaker::Transport::Stopped);
        QTRY_COMPARE(tray.symbol(), QStringLiteral("opticaldisc"));
    }

    void noSpeakerReadsNothingPlaying()
    {
        ModelRig rig(ModelRig::Options{.household = "none"});
        WindowRig ui(rig);
        await(rig.model->household()->discoveryRun());
        ui::Tray tray(rig.model.get(), &ui.engine, ui.window);
        QVERIFY(tray.panel());
        tray.togglePanel();
        QVERIFY(panelTexts(tray.panel()).contains(QStringLiteral("Rien en lecture")));
        QVERIFY(!panelShows(tray.panel(), QStringLiteral("panelRooms")));
        QVERIFY(!panelTexts(tray.panel()).contains(QStringLiteral("Favoris")));
    }

    void oneSpeakerHasNoRoomChooser()
    {
        auto one = startSpeaker();
        ModelRig rig(ModelRig::Options{.household = "none"});
        SonosDiscovery::setForcedNetwork(one->config().ip + QStringLiteral("/24"));
        WindowRig ui(rig);
        await(rig.model->household()->discoveryRun());
        QTRY_VERIFY(rig.model->household()->selected().has_value());
        ui::Tray tray(rig.model.get(), &ui.engine, ui.window);
        tray.togglePanel();
        QVERIFY(!panelShows(tray.panel(), QStringLiteral("panelRooms")));
    }

    void theHouseholdFillsThePanel()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        ui::Tray tray(rig.model.get(), &ui.engine, ui.window);
        tray.togglePanel();
        QTRY_VERIFY(panelShows(tray.panel(), QStringLiteral("panelRooms")));
        QVERIFY(panelTexts(tray.panel()).contains(QStringLiteral("Favoris")));
        QVERIFY(panelShows(tray.panel(), QStringLiteral("panelScrub")));

        // A stream has no duration: no scrub bar.
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        salon->setStreamSource(sim::radioStation(QStringLiteral("Radio Gardon FM"), QStringLiteral("http://127.0.0.1/gardon.mp3")));
        salon->setTransport(sim::SimSpeaker::Transport::Playing);
        QTRY_COMPARE(rig.model->playback()->nowPlaying().duration, 0);
        QTRY_VERIFY(!panelShows(tray.panel(), QStringLiteral("panelScrub")));
    }

    // Titles come from any device on the network: a title that looks like HTML is shown as the
    // characters it is, and an image it names is never fetched.
    void markupInATitleStaysText()
    {
        QTcpServer listener;
        QVERIFY(listener.listen(QHostAddress::LocalHost));
        int knocks = 0;
        connect(&listener, &QTcpServer::newConnection, &listener, [&listener, &knocks] {
            while (QTcpSocket *socket = listener.nextPendingConnection()) {
                ++knocks;
                socket->close();
            }
        });
        const QString image = QStringLiteral("<img src=\"http://127.0.0.1:%1/x.png\">").arg(listener.serverPort());
        const QString title = QStringLiteral("<b>Gras</b> ") + image + QStringLiteral(" <font size=40>Grand</font>");
        const QString album = QStringLiteral("<a href=\"http://127.0.0.1:%1/\">Album</a> ").arg(listener.serverPort()) + image;

        ModelRig rig;
        QList<sim::SimTrack> queue = sim::catalogueSongs().mid(0, 3);
        queue[0].title = title;
        queue[0].album = album;
        queue[0].artist = QStringLiteral("<i>Penchée</i>");
        rig.speaker(QStringLiteral("Salon"))->setQueue(queue, 1);
        rig.speaker(QStringLiteral("Salon"))->setTransport(sim::SimSpeaker::Transport::Playing);
        QVERIFY(rig.startUp());
        QTRY_COMPARE(rig.model->playback()->nowPlaying().title, title);
        WindowRig ui(rig);
        ui::Tray tray(rig.model.get(), &ui.engine, ui.window);
        tray.togglePanel();

        // Each screen shows the title once more than the playback bar alone, and no Text that
        // shows it reads it as markup.
        const auto check = [&](QQuickItem *root, const char *where, qsizetype moreThan) {
            QStringList readers;
            int found = 0;
            const bool shown = QTest::qWaitFor([&] {
                found = 0;
                readers = markupReaders(root ? root : qvariant_cast<QQuickItem *>(ui.named(QStringLiteral("centerStack"))->property("currentItem")),
                                        QStringLiteral("<b>Gras</b>"), &found);
                return ui.shownTexts().count(title) > moreThan && found > 0;
            }, 5000);
            QVERIFY2(shown, where);
            QVERIFY2(found > 0, where);
            QVERIFY2(readers.isEmpty(), qPrintable(QString::fromLatin1(where) + QStringLiteral(": ") + readers.join(u", ")));
        };
        QTRY_COMPARE(ui.named(QStringLiteral("barTitle"))->property("text").toString(), title);
        const qsizetype barOnly = ui.shownTexts().count(title);
        check(ui.window->contentItem(), "the playback bar", 0);
        int inPanel = 0;
        QVERIFY(markupReaders(tray.panel()->contentItem(), QStringLiteral("<b>Gras</b>"), &inPanel).isEmpty());
        QVERIFY2(inPanel > 0, "the panel");
        tray.togglePanel();
        rig.model->playback()->setExpanded(true);
        check(ui.window->contentItem(), "the large view", barOnly);
        rig.model->playback()->setExpanded(false);
        // The large view's copies are gone (the home page, kept, may show the song by now).
        QTRY_VERIFY(!ui.named(QStringLiteral("turntable")) || !WindowRig::shown(ui.named(QStringLiteral("turntable"))));
        // The history and the queue replace the home page: the title is looked for in them.
        rig.model->browse()->showPanel(RouteKind::History);
        QVERIFY(ui.settle());
        check(nullptr, "the history", 0);
        rig.model->browse()->toggleQueue();
        QTRY_COMPARE(rig.model->queue()->entries().size(), 3);
        QVERIFY(ui.settle());
        check(nullptr, "the queue", 0);
        // Everything was laid out and drawn: an image the text named would have been asked for.
        QVERIFY(QTest::qWaitForWindowExposed(ui.window));
        QTest::qWait(200);
        QCOMPARE(knocks, 0);
    }

    void favoritesWithoutAddressAreLeftOut()
    {
        ModelRig rig;
        rig.house->house().favorites = {sim::SimFavorite{7, QStringLiteral("Sans adresse"), QString(), QString(), QString(), QString()}};
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        ui::Tray tray(rig.model.get(), &ui.engine, ui.window);
        tray.togglePanel();
        QTRY_COMPARE(rig.model->favorites()->list().size(), 1);
        QVERIFY(!panelTexts(tray.panel()).contains(QStringLiteral("Favoris")));
        QVERIFY(!panelTexts(tray.panel()).contains(QStringLiteral("Sans adresse")));
    }

    void openCorvaneBringsTheClosedWindowBack()
    {
        ModelRig rig(ModelRig::Options{.household = "none"});
        WindowRig ui(rig);
        ui::Tray tray(rig.model.get(), &ui.engine, ui.window);
        ui.window->close();
        QTRY_VERIFY(!ui.window->isVisible());
        tray.togglePanel();
        QVERIFY(tray.panel()->isVisible());
        QMetaObject::invokeMethod(tray.panel(), "openRequested");
        QTRY_VERIFY(ui.window->isVisible());
        QVERIFY(!tray.panel()->isVisible());
    }

    // ---- helping a new or stuck person

    void theSetupGuideNamesTheRoom()
    {
        ModelRig rig(ModelRig::Options{.household = "never"});
        rig.model->household()->setSetupDismissed(false);
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        QTRY_VERIFY(ui.named(QStringLiteral("setupText")));
        QVERIFY(ui.named(QStringLiteral("setupText"))->property("text").toString().startsWith(QStringLiteral("« Salon »")));
        QVERIFY(ui.shows(QStringLiteral("Apple Music n'est pas encore relié")));
        QVERIFY(ui.shows(QStringLiteral("J'ai fait ça, relancer la recherche")));
    }

    void theFourOnboardingPages()
    {
        ModelRig rig(ModelRig::Options{.household = "none"});
        WindowRig ui(rig, false);
        QStringList titles;
        for (int page = 0; page < 4; ++page) {
            QQuickItem *title = ui.named(QStringLiteral("onboardingTitle"));
            QVERIFY(title);
            titles << title->property("text").toString().section(QLatin1Char('\n'), 0, 0);
            QVERIFY(ui.click(page < 3 ? QStringLiteral("Continuer") : QStringLiteral("Rechercher mes enceintes")));
        }
        QCOMPARE(titles, (QStringList{"Vos enceintes Sonos,", "Sans passer", "Apple Music", "Tout se passe"}));
        QTRY_VERIFY(rig.model->household()->onboardingDone());
        QVERIFY(Preferences().onboardingDone());
    }

    void theThirdLaunchShowsTheTrayTipOnce()
    {
        ModelRig rig(ModelRig::Options{.household = "none"});
        Preferences preferences;
        preferences.setLaunchCount(2);
        preferences.sync();
        WindowRig ui(rig);
        rig.model->home()->chooseTip();
        rig.model->home()->chooseTip(); // once per run
        QTRY_VERIFY(ui.shows(QStringLiteral("Corvane vit dans la zone de notification")));
        QVERIFY(ui.click(QStringLiteral("J'ai compris")));
        QTRY_VERIFY(!ui.shows(QStringLiteral("Corvane vit dans la zone de notification")));
        QCOMPARE(Preferences().launchCount(), 3);
        QCOMPARE(Preferences().seenTips(), QStringList{QStringLiteral("menuBar")});
    }

    void noTipDuringAnOnboardingReplay()
    {
        ModelRig rig(ModelRig::Options{.household = "none"});
        Preferences preferences;
        preferences.setLaunchCount(2);
        preferences.sync();
        rig.model->household()->finishOnboarding();
        rig.model->household()->setOnboardingReplay(true);
        WindowRig ui(rig, false);
        rig.model->home()->chooseTip();
        QCOMPARE(rig.model->home()->tip(), QString());
        QCOMPARE(Preferences().launchCount(), 3);
    }
};

QTEST_MAIN(TestPanel)
#include "tst_panel.moc"
