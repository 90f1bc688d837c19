// The real binary, with its real window, on an X display of its own (Xvfb): it must draw.

#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class TestDisplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theDemoWindowDraws()
    {
        QTemporaryDir folder;
        const QString shot = folder.filePath(QStringLiteral("window.png"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // the display's own platform
        environment.remove(QStringLiteral("CORVANE_PROFILE")); // a throw-away profile of the demo's
        environment.insert(QStringLiteral("CORVANE_SNAPSHOT"), shot);
        environment.insert(QStringLiteral("CORVANE_LOOPBACK_ONLY"), QStringLiteral("1"));
        QProcess app;
        app.setProcessEnvironment(environment);
        app.start(QStringLiteral("xvfb-run"), {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x800x24"),
                                              QStringLiteral(CORVANE_BINARY), QStringLiteral("--demo")});
        QVERIFY2(app.waitForStarted(10000), "xvfb-run did not start");
        QVERIFY2(app.waitForFinished(90000), "the window did not draw in time");
        QVERIFY2(app.exitCode() == 0, app.readAllStandardError().constData());
        QVERIFY(app.readAllStandardOutput().contains("Première image"));

        QImage image(shot);
        QVERIFY(!image.isNull());
        QVERIFY(image.width() >= 640 && image.height() >= 460);
        // Not blank: a drawn window has many colours, a blank one one or two.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 7) {
            for (int x = 0; x < image.width(); x += 7)
                colours.insert(image.pixel(x, y));
        }
        QVERIFY2(colours.size() > 40, qPrintable(QString::number(colours.size())));
    }
};

QTEST_GUILESS_MAIN(TestDisplay)
#include "tst_display.moc"
