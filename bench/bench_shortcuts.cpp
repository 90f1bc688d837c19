// Figures for the shortcuts a key press runs: requests that reach the speakers and milliseconds,
// against the simulated household with the real delays.
#include "async/delays.h"
#include "async/http.h"
#include "async/tasks.h"
#include "base/preferences.h"
#include "cli/intents.h"
#include "cli/speakerdriver.h"
#include "simhousehold.h"
#include "sonos/sonosdiscovery.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

using namespace corvane;

namespace {

qsizetype requestsSoFar(const sim::SimHousehold &household)
{
    qsizetype total = 0;
    for (const sim::SimSpeaker *speaker : household.speakers())
        total += speaker->received().size();
    return total;
}

struct Figures
{
    qsizetype requests = 0;
    double medianMs = 0;
    double worstMs = 0;
};

Figures measure(const sim::SimHousehold &household, int runs, const std::function<CommandResult()> &run)
{
    std::vector<double> times;
    Figures figures;
    for (int i = 0; i < runs; ++i) {
        const qsizetype before = requestsSoFar(household);
        QElapsedTimer clock;
        clock.start();
        const CommandResult result = run();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
        if (result.exitCode != 0)
            QTextStream(stderr) << "échec : " << result.err << Qt::endl;
        figures.requests = std::max(figures.requests, requestsSoFar(household) - before);
    }
    std::sort(times.begin(), times.end());
    figures.medianMs = times[times.size() / 2];
    figures.worstMs = times.back();
    return figures;
}

void print(QTextStream &out, const char *what, const Figures &figures)
{
    out << QStringLiteral("%1 %2 requêtes (au plus), médiane %3 ms, pire %4 ms")
               .arg(QString::fromUtf8(what).leftJustified(38), QString::number(figures.requests).rightJustified(3))
               .arg(figures.medianMs, 0, 'f', 1)
               .arg(figures.worstMs, 0, 'f', 1)
        << Qt::endl;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    quietAbortWarnings(); // probes the sweep cancels, as the program itself does
    QTextStream out(stdout);
    QTemporaryDir profile;
    qputenv("CORVANE_PROFILE", profile.path().toUtf8());
    qputenv("CORVANE_LOOPBACK_ONLY", "1");
    setDelayScale(1.0);

    sim::SimHousehold household(sim::randomLoopbackPrefix());
    if (!household.startDefault()) {
        QTextStream(stderr) << "La maison simulée n'a pas démarré." << Qt::endl;
        return 1;
    }
    // The sweep stays on the household's own loopback /24.
    SonosDiscovery::setForcedNetwork(household.network());
    const QString salon = household.speaker(QStringLiteral("Salon"))->config().ip;
    const int runs = 5;

    out << "Raccourcis contre la maison simulée (" << household.speakers().size() << " enceintes, délais réels)" << Qt::endl;
    const auto playPause = [] { return runBlocking(runIntentCommand({QStringLiteral("play-pause")})); };
    print(out, "play-pause, premier lancement (balayage)", measure(household, runs, [&playPause] {
              Preferences().setKnownSpeakerIPs({});
              return playPause();
          }));
    print(out, "play-pause, enceinte mémorisée", measure(household, runs * 2, playPause));
    sim::SimSpeaker *living = household.speaker(QStringLiteral("Salon"));
    print(out, "next, enceinte mémorisée", measure(household, runs, [living] {
              living->setQueue(living->queue(), 1); // back to the first song: there is always a next one
              return runBlocking(runIntentCommand({QStringLiteral("next")}));
          }));
    print(out, "speaker IP status", measure(household, runs, [&salon] {
              return runBlocking(runSpeakerCommand({salon, QStringLiteral("status")}));
          }));
    // A speaker on Wi-Fi takes some milliseconds per reply: what sending together saves.
    living->faults().delayMs = 20;
    print(out, "speaker IP status, 20 ms par réponse", measure(household, runs, [&salon] {
              return runBlocking(runSpeakerCommand({salon, QStringLiteral("status")}));
          }));
    return 0;
}
