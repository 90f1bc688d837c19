#include "demo.h"

#include "simhousehold.h"
#include "base/corvaneerror.h"
#include "sonos/sonoscontroller.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace corvane {

namespace {

QString clock(int seconds)
{
    return QString::asprintf("%d:%02d", seconds / 60, seconds % 60);
}

QString describe(const NowPlaying &now)
{
    const QString state = now.isPlaying ? QStringLiteral("▶") : QStringLiteral("⏸");
    if (now.isEmpty() && now.queueIndex.value_or(0) == 0)
        return QCoreApplication::translate("Demo", "⏹ rien à jouer");
    if (now.isEmpty())
        return state + QCoreApplication::translate("Demo", " source sans titre (entrée ligne)");
    QString text = state + QLatin1Char(' ') + now.title;
    if (!now.artist.isEmpty())
        text += QStringLiteral(" — ") + now.artist;
    if (now.duration > 0)
        text += QStringLiteral(" [%1 / %2]").arg(clock(now.elapsed), clock(now.duration));
    return text;
}

QCoro::Task<> showSpeaker(Speaker speaker, QTextStream *out)
{
    const SonosController controller(speaker);
    const NowPlaying now = co_await controller.nowPlaying();
    const int volume = co_await controller.volume();
    *out << QCoreApplication::translate("Demo", "  %1 (%2, %3) : %4, volume %5")
                .arg(speaker.roomName, speaker.model, speaker.ip, describe(now), QString::number(volume))
         << Qt::endl;
}

} // namespace

QCoro::Task<int> runDemo()
{
    QTextStream out(stdout);
    sim::SimHousehold household(sim::randomLoopbackPrefix());
    if (!household.startDefault()) {
        QTextStream(stderr) << QCoreApplication::translate("Demo", "Impossible d'ouvrir les adresses de la maison simulée (%1.x:1400).").arg(household.prefix())
                            << Qt::endl;
        co_return 1;
    }
    out << QCoreApplication::translate("Demo", "Maison simulée sur %1.0/24 :").arg(household.prefix()) << Qt::endl;
    try {
        for (sim::SimSpeaker *speaker : household.speakers())
            co_await showSpeaker(speaker->speaker(), &out);

        const Speaker salon = household.speaker(QStringLiteral("Salon"))->speaker();
        const SonosController controller(salon);
        out << Qt::endl << QCoreApplication::translate("Demo", "Commandes sur « %1 » :").arg(salon.roomName) << Qt::endl;

        co_await controller.pause();
        NowPlaying now = co_await controller.nowPlaying();
        out << QCoreApplication::translate("Demo", "  pause     → %1").arg(describe(now)) << Qt::endl;

        co_await controller.play();
        now = co_await controller.nowPlaying();
        out << QCoreApplication::translate("Demo", "  lecture   → %1").arg(describe(now)) << Qt::endl;

        co_await controller.next();
        now = co_await controller.nowPlaying();
        out << QCoreApplication::translate("Demo", "  suivant   → %1 (piste %2)").arg(describe(now), QString::number(now.queueIndex.value_or(0)))
            << Qt::endl;

        co_await controller.setVolume(40);
        const int volume = co_await controller.volume();
        out << QCoreApplication::translate("Demo", "  volume 40 → %1").arg(volume) << Qt::endl;
    } catch (const CorvaneError &error) {
        QTextStream(stderr) << error.message() << Qt::endl;
        co_return 1;
    }
    co_return 0;
}

int runSimulator(const QString &prefix, bool crowded)
{
    sim::SimHousehold household(prefix);
    if (!(crowded ? household.startCrowded() : household.startDefault())) {
        QTextStream(stderr) << QCoreApplication::translate("Demo", "Impossible d'ouvrir les adresses %1.x:1400 (déjà utilisées ?). Essayez --prefix 127.78.0.").arg(prefix)
                            << Qt::endl;
        return 1;
    }
    QTextStream out(stdout);
    out << QCoreApplication::translate("Demo", "Maison simulée en marche (Ctrl+C pour l'arrêter).") << Qt::endl;
    for (sim::SimSpeaker *speaker : household.speakers()) {
        const auto &config = speaker->config();
        out << QStringLiteral("  %1\t%2:1400\t%3").arg(config.roomName, config.ip, config.modelName)
            << Qt::endl;
    }
    out << QCoreApplication::translate("Demo", "Réseau à parcourir : CORVANE_NETWORK=%1").arg(household.network()) << Qt::endl;
    return QCoreApplication::exec();
}

} // namespace corvane
