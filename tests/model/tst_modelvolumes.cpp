// The group's volume and each room's, and the household's alarms, on the simulated household.

#include "model/alarmclock.h"
#include "model/roomvolumes.h"
#include "modelrig.h"
#include "sonos/sonoscontroller.h"

using namespace corvane;
using namespace corvane::test;

namespace {

// Salon leads, Cuisine joins: a group of two rooms.
void groupKitchen(ModelRig &rig, int salonVolume, int kitchenVolume)
{
    sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
    sim::SimSpeaker *cuisine = rig.speaker(QStringLiteral("Cuisine"));
    salon->setVolume(salonVolume);
    cuisine->setVolume(kitchenVolume);
    await(rig.model->household()->toggleMembership(cuisine->speaker(), salon->config().uuid));
    QVERIFY(QTest::qWaitFor([&rig] { return rig.model->playback()->volumeIsGroup() && rig.model->roomVolumes()->count() == 2; }, 5000));
    QVERIFY(QTest::qWaitFor([&rig, cuisine] { return rig.model->roomVolumes()->volumeOf(cuisine->config().uuid).has_value(); }, 3000));
    QTRY_COMPARE(int(rig.model->playback()->volume()), (salonVolume + kitchenVolume + 1) / 2);
    salon->clearReceived();
    cuisine->clearReceived();
}

int rowOf(RoomVolumes *rooms, const QString &uuid)
{
    for (int row = 0; row < rooms->rowCount(); ++row) {
        if (rooms->data(rooms->index(row), RoomVolumes::UuidRole).toString() == uuid)
            return row;
    }
    return -1;
}

int alarmRow(AlarmClock *alarms, const QString &time)
{
    for (int row = 0; row < alarms->rowCount(); ++row) {
        if (alarms->data(alarms->index(row), AlarmClock::TimeRole).toString() == time)
            return row;
    }
    return -1;
}

} // namespace

