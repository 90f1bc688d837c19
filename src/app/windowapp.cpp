#include "windowapp.h"

#include "applemusic/usertokenstore.h"
#include "applemusic/webmusicservice.h"
#include "async/tasks.h"
#include "base/configuration.h"
#include "base/preferences.h"
#include "demo/demoworld.h"
#include "demo/screenshots.h"
#include "desktop/systemplayback.h"
#include "model/corvanemodel.h"
#include "singleinstance.h"
#include "sonos/sonosdiscovery.h"
#include "tray.h"
#include "uisetup.h"

#include <QApplication>
#include <QDesktopServices>
#include <QQmlApplicationEngine>
#include <QSystemTrayIcon>
#include <QQuickWindow>
#include <QTextStream>
#include <QThreadPool>
#include <QTimer>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(CorvanePlugin)

namespace corvane {

namespace {

QCoro::Task<std::shared_ptr<WebMusicService>> musicService(bool demo)
{
    UserTokenStore store;
    if (demo) {
        const std::optional<QString> token = co_await store.read();
        if (!token)
            co_await store.write(DemoWorld::userToken());
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
            result = ui::takeScreenshots(&engine, model.get(), options.screenshots, world.household());
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
