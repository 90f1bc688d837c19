// Figures for the window: launch to the first frame of the real binary, resident memory with a
// search shown, and the CPU an idle open window costs. Run under a display (./dev bench uses
// Xvfb). The speakers run in a `corvane sim` process of their own, so their work is not counted.

#include "applemusic/usertokenstore.h"
#include "applemusic/webmusicservice.h"
#include "async/http.h"
#include "async/tasks.h"
#include "base/preferences.h"
#include "benchhome.h"
#include "benchutil.h"
#include "model/corvanemodel.h"
#include "simhousehold.h"
#include "simwebservices.h"
#include "sonos/sonosdiscovery.h"
#include "uisetup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThreadPool>
#include <QTimer>
#include <QtQml/qqmlextensionplugin.h>

#include <sys/resource.h>

#include <algorithm>
#include <vector>

Q_IMPORT_QML_PLUGIN(CorvanePlugin)

using namespace corvane;
using namespace corvane::bench;

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Lets the event loop run, asleep between events, as an idle application's does.
void idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The real binary's own count, from its start to the window's first frame.
double firstFrameMs(const QString &folder)
{
    QProcess app;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("CORVANE_PROFILE"));
    environment.insert(QStringLiteral("CORVANE_SNAPSHOT"), folder + QStringLiteral("/first.png"));
    environment.insert(QStringLiteral("CORVANE_SNAPSHOT_DELAY_MS"), QStringLiteral("50"));
    app.setProcessEnvironment(environment);
    app.start(QStringLiteral(CORVANE_BINARY), {QStringLiteral("--demo")});
    if (!app.waitForFinished(60000))
        return -1;
    static const QRegularExpression line(QStringLiteral("Première image : (\\d+) ms"));
    const QRegularExpressionMatch match = line.match(QString::fromUtf8(app.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

} // namespace

// The CPU used over 10 s of running events, as a share of one core; `line` takes the seconds and
// the share.
static void printCpuOver(QTextStream &out, const QString &line)
{
    const double before = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    idle(10000);
    const double used = cpuSeconds() - before;
    const double seconds = wall.elapsed() / 1000.0;
    out << line.arg(seconds, 0, 'f', 1).arg(100.0 * used / seconds, 0, 'f', 2) << Qt::endl;
}

int main(int argc, char *argv[])
{
    // As the application draws (see main.cpp).
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    quietAbortWarnings();
    QTextStream out(stdout);
    QTemporaryDir profile;

    std::vector<double> frames;
    for (int i = 0; i < 5; ++i)
        frames.push_back(firstFrameMs(profile.path()));
    std::sort(frames.begin(), frames.end());
    out << QStringLiteral("Lancement → première image de la fenêtre : %1 ms (médiane de 5 ; de %2 à %3)")
               .arg(frames[2], 0, 'f', 0).arg(frames.front(), 0, 'f', 0).arg(frames.back(), 0, 'f', 0)
        << Qt::endl;

    qputenv("CORVANE_PROFILE", profile.path().toUtf8());
    QProcess speakers;
    sim::SimWebServices web;
    if (!startSimulatedHome(speakers, web))
        return 1;
    {
        Preferences preferences;
        preferences.setOnboardingDone(true);
        preferences.setHasEverFoundSpeaker(true);
        preferences.sync();
    }
    auto music = signedInMusic(web);
    auto model = std::make_unique<CorvaneModel>(CorvaneModel::Services{music, web.origin(), web.origin(), QStringLiteral("fr")});

    {
        QQmlApplicationEngine engine;
        ui::prepareEngine(&engine, model.get());
        engine.load(ui::mainWindowUrl());
        if (engine.rootObjects().isEmpty())
            return 1;
        waitUntil([&] { return model->playback()->hasReadSpeakerState(); }, 20000);

        // The home page with everything the account has: the shelves, the history's tiles.
        waitUntil([&] { return !model->home()->recommendations().isEmpty() && !model->home()->addedAlbums().isEmpty(); }, 10000);
        idle(3000);
        out << QStringLiteral("Mémoire résidente, accueil complet affiché (%1 recommandations, %2 ajouts récents) : %3 Mio")
                   .arg(model->home()->recommendations().size()).arg(model->home()->addedAlbums().size()).arg(residentMiB(), 0, 'f', 1)
            << Qt::endl;

        // What the window costs as the music plays: paused (the idle window), playing with the
        // playback bar alone, with the large view open (the record turns), and minimized.
        auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().first());
        printCpuOver(out, QStringLiteral("Processeur, fenêtre au repos, musique en pause (%1 s) : %2 % d'un cœur"));
        runBlocking(model->playback()->resumePlayback());
        idle(1500);
        printCpuOver(out, QStringLiteral("Processeur, barre de lecture pendant la lecture (%1 s) : %2 % d'un cœur"));
        model->playback()->setExpanded(true);
        idle(1500);
        printCpuOver(out, QStringLiteral("Processeur, vue en grand pendant la lecture (%1 s, disque qui tourne) : %2 % d'un cœur"));
        // Without a window manager (Xvfb) a minimize request changes nothing on screen: the
        // window is hidden as well, which is what a minimized window amounts to for Qt Quick.
        window->showMinimized();
        window->hide();
        idle(1500);
        printCpuOver(out, QStringLiteral("Processeur, vue en grand, fenêtre réduite pendant la lecture (%1 s) : %2 % d'un cœur"));
        window->showNormal();
        idle(1500);
        model->playback()->setExpanded(false);
        runBlocking(model->playback()->pausePlayback());

        model->browse()->setQuery(QStringLiteral("a")); // 25 of each kind at most, as every search
        waitUntil([&] { return model->browse()->hasAnsweredQuery(); }, 10000);
        idle(3000); // artwork in, frames drawn
        out << QStringLiteral("Mémoire résidente, résultats affichés (%1 morceaux, %2 albums, %3 artistes, %4 playlists) : %5 Mio")
                   .arg(model->browse()->foundTracks().size()).arg(model->browse()->foundAlbums().size()).arg(model->browse()->foundArtists().size())
                   .arg(model->browse()->foundPlaylists().size()).arg(residentMiB(), 0, 'f', 1)
            << Qt::endl;

        printCpuOver(out, QStringLiteral("Processeur, fenêtre ouverte au repos pendant %1 s (le suivi de l'enceinte continue) : %2 % d'un cœur"));
    }
    model.reset();
    QThreadPool::globalInstance()->waitForDone();
    speakers.terminate();
    speakers.waitForFinished(3000);
    return 0;
}