class TestModelVolumes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theSliderSetsTheWholeGroup()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        groupKitchen(rig, 40, 20);
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        sim::SimSpeaker *cuisine = rig.speaker(QStringLiteral("Cuisine"));

        rig.model->playback()->setVolume(15);
        rig.model->playback()->commitVolume();
        QTRY_COMPARE(countOf(*salon, QStringLiteral("SetGroupVolume")), 1);
        const QStringList sent = actionsOf(*salon);
        QVERIFY(sent.indexOf(QStringLiteral("SnapshotGroupVolume")) >= 0);
        QVERIFY(sent.indexOf(QStringLiteral("SnapshotGroupVolume")) < sent.indexOf(QStringLiteral("SetGroupVolume")));
        QCOMPARE(lastRequest(*salon, QStringLiteral("SetGroupVolume")).arguments.value(QStringLiteral("DesiredVolume")), QStringLiteral("15"));
        QCOMPARE(countOf(*salon, QStringLiteral("SetVolume")) + countOf(*cuisine, QStringLiteral("SetVolume")), 0);
        // Each room moved in proportion, and the rooms' sliders read where they went.
        QCOMPARE(salon->volume(), 20);
        QCOMPARE(cuisine->volume(), 10);
        QTRY_COMPARE(rig.model->roomVolumes()->volumeOf(cuisine->config().uuid), std::optional<int>(10));
        QTRY_COMPARE(rig.model->roomVolumes()->volumeOf(salon->config().uuid), std::optional<int>(20));

        // A second move keeps the same snapshot.
        rig.model->playback()->setVolume(30);
        rig.model->playback()->commitVolume();
        QTRY_COMPARE(countOf(*salon, QStringLiteral("SetGroupVolume")), 2);
        QCOMPARE(countOf(*salon, QStringLiteral("SnapshotGroupVolume")), 1);

        // Mute: the group's, at its coordinator.
        await(rig.model->playback()->toggleMute());
        QCOMPARE(countOf(*salon, QStringLiteral("SetGroupMute")), 1);
        QVERIFY(salon->muted() && cuisine->muted());
        QCOMPARE(countOf(*salon, QStringLiteral("SetMute")), 0);
    }

    void aRoomsSliderSetsThatRoomAlone()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        groupKitchen(rig, 40, 20);
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        sim::SimSpeaker *cuisine = rig.speaker(QStringLiteral("Cuisine"));
        RoomVolumes *rooms = rig.model->roomVolumes();

        // The group first (a snapshot of 40 and 20), then the kitchen alone.
        rig.model->playback()->setVolume(15);
        rig.model->playback()->commitVolume();
        QTRY_COMPARE(cuisine->volume(), 10);
        QTRY_COMPARE(rooms->volumeOf(cuisine->config().uuid), std::optional<int>(10));
        salon->clearReceived();

        rooms->setRoomVolume(rowOf(rooms, cuisine->config().uuid), 60);
        QTRY_COMPARE(cuisine->volume(), 60);
        QCOMPARE(countOf(*cuisine, QStringLiteral("SetVolume")), 1);
        QCOMPARE(countOf(*salon, QStringLiteral("SetVolume")), 0);
        QCOMPARE(salon->volume(), 20);
        // The group's slider follows its rooms.
        QTRY_COMPARE(int(rig.model->playback()->volume()), 40);

        // The room's mute goes to that room alone.
        rooms->toggleRoomMute(rowOf(rooms, cuisine->config().uuid));
        QTRY_VERIFY(cuisine->muted());
        QVERIFY(!salon->muted());

        // The next group change takes the new proportions (20 and 60), not the old snapshot's.
        rig.model->playback()->setVolume(20);
        rig.model->playback()->commitVolume();
        QTRY_COMPARE(countOf(*salon, QStringLiteral("SetGroupVolume")), 1);
        QCOMPARE(countOf(*salon, QStringLiteral("SnapshotGroupVolume")), 1);
        QCOMPARE(salon->volume(), 10);
        QCOMPARE(cuisine->volume(), 30);
    }

    void aloneTheSliderSetsTheRoom()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        QVERIFY(!rig.model->playback()->volumeIsGroup());
        QVERIFY(!rig.model->roomVolumes()->isGroup());
        salon->clearReceived();
        rig.model->playback()->setVolume(33);
        rig.model->playback()->commitVolume();
        QTRY_COMPARE(salon->volume(), 33);
        QCOMPARE(countOf(*salon, QStringLiteral("SetGroupVolume")) + countOf(*salon, QStringLiteral("SnapshotGroupVolume")), 0);
    }

    // With events: a room changed elsewhere shows in its row and in the group's slider.
    void aRoomChangedElsewhereShows()
    {
        ModelRig::Options options;
        options.speakerEvents = true;
        ModelRig rig(options);
        QVERIFY(rig.startUp());
        groupKitchen(rig, 30, 30);
        QTRY_COMPARE(rig.model->live()->mode(), LiveUpdates::Mode::Instant);
        sim::SimSpeaker *cuisine = rig.speaker(QStringLiteral("Cuisine"));
        const SonosController other(cuisine->speaker());
        await(other.setVolume(50));
        QTRY_COMPARE(rig.model->roomVolumes()->volumeOf(cuisine->config().uuid), std::optional<int>(50));
        QTRY_COMPARE(int(rig.model->playback()->volume()), 40);
    }

    void alarmsAreListedAndEditedFieldByField()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        AlarmClock *alarms = rig.model->alarms();
        await(alarms->load());
        QCOMPARE(alarms->count(), 3);
        const int row = alarmRow(alarms, QStringLiteral("07:00"));
        QVERIFY(row >= 0);
        QCOMPARE(alarms->data(alarms->index(row), AlarmClock::DaysRole).toString(), QStringLiteral("En semaine"));
        QCOMPARE(alarms->data(alarms->index(row), AlarmClock::RoomRole).toString(), QStringLiteral("Chambre"));
        QCOMPARE(alarms->data(alarms->index(row), AlarmClock::ProgramRole).toString(), QStringLiteral("Radio Gardon FM"));
        const Alarm before = alarms->alarms().at(row);

        // Only the volume changes: everything else goes back as the speakers keep it.
        const QVariantMap shown = alarms->editor(row);
        QVariantMap values = shown;
        values.insert(QStringLiteral("volume"), 35);
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        salon->clearReceived();
        QVERIFY(await(alarms->save(before.id, shown, values)));
        const auto sent = lastRequest(*salon, QStringLiteral("UpdateAlarm")).arguments;
        QCOMPARE(sent.value(QStringLiteral("Volume")), QStringLiteral("35"));
        QCOMPARE(sent.value(QStringLiteral("ProgramMetaData")), before.programMetaData);
        QCOMPARE(sent.value(QStringLiteral("ProgramURI")), before.programURI);
        QCOMPARE(sent.value(QStringLiteral("StartLocalTime")), before.startTime);
        QCOMPARE(sent.value(QStringLiteral("Recurrence")), before.recurrence);
        QCOMPARE(sent.value(QStringLiteral("PlayMode")), before.playMode);
        QCOMPARE(sent.value(QStringLiteral("IncludeLinkedZones")), before.includeLinkedZones);
        QCOMPARE(rig.house->house().alarms.at(0).volume, QStringLiteral("35"));

        // Switched off from its row.
        alarms->setEnabled(before.id, false);
        QTRY_COMPARE(rig.house->house().alarms.at(0).enabled, QStringLiteral("0"));
        QTRY_VERIFY(!alarms->data(alarms->index(alarmRow(alarms, QStringLiteral("07:00"))), AlarmClock::EnabledRole).toBool());
    }

    void anAlarmIsCreatedAndDeleted()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        AlarmClock *alarms = rig.model->alarms();
        await(alarms->load());
        const QVariantMap shown = alarms->editor(-1);
        QCOMPARE(shown.value(QStringLiteral("roomUUID")).toString(), rig.speaker(QStringLiteral("Salon"))->config().uuid);
        QVariantMap values = shown;
        values.insert(QStringLiteral("hour"), 5);
        values.insert(QStringLiteral("minute"), 50);
        values.insert(QStringLiteral("days"), QVariantList{1, 3});
        values.insert(QStringLiteral("program"), rig.model->favorites()->list().last().id);
        values.insert(QStringLiteral("duration"), 30);
        QVERIFY(await(alarms->save(QString(), shown, values)));
        QCOMPARE(alarms->count(), 4);
        const sim::SimAlarm &made = rig.house->house().alarms.last();
        QCOMPARE(made.startTime, QStringLiteral("05:50:00"));
        QCOMPARE(made.recurrence, QStringLiteral("ON_13"));
        QCOMPARE(made.duration, QStringLiteral("00:30:00"));
        QCOMPARE(made.programURI, rig.model->favorites()->list().last().uri);
        QCOMPARE(made.programMetaData, rig.model->favorites()->list().last().metadata);

        QVERIFY(await(alarms->destroy(QString::number(made.id))));
        QCOMPARE(alarms->count(), 3);
    }

    // An alarm is named by its ID: a list read again meanwhile, in another order, deletes the
    // right one.
    void theAlarmAskedForIsTheOneDeleted()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        AlarmClock *alarms = rig.model->alarms();
        await(alarms->load());
        const QString id = alarms->alarms().at(alarmRow(alarms, QStringLiteral("09:30"))).id;
        Alarm early;
        early.roomUUID = rig.speaker(QStringLiteral("Bureau"))->config().uuid;
        early.startTime = QStringLiteral("05:00:00");
        await(SonosController(rig.speaker(QStringLiteral("Bureau"))->speaker()).createAlarm(early));
        await(alarms->load()); // every row moves down one
        alarms->remove(id);
        QTRY_COMPARE(alarms->count(), 3);
        QCOMPARE(alarmRow(alarms, QStringLiteral("09:30")), -1);
        QVERIFY(alarmRow(alarms, QStringLiteral("05:00")) >= 0);
    }

    // Another controller changed the alarm meanwhile: its change stays, ours is added.
    void anEditKeepsAChangeMadeElsewhere()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        AlarmClock *alarms = rig.model->alarms();
        await(alarms->load());
        const int row = alarmRow(alarms, QStringLiteral("07:00"));
        const QVariantMap shown = alarms->editor(row);
        Alarm elsewhere = alarms->alarms().at(row);
        elsewhere.startTime = QStringLiteral("07:20:00");
        await(SonosController(rig.speaker(QStringLiteral("Chambre"))->speaker()).updateAlarm(elsewhere));

        QVariantMap values = shown;
        values.insert(QStringLiteral("volume"), 9);
        QVERIFY(await(alarms->save(elsewhere.id, shown, values)));
        QCOMPARE(rig.house->house().alarms.at(0).startTime, QStringLiteral("07:20:00"));
        QCOMPARE(rig.house->house().alarms.at(0).volume, QStringLiteral("9"));

        // Elsewhere the hour moves on; here, in an editor opened before, only the minutes.
        elsewhere.startTime = QStringLiteral("08:20:00");
        await(SonosController(rig.speaker(QStringLiteral("Chambre"))->speaker()).updateAlarm(elsewhere));
        values = shown;
        values.insert(QStringLiteral("minute"), 45);
        QVERIFY(await(alarms->save(elsewhere.id, shown, values)));
        QCOMPARE(rig.house->house().alarms.at(0).startTime, QStringLiteral("08:45:00"));

        // A favorite chosen here but deleted elsewhere meanwhile is said, and nothing is sent.
        values = shown;
        values.insert(QStringLiteral("program"), QStringLiteral("FV:2/999"));
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        salon->clearReceived();
        QVERIFY(!await(alarms->save(elsewhere.id, shown, values)));
        QCOMPARE(countOf(*salon, QStringLiteral("UpdateAlarm")), 0);
        QVERIFY(rig.model->notices()->errorMessage().has_value());
        QCOMPARE(rig.house->house().alarms.at(0).programURI, elsewhere.programURI);
    }

    // Deleted elsewhere meanwhile: said, not made again.
    void anAlarmDeletedElsewhereIsNotRecreated()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        AlarmClock *alarms = rig.model->alarms();
        await(alarms->load());
        const int row = alarmRow(alarms, QStringLiteral("09:30"));
        const QString id = alarms->alarms().at(row).id;
        await(SonosController(rig.speaker(QStringLiteral("Cuisine"))->speaker()).destroyAlarm(id));
        sim::SimSpeaker *salon = rig.speaker(QStringLiteral("Salon"));
        salon->clearReceived();

        QVERIFY(!await(alarms->switchAlarm(id, true)));
        QCOMPARE(countOf(*salon, QStringLiteral("UpdateAlarm")) + countOf(*salon, QStringLiteral("CreateAlarm")), 0);
        QCOMPARE(rig.model->notices()->errorMessage(), std::optional<QString>(QStringLiteral("Ce réveil a été supprimé depuis un autre appareil.")));
        QCOMPARE(alarms->count(), 2);
        QCOMPARE(rig.house->house().alarms.size(), 2);
    }

    // With events, an alarm added by another controller shows without a reload.
    void anAlarmAddedElsewhereShows()
    {
        ModelRig::Options options;
        options.speakerEvents = true;
        ModelRig rig(options);
        QVERIFY(rig.startUp());
        QTRY_COMPARE(rig.model->live()->mode(), LiveUpdates::Mode::Instant);
        AlarmClock *alarms = rig.model->alarms();
        await(alarms->load());
        Alarm alarm;
        alarm.roomUUID = rig.speaker(QStringLiteral("Bureau"))->config().uuid;
        alarm.startTime = QStringLiteral("12:15:00");
        await(SonosController(rig.speaker(QStringLiteral("Bureau"))->speaker()).createAlarm(alarm));
        QTRY_COMPARE(alarms->count(), 4);
        QVERIFY(alarmRow(alarms, QStringLiteral("12:15")) >= 0);
    }
};

QTEST_MAIN(TestModelVolumes)
#include "tst_modelvolumes.moc"
