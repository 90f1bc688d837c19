#include "async/clock.h"
#include "async/delays.h"
#include "async/http.h"
#include "async/tasks.h"
#include "base/corvaneerror.h"
#include "sonos/sonoscontroller.h"
#include "testutil.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

using namespace corvane;
using namespace corvane::test;
using namespace std::chrono_literals;

namespace {

// Counts how many times the code after the await runs.
QCoro::Task<HttpResult> sendCounting(HttpRequest request, int *resumed)
{
    HttpResult result = co_await httpSend(speakerNetwork(), request);
    ++*resumed;
    co_return result;
}

QCoro::Task<std::optional<int>> valueAfter(int value, Millis delay, CancellationToken token)
{
    const bool slept = co_await sleep(delay, token);
    if (!slept)
        co_return std::nullopt;
    co_return value;
}

QCoro::Task<std::optional<int>> nothingAfter(Millis delay, CancellationToken token)
{
    co_await sleep(delay, token);
    co_return std::nullopt;
}

// A contender that waits on a server that never answers and notes when it was aborted.
QCoro::Task<std::optional<int>> stuckRequest(QUrl url, bool *aborted, CancellationToken token)
{
    HttpRequest request;
    request.url = url;
    request.token = token;
    const HttpResult result = co_await httpSend(speakerNetwork(), request);
    *aborted = result.cancelled;
    co_return std::nullopt;
}

QCoro::Task<int> failingAfter(Millis delay)
{
    co_await sleep(delay);
    throw std::runtime_error("failed");
}

QCoro::Task<> napAndNote(Millis delay, QStringList *woke, QString name)
{
    co_await sleep(delay);
    woke->append(name);
}

QCoro::Task<int> valueTask(int value, Millis delay)
{
    co_await sleep(delay);
    co_return value;
}

// Answers every request with a reply that keeps coming: a stated length or none, and bytes sent
// as fast as the reader takes them, up to `total`.
class FloodServer : public QTcpServer
{
public:
    FloodServer(QByteArray head, qint64 total) : m_head(std::move(head)), m_total(total)
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (socket->property("answered").toBool())
                        return;
                    socket->setProperty("answered", true);
                    socket->write(m_head);
                    feed(socket);
                });
                connect(socket, &QTcpSocket::bytesWritten, socket, [this, socket] { feed(socket); });
            }
        });
        listen(QHostAddress::LocalHost);
    }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(serverPort())); }
    qint64 sent() const { return m_sent; }

private:
    void feed(QTcpSocket *socket)
    {
        if (socket->state() != QAbstractSocket::ConnectedState || socket->bytesToWrite() > 256 * 1024 || m_sent >= m_total)
            return;
        const QByteArray chunk(64 * 1024, 'x');
        m_sent += chunk.size();
        socket->write(chunk);
    }

    QByteArray m_head;
    qint64 m_total;
    qint64 m_sent = 0;
};

} // namespace

