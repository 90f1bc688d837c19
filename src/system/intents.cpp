#include "intents.h"

#include "async/tasks.h"
#include "sonos/corvaneerror.h"
#include "sonos/sonoscontroller.h"
#include "sonos/sonosdiscovery.h"
#include "sonos/text.h"
#include "storage/preferences.h"

namespace corvane {

namespace Intents {

QCoro::Task<IntentTarget> resolveTarget(QStringList knownIPs, CancellationToken token)
{
    const DiscoveryOutcome found = co_await SonosDiscovery::discover(knownIPs, token);
    if (!found.speaker) {
        // A host that refuses with 403 is a speaker with local control switched off: say how
        // to switch it on rather than that there is no speaker.
        if (!found.localControlOffHosts.isEmpty())
            throw CorvaneError::localControlDisabled();
        throw CorvaneError::noSpeakers();
    }

    IntentTarget target{*found.speaker, std::nullopt};
    try {
        const QList<SonosGroup> groups = co_await SonosController(*found.speaker, token).zoneGroups();
        for (const SonosGroup &group : groups) {
            const bool ours = std::any_of(group.members.cbegin(), group.members.cend(),
                                          [&](const Speaker &m) { return m.uuid == found.speaker->uuid; });
            if (!ours)
                continue;
            if (const auto coordinator = group.coordinator())
                target.speaker = *coordinator;
            break;
        }
    } catch (const CorvaneError &) {
        // Without the topology, the speaker found is controlled directly.
    }
    try {
        const AppleMusicLink link = co_await SonosController(target.speaker, token).appleMusicLink();
        target.link = link;
    } catch (const CorvaneError &) {
    }
    co_return target;
}

QCoro::Task<QString> playPause(IntentTarget target)
{
    const SonosController controller(target.speaker);
    const NowPlaying now = co_await controller.nowPlaying();
    if (now.isPlaying) {
        co_await controller.pause();
        co_return QStringLiteral("En pause.");
    }
    co_await controller.play();
    if (now.isEmpty())
        co_return QStringLiteral("Lecture lancée.");
    co_return QStringLiteral("Lecture de ") + now.title + QLatin1Char('.');
}

QCoro::Task<QString> nextTrack(IntentTarget target)
{
    const SonosController controller(target.speaker);
    co_await controller.next();
    co_await sleep(delays().intentReadDelay);
    const NowPlaying now = co_await controller.nowPlaying();
    if (now.isEmpty())
        co_return QStringLiteral("Morceau suivant.");
    co_return now.title + QStringLiteral(", ") + now.artist + QLatin1Char('.');
}

QCoro::Task<> previousTrack(IntentTarget target)
{
    co_await SonosController(target.speaker).previous();
}

QString fold(const QString &text)
{
    return foldCaseAndAccents(text).trimmed();
}

QCoro::Task<QString> playFavorite(IntentTarget target, QString name)
{
    const SonosController controller(target.speaker);
    const QList<SonosFavorite> all = co_await controller.favorites(100);
    QList<SonosFavorite> playable;
    for (const SonosFavorite &favorite : all) {
        if (!favorite.uri.isEmpty())
            playable.append(favorite);
    }
    if (playable.isEmpty())
        co_return QStringLiteral("Aucun favori enregistré sur ce système Sonos.");

    SonosFavorite chosen = playable.first();
    const QString wanted = fold(name);
    if (!wanted.isEmpty()) {
        for (const SonosFavorite &favorite : playable) {
            if (fold(favorite.title).contains(wanted)) {
                chosen = favorite;
                break;
            }
        }
    }
    co_await controller.playFavorite(chosen);
    co_return QStringLiteral("Lecture de ") + chosen.title + QLatin1Char('.');
}

QCoro::Task<QString> sleepTimer(IntentTarget target, int minutes)
{
    const SonosController controller(target.speaker);
    if (minutes < 1) {
        co_await controller.setSleepTimer(std::nullopt);
        co_return QStringLiteral("Minuterie annulée.");
    }
    co_await controller.setSleepTimer(minutes);
    co_return QStringLiteral("La musique s'arrêtera dans ") + QString::number(minutes)
        + (minutes == 1 ? QStringLiteral(" minute.") : QStringLiteral(" minutes."));
}

} // namespace Intents

QCoro::Task<CommandResult> runDiscoverCommand()
{
    Preferences preferences;
    const DiscoveryOutcome found = co_await SonosDiscovery::discover(preferences.knownSpeakerIPs());
    if (!found.speaker) {
        const CorvaneError error = found.localControlOffHosts.isEmpty() ? CorvaneError::noSpeakers()
                                                                         : CorvaneError::localControlDisabled();
        co_return CommandResult{1, {}, error.message()};
    }
    // Shortcuts start with the remembered addresses: the next ones will not need a sweep.
    QStringList known = preferences.knownSpeakerIPs();
    known.removeAll(found.speaker->ip);
    known.prepend(found.speaker->ip);
    preferences.setKnownSpeakerIPs(known.mid(0, 8));

    const Speaker &speaker = *found.speaker;
    QString text = QStringLiteral("Enceinte trouvée : %1 (%2, %3)").arg(speaker.roomName, speaker.model, speaker.ip);
    try {
        const QList<SonosGroup> groups = co_await SonosController(speaker).zoneGroups();
        text += QStringLiteral("\nGroupes :\n") + describeGroups(groups);
    } catch (const CorvaneError &error) {
        text += QStringLiteral("\nLes groupes n'ont pas pu être lus : ") + error.message();
    }
    co_return CommandResult{0, text, {}};
}

bool isIntentCommand(const QString &command)
{
    static const QStringList commands = {"play-pause", "next", "previous", "favorite", "sleep"};
    return commands.contains(command);
}

QString intentUsage()
{
    return QStringLiteral("Usage : corvane <raccourci> [--network adresse/masque]\n"
                          "Raccourcis :\n"
                          "  play-pause         Lecture / Pause\n"
                          "  next               Morceau suivant\n"
                          "  previous           Morceau précédent\n"
                          "  favorite [NOM]     Jouer un favori (le premier dont le titre contient NOM)\n"
                          "  sleep [MINUTES]    Arrêt programmé (30 minutes par défaut, 0 l'annule)");
}

QCoro::Task<CommandResult> runIntentCommand(QStringList arguments)
{
    const QString command = arguments.value(0);
    const QStringList rest = arguments.mid(1);
    const auto usage = [](const QString &why) { return CommandResult{2, {}, why + QLatin1Char('\n') + intentUsage()}; };

    int minutes = 30;
    if (command == QLatin1String("sleep") && !rest.isEmpty()) {
        bool ok = false;
        minutes = rest.first().toInt(&ok, 10);
        if (!ok || rest.size() > 1)
            co_return usage(QStringLiteral("Indiquez une durée en minutes, par exemple : corvane sleep 45."));
    } else if (command != QLatin1String("favorite") && !rest.isEmpty()) {
        co_return usage(QStringLiteral("« %1 » ne prend pas d'argument.").arg(command));
    }

    try {
        const IntentTarget target = co_await Intents::resolveTarget(Preferences().knownSpeakerIPs());
        QString answer;
        if (command == QLatin1String("play-pause"))
            answer = co_await Intents::playPause(target);
        else if (command == QLatin1String("next"))
            answer = co_await Intents::nextTrack(target);
        else if (command == QLatin1String("previous"))
            co_await Intents::previousTrack(target);
        else if (command == QLatin1String("favorite"))
            answer = co_await Intents::playFavorite(target, rest.join(QLatin1Char(' ')));
        else if (command == QLatin1String("sleep"))
            answer = co_await Intents::sleepTimer(target, minutes);
        else
            co_return usage(QStringLiteral("Raccourci inconnu : « %1 ».").arg(command));
        co_return CommandResult{0, answer, {}};
    } catch (const CorvaneError &error) {
        co_return CommandResult{1, {}, error.message()};
    }
}

} // namespace corvane
