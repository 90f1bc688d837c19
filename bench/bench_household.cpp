// Figures for the window on a large home: 32 rooms in 12 groups, a queue of 2,000 songs, a
// library of 10,000 songs and 500 playlists, a history of 10,000 plays. For each screen: the
// time to show it, the resident memory after, and the longest stall of the main thread while it
// loads and while it scrolls from end to end; for the queue, moving its last song to the top.
// Run under a display (./dev bench uses Xvfb). The speakers run in a `corvane sim --crowded`
// process of their own, so their work is not counted.

#include "applemusic/usertokenstore.h"
#include "applemusic/webmusicservice.h"
#include "async/tasks.h"
#include "base/paths.h"
#include "base/preferences.h"
#include "benchhome.h"
#include "benchutil.h"
#include "model/corvanemodel.h"
#include "simhousehold.h"
#include "simtrack.h"
#include "simwebservices.h"
#include "sonos/sonosdiscovery.h"
#include "storage/listeninghistory.h"
#include "uisetup.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThreadPool>
#include <QTimer>
#include <QtQml/qqmlextensionplugin.h>

#include <algorithm>
#include <functional>

Q_IMPORT_QML_PLUGIN(CorvanePlugin)

using namespace corvane;
using namespace corvane::bench;

namespace {

// The main thread's lateness: a timer asks to run every 5 ms and notes how late it comes.
class StallWatch
{
public:
    StallWatch()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_clock.elapsed() - 5);
            m_clock.restart();
        });
    }
    void start()
    {
        m_longest = 0;
        m_clock.start();
        m_timer.start();
    }
    qint64 stop()
    {
        m_timer.stop();
        return std::max<qint64>(0, m_longest);
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};

void idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The shown item of that name, if any.
QQuickItem *shown(QQuickItem *root, const QString &objectName)
{
    if (!root || !root->isVisible())
        return nullptr;
    if (root->objectName() == objectName)
        return root;
    for (QQuickItem *child : root->childItems()) {
        if (QQuickItem *found = shown(child, objectName))
            return found;
    }
    return nullptr;
}

// Waits for `ready`, then for the frame that shows it; the milliseconds since `clock` started.
double untilDrawn(QQuickWindow *window, const QElapsedTimer &clock, const std::function<bool()> &ready)
{
    if (!waitUntil(ready, 20000))
        return -1;
    bool drawn = false;
    const QMetaObject::Connection connection = QObject::connect(window, &QQuickWindow::frameSwapped, [&drawn] { drawn = true; });
    window->requestUpdate();
    waitUntil([&drawn] { return drawn; }, 5000);
    QObject::disconnect(connection);
    return double(clock.nsecsElapsed()) / 1e6;
}

// From the top to the bottom a screenful at a time, a frame each, as a dragged scroll bar goes;
// `screens` takes how many it took.
qint64 scrollEndToEnd(QQuickWindow *window, QQuickItem *flickable, int &screens)
{
    screens = 0;
    StallWatch stalls;
    stalls.start();
    flickable->setProperty("contentY", flickable->property("originY"));
    for (int step = 0; step < 2000; ++step) {
        const double y = flickable->property("contentY").toDouble();
        const double end = flickable->property("originY").toDouble() + flickable->property("contentHeight").toDouble()
            - flickable->height();
        if (y >= end - 1)
            break;
        flickable->setProperty("contentY", std::min(end, y + flickable->height() * 0.9));
        ++screens;
        bool drawn = false;
        const QMetaObject::Connection connection = QObject::connect(window, &QQuickWindow::frameSwapped, [&drawn] { drawn = true; });
        window->requestUpdate();
        waitUntil([&drawn] { return drawn; }, 2000);
        QObject::disconnect(connection);
    }
    return stalls.stop();
}

QList<HistoryEntry> plays(int count)
{
    const QList<sim::SimTrack> songs = sim::numberedSongs(count);
    static const char *const rooms[] = {"Salon", "Cuisine", "Bureau", "Chambre"};
    QList<HistoryEntry> entries;
    entries.reserve(count);
    const double now = double(QDateTime::currentSecsSinceEpoch());
    for (int i = 0; i < count; ++i) {
        HistoryEntry entry;
        const sim::SimTrack &song = songs.at(i);
        entry.trackID = sim::songIDOf(song.uri) + QStringLiteral(".%1").arg(i);
        entry.title = song.title;
        entry.artist = song.artist;
        entry.album = song.album;
        entry.playedAt = now - 240.0 * i; // one every four minutes, newest first: 28 days
        entry.room = QString::fromLatin1(rooms[i % 4]);
        entries.append(std::move(entry));
    }
    return entries;
}

} // namespace

