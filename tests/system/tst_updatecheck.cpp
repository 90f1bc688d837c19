#include "async/tasks.h"
#include "desktop/updatecheck.h"
#include "simwebservices.h"

#include <QSignalSpy>
#include <QTest>

using namespace corvane;
using namespace corvane::sim;

class TestUpdateCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void versions_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("newer");
        QTest::newRow("1.10 after 1.9") << "1.10" << "1.9" << true;
        QTest::newRow("1.2 equals 1.2.0") << "1.2" << "1.2.0" << false;
        QTest::newRow("1.2.0 equals 1.2") << "1.2.0" << "1.2" << false;
        QTest::newRow("1.2.1 after 1.2") << "1.2.1" << "1.2" << true;
        QTest::newRow("older") << "0.9.9" << "1.0" << false;
        QTest::newRow("a word counts as 0") << "1.beta" << "1.0" << false;
        QTest::newRow("empty pieces dropped: 2..1 is 2.1") << "2..1" << "2.0.9" << true;
    }
    void versions()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, newer);
        QCOMPARE(UpdateCheck::isNewer(a, b), newer);
    }

    void manifest_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("available");
        QTest::newRow("newer, with notes") << QByteArray("{\"version\":\"0.2.0\",\"url\":\"https://corvane.app/dl\",\"notes\":\"Minuterie\"}") << 200 << "0.2.0|Minuterie";
        QTest::newRow("newer, no notes") << QByteArray("{\"version\":\"1.0\",\"url\":\"https://corvane.app/dl\"}") << 200 << "1.0|";
        QTest::newRow("same version") << QByteArray("{\"version\":\"0.1.0\",\"url\":\"https://corvane.app/dl\"}") << 200 << "";
        QTest::newRow("no url") << QByteArray("{\"version\":\"9.0\"}") << 200 << "";
        QTest::newRow("no version") << QByteArray("{\"url\":\"https://corvane.app/dl\"}") << 200 << "";
        QTest::newRow("not JSON") << QByteArray("<html>") << 200 << "";
        QTest::newRow("304") << QByteArray() << 304 << "";
        QTest::newRow("500") << QByteArray() << 500 << "";
    }
    void manifest()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, status);
        QFETCH(QString, available);
        SimWebServices web;
        QVERIFY(web.start());
        web.setManifest(json, status);
        UpdateCheck check;
        QSignalSpy spy(&check, &UpdateCheck::availableChanged);
        runBlocking(check.check(QStringLiteral("0.1.0"), web.origin()));
        QCOMPARE(web.requested(), QStringList{"/corvane/version.json"});
        const QString got = check.available() ? check.available()->version + QLatin1Char('|') + check.available()->notes.value_or(QString()) : QString();
        QCOMPARE(got, available);
        QCOMPARE(spy.count(), available.isEmpty() ? 0 : 1);
    }

    void onlyTheProjectsPageOpens_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("linked");
        QTest::newRow("the project's site") << "https://corvane.app/telecharger" << true;
        QTest::newRow("a page of the project's site") << "https://www.corvane.app/dl?v=2" << true;
        QTest::newRow("plain http") << "http://corvane.app/dl" << false;
        QTest::newRow("another host") << "https://corvane.app.example.com/dl" << false;
        QTest::newRow("credentials before the host") << "https://corvane.app@evil.example.com/dl" << false;
        QTest::newRow("another port") << "https://corvane.app:8443/dl" << false;
        QTest::newRow("a file") << "file:///etc/passwd" << false;
        QTest::newRow("a script") << "javascript:alert(1)" << false;
        QTest::newRow("the simulator's own origin") << "SIM/dl" << true;
    }
    void onlyTheProjectsPageOpens()
    {
        QFETCH(QString, page);
        QFETCH(bool, linked);
        SimWebServices web;
        QVERIFY(web.start());
        page.replace(QStringLiteral("SIM"), web.origin().toString());
        web.setManifest(QStringLiteral("{\"version\":\"9.0\",\"url\":\"%1\"}").arg(page).toUtf8(), 200);
        UpdateCheck check;
        runBlocking(check.check(QStringLiteral("0.1.0"), web.origin()));
        // The version is said either way; the link only to a page we trust.
        QVERIFY(check.available());
        QCOMPARE(check.available()->url.isEmpty(), !linked);
    }

    void unreachableManifest()
    {
        QUrl origin;
        {
            SimWebServices web;
            QVERIFY(web.start());
            origin = web.origin();
        }
        UpdateCheck check;
        runBlocking(check.check(QStringLiteral("0.1.0"), origin));
        QVERIFY(!check.available());
    }
};

QTEST_GUILESS_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
