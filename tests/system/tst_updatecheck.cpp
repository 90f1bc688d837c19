#include "async/tasks.h"
#include "simwebservices.h"
#include "system/updatecheck.h"

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