int main(int argc, char *argv[])
{
    // As the application draws (see main.cpp).
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir profile;
    qputenv("CORVANE_PROFILE", profile.path().toUtf8());

    QProcess speakers;
    sim::SimWebServices web;
    if (!startSimulatedHome(speakers, web, {QStringLiteral("--crowded")}))
        return 1;
    web.setLibrarySongCount(10000);
    web.setLibraryPlaylistCount(500);
    {
        Preferences preferences;
        preferences.setOnboardingDone(true);
        preferences.setHasEverFoundSpeaker(true);
        preferences.setPreferredSpeakerUUID(QStringLiteral("RINCON_C0FFEE00000001400"));
        preferences.sync();
    }
    QDir().mkpath(paths::appData());
    {
        QFile history(paths::appData() + QStringLiteral("/history.json"));
        if (!history.open(QIODevice::WriteOnly) || history.write(ListeningHistory::encode(plays(10000))) <= 0)
            return 1;
    }
    auto music = signedInMusic(web);

    out << QStringLiteral("Maison de 32 pièces en 12 groupes, file de 2 000 morceaux, bibliothèque de 10 000 morceaux "
                          "et 500 playlists, historique de 10 000 écoutes.")
        << Qt::endl;
    const auto row = [&out](const QString &screen, double shownMs, qint64 loadStall, qint64 scrollStall, int screens) {
        out << QStringLiteral("%1\t%2 ms\t%3 Mio\t%4 ms\t%5")
                   .arg(screen)
                   .arg(shownMs, 0, 'f', 0)
                   .arg(residentMiB(), 0, 'f', 1)
                   .arg(loadStall)
                   .arg(scrollStall < 0 ? QStringLiteral("—") : QStringLiteral("%1 ms sur %2 écrans").arg(scrollStall).arg(screens))
            << Qt::endl;
    };

    StallWatch stalls;
    QElapsedTimer clock;
    stalls.start();
    clock.start();
    auto model = std::make_unique<CorvaneModel>(CorvaneModel::Services{music, web.origin(), web.origin(), QStringLiteral("fr")});
    {
        QQmlApplicationEngine engine;
        ui::prepareEngine(&engine, model.get());
        engine.load(ui::mainWindowUrl());
        if (engine.rootObjects().isEmpty())
            return 1;
        auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().first());
        QQuickItem *root = window->contentItem();

        // Launch to the home page with the 500 playlists and the 32 rooms found.
        const double launched = untilDrawn(window, clock, [&] {
            return model->playback()->hasReadSpeakerState() && model->home()->playlists().size() >= 500 && model->household()->speakers().size() >= 32
                && shown(root, QStringLiteral("homeView"));
        });
        idle(1000);
        const qint64 launchStall = stalls.stop();
        out << QStringLiteral("lancement → accueil complet : %1 ms (plus long arrêt %2 ms, la fenêtre se construit)")
                   .arg(launched, 0, 'f', 0).arg(launchStall)
            << Qt::endl;
        out << QStringLiteral("écran\taffiché en\tmémoire après\tplus long arrêt (chargement)\tplus long arrêt (défilement)") << Qt::endl;

        // Each screen from another.
        struct Screen
        {
            QString name;
            QString list;
            std::function<void()> open;
            std::function<bool()> full;
        };
        const QList<Screen> screens = {
            {QStringLiteral("accueil (%1 playlists)"), QStringLiteral("homeView"), [&] { model->browse()->setRoute(Route::results()); },
             [&] { return true; }},
            {QStringLiteral("groupes (%1 pièces)"), QStringLiteral("groupsView"), [&] { model->browse()->showPanel(RouteKind::Groups); },
             [&] { return true; }},
            {QStringLiteral("file d'attente (%1 morceaux)"), QStringLiteral("queueList"), [&] { model->browse()->openQueue(); },
             [&] { return model->queue()->entries().size() >= 2000; }},
            {QStringLiteral("historique (%1 écoutes)"), QStringLiteral("historyList"), [&] { model->browse()->showPanel(RouteKind::History); },
             [&] { return true; }},
        };
        for (const Screen &screen : screens) {
            // From the home page, or to it from the history.
            if (screen.list == QLatin1String("homeView"))
                model->browse()->showPanel(RouteKind::History);
            else
                model->browse()->setRoute(Route::results());
            idle(500);
            stalls.start();
            clock.restart();
            screen.open();
            const double ms = untilDrawn(window, clock, [&] {
                QQuickItem *list = shown(root, screen.list);
                return list && screen.full() && list->property("contentHeight").toDouble() > list->height();
            });
            idle(1000);
            const qint64 loading = stalls.stop();
            int screens = 0;
            const qint64 scrolling = scrollEndToEnd(window, shown(root, screen.list), screens);
            const qsizetype count = screen.list == QLatin1String("queueList") ? model->queue()->entries().size()
                : screen.list == QLatin1String("historyList")                  ? model->history()->entries().size()
                : screen.list == QLatin1String("homeView")                     ? model->home()->playlists().size()
                                                                               : model->household()->speakers().size();
            row(screen.name.arg(count), ms, loading, scrolling, screens);
        }

        // The queue's last song moved to the top, until the screen shows it there.
        model->browse()->openQueue();
        idle(1500);
        const QString last = model->queue()->entries().last().title;
        stalls.start();
        clock.restart();
        QCoro::Task<> move = model->queue()->moveItems({int(model->queue()->entries().size()) - 1}, 0);
        const double moved = untilDrawn(window, clock, [&] { return !model->queue()->entries().isEmpty() && model->queue()->entries().first().title == last; });
        runBlocking(std::move(move));
        idle(500);
        row(QStringLiteral("file : le dernier morceau en tête"), moved, stalls.stop(), -1, 0);
    }
    model.reset();
    QThreadPool::globalInstance()->waitForDone();
    speakers.terminate();
    speakers.waitForFinished(3000);
    return 0;
}
