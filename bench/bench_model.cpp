// Figures for the application model against the simulated household and web services.
#include "applemusic/usertokenstore.h"
#include "applemusic/webmusicservice.h"
#include "async/delays.h"
#include "async/tasks.h"
#include "base/preferences.h"
#include "benchutil.h"
#include "model/corvanemodel.h"
#include "simhousehold.h"
#include "simwebservices.h"
#include "sonos/sonosdiscovery.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThreadPool>

#include <algorithm>
#include <vector>

using namespace corvane;
using namespace corvane::bench;

namespace {

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir profile;
    qputenv("CORVANE_PROFILE", profile.path().toUtf8());
    // The model's own waits (re-reads after a command, debounces) shortened; the requests are real.
    setDelayScale(0.01);

    sim::SimHousehold household(sim::randomLoopbackPrefix());
    sim::SimWebServices web;
    if (!household.startDefault() || !web.start()) {
        QTextStream(stderr) << "La maison simulée n'a pas démarré." << Qt::endl;
        return 1;
    }
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

    const double before = residentMiB();
    auto model = std::make_unique<CorvaneModel>(CorvaneModel::Services{music, web.origin(), web.origin(), QStringLiteral("fr")});
    runBlocking(model->household()->discoveryRun());
    waitUntil([&] { return model->playback()->hasReadSpeakerState(); }, 5000);

    // From playSong to the Play request arriving at the speaker.
    const Track song{QStringLiteral("1609934412"), QStringLiteral("Néons sur la Loire"), QStringLiteral("Odile Ravanel"),
                     QStringLiteral("Villes de nuit"), std::nullopt, 201000};
    std::vector<double> starts;
    std::vector<double> requests;
    for (int i = 0; i < 50; ++i) {
        salon->clearReceived();
        QElapsedTimer clock;
        clock.start();
        QCoro::Task<> play = model->playback()->playSong(song);
        const bool arrived = waitUntil([&] {
            const auto received = salon->received();
            return std::any_of(received.begin(), received.end(), [](const sim::SimRequest &r) { return r.action == QLatin1String("Play"); });
        }, 5000);
        starts.push_back(double(clock.nsecsElapsed()) / 1e6);
        int count = 0;
        for (const sim::SimRequest &request : salon->received()) {
            ++count;
            if (request.action == QLatin1String("Play"))
                break;
        }
        requests.push_back(count);
        if (!arrived)
            out << "Play n'est pas arrivé." << Qt::endl;
        runBlocking(std::move(play));
    }
    out << QStringLiteral("playSong → Play à l'enceinte : %1 ms (médiane de 50), %2 requêtes")
               .arg(median(starts), 0, 'f', 2)
               .arg(median(requests), 0, 'f', 0)
        << Qt::endl;

    std::vector<double> polls;
    for (int i = 0; i < 100; ++i) {
        QElapsedTimer clock;
        clock.start();
        runBlocking(model->playback()->pollOnce());
        polls.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    out << QStringLiteral("pollOnce : %1 ms (médiane de 100)").arg(median(polls), 0, 'f', 2) << Qt::endl;

    web.setLibraryPlaylistCount(500);
    web.setLibrarySongCount(100);
    runBlocking(model->home()->loadHome());
    runBlocking(model->home()->loadPersonal(false));
    QThreadPool::globalInstance()->waitForDone();
    out << QStringLiteral("mémoire résidente après l'accueil (%1 playlists, %2 morceaux) : %3 Mio (%4 Mio avant le modèle)")
               .arg(model->home()->playlists().size())
               .arg(model->home()->libraryTracks().size())
               .arg(residentMiB(), 0, 'f', 1)
               .arg(before, 0, 'f', 1)
        << Qt::endl;

    model.reset();
    QThreadPool::globalInstance()->waitForDone();
    SonosDiscovery::setForcedNetwork(QString());
    return 0;
}
