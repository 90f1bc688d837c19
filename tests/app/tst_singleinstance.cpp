// Starting Corvane while it runs: the real binary, twice, on a private session bus and an X
// display of their own. The second start must leave at once and bring the first one's window
// forward; it must never build a second model that polls the same speakers.
#include "base/preferences.h"
#include "simwebservices.h"
#include "testutil.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

namespace {

const QString kApplication = QStringLiteral("org.corvane.Corvane");
const QString kDemo = QStringLiteral("org.corvane.Corvane.Demo");

// Waits for `done` with the event loop turning (the simulated speakers live in this process).
bool waitFor(const std::function<bool()> &done, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(20);
    }
    return true;
}

// A corvane process whose stderr is collected as it comes.
class Corvane
{
public:
    explicit Corvane(QProcessEnvironment environment)
    {
        environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // the X display of the test
        environment.insert(QStringLiteral("CORVANE_LOOPBACK_ONLY"), QStringLiteral("1"));
        environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("corvane.instance.debug=true"));
        m_process.setProcessEnvironment(environment);
        QObject::connect(&m_process, &QProcess::readyReadStandardError, &m_process,
                         [this] { m_err += QString::fromUtf8(m_process.readAllStandardError()); });
    }
    ~Corvane()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(10000)) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    void start(const QStringList &arguments) { m_process.start(QStringLiteral(CORVANE_BINARY), arguments); }
    bool finishes(int ms)
    {
        return waitFor([this] { return m_process.state() == QProcess::NotRunning; }, ms);
    }
    bool running() const { return m_process.state() == QProcess::Running; }
    int exitCode() const { return m_process.exitCode(); }
    qint64 pid() const { return m_process.processId(); }
    QString err() const { return m_err; }

private:
    QProcess m_process;
    QString m_err;
};

QDBusConnectionInterface *bus()
{
    return QDBusConnection::sessionBus().interface();
}

bool owned(const QString &name, int ms)
{
    return waitFor([&] { return bus()->isServiceRegistered(name).value(); }, ms);
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "run under xvfb-run");
    }

    void aSecondDemoBringsTheFirstForward()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("CORVANE_PROFILE")); // a throw-away profile of the demo's
        // The first starts as the session's autostart does: no window.
        Corvane first(environment);
        first.start({QStringLiteral("--demo"), QStringLiteral("--tray")});
        QVERIFY2(owned(kDemo, 30000), qPrintable(first.err()));
        QCOMPARE(qint64(bus()->servicePid(kDemo).value()), first.pid());
        QVERIFY(!bus()->isServiceRegistered(kApplication).value()); // the demo leaves the real name alone

        Corvane second(environment);
        second.start({QStringLiteral("--demo")});
        QVERIFY2(second.finishes(20000), "the second demo did not leave");
        QVERIFY2(second.exitCode() == 0, qPrintable(second.err()));
        QVERIFY2(waitFor([&] { return first.err().contains(QStringLiteral("Fenêtre active")); }, 10000), qPrintable(first.err()));
        QCOMPARE(first.err().count(QStringLiteral("Activation demandée")), 1);

        // Another autostart while it runs: nothing at all.
        Corvane third(environment);
        third.start({QStringLiteral("--demo"), QStringLiteral("--tray")});
        QVERIFY(third.finishes(20000));
        QCOMPARE(third.exitCode(), 0);
        QTest::qWait(500);
        QCOMPARE(first.err().count(QStringLiteral("Activation demandée")), 1);
        QVERIFY(first.running());
        QCOMPARE(qint64(bus()->servicePid(kDemo).value()), first.pid());
    }

    void aSecondStartPollsNoSpeaker()
    {
        std::unique_ptr<SimHousehold> house = startHousehold();
        SimWebServices web;
        QVERIFY(web.start());
        QTemporaryDir profile;
        QVERIFY(profile.isValid());
        qputenv("CORVANE_PROFILE", profile.path().toUtf8());
        {
            Preferences preferences;
            preferences.setOnboardingDone(true);
            preferences.setHasEverFoundSpeaker(true);
            preferences.setPreferredSpeakerUUID(house->speaker(QStringLiteral("Salon"))->config().uuid);
            QStringList ips;
            for (SimSpeaker *speaker : house->speakers())
                ips << speaker->config().ip;
            preferences.setKnownSpeakerIPs(ips);
            preferences.sync();
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("CORVANE_PROFILE"), profile.path());
        environment.insert(QStringLiteral("CORVANE_NETWORK"), house->network());
        const QString origin = web.origin().toString();
        for (const char *name : {"CORVANE_APPLE_MUSIC_ORIGIN", "CORVANE_CHARTS_ORIGIN", "CORVANE_RADIO_ORIGIN", "CORVANE_UPDATE_ORIGIN"})
            environment.insert(QString::fromLatin1(name), origin);
        environment.insert(QStringLiteral("CORVANE_LOGO_ORIGIN"), origin + QStringLiteral("/logos/"));
        environment.insert(QStringLiteral("CORVANE_MUSICKIT_JS_URL"), origin + QStringLiteral("/musickit.js"));
        environment.insert(QStringLiteral("CORVANE_DEVELOPER_TOKEN"), QString::fromLatin1(SimWebServices::developerToken));

        SimSpeaker *salon = house->speaker(QStringLiteral("Salon"));
        Corvane first(environment);
        first.start({});
        QVERIFY2(waitFor([&] { return actionsOf(*salon).contains(QStringLiteral("GetPositionInfo")); }, 30000), qPrintable(first.err()));
        QVERIFY(owned(kApplication, 5000));
        // Its start-up reads are over once it polls; from here on the household hears only it.
        QTest::qWait(1500);
        for (SimSpeaker *speaker : house->speakers())
            speaker->clearReceived();

        Corvane second(environment);
        second.start({});
        QVERIFY2(second.finishes(20000), "the second start did not leave");
        QVERIFY2(second.exitCode() == 0, qPrintable(second.err()));
        // A model, however short-lived, starts by finding the speakers again: the description
        // of each remembered address, then the topology. Long enough for the first to poll again.
        QTest::qWait(6000);
        for (SimSpeaker *speaker : house->speakers()) {
            for (const SimRequest &request : speaker->received()) {
                QVERIFY2(!request.path.contains(QStringLiteral("device_description")), qPrintable(speaker->config().roomName));
                QVERIFY2(request.action != QStringLiteral("GetZoneGroupState"), qPrintable(speaker->config().roomName));
            }
        }
        // The first one still follows the speaker: by its events, or by polling when they are blocked.
        QVERIFY2(!salon->subscriptions().isEmpty() || actionsOf(*salon).contains(QStringLiteral("GetPositionInfo")),
                 "the first one stopped following the speaker");
        QVERIFY(first.running());
        QVERIFY(first.err().contains(QStringLiteral("Activation demandée")));
    }

    void withoutASessionBusCorvaneStillStarts()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("CORVANE_PROFILE"));
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/corvane-bus"));
        Corvane lone(environment);
        lone.start({QStringLiteral("--demo")});
        QVERIFY2(!lone.finishes(4000), qPrintable(lone.err()));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