class TestAsync : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sleepRunsItsCourse()
    {
        QElapsedTimer clock;
        clock.start();
        QVERIFY(await(sleep(30ms)));
        QVERIFY(clock.elapsed() >= 25); // coarse timers may fire a little early
    }

    void sleepIsWokenByCancellation_data()
    {
        QTest::addColumn<bool>("cancelBefore");
        QTest::newRow("cancelled while sleeping") << false;
        QTest::newRow("already cancelled") << true;
    }
    void sleepIsWokenByCancellation()
    {
        QFETCH(bool, cancelBefore);
        CancellationSource source;
        if (cancelBefore)
            source.cancel();
        else
            QTimer::singleShot(20, [&source] { source.cancel(); });
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!await(sleep(10s, source.token())));
        QVERIFY(clock.elapsed() < 2000);
    }

    // Tests move a manual clock instead of waiting: each sleep wakes at its own moment, in order.
    void aManualClockWakesSleepsAtTheirMoment()
    {
        ManualClock clock;
        QStringList woke;
        QCoro::Task<> late = napAndNote(30ms, &woke, QStringLiteral("late"));
        QCoro::Task<> early = napAndNote(10ms, &woke, QStringLiteral("early"));
        clock.advance(9ms);
        QVERIFY(woke.isEmpty());
        clock.advance(1ms);
        QCOMPARE(woke, QStringList{QStringLiteral("early")});
        clock.advance(1min);
        QCOMPARE(woke, (QStringList{QStringLiteral("early"), QStringLiteral("late")}));
        QVERIFY(late.isReady() && early.isReady());
        QCOMPARE(clock.pendingSleeps(), 0);
    }

    // A cancelled sleep whose moment comes before its task has resumed still says it was cancelled
    // (a debounced command would otherwise be sent as well as the one that replaced it).
    void aSleepCancelledJustBeforeItsMomentStaysCancelled()
    {
        ManualClock clock;
        CancellationSource source;
        QCoro::Task<bool> nap = sleep(10ms, source.token());
        source.cancel();
        clock.advance(10ms);
        QVERIFY(!await(std::move(nap)));
    }

    void childSourceFollowsItsParent()
    {
        CancellationSource parent;
        CancellationSource child(parent.token());
        int calls = 0;
        QObject context;
        child.token().onCancel(&context, [&calls] { ++calls; });
        parent.cancel();
        QVERIFY(child.isCancelled());
        child.cancel();
        QCOMPARE(calls, 1);

        // Cancelling a child leaves the parent alone.
        CancellationSource other;
        CancellationSource sub(other.token());
        sub.cancel();
        QVERIFY(!other.isCancelled());
    }

    void failedRequests_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<bool>("timedOut");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("messagePart");
        QTest::newRow("accepts and never answers: the timeout fires")
            << "silent-timeout" << true << false << "délai";
        QTest::newRow("accepts and never answers: the caller cancels")
            << "silent-cancel" << false << true << "annulée";
        QTest::newRow("nothing listens") << "refused" << false << false << "refusée";
        QTest::newRow("cancelled before sending") << "precancelled" << false << true << "annulée";
    }
    void failedRequests()
    {
        QFETCH(QString, server);
        QFETCH(bool, timedOut);
        QFETCH(bool, cancelled);
        QFETCH(QString, messagePart);

        SilentServer silent;
        CancellationSource source;
        HttpRequest request;
        request.url = silent.url();
        request.token = source.token();
        if (server == QLatin1String("silent-timeout"))
            request.timeout = 150ms;
        else if (server == QLatin1String("silent-cancel"))
            QTimer::singleShot(80, [&source] { source.cancel(); });
        else if (server == QLatin1String("refused"))
            request.url = QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(closedPort()));
        else
            source.cancel();

        int resumed = 0;
        QElapsedTimer clock;
        clock.start();
        const HttpResult result = await(sendCounting(request, &resumed));
        QVERIFY2(clock.elapsed() < 3000, "a failed request must end promptly");
        QVERIFY(!result.status);
        QCOMPARE(result.timedOut, timedOut);
        QCOMPARE(result.cancelled, cancelled);
        QVERIFY2(result.errorMessage.contains(messagePart), qPrintable(result.errorMessage));

        // Nothing that happens later may resume the finished request a second time: the cancel
        // and everything it posted (the reply's abort and its signals) are delivered first.
        source.cancel();
        for (int round = 0; round < 3; ++round) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
        QCOMPARE(resumed, 1);
        if (server.startsWith(QLatin1String("silent")))
            QTRY_COMPARE_WITH_TIMEOUT(silent.accepted(), 1, 2000);
    }

    void aReplyPastItsLimitIsCutOff_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<bool>("accepted");
        const QByteArray ok = "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\n";
        QTest::newRow("within the limit") << QByteArray(ok + "Content-Length: 131072\r\n\r\n") << qint64(128 * 1024) << true;
        QTest::newRow("a length past the limit") << QByteArray(ok + "Content-Length: 1073741824\r\n\r\n") << qint64(1) << false;
        QTest::newRow("no length, never ending") << QByteArray(ok + "Connection: close\r\n\r\n") << qint64(1) << false;
    }
    void aReplyPastItsLimitIsCutOff()
    {
        QFETCH(QByteArray, head);
        QFETCH(qint64, total);
        QFETCH(bool, accepted);
        // "never ending": far more than the limit, unless the reader stops taking it.
        FloodServer flood(head, total > 1 ? total : qint64(1) << 31);
        HttpRequest request;
        request.url = flood.url();
        request.maxBody = qint64(1) << 20;
        request.timeout = 20s;
        QElapsedTimer clock;
        clock.start();
        const HttpResult result = await(httpSend(speakerNetwork(), request));
        QCOMPARE(result.status.has_value(), accepted);
        QCOMPARE(result.tooLarge, !accepted);
        if (accepted) {
            QCOMPARE(result.body.size(), total);
            return;
        }
        QVERIFY(result.body.isEmpty());
        QVERIFY2(result.errorMessage.contains(QStringLiteral("illisible")), qPrintable(result.errorMessage));
        QVERIFY2(clock.elapsed() < 10000, "cut off while it arrives, not at the timeout");
        // Cut while it came: not the gigabyte it would have sent.
        QVERIFY2(flood.sent() < request.maxBody * 8, qPrintable(QString::number(flood.sent())));
    }

    void everyRequestHasATimeout()
    {
        // A request that names no timeout still ends: delays().requestTimeout, scaled down here.
        setDelayScale(0.01);
        const auto restore = qScopeGuard([] { setDelayScale(1.0); });
        SilentServer silent;
        HttpRequest request;
        request.url = silent.url();
        QElapsedTimer clock;
        clock.start();
        const HttpResult result = await(httpSend(webNetwork(), request));
        QVERIFY(result.timedOut);
        QVERIFY(clock.elapsed() < 5000);
    }

    void localNetworkHosts_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("local");
        QTest::newRow("loopback") << "127.0.0.1" << true;
        QTest::newRow("elsewhere in 127/8") << "127.9.9.9" << true;
        QTest::newRow("10/8") << "10.1.2.3" << true;
        QTest::newRow("172.16/12") << "172.31.255.1" << true;
        QTest::newRow("172.32 is public") << "172.32.0.1" << false;
        QTest::newRow("192.168/16") << "192.168.1.20" << true;
        QTest::newRow("link-local") << "169.254.10.10" << true;
        QTest::newRow("unspecified") << "0.0.0.0" << true;
        QTest::newRow("IPv6 loopback") << "::1" << true;
        QTest::newRow("IPv6 unique local") << "fd12:3456::1" << true;
        QTest::newRow("IPv6 link-local") << "fe80::1" << true;
        QTest::newRow("IPv4-mapped private") << "::ffff:192.168.1.1" << true;
        QTest::newRow("localhost") << "LocalHost" << true;
        QTest::newRow("an mDNS name") << "printer.local" << true;
        QTest::newRow("a public address") << "93.184.216.34" << false;
        QTest::newRow("a public name") << "logos.example.org" << false;
    }
    void localNetworkHosts()
    {
        QFETCH(QString, host);
        QFETCH(bool, local);
        QCOMPARE(isLocalNetworkHost(host), local);
    }

    void loopbackOnly_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("loopback");
        QTest::newRow("127.0.0.1") << "http://127.0.0.1:1400/status" << true;
        QTest::newRow("anywhere in 127/8") << "http://127.201.3.9:1400/" << true;
        QTest::newRow("localhost") << "http://LOCALHOST:8080/" << true;
        QTest::newRow("IPv6 loopback") << "http://[::1]:80/" << true;
        QTest::newRow("a name elsewhere") << "https://img.example.com/a.jpg" << false;
        QTest::newRow("a private address") << "http://192.168.1.20:1400/" << false;
        QTest::newRow("a name that starts like loopback") << "http://127.0.0.1.example.com/" << false;
    }
    void loopbackOnly()
    {
        QFETCH(QString, url);
        QFETCH(bool, loopback);
        QCOMPARE(isLoopbackURL(QUrl(url)), loopback);
        if (loopback)
            return;
        // The tests run with CORVANE_LOOPBACK_ONLY: the request fails at once, unsent.
        QVERIFY(!qEnvironmentVariableIsEmpty("CORVANE_LOOPBACK_ONLY"));
        HttpRequest request;
        request.url = QUrl(url);
        QElapsedTimer clock;
        clock.start();
        const HttpResult result = await(httpSend(speakerNetwork(), request));
        QVERIFY(clock.elapsed() < 50);
        QVERIFY(!result.status);
        QCOMPARE(result.error, QNetworkReply::HostNotFoundError);
    }

    void aSpeakerThatLeftAndCameBackAnswersAgain()
    {
        // Reads cancelled and timed out while the speaker leaves the network and comes back, as
        // a session's polling meets a speaker that loses power; then, with the speaker back, a
        // read must be answered at once. Aborting the cancelled reads used to wedge the pooled
        // connection to the speaker: every later request timed out.
        quietAbortWarnings();
        auto speaker = startSpeaker();
        speaker->setQueue(sim::catalogueSongs(), 2);
        QRandomGenerator random(20240611u);
        for (int round = 0; round < 40; ++round) {
            setDelayScale(0.01);
            std::vector<QCoro::Task<NowPlaying>> reads;
            std::vector<std::unique_ptr<CancellationSource>> sources;
            for (int step = 0; step < 20; ++step) {
                sources.push_back(std::make_unique<CancellationSource>());
                reads.push_back(SonosController(speaker->speaker(), sources.back()->token()).nowPlaying());
                if (random.bounded(4) == 0)
                    sources.at(random.bounded(int(sources.size())))->cancel();
                speaker->faults().delayMs = int(random.bounded(0, 150));
                if (random.bounded(6) == 0) {
                    if (speaker->isOnline())
                        speaker->stop();
                    else
                        QVERIFY(speaker->start());
                }
                QTest::qWait(int(random.bounded(0, 8)));
            }
            if (!speaker->isOnline())
                QVERIFY(speaker->start());
            for (QCoro::Task<NowPlaying> &read : reads) {
                try {
                    await(std::move(read));
                } catch (const CorvaneError &) {
                }
            }
            speaker->faults().delayMs = 0;
            setDelayScale(0.3); // three seconds for the read that must succeed
            QElapsedTimer clock;
            clock.start();
            try {
                await(SonosController(speaker->speaker()).nowPlaying());
            } catch (const CorvaneError &error) {
                setDelayScale(1.0);
                QFAIL(qPrintable(QStringLiteral("round %1: %2 after %3 ms").arg(round).arg(error.message()).arg(clock.elapsed())));
            }
        }
        setDelayScale(1.0);
    }

    void raceReturnsTheFirstValueAndAbortsTheLosers()
    {
        SilentServer silent;
        bool aborted = false;
        std::vector<Racer<int>> racers;
        racers.push_back([&silent, &aborted](CancellationToken t) { return stuckRequest(silent.url(), &aborted, t); });
        racers.push_back([](CancellationToken t) { return nothingAfter(10ms, t); });
        racers.push_back([](CancellationToken t) { return valueAfter(7, 60ms, t); });
        racers.push_back([](CancellationToken t) { return valueAfter(9, 5s, t); });

        QElapsedTimer clock;
        clock.start();
        const std::optional<int> winner = await(firstResult<int>(std::move(racers)));
        QCOMPARE(winner, std::optional<int>(7));
        QVERIFY(clock.elapsed() < 2000);
        QVERIFY2(aborted, "the request still running must have been given up");
    }

    void raceWithoutWinner_data()
    {
        QTest::addColumn<bool>("callerCancels");
        QTest::newRow("every contender comes back empty") << false;
        QTest::newRow("the caller gives up") << true;
    }
    void raceWithoutWinner()
    {
        QFETCH(bool, callerCancels);
        CancellationSource caller;
        std::vector<Racer<int>> racers;
        if (callerCancels) {
            racers.push_back([](CancellationToken t) { return valueAfter(1, 5s, t); });
            QTimer::singleShot(30, [&caller] { caller.cancel(); });
        } else {
            racers.push_back([](CancellationToken t) { return nothingAfter(10ms, t); });
            racers.push_back([](CancellationToken t) { return nothingAfter(20ms, t); });
        }
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(await(firstResult<int>(std::move(racers), caller.token())), std::nullopt);
        QVERIFY(clock.elapsed() < 2000);
    }

    void whenAllKeepsOrderAndRethrowsAfterEveryTaskEnded()
    {
        std::vector<QCoro::Task<int>> tasks;
        tasks.push_back(valueTask(1, 40ms));
        tasks.push_back(valueTask(2, 5ms));
        QCOMPARE(await(whenAll(std::move(tasks))), (std::vector<int>{1, 2}));

        bool lateFinished = false;
        std::vector<QCoro::Task<int>> failing;
        failing.push_back(failingAfter(5ms));
        failing.push_back([](bool *done) -> QCoro::Task<int> {
            co_await sleep(60ms);
            *done = true;
            co_return 3;
        }(&lateFinished));
        bool threw = false;
        try {
            await(whenAll(std::move(failing)));
        } catch (const std::runtime_error &) {
            threw = true;
        }
        QVERIFY(threw);
        QVERIFY2(lateFinished, "the join must not return before every task ended");
    }
};

QTEST_GUILESS_MAIN(TestAsync)
#include "tst_async.moc"
