#include "base/preferences.h"
#include "model/featuretips.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;

// Every read here is of a file that this process never wrote through QSettings: QSettings keeps
// what a process wrote in memory with its types, which would hide what another process sees.
class TestPreferences : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_profile = 0;

    // A fresh profile holding `ini` as its settings file, as another process left it.
    void writeProfile(const QByteArray &ini)
    {
        const QString profile = m_dir.path() + QStringLiteral("/p%1").arg(++m_profile);
        QDir().mkpath(profile + QStringLiteral("/config"));
        QFile file(profile + QStringLiteral("/config/Corvane.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ini);
        file.close();
        qputenv("CORVANE_PROFILE", profile.toUtf8());
    }

private Q_SLOTS:
    // Launch by launch, which tip shows: the third, the seventh and the eleventh, then never again.
    void featureTipsOverLaunches_data()
    {
        QTest::addColumn<QList<bool>>("eligible"); // one entry per launch
        QTest::addColumn<QStringList>("shown");    // what each launch shows ("" for nothing)
        QList<bool> always(14, true);
        QTest::newRow("every launch eligible") << always
            << QStringList{"", "", "menuBar", "", "", "", "siri", "", "", "", "sleep", "", "", ""};
        QList<bool> replayOnThird = always;
        replayOnThird[2] = false; // an onboarding replay: counted, no tip
        QTest::newRow("replay on the third launch") << replayOnThird
            << QStringList{"", "", "", "menuBar", "", "", "", "siri", "", "", "", "sleep", "", ""};
    }
    void featureTipsOverLaunches()
    {
        QFETCH(QList<bool>, eligible);
        QFETCH(QStringList, shown);
        writeProfile(QByteArray());
        Preferences preferences;
        QStringList got;
        for (bool eligibleNow : eligible)
            got << FeatureTips::choose(preferences, eligibleNow).value_or(QString());
        QCOMPARE(got, shown);
        QCOMPARE(preferences.launchCount(), int(eligible.size()));
        QCOMPARE(preferences.seenTips(), (QStringList{"menuBar", "siri", "sleep"}));
    }

    void allTipsSeenMeansNoMoreCards()
    {
        writeProfile(QByteArray());
        Preferences preferences;
        preferences.setSeenTips({"sleep", "menuBar", "siri"});
        preferences.setLaunchCount(40);
        for (int i = 0; i < 10; ++i)
            QVERIFY(!FeatureTips::choose(preferences, true));
        QCOMPARE(preferences.lastTipLaunch(), 0);
    }

    void readBack_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("onboarding");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QStringList>("ips");
        QTest::addColumn<QStringList>("tips");
        QTest::addColumn<int>("launches");
        QTest::addColumn<QString>("order");
        QTest::newRow("nothing stored") << QByteArray() << false << false << QStringList() << QStringList() << 0 << QString();
        QTest::newRow("bools as text, one-element list as a string")
            << QByteArray("[General]\nonboardingDone=true\nhasEverFoundSpeaker=false\nknownSpeakerIPs=10.0.0.12\n"
                          "corvane.seenTips=radios\ncorvane.launchCount=7\nplaylistOrder=recentlyPlayed\n")
            << true << false << QStringList{"10.0.0.12"} << QStringList{"radios"} << 7 << "recentlyPlayed";
        QTest::newRow("empty list as an invalid value, lists with commas")
            << QByteArray("[General]\nknownSpeakerIPs=10.0.0.12, 10.0.0.13\ncorvane.seenTips=@Invalid()\n"
                          "systemNowPlaying=true\n")
            << false << false << QStringList{"10.0.0.12", "10.0.0.13"} << QStringList() << 0 << QString();
        QTest::newRow("garbage reads as defaults")
            << QByteArray("[General]\nonboardingDone=perhaps\ncorvane.launchCount=many\nplaylistOrder=@Invalid()\n")
            << false << false << QStringList() << QStringList() << 0 << QString();
    }
    void readBack()
    {
        QFETCH(QByteArray, ini);
        QFETCH(bool, onboarding);
        QFETCH(bool, found);
        QFETCH(QStringList, ips);
        QFETCH(QStringList, tips);
        QFETCH(int, launches);
        QFETCH(QString, order);
        writeProfile(ini);
        const Preferences preferences;
        QCOMPARE(preferences.onboardingDone(), onboarding);
        QCOMPARE(preferences.hasEverFoundSpeaker(), found);
        QCOMPARE(preferences.knownSpeakerIPs(), ips);
        QCOMPARE(preferences.seenTips(), tips);
        QCOMPARE(preferences.launchCount(), launches);
        QCOMPARE(preferences.playlistOrder(), order);
    }

    void writtenThenReadByAnotherProcess()
    {
        writeProfile(QByteArray());
        QByteArray written;
        {
            Preferences preferences;
            preferences.setOnboardingDone(true);
            preferences.setHasEverFoundSpeaker(false);
            preferences.setSystemNowPlaying(true);
            preferences.setKnownSpeakerIPs({QStringLiteral("127.8.9.10")});
            preferences.setSeenTips({});
            preferences.setLaunchCount(12);
            preferences.setLastTipLaunch(9);
            preferences.setPreferredSpeakerUUID(QStringLiteral("RINCON_5CAAFD0A1B2C01400"));
            preferences.setPlaylistPlays({{QStringLiteral("p.Abc/1"), QDateTime::fromSecsSinceEpoch(1765000000, Qt::UTC)}});
            preferences.setFavoriteArtwork({{QStringLiteral("FV:2/13"), QStringLiteral("https://img.example.com/a.jpg")}});
            preferences.sync();
            QFile file(preferences.fileName());
            QVERIFY(file.open(QIODevice::ReadOnly));
            written = file.readAll();
        }
        // What another process finds: the same text in a profile this process never opened.
        writeProfile(written);
        const Preferences other;
        QVERIFY(other.onboardingDone());
        QVERIFY(!other.hasEverFoundSpeaker());
        QVERIFY(other.systemNowPlaying());
        QCOMPARE(other.knownSpeakerIPs(), QStringList{"127.8.9.10"});
        QCOMPARE(other.seenTips(), QStringList());
        QCOMPARE(other.launchCount(), 12);
        QCOMPARE(other.lastTipLaunch(), 9);
        QCOMPARE(other.preferredSpeakerUUID(), QStringLiteral("RINCON_5CAAFD0A1B2C01400"));
        QCOMPARE(other.playlistPlays().value(QStringLiteral("p.Abc/1")), QDateTime::fromSecsSinceEpoch(1765000000, Qt::UTC));
        QCOMPARE(other.favoriteArtwork().value(QStringLiteral("FV:2/13")), QStringLiteral("https://img.example.com/a.jpg"));
    }

    void playlistPlaysOutOfRange_data()
    {
        QTest::addColumn<QByteArray>("seconds");
        QTest::addColumn<bool>("kept");
        QTest::newRow("ordinary") << QByteArray("1765000000.250") << true;
        QTest::newRow("1e300") << QByteArray("1e300") << false;
        QTest::newRow("-1e300") << QByteArray("-1e300") << false;
        QTest::newRow("inf") << QByteArray("inf") << false;
        QTest::newRow("nan") << QByteArray("nan") << false;
    }
    void playlistPlaysOutOfRange()
    {
        QFETCH(QByteArray, seconds);
        QFETCH(bool, kept);
        writeProfile(QByteArray());
        {
            Preferences preferences;
            QVariantMap stored{{QStringLiteral("p.Abc/1"), QString::fromLatin1(seconds)}, {QStringLiteral("p.Def/2"), QStringLiteral("10")}};
            QSettings(preferences.fileName(), QSettings::IniFormat).setValue(QStringLiteral("playlistPlays"), stored);
        }
        const Preferences preferences;
        const auto plays = preferences.playlistPlays();
        QCOMPARE(plays.contains(QStringLiteral("p.Abc/1")), kept);
        QCOMPARE(plays.value(QStringLiteral("p.Def/2")), QDateTime::fromSecsSinceEpoch(10, Qt::UTC));
    }
};

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
