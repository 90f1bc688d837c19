#include "windowapp.h"

#include "applemusic/usertokenstore.h"
#include "applemusic/webmusicservice.h"
#include "async/tasks.h"
#include "model/corvanemodel.h"
#include "screenshots.h"
#include "simhousehold.h"
#include "simwebservices.h"
#include "singleinstance.h"
#include "tray.h"
#include "sonos/sonosdiscovery.h"
#include "storage/preferences.h"
#include "system/configuration.h"
#include "system/systemplayback.h"
#include "uisetup.h"

#include <QApplication>
#include <QDesktopServices>
#include <QQmlApplicationEngine>
#include <QSystemTrayIcon>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThreadPool>
#include <QTimer>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(CorvanePlugin)

namespace corvane {

namespace {

// Everything the demo runs on: a household and web services on loopback, and a profile of its
// own unless CORVANE_PROFILE names one to keep.
struct DemoWorld
{
    std::unique_ptr<QTemporaryDir> profile;
    std::unique_ptr<sim::SimHousehold> household;
    std::unique_ptr<sim::SimWebServices> web;

    bool start(bool withoutToken)
    {
        const bool fresh = qEnvironmentVariableIsEmpty("CORVANE_PROFILE");
        if (fresh) {
            profile = std::make_unique<QTemporaryDir>();
            qputenv("CORVANE_PROFILE", profile->path().toUtf8());
        }
        qputenv("CORVANE_LOOPBACK_ONLY", "1");
        if (qEnvironmentVariableIsEmpty("CORVANE_KEYRING"))
            qputenv("CORVANE_KEYRING", "file");
        household = std::make_unique<sim::SimHousehold>(sim::randomLoopbackPrefix());
        web = std::make_unique<sim::SimWebServices>();
        if (!household->startDefault() || !web->start()) {
            QTextStream(stderr) << "Impossible d'ouvrir les adresses de la maison simulée (" << household->prefix()
                                << ".x:1400)." << Qt::endl;
            return false;
        }
        SonosDiscovery::setForcedNetwork(household->network());
        const QByteArray origin = web->origin().toEncoded();
        qputenv("CORVANE_LOGO_ORIGIN", web->origin().resolved(QUrl(QStringLiteral("/logos/"))).toEncoded());
        qputenv("CORVANE_RADIO_ORIGIN", origin);
        qputenv("CORVANE_UPDATE_ORIGIN", origin);
        qputenv("CORVANE_CHARTS_ORIGIN", origin);
        qputenv("CORVANE_APPLE_MUSIC_ORIGIN", origin);
        qputenv("CORVANE_ITUNES_SEARCH_ORIGIN", origin);
        if (withoutToken)
            qunsetenv("CORVANE_DEVELOPER_TOKEN");
        else
            qputenv("CORVANE_DEVELOPER_TOKEN", sim::SimWebServices::developerToken);
        qputenv("CORVANE_MUSICKIT_JS_URL", web->origin().resolved(QUrl(QStringLiteral("/musickit.js"))).toEncoded());
        if (fresh) {
            // A household already set up: the screens show content at once.
            Preferences preferences;
            preferences.setOnboardingDone(true);
            preferences.setHasEverFoundSpeaker(true);
            preferences.setPreferredSpeakerUUID(household->speaker(QStringLiteral("Salon"))->config().uuid);
            preferences.sync();
        }
        return true;
    }
};

QCoro::Task<std::shared_ptr<WebMusicService>> musicService(bool demo)
{
    UserTokenStore store;
    if (demo) {
        const std::optional<QString> token = co_await store.read();
        if (!token)
            co_await store.write(QString::fromLatin1(sim::SimWebServices::userToken));
    }
    WebMusicService::Settings settings = WebMusicService::configuredSettings();
    settings.openBrowser = [](const QUrl &page) { QDesktopServices::openUrl(page); };
    auto service = std::make_shared<WebMusicService>(settings, store);
    co_await service->load();
    co_return service;
}

// CORVANE_SNAPSHOT=<file.png>: once the window has drawn and settled, it is written there and the
// application quits; the time to the first frame is printed. For the display test and the
// benchmarks, which run the real binary under Xvfb.
void snapshotWhenDrawn(QQuickWindow *window, const QString &file, QElapsedTimer launched)
{
    // frameSwapped comes from the render thread, queued: only its first arrival counts.
    auto drawn = std::make_shared<bool>(false);
    QObject::connect(window, &QQuickWindow::frameSwapped, window, [=] {
        if (std::exchange(*drawn, true))
            return;
        QTextStream(stdout) << "Première image : " << launched.elapsed() << " ms" << Qt::endl;
        const int settle = qEnvironmentVariableIntValue("CORVANE_SNAPSHOT_DELAY_MS");
        QTimer::singleShot(settle > 0 ? settle : 2000, window, [window, file] {
            const bool saved = window->grabWindow().save(file);
            QCoreApplication::exit(saved ? 0 : 1);
        });
    });
}

} // namespace

int runWindowApp(const WindowOptions &options)
{
    DemoWorld world;
    if (options.demo && !world.start(options.withoutToken))
        return 1;
    ui::configureHttpCache();

    const std::shared_ptr<WebMusicService> music = runBlocking(musicService(options.demo));
    const QString region = options.demo ? QStringLiteral("fr") : QString();
    auto model = std::make_unique<CorvaneModel>(
        CorvaneModel::Services{music, Configuration::chartsOrigin(), Configuration::radioOrigin(), region});
    model->home()->checkForUpdate(Configuration::updateOrigin());

    int result = 0;
    {
        QQmlApplicationEngine engine;
        ui::prepareEngine(&engine, model.get());
        if (!options.screenshots.isEmpty()) {
            result = ui::takeScreenshots(&engine, model.get(), options.screenshots, world.household.get());
        } else {
            // In the tray only when there is a tray to be in: never an invisible process.
            if (options.startHidden && QSystemTrayIcon::isSystemTrayAvailable())
                engine.setInitialProperties({{QStringLiteral("visible"), false}});
            engine.load(ui::mainWindowUrl());
            if (engine.rootObjects().isEmpty())
                return 1;
            auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().first());
            const QString snapshot = qEnvironmentVariable("CORVANE_SNAPSHOT");
            if (window && !snapshot.isEmpty())
                snapshotWhenDrawn(window, snapshot, options.launched);
            ui::Tray tray(model.get(), &engine, window);
            if (window && options.instance)
                QObject::connect(options.instance, &SingleInstance::activationRequested, window, [window] { SingleInstance::bringForward(window); });
            // The desktop's media controls can show the window, as "Ouvrir Corvane" does.
            model->systemPlayback()->setRaiser([&tray] { tray.openMainWindow(); });
            result = QApplication::exec();
            model->systemPlayback()->setRaiser({});
        }
    }
    model.reset();
    QThreadPool::globalInstance()->waitForDone();
    return result;
}

} // namespace corvane
