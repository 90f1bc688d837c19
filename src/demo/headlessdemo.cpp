// `corvane --demo --headless`: the application model against the simulated household and the
// simulated web services, printing what the screens would show as it changes.

#include "demo.h"

#include "applemusic/usertokenstore.h"
#include "applemusic/webmusicservice.h"
#include "async/tasks.h"
#include "base/preferences.h"
#include "model/corvanemodel.h"
#include "simhousehold.h"
#include "simwebservices.h"
#include "sonos/sonosdiscovery.h"
#include "storage/listeninghistory.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThreadPool>

namespace corvane {

namespace {

QString clock(int seconds)
{
    return QString::asprintf("%d:%02d", seconds / 60, seconds % 60);
}

void watch(CorvaneModel *model, QTextStream *out)
{
    auto say = [out](const QString &line) { *out << QStringLiteral("  · ") << line << Qt::endl; };
    QObject::connect(model->household(), &Household::groupsChanged, model, [model, say] {
        QStringList groups;
        for (const SonosGroup &group : model->household()->groups())
            groups << group.displayName();
        say(QCoreApplication::translate("Demo", "Pièces : %1").arg(groups.join(QStringLiteral(" | "))));
    });
    QObject::connect(model->household(), &Household::selectedChanged, model, [model, say] {
        if (model->household()->selected())
            say(QCoreApplication::translate("Demo", "Enceinte choisie : %1").arg(model->household()->selected()->roomName));
    });
    QString lastShown;
    QObject::connect(model->playback(), &Playback::nowPlayingChanged, model, [model, say, lastShown]() mutable {
        const NowPlaying &now = model->playback()->nowPlaying();
        // The position ticks every second; show a line only when something else moved.
        const QString shown = QStringLiteral("%1 %2 — %3").arg(now.isPlaying ? QStringLiteral("▶") : QStringLiteral("⏸"), now.title, now.artist);
        if (shown == lastShown)
            return;
        lastShown = shown;
        say(QCoreApplication::translate("Demo", "En cours : %1 [%2 / %3]").arg(shown, clock(now.elapsed), clock(now.duration)));
    });
    QObject::connect(model->queue(), &Queue::queueChanged, model, [model, say] {
        QStringList titles;
        for (const QueueItem &item : model->queue()->entries())
            titles << QStringLiteral("%1. %2").arg(item.id).arg(item.title);
        say(QCoreApplication::translate("Demo", "File d'attente (%1) : %2").arg(model->queue()->entries().size()).arg(titles.mid(0, 6).join(QStringLiteral(", "))));
    });
    QObject::connect(model->favorites(), &Favorites::changed, model, [model, say] {
        QStringList titles;
        for (const SonosFavorite &favorite : model->favorites()->list())
            titles << favorite.title;
        say(QCoreApplication::translate("Demo", "Favoris : %1").arg(titles.join(QStringLiteral(", "))));
    });
    QObject::connect(model->history(), &ListeningHistory::changed, model, [model, say] {
        const QList<HistoryEntry> &entries = model->history()->entries();
        if (!entries.isEmpty())
            say(QCoreApplication::translate("Demo", "Historique (%1) : dernier « %2 »").arg(entries.size()).arg(entries.first().title));
    });
    QObject::connect(model->notices(), &Notices::lastActionChanged, model, [model, say] {
        if (model->notices()->lastAction())
            say(QCoreApplication::translate("Demo", "Confirmation : %1").arg(*model->notices()->lastAction()));
    });
    QObject::connect(model->notices(), &Notices::errorMessageChanged, model, [model, say] {
        if (model->notices()->errorMessage())
            say(QCoreApplication::translate("Demo", "Message : %1").arg(*model->notices()->errorMessage()));
    });
}

} // namespace

QCoro::Task<int> runHeadlessDemo()
{
    QTextStream out(stdout);
    // A profile of its own: the demo never touches the user's settings, history or token.
    QTemporaryDir profile;
    qputenv("CORVANE_PROFILE", profile.path().toUtf8());
    qputenv("CORVANE_LOOPBACK_ONLY", "1");

    sim::SimHousehold household(sim::randomLoopbackPrefix());
    sim::SimWebServices web;
    if (!household.startDefault() || !web.start()) {
        QTextStream(stderr) << QCoreApplication::translate("Demo", "Impossible d'ouvrir les adresses de la maison simulée (%1.x:1400).").arg(household.prefix())
                            << Qt::endl;
        co_return 1;
    }
    SonosDiscovery::setForcedNetwork(household.network());
    // Every origin at the simulator: the demo stays on the loopback network.
    qputenv("CORVANE_LOGO_ORIGIN", web.origin().resolved(QUrl(QStringLiteral("/logos/"))).toEncoded());
    qputenv("CORVANE_RADIO_ORIGIN", web.origin().toEncoded());
    qputenv("CORVANE_UPDATE_ORIGIN", web.origin().toEncoded());
    {
        Preferences preferences;
        preferences.setHasEverFoundSpeaker(true);
        preferences.setPreferredSpeakerUUID(household.speaker(QStringLiteral("Salon"))->config().uuid);
        preferences.sync();
    }
    UserTokenStore store(false);
    co_await store.write(QString::fromLatin1(sim::SimWebServices::userToken));
    auto music = std::make_shared<WebMusicService>(
        WebMusicService::Settings{web.origin(), sim::SimWebServices::developerToken, {}, {}}, store);
    co_await music->load();

    out << QCoreApplication::translate("Demo", "Maison simulée sur %1.0/24, services web sur %2").arg(household.prefix(), web.origin().toString())
        << Qt::endl;
    {
        CorvaneModel model(CorvaneModel::Services{music, web.origin(), web.origin(), QStringLiteral("fr")});
        watch(&model, &out);

        out << QCoreApplication::translate("Demo", "Recherche des enceintes…") << Qt::endl;
        co_await model.household()->discoveryRun();
        co_await sleep(Millis(600));

        out << QCoreApplication::translate("Demo", "Lecture d'un morceau du catalogue…") << Qt::endl;
        const Track song{QStringLiteral("1609934412"), QStringLiteral("Néons sur la Loire"), QStringLiteral("Odile Ravanel"),
                         QStringLiteral("Villes de nuit"), web.origin().toString() + QStringLiteral("/art/1609934412/100x100bb.jpg"),
                         201000};
        co_await model.playback()->playSong(song);
        const Track next{QStringLiteral("1609934420"), QStringLiteral("Minuit moins le quart"), QStringLiteral("Odile Ravanel"),
                         QStringLiteral("Villes de nuit"), std::nullopt, 176000};
        co_await model.queue()->addTrack(next);

        out << QCoreApplication::translate("Demo", "La cuisine rejoint le salon…") << Qt::endl;
        co_await model.household()->toggleMembership(household.speaker(QStringLiteral("Cuisine"))->speaker());
        co_await model.playback()->changeSleepTimer(30);
        co_await sleep(Millis(2500));
    }
    QThreadPool::globalInstance()->waitForDone();
    SonosDiscovery::setForcedNetwork(QString());
    out << QCoreApplication::translate("Demo", "Fin de la démonstration.") << Qt::endl;
    co_return 0;
}

} // namespace corvane
