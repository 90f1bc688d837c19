#include "async/delays.h"
#include "storage/cloudstore.h"
#include "storage/listeninghistory.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace corvane;

namespace {
Track song(const QString &id, const QString &artist = QStringLiteral("Odile Ravanel"))
{
    return Track{id, QStringLiteral("Titre ") + id, artist, QStringLiteral("Villes de nuit"), std::nullopt, std::nullopt};
}

HistoryEntry entry(const QString &id, double at, const QString &artist = QStringLiteral("A"))
{
    return HistoryEntry{id, QStringLiteral("T") + id, artist, QStringLiteral("B"), std::nullopt, at, std::nullopt};
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}
} // namespace

class TestListeningHistory : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString file() const { return m_dir->path() + QStringLiteral("/history.json"); }
    QString cloudFolder() const { return m_dir->path() + QStringLiteral("/cloud"); }

private Q_SLOTS:
    void init()
    {
        setDelayScale(0.05); // saves 40 ms after the last change
        m_dir = std::make_unique<QTemporaryDir>();
    }

    void recordingRules_data()
    {
        QTest::addColumn<QStringList>("tracks");
        QTest::addColumn<QList<double>>("times");
        QTest::addColumn<int>("count");
        QTest::newRow("same track within 59 s") << QStringList{"1", "1"} << QList<double>{0, 59} << 1;
        QTest::newRow("same track at 60 s") << QStringList{"1", "1"} << QList<double>{0, 60} << 2;
        QTest::newRow("A, B, A within a minute") << QStringList{"1", "2", "1"} << QList<double>{0, 10, 20} << 3;
    }
    void recordingRules()
    {
        QFETCH(QStringList, tracks);
        QFETCH(QList<double>, times);
        QFETCH(int, count);
        ListeningHistory history(file(), nullptr);
        for (qsizetype i = 0; i < tracks.size(); ++i)
            history.recordAt(song(tracks[i]), QStringLiteral("Salon"), 800000000 + times[i]);
        QCOMPARE(history.entries().size(), count);
        QCOMPARE(history.entries().first().playedAt, 800000000 + times[count == 1 ? 0 : times.size() - 1]);
    }

    void keepsTheNewest10000()
    {
        ListeningHistory history(file(), nullptr);
        for (int i = 0; i <= ListeningHistory::maxEntries; ++i)
            history.recordAt(song(QString::number(i)), std::nullopt, 1000.0 * i);
        QCOMPARE(history.entries().size(), ListeningHistory::maxEntries);
        QCOMPARE(history.entries().first().trackID, QStringLiteral("10000"));
        QCOMPARE(history.entries().last().trackID, QStringLiteral("1")); // "0" dropped
    }

    void fileFormat()
    {
        const HistoryEntry full{QStringLiteral("1440857790"), QStringLiteral("Sel \"&\" Cendre"), QStringLiteral("Les Phares"),
                                QStringLiteral("Cartes"), QStringLiteral("https://img.example.com/a/100x100bb.jpg"), 786000000.25,
                                QStringLiteral("Salon")};
        const HistoryEntry bare{QStringLiteral("7"), QStringLiteral("T"), QString(), QString(), std::nullopt, 1.5, std::nullopt};
        QCOMPARE(ListeningHistory::encode({full, bare}),
                 QByteArray("[{\"trackID\":\"1440857790\",\"title\":\"Sel \\\"&\\\" Cendre\",\"artist\":\"Les Phares\","
                            "\"album\":\"Cartes\",\"artworkBase\":\"https://img.example.com/a/100x100bb.jpg\","
                            "\"playedAt\":786000000.25,\"room\":\"Salon\"},{\"trackID\":\"7\",\"title\":\"T\",\"artist\":\"\","
                            "\"album\":\"\",\"playedAt\":1.5}]"));
        QCOMPARE(ListeningHistory::decode(ListeningHistory::encode({full, bare})), (QList<HistoryEntry>{full, bare}));
        QCOMPARE(ListeningHistory::decode("[{\"trackID\":\"1\"}]"), std::nullopt);
        QCOMPARE(ListeningHistory::decode("{}"), std::nullopt);
    }

    void identity_data()
    {
        QTest::addColumn<double>("sinceEpoch");
        QTest::addColumn<QString>("id");
        QTest::newRow("1.5 s after 1970") << 1.5 << "123-1.5";
        QTest::newRow("whole seconds") << 1700000000.0 << "123-1700000000";
        QTest::newRow("shortest round trip") << 1700000000.123 << "123-1700000000.123";
    }
    void identity()
    {
        QFETCH(double, sinceEpoch);
        QFETCH(QString, id);
        QCOMPARE(entry(QStringLiteral("123"), sinceEpoch - 978307200.0).id(), id);
    }

    void savesOnceAfterABurst()
    {
        ListeningHistory history(file(), nullptr);
        history.recordAt(song("1"), std::nullopt, 100);
        history.recordAt(song("2"), std::nullopt, 200);
        history.recordAt(song("3"), std::nullopt, 300);
        QVERIFY(!QFile::exists(file()));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(file()), 3000);
        QTRY_COMPARE_WITH_TIMEOUT(ListeningHistory::decode(readFile(file())).value_or(QList<HistoryEntry>()).size(), 3, 3000);
        ListeningHistory reopened(file(), nullptr);
        QCOMPARE(reopened.entries(), history.entries());
    }

    void pendingSaveSurvivesQuit_data()
    {
        QTest::addColumn<bool>("quitSignal");
        QTest::newRow("application quits") << true;
        QTest::newRow("history destroyed") << false;
    }
    void pendingSaveSurvivesQuit()
    {
        QFETCH(bool, quitSignal);
        setDelayScale(1.0);
        {
            ListeningHistory history(file(), nullptr);
            history.recordAt(song("9"), std::nullopt, 100);
            if (quitSignal) {
                QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit");
                QCOMPARE(ListeningHistory::decode(readFile(file())).value_or(QList<HistoryEntry>()).size(), 1);
            }
        }
        QCOMPARE(ListeningHistory::decode(readFile(file())).value_or(QList<HistoryEntry>()).size(), 1);
    }

    void unreadableFileIsKeptAside()
    {
        writeFile(file(), "[{\"trackID\": truncated");
        {
            ListeningHistory history(file(), nullptr);
            QVERIFY(history.entries().isEmpty());
            history.recordAt(song("1"), std::nullopt, 100);
        }
        QCOMPARE(ListeningHistory::decode(readFile(file())).value_or(QList<HistoryEntry>()).size(), 1);
        const QStringList aside = QDir(m_dir->path()).entryList({"history.unreadable-*.json"});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(readFile(m_dir->path() + QLatin1Char('/') + aside.first()), QByteArray("[{\"trackID\": truncated"));
    }

    void cloudMerge_data()
    {
        QTest::addColumn<int>("local");
        QTest::addColumn<int>("cloud");
        QTest::addColumn<int>("duplicates");
        QTest::addColumn<int>("after");
        QTest::newRow("399 of 400 known: one added") << 399 << 400 << 0 << 400;
        QTest::newRow("the same play twice in the cloud: once") << 0 << 3 << 1 << 3;
        QTest::newRow("empty cloud value") << 5 << 0 << 0 << 5;
        QTest::newRow("into a full history: the oldest goes") << 10000 << 400 << 0 << 10000;
    }
    void cloudMerge()
    {
        QFETCH(int, local);
        QFETCH(int, cloud);
        QFETCH(int, duplicates);
        QFETCH(int, after);
        ListeningHistory history(file(), nullptr);
        // Local plays are every even minute; the cloud holds the same plays plus one odd one.
        for (int i = 0; i < local; ++i)
            history.recordAt(song(QString::number(i)), std::nullopt, 120.0 * i);
        QList<HistoryEntry> value;
        for (int i = 0; i < cloud - 1; ++i)
            value.append(entry(QString::number(i), 120.0 * i));
        if (cloud > 0)
            value.append(entry(QStringLiteral("odd"), 120.0 * (cloud / 2) + 60));
        for (int i = 0; i < duplicates && !value.isEmpty(); ++i)
            value.append(value.last());
        history.mergeFromCloud(ListeningHistory::encode(value));
        QCOMPARE(history.entries().size(), after);
        for (qsizetype i = 1; i < history.entries().size(); ++i)
            QVERIFY(history.entries()[i - 1].playedAt >= history.entries()[i].playedAt);
        if (cloud > 0)
            QVERIFY(std::any_of(history.entries().cbegin(), history.entries().cend(),
                                [](const HistoryEntry &e) { return e.trackID == QLatin1String("odd"); }));
        if (local == ListeningHistory::maxEntries) // something had to go: the oldest play
            QCOMPARE(history.entries().last().playedAt, 120.0);
    }

    void unreadableCloudFilesAreSkipped()
    {
        const QByteArray good = ListeningHistory::encode({entry(QStringLiteral("b1"), 2000), entry(QStringLiteral("b2"), 1000)});
        QDir().mkpath(cloudFolder());
        writeFile(cloudFolder() + QStringLiteral("/listeningHistory.pc-b.json"), good);
        const QByteArray cut = "[{\"trackID\":\"c1\",\"title\":\"T\",\"art";
        writeFile(cloudFolder() + QStringLiteral("/listeningHistory.pc-c.json"), cut);
        writeFile(cloudFolder() + QStringLiteral("/listeningHistory.pc-b.sync-conflict-20261207-101010-ABCDEF.json"), "{}");
        // One entry with a time no number type holds, one without a title, one whole.
        const QByteArray mixed = "[{\"trackID\":\"d1\",\"title\":\"T\",\"artist\":\"A\",\"album\":\"B\",\"playedAt\":1e300},"
                                 "{\"trackID\":\"d2\",\"artist\":\"A\",\"album\":\"B\",\"playedAt\":5},"
                                 "{\"trackID\":\"d3\",\"title\":\"T\",\"artist\":\"A\",\"album\":\"B\",\"playedAt\":3000}]";
        writeFile(cloudFolder() + QStringLiteral("/listeningHistory.pc-d.json"), mixed);

        CloudStore store(cloudFolder(), QStringLiteral("pc-a"));
        ListeningHistory history(file(), &store);
        history.recordAt(song("a1"), std::nullopt, 4000);
        QStringList ids;
        for (const HistoryEntry &e : history.entries())
            ids << e.trackID;
        QCOMPARE(ids, (QStringList{"a1", "d3", "b1", "b2"}));
        // Other computers' files are read, never rewritten.
        QCOMPARE(readFile(cloudFolder() + QStringLiteral("/listeningHistory.pc-c.json")), cut);
        QCOMPARE(readFile(cloudFolder() + QStringLiteral("/listeningHistory.pc-d.json")), mixed);
    }

    void playedAtOutOfRange_data()
    {
        QTest::addColumn<QByteArray>("playedAt");
        QTest::addColumn<bool>("kept");
        QTest::newRow("ordinary") << QByteArray("789456123.25") << true;
        QTest::newRow("before 2001") << QByteArray("-86400") << true;
        QTest::newRow("1e300") << QByteArray("1e300") << false;
        QTest::newRow("-1e300") << QByteArray("-1e300") << false;
        QTest::newRow("a text") << QByteArray("\"12\"") << false;
    }
    void playedAtOutOfRange()
    {
        QFETCH(QByteArray, playedAt);
        QFETCH(bool, kept);
        const QByteArray data = "[{\"trackID\":\"1\",\"title\":\"T\",\"artist\":\"A\",\"album\":\"B\",\"playedAt\":" + playedAt
            + "},{\"trackID\":\"2\",\"title\":\"T\",\"artist\":\"A\",\"album\":\"B\",\"playedAt\":10}]";
        const auto entries = ListeningHistory::decode(data);
        QVERIFY(entries);
        QCOMPARE(entries->size(), kept ? 2 : 1);
        for (const HistoryEntry &e : *entries)
            QVERIFY(e.playedAtTime().isValid());
    }

    void newestRemovalWins()
    {
        // Marker names sort one way, their times the other: the newest removal hides the value
        // written between the two.
        QDir().mkpath(cloudFolder());
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        writeFile(cloudFolder() + QStringLiteral("/listeningHistory.pc-a.removed"), QByteArray::number(now));
        writeFile(cloudFolder() + QStringLiteral("/listeningHistory.pc-b.removed"), QByteArray::number(now - 60000));
        const QString between = cloudFolder() + QStringLiteral("/listeningHistory.pc-c.json");
        writeFile(between, ListeningHistory::encode({entry(QStringLiteral("1"), 1000)}));
        {
            QFile file(between);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::fromMSecsSinceEpoch(now - 30000), QFileDevice::FileModificationTime));
        }
        CloudStore store(cloudFolder(), QStringLiteral("pc-z"));
        QVERIFY(store.values(ListeningHistory::cloudKey).isEmpty());
    }

    // The folder is filled by other computers and a sync tool: what they put there is read with
    // limits and never trusted as this computer's own.
    void theSyncedFolderIsReadWithCare_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::addColumn<QStringList>("merged");
        QTest::newRow("an ordinary file") << "ordinary" << QStringList{"a1", "b1"};
        QTest::newRow("a link to a file elsewhere") << "link" << QStringList{"a1"};
        QTest::newRow("a file past 2 MiB") << "huge" << QStringList{"a1"};
        QTest::newRow("a removal dated next year") << "future removal" << QStringList{"a1"};
        QTest::newRow("texts longer than a play has") << "long texts" << QStringList{"a1"};
        QTest::newRow("more entries than a computer writes") << "many" << QStringList{"a1"};
    }
    void theSyncedFolderIsReadWithCare()
    {
        QFETCH(QString, planted);
        QFETCH(QStringList, merged);
        QDir().mkpath(cloudFolder());
        const QString other = cloudFolder() + QStringLiteral("/listeningHistory.pc-b.json");
        const QByteArray ordinary = ListeningHistory::encode({entry(QStringLiteral("b1"), 2000)});
        if (planted == QLatin1String("link")) {
            const QString outside = m_dir->path() + QStringLiteral("/outside.json");
            writeFile(outside, ordinary);
            QVERIFY(QFile::link(outside, other));
        } else if (planted == QLatin1String("huge")) {
            HistoryEntry padded = entry(QStringLiteral("b1"), 2000);
            QList<HistoryEntry> entries{padded};
            padded.title = QString(1000, QLatin1Char('x'));
            for (int i = 0; i < 2200; ++i)
                entries.append(padded);
            writeFile(other, ListeningHistory::encode(entries));
        } else if (planted == QLatin1String("future removal")) {
            writeFile(other, ordinary);
            {
                // Written a little before the removal reached the folder.
                QFile written(other);
                QVERIFY(written.open(QIODevice::ReadWrite));
                QVERIFY(written.setFileTime(QDateTime::currentDateTime().addSecs(-10), QFileDevice::FileModificationTime));
            }
            const qint64 nextYear = QDateTime::currentMSecsSinceEpoch() + 365LL * 86400 * 1000;
            writeFile(cloudFolder() + QStringLiteral("/listeningHistory.pc-c.removed"), QByteArray::number(nextYear));
        } else if (planted == QLatin1String("long texts")) {
            HistoryEntry long_ = entry(QStringLiteral("b1"), 2000);
            long_.title = QString(ListeningHistory::maxTextLength + 1, QLatin1Char('x'));
            writeFile(other, ListeningHistory::encode({long_}));
        } else if (planted == QLatin1String("many")) {
            QList<HistoryEntry> entries;
            for (int i = 0; i < ListeningHistory::maxEntriesPerCloudFile + 50; ++i)
                entries.append(entry(QStringLiteral("m%1").arg(i), 1000 - i));
            writeFile(other, ListeningHistory::encode(entries));
        } else {
            writeFile(other, ordinary);
        }

        CloudStore store(cloudFolder(), QStringLiteral("pc-a"));
        ListeningHistory history(file(), &store);
        // Written now, after the removal if any: a removal dated later still counts as made now.
        QTest::qWait(20);
        history.recordAt(song("a1"), std::nullopt, 4000);
        QStringList ids;
        for (const HistoryEntry &e : history.entries())
            ids << e.trackID;
        if (planted == QLatin1String("many")) {
            QCOMPARE(ids.size(), 1 + ListeningHistory::maxEntriesPerCloudFile);
            return;
        }
        if (planted == QLatin1String("future removal")) {
            // The play written before the removal is hidden; ours, after it, is shown on the
            // next computer that reads the folder.
            QCOMPARE(ids, merged);
            CloudStore reader(cloudFolder(), QStringLiteral("pc-d"));
            QCOMPARE(ListeningHistory::decode(reader.value(ListeningHistory::cloudKey).value_or(QByteArray()))
                         .value_or(QList<HistoryEntry>())
                         .size(),
                     1);
            return;
        }
        QCOMPARE(ids, merged);
    }

    void playsLearntFromOthersAreNotPublishedAgain()
    {
        QDir().mkpath(cloudFolder());
        HistoryEntry theirs = entry(QStringLiteral("b1"), 2000);
        theirs.artworkBase = QStringLiteral("http://192.168.1.1/spy/{w}x{h}.jpg");
        HistoryEntry trusted = entry(QStringLiteral("b2"), 1000);
        trusted.artworkBase = QStringLiteral("https://is3-ssl.mzstatic.com/image/thumb/x/{w}x{h}bb.jpg");
        writeFile(cloudFolder() + QStringLiteral("/listeningHistory.pc-b.json"), ListeningHistory::encode({theirs, trusted}));
        {
            CloudStore store(cloudFolder(), QStringLiteral("pc-a"));
            ListeningHistory history(file(), &store);
            QCOMPARE(history.entries().size(), 2);
            // An artwork address from the folder is fetched only from the service's hosts.
            QCOMPARE(history.entries().at(0).artworkBase, std::nullopt);
            QCOMPARE(history.entries().at(1).artworkBase, trusted.artworkBase);
            history.recordAt(song("a1"), std::nullopt, 4000);
            history.flush();
        }
        const auto published = ListeningHistory::decode(readFile(cloudFolder() + QStringLiteral("/listeningHistory.pc-a.json")));
        QVERIFY(published);
        QCOMPARE(published->size(), 1);
        QCOMPARE(published->first().trackID, QStringLiteral("a1"));
        // The local file remembers which plays came from elsewhere, across a restart.
        CloudStore store(cloudFolder(), QStringLiteral("pc-a"));
        ListeningHistory relaunched(file(), &store);
        relaunched.recordAt(song("a2"), std::nullopt, 5000);
        const auto again = ListeningHistory::decode(readFile(cloudFolder() + QStringLiteral("/listeningHistory.pc-a.json")));
        QCOMPARE(again->size(), 2);
    }

    void cloudValueLimits()
    {
        CloudStore store(cloudFolder(), QStringLiteral("pc1"));
        ListeningHistory history(file(), &store);
        for (int i = 0; i < 450; ++i)
            history.recordAt(song(QString::number(i)), std::nullopt, 100.0 * i);
        const auto pushed = ListeningHistory::decode(store.value(ListeningHistory::cloudKey).value_or(QByteArray()));
        QCOMPARE(pushed->size(), 400);
        QCOMPARE(pushed->first().trackID, QStringLiteral("449"));
        QCOMPARE(pushed->last().trackID, QStringLiteral("50"));

        // A value of 900000 bytes or more is not written: the previous one stays.
        Track huge = song("big");
        huge.title = QString(3000, QLatin1Char('x'));
        for (int i = 0; i < 400; ++i)
            history.recordAt(huge, std::nullopt, 100000.0 + 100.0 * i);
        QCOMPARE(ListeningHistory::decode(store.value(ListeningHistory::cloudKey).value_or(QByteArray()))->first().trackID,
                 QStringLiteral("big"));
        QVERIFY(store.value(ListeningHistory::cloudKey)->size() < ListeningHistory::cloudLimit);
    }

    void twoComputersShareOneFolder()
    {
        CloudStore storeA(cloudFolder(), QStringLiteral("pc-a"));
        CloudStore storeB(cloudFolder(), QStringLiteral("pc-b"));
        ListeningHistory a(m_dir->path() + QStringLiteral("/a.json"), &storeA);
        ListeningHistory b(m_dir->path() + QStringLiteral("/b.json"), &storeB);

        a.recordAt(song("1"), QStringLiteral("Salon"), 1000);
        QTRY_COMPARE_WITH_TIMEOUT(b.entries().size(), 1, 5000);
        b.recordAt(song("2"), QStringLiteral("Bureau"), 2000);
        QTRY_COMPARE_WITH_TIMEOUT(a.entries().size(), 2, 5000);
        QCOMPARE(a.entries().first().room, std::optional<QString>(QStringLiteral("Bureau")));
        QVERIFY(QFile::exists(cloudFolder() + QStringLiteral("/listeningHistory.pc-a.json")));
        QVERIFY(QFile::exists(cloudFolder() + QStringLiteral("/listeningHistory.pc-b.json")));

        // A sync tool's conflict copy is merged as well.
        writeFile(cloudFolder() + QStringLiteral("/listeningHistory.pc-b.sync-conflict-20261207-101010-ABCDEF.json"),
                  ListeningHistory::encode({entry(QStringLiteral("3"), 3000)}));
        writeFile(cloudFolder() + QStringLiteral("/listeningHistory.pc-c (conflicted copy 2026-12-07 101010).json"),
                  ListeningHistory::encode({entry(QStringLiteral("4"), 4000)}));
        QTRY_COMPARE_WITH_TIMEOUT(a.entries().size(), 4, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(b.entries().size(), 4, 5000);
        QCOMPARE(a.entries().first().trackID, QStringLiteral("4"));
    }

    void clearedStaysClearedUntilAnotherComputerPushes()
    {
        {
            CloudStore storeA(cloudFolder(), QStringLiteral("pc-a"));
            CloudStore storeB(cloudFolder(), QStringLiteral("pc-b"));
            ListeningHistory b(m_dir->path() + QStringLiteral("/b.json"), &storeB);
            b.recordAt(song("1"), std::nullopt, 1000);
            ListeningHistory a(file(), &storeA);
            QCOMPARE(a.entries().size(), 1);
            QTest::qWait(20); // the removal comes after the other computer's push
            a.clear();
        }
        CloudStore storeA(cloudFolder(), QStringLiteral("pc-a"));
        ListeningHistory relaunched(file(), &storeA);
        QVERIFY(relaunched.entries().isEmpty());

        QTest::qWait(20);
        CloudStore storeB(cloudFolder(), QStringLiteral("pc-b"));
        ListeningHistory b(m_dir->path() + QStringLiteral("/b.json"), &storeB);
        b.recordAt(song("2"), std::nullopt, 2000);
        storeA.synchronize();
        QTRY_COMPARE_WITH_TIMEOUT(relaunched.entries().size(), 2, 5000);
    }

    void queries()
    {
        ListeningHistory history(file(), nullptr);
        const double today = ListeningHistory::now();
        const double yesterday = today - 86400;
        history.recordAt(song("1", "Zoé"), std::nullopt, yesterday);
        for (int i = 0; i < 5; ++i) {
            history.recordAt(song(QStringLiteral("b%1").arg(i), "Basile"), std::nullopt, yesterday + 100 + i * 100);
            history.recordAt(song(QStringLiteral("a%1").arg(i), "Anouk"), std::nullopt, yesterday + 150 + i * 100);
        }
        for (int i = 0; i < 3; ++i)
            history.recordAt(song(QStringLiteral("c%1").arg(i), "Céleste"), std::nullopt, today + i);
        QCOMPARE(history.topArtists(10), (QList<ArtistCount>{{"Anouk", 5}, {"Basile", 5}, {"Céleste", 3}, {"Zoé", 1}}));
        QCOMPARE(history.topArtists(2).size(), 2);

        const QList<DayGroup> days = history.days();
        QVERIFY(days.size() >= 2);
        QCOMPARE(days.first().entries.first().trackID, QStringLiteral("c2"));
        QVERIFY(days.first().day > days.last().day);

        history.recordAt(song("c2", "Céleste"), std::nullopt, today + 500);
        QCOMPARE(history.tracksMissingArtwork(2), (QList<MissingArtwork>{{"c2", "Titre c2", "Céleste"}, {"c1", "Titre c1", "Céleste"}}));
        history.setArtwork(QStringLiteral("https://img.example.com/c2/100x100bb.jpg"), QStringLiteral("c2"));
        QCOMPARE(history.entries().at(0).artworkBase, std::optional<QString>("https://img.example.com/c2/100x100bb.jpg"));
        QCOMPARE(history.entries().at(1).artworkBase, std::optional<QString>("https://img.example.com/c2/100x100bb.jpg"));
        QCOMPARE(history.tracksMissingArtwork(1).first().trackID, QStringLiteral("c1"));

        history.flush();
        const QByteArray before = readFile(file());
        QSignalSpy spy(&history, &ListeningHistory::changed);
        history.setArtwork(QStringLiteral("https://img.example.com/other.jpg"), QStringLiteral("c2")); // all have one
        QCOMPARE(spy.count(), 0);
        QTest::qWait(100);
        QCOMPARE(readFile(file()), before);
    }

    void killedMidSaveLeavesAWholeFile()
    {
        for (int round = 0; round < 4; ++round) {
            QProcess writer;
            writer.start(QStringLiteral(HISTORY_WRITER), {file()});
            QVERIFY(writer.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(file()), 20000);
            QTest::qWait(50 + 37 * round);
            writer.kill();
            writer.waitForFinished();
            const auto entries = ListeningHistory::decode(readFile(file()));
            QVERIFY2(entries.has_value(), "history.json must never be left half-written");
            QVERIFY(entries->size() >= 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestListeningHistory)
#include "tst_listeninghistory.moc"
