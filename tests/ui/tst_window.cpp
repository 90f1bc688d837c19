// The main window as a person meets it: offscreen, on the simulated household and web services.

#include "windowrig.h"

#include "async/http.h"

#include <QAccessible>
#include <QRegularExpression>
#include <QSignalSpy>

Q_IMPORT_QML_PLUGIN(CorvanePlugin)

using namespace corvane;
using namespace corvane::test;

class TestWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Aborted speaker probes make Qt warn; the application silences them too.
    void initTestCase() { quietAbortWarnings(); }

    void init()
    {
        // Any warning of the screens fails the test. Three notices are the test bench's own: the
        // runtime folder of the platform, the artwork disk cache of an earlier test's profile,
        // deleted since, and a delegate still being made when the test tears the window down.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!QStandardPaths|QNetworkDiskCache|\"?There are still).+")));
    }

    void noSpeakerSaysSo()
    {
        ModelRig rig(ModelRig::Options{.household = "none", .everFound = false});
        WindowRig ui(rig);
        QVERIFY(ui.window);
        await(rig.model->household()->discoveryRun());
        QTRY_VERIFY(ui.shows(QStringLiteral("Aucune enceinte")));
        QVERIFY(ui.click(QStringLiteral("Aucune enceinte")));
        QTRY_VERIFY(ui.shows(QStringLiteral("Aucune enceinte trouvée")));
    }

    void speakerNamedLikeItsModelIsListedByRoom()
    {
        auto one = startSpeaker({.roomName = QStringLiteral("One"), .modelName = QStringLiteral("Sonos One"),
                                 .modelNumber = QStringLiteral("S18"), .displayName = QStringLiteral("One")});
        ModelRig rig(ModelRig::Options{.household = "none"});
        SonosDiscovery::setForcedNetwork(one->config().ip + QStringLiteral("/24"));
        WindowRig ui(rig);
        await(rig.model->household()->discoveryRun());
        QTRY_VERIFY(rig.model->household()->selected().has_value());
        QVERIFY(ui.click(QStringLiteral("One")));
        // The menu's row for the room, checked; never "One — One".
        const auto menuRow = [&ui] {
            bool row = false;
            for (QQuickItem *item : ui.items()) {
                const QString text = item->property("text").toString();
                if (text.startsWith(QStringLiteral("One —")))
                    return false;
                row = row || (text == QStringLiteral("One") && item->property("checkable").toBool() && WindowRig::shown(item));
            }
            return row;
        };
        QTRY_VERIFY(menuRow());
    }

    void typingShowsResultsAndScopeNarrowsThem()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        ui.type(QStringLiteral("Ravanel"));
        QCOMPARE(rig.model->browse()->query(), QStringLiteral("Ravanel"));
        QTRY_VERIFY(ui.shows(QStringLiteral("Morceaux")) && ui.shows(QStringLiteral("Albums")));
        QTRY_VERIFY2(ui.shows(QStringLiteral("Odile Ravanel")), qPrintable(ui.shownTexts().join(u'|'))); // the artist's tile

        QVERIFY(ui.click(QStringLiteral("Morceaux")));
        QTRY_VERIFY(rig.model->browse()->hasAnsweredQuery() && rig.model->browse()->scope() == SearchScope::Tracks);
        // Only the songs' section: the section titles other than the scope buttons are gone.
        const auto sectionShown = [&ui](const QString &title) {
            for (QQuickItem *item : ui.items()) {
                if (item->property("text").toString() == title && item->metaObject()->indexOfProperty("trailing") >= 0
                    && WindowRig::shown(item))
                    return true;
            }
            return false;
        };
        QTRY_VERIFY(sectionShown(QStringLiteral("Morceaux")));
        QVERIFY(!sectionShown(QStringLiteral("Albums")));
        QVERIFY(!sectionShown(QStringLiteral("Artistes")));
        QVERIFY(!sectionShown(QStringLiteral("Playlists")));
    }

    void enterPlaysTheFirstResult()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        ui.type(QStringLiteral("Ravanel"));
        QTRY_VERIFY(rig.model->browse()->hasAnsweredQuery() && !rig.model->browse()->foundTracks().isEmpty());
        const Track first = rig.model->browse()->foundTracks().first();
        QTest::keyClick(ui.window, Qt::Key_Return);
        QTRY_COMPARE(rig.speaker(QStringLiteral("Salon"))->queue().value(0).title, first.title);
        QTRY_VERIFY(actionsOf(*rig.speaker(QStringLiteral("Salon"))).contains(QStringLiteral("Play")));
    }

    void spaceInTheSearchFieldIsTyped()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        const int before = countOf(*rig.speaker(QStringLiteral("Salon")), QStringLiteral("Pause"))
            + countOf(*rig.speaker(QStringLiteral("Salon")), QStringLiteral("Play"));
        ui.type(QStringLiteral("Villes de"));
        QCOMPARE(rig.model->browse()->query(), QStringLiteral("Villes de"));
        QTest::qWait(300);
        QCOMPARE(countOf(*rig.speaker(QStringLiteral("Salon")), QStringLiteral("Pause"))
                     + countOf(*rig.speaker(QStringLiteral("Salon")), QStringLiteral("Play")),
                 before);
    }

    // The skip keys work from anywhere, the search field included; Space plays or pauses unless
    // text is being typed.
    void keysReachTheSpeakerFromAnywhere_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("action");
        for (const char *focus : {"search field", "track row", "nothing"}) {
            QTest::addRow("Ctrl+Right, %s", focus) << focus << int(Qt::Key_Right) << int(Qt::ControlModifier) << "Next";
            // Back past the first seconds of a song is back to its start.
            QTest::addRow("Ctrl+Left, %s", focus) << focus << int(Qt::Key_Left) << int(Qt::ControlModifier) << "Previous|Seek";
        }
        QTest::addRow("Space, track row") << "track row" << int(Qt::Key_Space) << 0 << "Pause";
        QTest::addRow("Space, nothing") << "nothing" << int(Qt::Key_Space) << 0 << "Pause";
    }
    void keysReachTheSpeakerFromAnywhere()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, action);
        ModelRig rig;
        QVERIFY(rig.startUp());
        QVERIFY(rig.model->playback()->nowPlaying().isPlaying);
        WindowRig ui(rig);
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        if (focus == QLatin1String("track row")) {
            ui.type(QStringLiteral("Ravanel"));
            QTRY_VERIFY(rig.model->browse()->hasAnsweredQuery() && !rig.model->browse()->foundTracks().isEmpty());
            QQuickItem *row = nullptr;
            QTRY_VERIFY((row = [&ui] {
                for (QQuickItem *item : ui.items()) {
                    if (QByteArray(item->metaObject()->className()).startsWith("SongRow") && WindowRig::shown(item))
                        return item;
                }
                return static_cast<QQuickItem *>(nullptr);
            }()));
            row->forceActiveFocus(Qt::TabFocusReason);
            QVERIFY(row->hasActiveFocus());
        } else if (focus == QLatin1String("nothing")) {
            ui.named(QStringLiteral("searchField"))->setFocus(false);
            QVERIFY2(!qobject_cast<QQuickItem *>(ui.window->activeFocusItem()) || !ui.window->activeFocusItem()->inherits("QQuickTextInput"),
                     ui.window->activeFocusItem()->metaObject()->className());
        } else {
            QVERIFY(ui.named(QStringLiteral("searchField"))->hasActiveFocus());
        }
        salon->clearReceived();
        QTest::keyClick(ui.window, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        const auto sent = [&] {
            const QStringList actions = actionsOf(*salon);
            return std::any_of(actions.cbegin(), actions.cend(), [&action](const QString &a) { return action.split(u'|').contains(a); });
        };
        QTRY_VERIFY2(sent(), qPrintable(actionsOf(*salon).join(u',')));
        // The field kept what was typed: the key was not taken as a word jump or a space.
        if (focus == QLatin1String("search field"))
            QCOMPARE(rig.model->browse()->query(), QString());
    }

    void theLargeViewsQueueButtonAlwaysShowsTheQueue()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        rig.model->browse()->showPanel(RouteKind::Queue);
        QCOMPARE(rig.model->browse()->route().kind, RouteKind::Queue);
        // Pressed again from the large view while the queue is shown: it stays shown.
        rig.model->playback()->setExpanded(true);
        QTRY_VERIFY(ui.named(QStringLiteral("largeQueueButton")) && WindowRig::shown(ui.named(QStringLiteral("largeQueueButton"))));
        QVERIFY(ui.settle());
        const int reads = countOf(*rig.speaker(QStringLiteral("Salon")), QStringLiteral("Browse"));
        QQuickItem *button = ui.named(QStringLiteral("largeQueueButton"));
        QTest::mouseClick(ui.window, Qt::LeftButton, {}, ui.centreOf(button));
        QTRY_VERIFY(!rig.model->playback()->isExpanded());
        QCOMPARE(rig.model->browse()->route().kind, RouteKind::Queue);
        QTRY_VERIFY(countOf(*rig.speaker(QStringLiteral("Salon")), QStringLiteral("Browse")) > reads);
    }

    // Screen readers and voice control set a slider's value through the accessibility bus: the
    // speaker hears it as it hears a drag.
    void aVolumeSetThroughAccessibilityReachesTheSpeaker()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        QQuickItem *slider = ui.named(QStringLiteral("volumeSlider"));
        QVERIFY(slider);
        QTRY_VERIFY(slider->isEnabled());
        QAccessibleInterface *access = QAccessible::queryAccessibleInterface(slider);
        QVERIFY(access);
        QVERIFY(access->valueInterface());
        access->valueInterface()->setCurrentValue(40);
        QTRY_COMPARE(rig.speaker(QStringLiteral("Salon"))->volume(), 40);
        // The slider follows the model again afterwards.
        rig.model->playback()->setVolume(12);
        QTRY_COMPARE(qRound(slider->property("value").toDouble()), 12);
    }

    // In a group, the bar's slider sets the group and each room has its own slider and mute.
    void eachRoomOfAGroupHasItsOwnVolume()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        sim::SimSpeaker *cuisine = rig.speaker(QStringLiteral("Cuisine"));
        QVERIFY(!ui.control(QStringLiteral("Volume des pièces")));
        await(rig.model->household()->toggleMembership(cuisine->speaker(), salon->config().uuid));
        QTRY_VERIFY(ui.control(QStringLiteral("Volume des pièces")));
        QVERIFY(ui.click(QStringLiteral("Volume des pièces")));
        QTRY_VERIFY(ui.accessible(QStringLiteral("Volume : Cuisine")));
        QTRY_VERIFY(ui.accessible(QStringLiteral("Volume : Cuisine"))->isEnabled());
        salon->clearReceived();
        cuisine->clearReceived();

        QAccessibleInterface *room = QAccessible::queryAccessibleInterface(ui.accessible(QStringLiteral("Volume : Cuisine")));
        room->valueInterface()->setCurrentValue(55);
        QTRY_COMPARE(cuisine->volume(), 55);
        QCOMPARE(countOf(*salon, QStringLiteral("SetVolume")), 0);
        QVERIFY(ui.clickItem(ui.accessible(QStringLiteral("Couper le son : Cuisine"))));
        QTRY_VERIFY(cuisine->muted());
        QVERIFY(!salon->muted());

        QAccessibleInterface *group = QAccessible::queryAccessibleInterface(ui.named(QStringLiteral("volumeSlider")));
        group->valueInterface()->setCurrentValue(20);
        QTRY_COMPARE(countOf(*salon, QStringLiteral("SetGroupVolume")), 1);
        QVERIFY(actionsOf(*salon).indexOf(QStringLiteral("SnapshotGroupVolume")) < actionsOf(*salon).indexOf(QStringLiteral("SetGroupVolume")));
        // The rooms' sliders follow, in proportion.
        QTRY_COMPARE(qRound(ui.accessible(QStringLiteral("Volume : Cuisine"))->property("value").toDouble()), cuisine->volume());
        QVERIFY(cuisine->volume() < 55);
    }

    // The alarms screen: switched off from its row, created from the editor (the keyboard moves
    // the hour), deleted after the question.
    void alarmsAreSwitchedCreatedAndDeleted()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        QVERIFY(ui.click(QStringLiteral("Réveils")));
        QTRY_COMPARE(rig.model->alarms()->count(), 3);
        QTRY_VERIFY(ui.accessible(QStringLiteral("Réveil de 07:00 activé")));

        QVERIFY(ui.clickItem(ui.accessible(QStringLiteral("Réveil de 07:00 activé"))));
        QTRY_COMPARE(lastRequest(*salon, QStringLiteral("UpdateAlarm")).arguments.value(QStringLiteral("Enabled")), QStringLiteral("0"));

        QVERIFY(ui.click(QStringLiteral("Nouveau réveil")));
        QTRY_VERIFY(ui.control(QStringLiteral("Créer le réveil")));
        QTRY_VERIFY(ui.named(QStringLiteral("alarmHour")) && ui.named(QStringLiteral("alarmHour"))->hasActiveFocus());
        QTest::keyClick(ui.window, Qt::Key_Up);
        QVERIFY(ui.click(QStringLiteral("Créer le réveil")));
        QTRY_COMPARE(rig.model->alarms()->count(), 4);
        QCOMPARE(lastRequest(*salon, QStringLiteral("CreateAlarm")).arguments.value(QStringLiteral("StartLocalTime")), QStringLiteral("08:00:00"));
        // Closed for good, its veil gone with it.
        QObject *editor = ui.window->findChild<QObject *>(QStringLiteral("alarmEditor"));
        QVERIFY(editor);
        QTRY_VERIFY(!editor->property("visible").toBool());

        QTRY_VERIFY(ui.control(QStringLiteral("Supprimer le réveil de 09:30")));
        QVERIFY(ui.click(QStringLiteral("Supprimer le réveil de 09:30")));
        QTRY_VERIFY(ui.control(QStringLiteral("Supprimer")));
        QCOMPARE(countOf(*salon, QStringLiteral("DestroyAlarm")), 0);
        QVERIFY(ui.click(QStringLiteral("Supprimer")));
        QTRY_COMPARE(rig.model->alarms()->count(), 3);
        QCOMPARE(countOf(*salon, QStringLiteral("DestroyAlarm")), 1);
    }

    // An alarm of a room the household does not show now keeps its room through an edit.
    void anAlarmKeepsARoomNotShown()
    {
        ModelRig rig;
        rig.house->house().alarms[1].roomUUID = QStringLiteral("RINCON_0000D15C0A4D01400");
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        QVERIFY(ui.click(QStringLiteral("Réveils")));
        QTRY_VERIFY(ui.control(QStringLiteral("Modifier le réveil de 09:30")));
        QVERIFY(ui.shows(QStringLiteral("Le week-end · Pièce introuvable")));
        QVERIFY(ui.click(QStringLiteral("Modifier le réveil de 09:30")));
        QTRY_VERIFY(ui.control(QStringLiteral("Enregistrer")));
        QTRY_COMPARE(ui.named(QStringLiteral("alarmRoom"))->property("displayText").toString(), QStringLiteral("Pièce introuvable"));
        QVERIFY(ui.click(QStringLiteral("Enregistrer")));
        QTRY_VERIFY(!lastRequest(*salon, QStringLiteral("UpdateAlarm")).action.isEmpty());
        QCOMPARE(lastRequest(*salon, QStringLiteral("UpdateAlarm")).arguments.value(QStringLiteral("RoomUUID")),
                 QStringLiteral("RINCON_0000D15C0A4D01400"));
    }

    void albumPlaysAsAContainer()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        ui.type(QStringLiteral("Villes de nuit"));
        QTRY_VERIFY(rig.model->browse()->hasAnsweredQuery() && !rig.model->browse()->foundAlbums().isEmpty());
        QVERIFY(ui.click(QStringLiteral("Villes de nuit")));
        QTRY_VERIFY(rig.model->browse()->route().kind == RouteKind::Album && !rig.model->browse()->isLoadingDetail());
        QTRY_VERIFY(ui.control(QStringLiteral("Lire l'album")) && ui.control(QStringLiteral("Lire l'album"))->isEnabled());
        QVERIFY(ui.click(QStringLiteral("Lire l'album")));
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        QTRY_VERIFY2(!lastRequest(*salon, QStringLiteral("AddURIToQueue")).action.isEmpty(), qPrintable(actionsOf(*salon).join(u' ') + u'|' + rig.model->notices()->errorMessage().value_or(QString())));
        QVERIFY2(argumentsOf(lastRequest(*salon, QStringLiteral("AddURIToQueue"))).contains(QStringLiteral("x-rincon-cpcontainer:")),
                 qPrintable(argumentsOf(lastRequest(*salon, QStringLiteral("AddURIToQueue")))));
        QTRY_VERIFY(actionsOf(*salon).contains(QStringLiteral("Play")));
    }

    void queueRemoveAndClearReachTheSpeaker()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        rig.model->browse()->setQuery(QStringLiteral("Ravanel"));
        QTRY_VERIFY(rig.model->browse()->hasAnsweredQuery() && rig.model->browse()->foundTracks().size() >= 3);
        await(rig.model->playback()->playSongs(rig.model->browse()->foundTracks().mid(0, 3), QStringLiteral("Trois")));
        WindowRig ui(rig);
        rig.model->browse()->toggleQueue();
        QTRY_COMPARE(rig.model->queue()->entries().size(), 3);
        QTRY_VERIFY(ui.shows(rig.model->queue()->entries().at(1).title));
        QVERIFY(ui.settle());

        // Hover the second row, then its minus.
        QQuickItem *list = ui.named(QStringLiteral("queueList"));
        QVERIFY(list);
        QQuickItem *row = nullptr;
        for (QQuickItem *item : ui.items()) {
            if (QByteArray(item->metaObject()->className()).startsWith("QueueRow") && item->property("index").toInt() == 1
                && WindowRig::shown(item))
                row = item;
        }
        QVERIFY(row);
        ui.hover(row);
        QTRY_VERIFY(ui.control(QStringLiteral("Retirer de la file")));
        QVERIFY(ui.click(QStringLiteral("Retirer de la file")));
        QTRY_VERIFY(actionsOf(*salon).contains(QStringLiteral("RemoveTrackFromQueue")));
        QTRY_COMPARE(salon->queue().size(), 2);

        QVERIFY(ui.click(QStringLiteral("Vider")));
        QTRY_VERIFY(actionsOf(*salon).contains(QStringLiteral("RemoveAllTracksFromQueue")));
        QTRY_VERIFY(ui.shows(QStringLiteral("File vide")));
        QVERIFY(ui.showsSymbol(QStringLiteral("list.triangle")));
        QVERIFY(ui.shows(QStringLiteral("Vide")));
    }

    void emptyQueueExplainsItself()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        await(rig.model->queue()->empty());
        WindowRig ui(rig);
        rig.model->browse()->toggleQueue();
        QTRY_VERIFY(ui.shows(QStringLiteral("File vide")));
        QVERIFY(ui.showsSymbol(QStringLiteral("list.triangle")));
        bool hint = false;
        for (QQuickItem *item : ui.items()) {
            if (item->property("text").toString().startsWith(QStringLiteral("Ajoutez des morceaux avec le bouton"))
                && item->property("text").toString().endsWith(QStringLiteral("des résultats.")) && WindowRig::shown(item))
                hint = true;
        }
        QVERIFY(hint);
    }

    void changingTheCountryReloadsExplore()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        rig.model->browse()->toggleExplore();
        QTRY_VERIFY(rig.model->home()->exploreLoaded() && !rig.model->home()->isLoadingExplore() && rig.model->home()->exploreStorefronts().size() > 1);
        auto *country = ui.named(QStringLiteral("countryChooser"));
        QVERIFY(country);
        const int before = int(rig.web.requested().size());
        // Open the chooser and take the second country with the keyboard.
        country->forceActiveFocus();
        QTest::keyClick(ui.window, Qt::Key_Space);
        QTest::keyClick(ui.window, Qt::Key_Down);
        QTest::keyClick(ui.window, Qt::Key_Return);
        QTRY_VERIFY(rig.model->home()->exploreStorefront().has_value());
        QTRY_VERIFY(!rig.model->home()->isLoadingExplore());
        QVERIFY(rig.web.requested().size() > before);
        QCOMPARE(country->property("currentText").toString(), rig.model->home()->exploreStorefront()->id.toUpper());
    }

    void ctrlZeroWhileOnboardingTogglesTheLargeView()
    {
        ModelRig rig;
        WindowRig ui(rig, false);
        const auto onboardingShown = [&ui] {
            QQuickItem *title = ui.named(QStringLiteral("onboardingTitle"));
            return title && WindowRig::shown(title);
        };
        QTRY_VERIFY(onboardingShown());
        QTest::keyClick(ui.window, Qt::Key_0, Qt::ControlModifier);
        QVERIFY(rig.model->playback()->isExpanded());
        QTest::qWait(400);
        QVERIFY(onboardingShown());
        QTest::keyClick(ui.window, Qt::Key_0, Qt::ControlModifier);
        QVERIFY(!rig.model->playback()->isExpanded());
    }

    void theStarMakesWhatPlaysAFavorite()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        rig.model->browse()->setQuery(QStringLiteral("Ravanel"));
        QTRY_VERIFY(rig.model->browse()->hasAnsweredQuery() && !rig.model->browse()->foundTracks().isEmpty());
        const Track song = rig.model->browse()->foundTracks().first();
        await(rig.model->playback()->playSong(song));
        WindowRig ui(rig);
        QTRY_COMPARE(rig.model->playback()->nowPlaying().title, song.title);
        QTRY_VERIFY(ui.control(QStringLiteral("Ajouter aux favoris Sonos")));
        QVERIFY(ui.click(QStringLiteral("Ajouter aux favoris Sonos")));
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        QTRY_VERIFY(actionsOf(*salon).contains(QStringLiteral("CreateObject")));
        QVERIFY(argumentsOf(lastRequest(*salon, QStringLiteral("CreateObject"))).contains(song.title.toHtmlEscaped().left(8)));
        QTRY_VERIFY(ui.control(QStringLiteral("Retirer des favoris Sonos")));
    }

    void escapeReturnsToTheSearchField()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        QQuickItem *field = ui.named(QStringLiteral("searchField"));
        QVERIFY(field);
        QTRY_VERIFY(field->hasActiveFocus());
        QTest::keyClick(ui.window, Qt::Key_Tab);
        QVERIFY(!field->hasActiveFocus());
        QTest::keyClick(ui.window, Qt::Key_Escape);
        QVERIFY(field->hasActiveFocus());
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
