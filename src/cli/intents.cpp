#include "intents.h"

#include "async/delays.h"
#include "async/tasks.h"
#include "base/corvaneerror.h"
#include "base/preferences.h"
#include "base/text.h"
#include "sonos/replies.h"
#include "sonos/sonoscontroller.h"
#include "sonos/sonosdiscovery.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <memory>

namespace corvane {

namespace Intents {

namespace {

struct Reached
{
    Speaker speaker;
    std::optional<Speaker> coordinator;
    std::optional<NowPlaying> current;
    std::optional<bool> playing;
};

// A remembered address, asked for the group state, which names its coordinator. For play and
// pause it is first asked what it plays: a speaker that follows no coordinator leads its own group
// (alone or not), so that one round both finds the target and reads its state.
QCoro::Task<std::optional<Reached>> reachRemembered(QString ip, bool readState,
                                                    std::shared_ptr<QStringList> refusing, CancellationToken token)
{
    const SonosController controller(Speaker{ip, ip, QString(), QStringLiteral("Sonos")}, token);
    // Only for a command that needs neither the speaker's name nor its identity (play and pause):
    // the answer does not tell them.
    if (readState) {
        try {
            const SonosController::Report report = co_await controller.report(true);
            if (!report.followedLeader) {
                const Reached reached{controller.speaker(), std::nullopt, report.now, report.now.isPlaying};
                co_return reached;
            }
        } catch (const CorvaneError &error) {
            if (error.kind() == CorvaneError::Kind::LocalControlDisabled) {
                refusing->append(ip);
                co_return std::nullopt;
            }
            // Anything but a speaker's own refusal means no speaker answers there.
            if (error.kind() != CorvaneError::Kind::SonosRefused)
                co_return std::nullopt;
        }
    }

    QList<SonosGroup> groups;
    bool describe = true;
    try {
        groups = co_await controller.zoneGroupsWithoutModels();
    } catch (const CorvaneError &error) {
        if (error.kind() == CorvaneError::Kind::LocalControlDisabled)
            refusing->append(ip);
        // Anything but a speaker's own refusal means no speaker answers there.
        describe = error.kind() == CorvaneError::Kind::SonosRefused;
    }
    for (const SonosGroup &group : std::as_const(groups)) {
        for (const Speaker &member : group.members) {
            if (member.ip == ip) {
                const Reached reached{member, group.coordinator(), std::nullopt, std::nullopt};
                co_return reached;
            }
        }
    }
    if (!describe)
        co_return std::nullopt;
    // A speaker that will not give the group state, or is not listed in it: its description
    // names it, and it is controlled directly.
    const std::optional<Speaker> described = co_await SonosDiscovery::probe(ip, token);
    if (!described)
        co_return std::nullopt;
    const Reached reached{*described, std::nullopt, std::nullopt, std::nullopt};
    co_return reached;
}

// The same, after the head start given to the most recent address when `waits`.
QCoro::Task<std::optional<Reached>> reachRememberedAfter(QString ip, bool waits, bool readState,
                                                         std::shared_ptr<QStringList> refusing, CancellationToken token)
{
    if (waits) {
        const bool waited = co_await sleep(delays().rememberedHeadStart, token);
        if (!waited)
            co_return std::nullopt;
    }
    std::optional<Reached> reached = co_await reachRemembered(ip, readState, std::move(refusing), token);
    co_return reached;
}

// How many reads, at most, fit in the read delay while a skip takes effect.
constexpr int nextPollSteps = 6;

bool sameTrack(const NowPlaying &a, const NowPlaying &b)
{
    return a.trackID == b.trackID && a.title == b.title && a.artist == b.artist && a.queueIndex == b.queueIndex;
}

} // namespace

QCoro::Task<IntentTarget> resolveTarget(QStringList knownIPs, CancellationToken token, bool readState)
{
    auto refusing = std::make_shared<QStringList>();
    std::optional<Reached> reached;
    knownIPs = SonosDiscovery::rememberable(knownIPs, SonosDiscovery::currentNetwork()).mid(0, 8);
    if (!knownIPs.isEmpty()) {
        std::vector<Racer<Reached>> racers;
        // The most recent address, the room the person last used, gets a head start: when it
        // answers in time, no other speaker hears a thing; otherwise the others are asked too.
        const QString latest = knownIPs.first();
        for (const QString &ip : knownIPs) {
            racers.push_back([ip, waits = ip != latest, readState, refusing](CancellationToken t) {
                return reachRememberedAfter(ip, waits, readState, refusing, t);
            });
        }
        reached = co_await firstResult<Reached>(std::move(racers), token);
    }

    if (!reached) {
        const DiscoveryOutcome found = co_await SonosDiscovery::sweep(token);
        if (!found.speaker) {
            // A host that refuses with 403 is a speaker with local control switched off: say how
            // to switch it on rather than that there is no speaker.
            if (!refusing->isEmpty() || !found.localControlOffHosts.isEmpty())
                throw CorvaneError::localControlDisabled();
            throw CorvaneError::noSpeakers();
        }
        reached = Reached{*found.speaker, std::nullopt};
        const SonosController controller(*found.speaker, token);
        try {
            const QList<SonosGroup> groups = co_await controller.zoneGroupsWithoutModels();
            for (const SonosGroup &group : groups) {
                const bool ours = std::any_of(group.members.cbegin(), group.members.cend(),
                                              [&](const Speaker &m) { return m.uuid == found.speaker->uuid; });
                if (ours) {
                    reached->coordinator = group.coordinator();
                    break;
                }
            }
        } catch (const CorvaneError &) {
            // Without the topology, the speaker found is controlled directly.
        }
    }
    co_return IntentTarget{reached->coordinator.value_or(reached->speaker), std::nullopt, reached->speaker.ip,
                           reached->current, reached->playing};
}

QCoro::Task<QString> playPause(IntentTarget target)
{
    const SonosController controller(target.speaker);
    if (!target.current || !target.playing) {
        const SonosController::Report report = co_await controller.report(true);
        target.current = report.now;
        target.playing = report.now.isPlaying;
    }
    if (*target.playing) {
        co_await controller.pause();
        co_return QCoreApplication::translate("Intents", "En pause.");
    }
    co_await controller.play();
    // A stream is named by its station, which only the media read gives (one more request):
    // what it announced before the pause is no name for what resumes.
    if (target.current->isLive) {
        QString station;
        try {
            const QString media = co_await controller.soap(upnp::avTransport, QStringLiteral("GetMediaInfo"),
                                                           QStringLiteral("<InstanceID>0</InstanceID>"));
            station = parseStationName(xmlUnescape(xmlUnescape(media)));
        } catch (const CorvaneError &) {
            // It plays: the answer only goes without the name.
        }
        co_return station.isEmpty() ? QCoreApplication::translate("Intents", "Lecture lancée.") : QCoreApplication::translate("Intents", "Lecture de %1.").arg(station);
    }
    if (target.current->title.isEmpty())
        co_return QCoreApplication::translate("Intents", "Lecture lancée.");
    co_return QCoreApplication::translate("Intents", "Lecture de %1.").arg(target.current->title);
}

QCoro::Task<QString> nextTrack(IntentTarget target)
{
    const SonosController controller(target.speaker);
    std::optional<NowPlaying> before = target.current;
    if (!before) {
        try {
            before = co_await controller.currentTrack();
        } catch (const CorvaneError &) {
        }
    }
    co_await controller.next();
    // Answer as soon as the speaker reports another track; the read delay is the longest wait.
    QElapsedTimer waited;
    waited.start();
    const auto limit = delays().intentReadDelay;
    const auto step = limit / nextPollSteps;
    NowPlaying now;
    while (true) {
        co_await sleep(step);
        const bool last = waited.elapsed() >= limit.count();
        if (!before && !last)
            continue; // nothing to compare with: wait the whole delay
        now = co_await controller.currentTrack();
        if (last || !sameTrack(now, *before))
            break;
    }
    if (now.isEmpty())
        co_return QCoreApplication::translate("Intents", "Morceau suivant.");
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
    const QList<SonosFavorite> all = co_await controller.favorites();
    QList<SonosFavorite> playable;
    for (const SonosFavorite &favorite : all) {
        if (!favorite.uri.isEmpty())
            playable.append(favorite);
    }
    if (playable.isEmpty())
        co_return QCoreApplication::translate("Intents", "Aucun favori enregistré sur ce système Sonos.");

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
    co_return QCoreApplication::translate("Intents", "Lecture de %1.").arg(chosen.title);
}

QCoro::Task<QString> sleepTimer(IntentTarget target, int minutes)
{
    const SonosController controller(target.speaker);
    if (minutes < 1) {
        co_await controller.setSleepTimer(std::nullopt);
        co_return QCoreApplication::translate("Intents", "Minuterie annulée.");
    }
    co_await controller.setSleepTimer(minutes);
    co_return QCoreApplication::translate("Intents", "La musique s'arrêtera dans %n minute(s).", nullptr, minutes);
}

std::optional<VolumeChange> parseVolumeChange(const QString &text)
{
    if (text.isEmpty())
        return VolumeChange{};
    static const QRegularExpression pattern(QStringLiteral("^([+-]?)(\\d{1,3})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int amount = match.captured(2).toInt();
    if (amount > 100)
        return std::nullopt;
    const QString sign = match.captured(1);
    if (sign.isEmpty())
        return VolumeChange{amount, false};
    return VolumeChange{sign == QLatin1String("-") ? -amount : amount, true};
}

QCoro::Task<QString> groupVolume(IntentTarget target, VolumeChange change)
{
    const SonosController controller(target.speaker);
    if (!change.amount) {
        const int volume = co_await controller.groupVolume();
        co_return QCoreApplication::translate("Intents", "Volume du groupe : %1.").arg(volume);
    }
    int level = *change.amount;
    if (change.relative) {
        const int volume = co_await controller.groupVolume();
        level += volume;
    }
    level = std::clamp(level, 0, 100);
    // The rooms keep their proportions.
    co_await controller.snapshotGroupVolume();
    co_await controller.setGroupVolume(level);
    co_return QCoreApplication::translate("Intents", "Volume du groupe : %1.").arg(level);
}

} // namespace Intents

namespace {
// Shortcuts start with the remembered addresses: the next run will not need a sweep.
void rememberSpeaker(Preferences &preferences, const QString &ip)
{
    if (ip.isEmpty())
        return;
    QStringList known = preferences.knownSpeakerIPs();
    if (known.value(0) == ip)
        return;
    known.removeAll(ip);
    known.prepend(ip);
    preferences.setKnownSpeakerIPs(SonosDiscovery::rememberable(known, SonosDiscovery::currentNetwork()).mid(0, 8));
    preferences.sync();
}
} // namespace

QCoro::Task<CommandResult> runDiscoverCommand()
{
    Preferences preferences;
    const DiscoveryOutcome found = co_await SonosDiscovery::discover(preferences.knownSpeakerIPs());
    if (!found.speaker) {
        const CorvaneError error = found.localControlOffHosts.isEmpty() ? CorvaneError::noSpeakers()
                                                                         : CorvaneError::localControlDisabled();
        co_return CommandResult{1, {}, error.message()};
    }
    rememberSpeaker(preferences, found.speaker->ip);

    const Speaker &speaker = *found.speaker;
    QString text = QCoreApplication::translate("Intents", "Enceinte trouvée : %1 (%2, %3)").arg(speaker.roomName, speaker.model, speaker.ip);
    try {
        const QList<SonosGroup> groups = co_await SonosController(speaker).zoneGroups();
        text += QCoreApplication::translate("Intents", "\nGroupes :\n%1").arg(describeGroups(groups));
    } catch (const CorvaneError &error) {
        text += QCoreApplication::translate("Intents", "\nLes groupes n'ont pas pu être lus : %1").arg(error.message());
    }
    co_return CommandResult{0, text, {}};
}

bool isIntentCommand(const QString &command)
{
    static const QStringList commands = {"play-pause", "next", "previous", "favorite", "sleep", "volume"};
    return commands.contains(command);
}

QString intentUsage()
{
    return QCoreApplication::translate("Intents", "Usage : corvane <raccourci> [--network adresse/masque]\n"
                          "Raccourcis :\n"
                          "  play-pause         Lecture / Pause\n"
                          "  next               Morceau suivant\n"
                          "  previous           Morceau précédent\n"
                          "  favorite [NOM]     Jouer un favori (le premier dont le titre contient NOM)\n"
                          "  sleep [MINUTES]    Arrêt programmé (30 minutes par défaut, 0 l'annule)\n"
                          "  volume [+N|-N|N]   Volume du groupe : le lit, le monte, le baisse ou le règle (0 à 100)");
}

QCoro::Task<CommandResult> runIntentCommand(QStringList arguments)
{
    const QString command = arguments.value(0);
    const QStringList rest = arguments.mid(1);
    const auto usage = [](const QString &why) { return CommandResult{2, {}, why + QLatin1Char('\n') + intentUsage()}; };

    int minutes = 30;
    Intents::VolumeChange volume;
    if (command == QLatin1String("volume")) {
        const std::optional<Intents::VolumeChange> change = Intents::parseVolumeChange(rest.value(0));
        if (!change || rest.size() > 1)
            co_return usage(QCoreApplication::translate("Intents", "Indiquez un volume de 0 à 100, ou un écart comme +5 ou -5."));
        volume = *change;
    } else if (command == QLatin1String("sleep") && !rest.isEmpty()) {
        bool ok = false;
        minutes = rest.first().toInt(&ok, 10);
        if (!ok || rest.size() > 1)
            co_return usage(QCoreApplication::translate("Intents", "Indiquez une durée en minutes, par exemple : corvane sleep 45."));
    } else if (command != QLatin1String("favorite") && !rest.isEmpty()) {
        co_return usage(QCoreApplication::translate("Intents", "« %1 » ne prend pas d'argument.").arg(command));
    }

    try {
        Preferences preferences;
        const IntentTarget target = co_await Intents::resolveTarget(preferences.knownSpeakerIPs(), {},
                                                                    command == QLatin1String("play-pause"));
        rememberSpeaker(preferences, target.answeringIP);
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
        else if (command == QLatin1String("volume"))
            answer = co_await Intents::groupVolume(target, volume);
        else
            co_return usage(QCoreApplication::translate("Intents", "Raccourci inconnu : « %1 ».").arg(command));
        co_return CommandResult{0, answer, {}};
    } catch (const CorvaneError &error) {
        co_return CommandResult{1, {}, error.message()};
    }
}

} // namespace corvane
