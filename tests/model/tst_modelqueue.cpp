// The group's queue: read whole, guarded while the speaker adds, edited, against the simulated household.

#include "async/delays.h"
#include "modelrecords.h"
#include "modelrig.h"
#include "simtrack.h"

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

class TestModelQueue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setDelayScale(0.05); }
    void cleanup() { setDelayScale(1.0); }

    // Speakers return 100 tracks a read: every track of a long queue is read all the same, and
    // the last one can be moved to the top.
    void aLongQueueIsReadWhole()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        rig.speaker("Salon")->setQueue(sim::numberedSongs(2000), 1);
        await(rig.model->queue()->refresh());
        QCOMPARE(rig.model->queue()->entries().size(), 2000);
        QCOMPARE(rig.model->queue()->entries().last().id, 2000);
        QVERIFY(rig.model->queue()->entries().last().title.endsWith(QLatin1String("(2000)")));
        await(rig.model->queue()->moveItems({1999}, 0));
        QTRY_VERIFY(rig.model->queue()->entries().first().title.endsWith(QLatin1String("(2000)")));
        QCOMPARE(rig.model->queue()->entries().size(), 2000);
        QVERIFY(rig.speaker("Salon")->queue().first().title.endsWith(QLatin1String("(2000)")));
    }

    void queueChangeProtocol()
    {
        ModelRig::Options options;
        options.household = "none";
        ModelRig rig(options);
        CorvaneModel &model = *rig.model;
        model.queue()->apply(queueOf(3));
        // A 40-song album on its way: a read of 12 entries is ignored.
        const int first = model.queue()->beginChange(40);
        model.queue()->apply(queueOf(12));
        QCOMPARE(model.queue()->entries().size(), 3);
        model.queue()->apply(queueOf(40));
        QCOMPARE(model.queue()->entries().size(), 40);
        // A second play before the first ends: the first end does not unlock.
        const int second = model.queue()->beginChange(5);
        await(model.queue()->endChange(first));
        QVERIFY(model.queue()->changeLocked());
        await(model.queue()->endChange(second));
        QVERIFY(!model.queue()->changeLocked());
        // Clearing unlocks at once.
        model.queue()->beginChange(30);
        await(model.queue()->empty());
        QVERIFY(!model.queue()->changeLocked());
        QVERIFY(model.queue()->entries().isEmpty());
    }

    void overlappingPlaysShowTheLastList()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        artOrigin = rig.web.origin();
        const QList<Track> songs = tracksOf(catalogueSongs());
        auto first = rig.model->playback()->playSongs(songs, QStringLiteral("Tout"));
        auto second = rig.model->playback()->playSongs(songs.mid(0, 2), QStringLiteral("Deux"));
        await(std::move(first));
        await(std::move(second));
        QTRY_VERIFY(!rig.model->queue()->changeLocked());
        await(rig.model->queue()->refresh());
        QCOMPARE(rig.model->queue()->entries().size(), rig.speaker("Salon")->queue().size());
    }

    void speakerArtworkIsLookedUpOnce()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        CorvaneModel &model = *rig.model;
        await(model.queue()->refresh());
        QCOMPARE(model.queue()->entries().size(), 6);
        QTRY_VERIFY(model.queue()->entries().first().artworkURL && !model.queue()->entries().first().artworkURL->path().startsWith(QLatin1String("/getaa")));
        QVERIFY(model.queue()->entries().first().artworkURL->toString().endsWith(QLatin1String("/256x256bb.jpg")));
        const int lookups = int(rig.web.requested().count(QStringLiteral("/v1/catalog/fr/songs/1440857781")));
        QCOMPARE(lookups, 1);
        await(model.queue()->refresh());
        QTest::qWait(50);
        QCOMPARE(int(rig.web.requested().count(QStringLiteral("/v1/catalog/fr/songs/1440857781"))), 1);
    }

    void queueEdits_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("sent");
        QTest::newRow("entry 3 to the top") << 2 << 0 << "<StartingIndex>3</StartingIndex><NumberOfTracks>1</NumberOfTracks><InsertBefore>1</InsertBefore>";
        QTest::newRow("entry 1 below entry 3") << 0 << 3 << "<StartingIndex>1</StartingIndex><NumberOfTracks>1</NumberOfTracks><InsertBefore>4</InsertBefore>";
        QTest::newRow("onto itself: nothing") << 2 << 2 << "";
    }
    void queueEdits()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, sent);
        ModelRig rig;
        QVERIFY(rig.startUp());
        SimSpeaker &salon = *rig.speaker("Salon");
        await(rig.model->queue()->refresh());
        const QString moved = rig.model->queue()->entries().at(from).title;
        salon.clearReceived();
        await(rig.model->queue()->moveItems({from}, to));
        if (sent.isEmpty()) {
            QCOMPARE(countOf(salon, "ReorderTracksInQueue"), 0);
            return;
        }
        QVERIFY(argumentsOf(lastRequest(salon, "ReorderTracksInQueue")).contains(sent));
        QCOMPARE(rig.model->queue()->entries().at(to > from ? to - 1 : to).title, moved);
        QCOMPARE(salon.queue().at(to > from ? to - 1 : to).title, moved);
    }

    void removingAnEntry()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        await(rig.model->queue()->refresh());
        const QueueItem second = rig.model->queue()->entries().at(1);
        auto removal = rig.model->queue()->removeItem(second);
        QCOMPARE(rig.model->queue()->entries().size(), 5); // hidden at once
        await(std::move(removal));
        QCOMPARE(rig.speaker("Salon")->queue().size(), 5);
        QCOMPARE(rig.model->queue()->entries().at(1).id, 2); // renumbered by the speaker
        QVERIFY(rig.model->queue()->entries().at(1).title != second.title);
    }
};

QTEST_GUILESS_MAIN(TestModelQueue)
#include "tst_modelqueue.moc"
