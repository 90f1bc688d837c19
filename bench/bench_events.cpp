// Speaker events against polling: how soon a change made by another client reaches the model,
// and how many requests the model sends the speakers while the window sits idle.
#include "applemusic/usertokenstore.h"
#include "applemusic/webmusicservice.h"
#include "async/delays.h"
#include "async/tasks.h"
#include "base/preferences.h"
#include "benchutil.h"
#include "model/corvanemodel.h"
#include "simhousehold.h"
#include "simwebservices.h"
#include "sonos/sonoscontroller.h"
#include "sonos/sonosdiscovery.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThreadPool>

#include <vector>

using namespace corvane;
using namespace corvane::bench;

namespace {

struct Figures
{
    double latencyMs = 0;
    double requestsPerMinute = 0;
    QString mode;
};

Figures measure(bool events, double idleMinutes)
{
    QTemporaryDir profile;
    qputenv("CORVANE_PROFILE", profile.path().toUtf8());
    setDelayScale(1.0);
    sim::SimHousehold household(sim::randomLoopbackPrefix());
    sim::SimWebServices web;
    if (!household.startDefault() || !web.start())
        qFatal("the simulated household did not start");
    SonosDiscovery::setForcedNetwork(household.network());
    sim::SimSpeaker *salon = household.speaker(QStringLiteral("Salon"));
    {
        Preferences preferences;
        preferences.setHasEverFoundSpeaker(true);
        preferences.setPreferredSpeakerUUID(salon->config().uuid);
        preferences.setKnownSpeakerIPs({salon->config().ip});
        preferences.sync();
    }
    auto music = signedInMusic(web);
    auto model = std::make_unique<CorvaneModel>(
        CorvaneModel::Services{music, web.origin(), web.origin(), QStringLiteral("fr"), events});
    runBlocking(model->household()->discoveryRun());
    waitUntil([&] { return model->playback()->hasReadSpeakerState(); }, 5000);
    if (events)
        waitUntil([&] { return model->live()->mode() == LiveUpdates::Mode::Instant; }, 5000);

    // Another client pauses and plays again; the time until the model shows it.
    std::vector<double> latencies;
    const SonosController other(salon->speaker());
    for (int i = 0; i < 10; ++i) {
        const bool playing = model->playback()->nowPlaying().isPlaying;
        // From the moment the other client sends its request.
        QElapsedTimer clock;
        clock.start();
        runBlocking(playing ? other.pause() : other.play());
        waitUntil([&] { return model->playback()->nowPlaying().isPlaying != playing; }, 10000);
        latencies.push_back(double(clock.nsecsElapsed()) / 1e6);
        // Out of the optimistic window of anything before.
        waitUntil([] { return false; }, 300);
    }

    // The window idle: every request any speaker receives, in the idle period.
    for (sim::SimSpeaker *speaker : household.speakers())
        speaker->clearReceived();
    waitUntil([] { return false; }, int(idleMinutes * 60000));
    int requests = 0;
    for (sim::SimSpeaker *speaker : household.speakers())
        requests += int(speaker->received().size());
    Figures figures{median(latencies), requests / idleMinutes,
                    events ? model->live()->statusText() : QStringLiteral("sondage toutes les 5 s")};
    model.reset();
    QThreadPool::globalInstance()->waitForDone();
    SonosDiscovery::setForcedNetwork(QString());
    return figures;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    // Five minutes by default, as the window would sit; CORVANE_BENCH_IDLE_MINUTES shortens it.
    bool ok = false;
    double idle = qEnvironmentVariable("CORVANE_BENCH_IDLE_MINUTES").toDouble(&ok);
    if (!ok || idle <= 0)
        idle = 5;
    for (const bool events : {true, false}) {
        const Figures figures = measure(events, idle);
        out << (events ? QStringLiteral("événements") : QStringLiteral("sondage    "))
            << QStringLiteral(" : changement fait ailleurs → modèle %1 ms (médiane de 10), %2 requêtes/min aux enceintes, fenêtre inactive %3 min")
                   .arg(figures.latencyMs, 0, 'f', 1)
                   .arg(figures.requestsPerMinute, 0, 'f', 1)
                   .arg(idle)
            << Qt::endl;
    }
    return 0;
}
