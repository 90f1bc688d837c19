#include "desktop/autostart.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace corvane;

class TestAutostart : public QObject
{
    Q_OBJECT

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static bool write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

private Q_SLOTS:
    void switching_data()
    {
        QTest::addColumn<QString>("before"); // what the config folder holds at first
        QTest::addColumn<QList<bool>>("steps");
        QTest::addColumn<bool>("succeeds"); // the last step
        QTest::addColumn<bool>("enabled");
        QTest::newRow("enable") << "autostart/" << QList<bool>{true} << true << true;
        QTest::newRow("enable twice") << "autostart/" << QList<bool>{true, true} << true << true;
        QTest::newRow("disable") << "autostart/" << QList<bool>{true, false} << true << false;
        QTest::newRow("disable, never enabled") << "autostart/" << QList<bool>{false} << true << false;
        QTest::newRow("folder missing") << "" << QList<bool>{true} << true << true;
        QTest::newRow("turned off by the desktop, enabled again") << "hidden" << QList<bool>{true} << true << true;
        QTest::newRow("turned off by the desktop, disabled") << "hidden" << QList<bool>{false} << true << false;
        QTest::newRow("folder is a file") << "autostart is a file" << QList<bool>{true} << false << false;
        QTest::newRow("entry is a folder, enable") << "entry is a folder" << QList<bool>{true} << false << false;
        QTest::newRow("entry is a folder, disable") << "entry is a folder" << QList<bool>{false} << false << false;
        QTest::newRow("read-only folder") << "read-only" << QList<bool>{true} << false << false;
    }
    void switching()
    {
        QFETCH(QString, before);
        QFETCH(QList<bool>, steps);
        QFETCH(bool, succeeds);
        QFETCH(bool, enabled);
        if (before == QLatin1String("read-only") && geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QTemporaryDir config;
        const QString folder = config.filePath(QStringLiteral("autostart"));
        const QString entry = folder + QStringLiteral("/corvane.desktop");
        if (before == QLatin1String("autostart/") || before == QLatin1String("read-only") || before == QLatin1String("hidden"))
            QVERIFY(QDir().mkpath(folder));
        if (before == QLatin1String("hidden"))
            QVERIFY(write(entry, Autostart::entry(QStringLiteral("corvane")) + "Hidden=true\n"));
        if (before == QLatin1String("autostart is a file"))
            QVERIFY(write(folder, "not a folder"));
        if (before == QLatin1String("entry is a folder"))
            QVERIFY(QDir().mkpath(entry));
        if (before == QLatin1String("read-only"))
            QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));

        Autostart autostart(folder, QStringLiteral("corvane"));
        QCOMPARE(autostart.filePath(), entry);
        bool result = false;
        for (const bool step : std::as_const(steps))
            result = autostart.setEnabled(step);
        QCOMPARE(result, succeeds);
        QCOMPARE(autostart.isEnabled(), enabled);
        QCOMPARE(Autostart(folder, QStringLiteral("corvane")).isEnabled(), enabled);
        // A failure says what could not be written, in French; a success leaves no error.
        QCOMPARE(autostart.error().isEmpty(), succeeds);
        if (!succeeds)
            QVERIFY2(autostart.error().contains(QStringLiteral("Impossible")) && autostart.error().contains(folder), qPrintable(autostart.error()));
        if (enabled)
            QCOMPARE(read(entry), Autostart::entry(QStringLiteral("corvane")));
        else if (succeeds)
            QVERIFY(!QFileInfo::exists(entry));
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void folder_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("xdgConfigHome");
        QTest::addColumn<QString>("expected");
        QTest::newRow("XDG_CONFIG_HOME") << "" << "/tmp/cfg" << "/tmp/cfg/autostart";
        QTest::newRow("unset") << "" << "" << QDir::homePath() + "/.config/autostart";
        QTest::newRow("relative, ignored") << "" << "cfg" << QDir::homePath() + "/.config/autostart";
        QTest::newRow("a profile of its own") << "/tmp/profile" << "/tmp/cfg" << "/tmp/profile/autostart";
    }
    void folder()
    {
        QFETCH(QString, profile);
        QFETCH(QString, xdgConfigHome);
        QFETCH(QString, expected);
        const QByteArray savedProfile = qgetenv("CORVANE_PROFILE");
        const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("CORVANE_PROFILE", profile.toUtf8());
        qputenv("XDG_CONFIG_HOME", xdgConfigHome.toUtf8());
        const QString folder = Autostart::defaultFolder();
        qputenv("CORVANE_PROFILE", savedProfile);
        qputenv("XDG_CONFIG_HOME", savedConfig);
        QCOMPARE(folder, expected);
    }

    // What the session will run, as the desktop reads it.
    void theEntryIsValid_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("on the PATH") << "corvane" << "Exec=corvane --tray";
        QTest::newRow("a build folder") << "/home/me/src/corvane/build/src/app/corvane" << "Exec=/home/me/src/corvane/build/src/app/corvane --tray";
        QTest::newRow("spaces and quotes") << "/home/me/Mes \"essais\"/100% corvane"
                                           << "Exec=\"/home/me/Mes \\\\\"essais\\\\\"/100%% corvane\" --tray";
        QTest::newRow("a dollar and a backslash") << "/opt/a$b\\c/corvane" << "Exec=\"/opt/a\\\\$b\\\\\\\\c/corvane\" --tray";
    }
    void theEntryIsValid()
    {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QTemporaryDir folder;
        Autostart autostart(folder.path(), program);
        QVERIFY(autostart.setEnabled(true));
        const QByteArray text = read(autostart.filePath());
        QVERIFY2(text.split('\n').contains(exec.toUtf8()), text.constData());
        QProcess validate;
        validate.start(QStringLiteral(DESKTOP_FILE_VALIDATE), {autostart.filePath()});
        QVERIFY(validate.waitForFinished(10000));
        const QByteArray complaints = validate.readAllStandardOutput() + validate.readAllStandardError();
        QVERIFY2(validate.exitCode() == 0 && complaints.isEmpty(), complaints.constData());
    }
};

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
