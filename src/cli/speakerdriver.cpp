#include "speakerdriver.h"

#include "applemusic/publiccatalog.h"
#include "base/configuration.h"
#include "base/corvaneerror.h"
#include "base/text.h"
#include "sonos/sonoscontroller.h"
#include "sonos/sonosdiscovery.h"

#include <QCoreApplication>
#include <QHostAddress>

namespace corvane {

namespace {

QString clock(int seconds)
{
    if (seconds >= 3600)
        return QString::asprintf("%d:%02d:%02d", seconds / 3600, (seconds / 60) % 60, seconds % 60);
    return QString::asprintf("%d:%02d", seconds / 60, seconds % 60);
}

QString yesNo(bool value)
{
    return value ? QCoreApplication::translate("SpeakerDriver", "oui") : QCoreApplication::translate("SpeakerDriver", "non");
}

std::optional<bool> onOff(const QString &text)
{
    if (text == QLatin1String("on"))
        return true;
    if (text == QLatin1String("off"))
        return false;
    return std::nullopt;
}

std::optional<int> integer(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

CommandResult usageError(const QString &why)
{
    return CommandResult{2, {}, why + QLatin1Char('\n') + speakerCommandUsage()};
}

// The value of a read already started, or a default with its failure kept (the first one).
template<typename T>
QCoro::Task<T> settled(QCoro::Task<T> task, std::exception_ptr *failure)
{
    T value{};
    try {
        value = co_await task;
    } catch (...) {
        if (!*failure)
            *failure = std::current_exception();
    }
    co_return value;
}

// The group's sleep timer: a member refuses the question (800), its coordinator answers it.
QCoro::Task<std::optional<int>> groupSleepTimer(SonosController controller)
{
    try {
        const std::optional<int> left = co_await controller.sleepTimerRemaining();
        co_return left;
    } catch (const CorvaneError &error) {
        if (!error.isRefusal(QLatin1String("800")))
            throw;
    }
    const std::optional<Speaker> coordinator = co_await controller.coordinatorOf(controller.speaker().ip);
    if (!coordinator || coordinator->ip == controller.speaker().ip)
        throw CorvaneError::sonosRefused(QStringLiteral("800"));
    const std::optional<int> left = co_await SonosController(*coordinator).sleepTimerRemaining();
    co_return left;
}

QCoro::Task<QString> status(SonosController controller, bool plain)
{
    // Every read goes out at once; each is awaited to its end before the first failure is
    // reported, so none is left running.
    QCoro::Task<std::optional<Speaker>> describing = SonosDiscovery::probe(controller.speaker().ip);
    QCoro::Task<NowPlaying> reading = controller.nowPlaying();
    QCoro::Task<int> volumeRead = controller.volume();
    QCoro::Task<bool> muteRead = controller.isMuted();
    QCoro::Task<Equalizer> equalizerRead = controller.equalizer();
    QCoro::Task<std::optional<PlayMode>> modeRead = controller.playMode();
    QCoro::Task<std::optional<int>> sleepRead = groupSleepTimer(controller);
    QCoro::Task<std::optional<BatteryStatus>> batteryRead = controller.batteryStatus();

    std::exception_ptr failure;
    // Room and model from the device description; the address alone when it cannot be read.
    const std::optional<Speaker> described = co_await describing;
    const Speaker speaker = described.value_or(controller.speaker());
    const NowPlaying now = co_await settled(std::move(reading), &failure);
    const int volume = co_await settled(std::move(volumeRead), &failure);
    const bool muted = co_await settled(std::move(muteRead), &failure);
    const Equalizer eq = co_await settled(std::move(equalizerRead), &failure);
    const std::optional<PlayMode> mode = co_await settled(std::move(modeRead), &failure);
    const std::optional<int> sleep = co_await settled(std::move(sleepRead), &failure);
    const std::optional<BatteryStatus> battery = co_await settled(std::move(batteryRead), &failure);
    if (failure)
        std::rethrow_exception(failure);

    QStringList lines;
    if (plain) {
        const auto add = [&lines](const char *key, const QString &value) {
            lines << QString::fromLatin1(key) + QLatin1Char('=') + value;
        };
        add("room", speaker.roomName);
        add("model", speaker.model);
        add("title", now.title);
        add("artist", now.artist);
        add("album", now.album);
        add("track", now.queueIndex ? QString::number(*now.queueIndex) : QString());
        add("elapsed", QString::number(now.elapsed));
        add("duration", QString::number(now.duration));
        add("playing", now.isPlaying ? QStringLiteral("1") : QStringLiteral("0"));
        add("volume", QString::number(volume));
        add("muted", muted ? QStringLiteral("1") : QStringLiteral("0"));
        add("bass", QString::number(eq.bass));
        add("treble", QString::number(eq.treble));
        add("loudness", eq.loudness ? QStringLiteral("1") : QStringLiteral("0"));
        add("mode", mode ? playModeText(*mode) : QString());
        add("sleep", sleep ? QString::number(*sleep) : QString());
        add("battery", battery ? QString::number(battery->level) : QString());
        add("charging", battery && battery->charging ? QStringLiteral("1") : QStringLiteral("0"));
        co_return lines.join(QLatin1Char('\n'));
    }

    const QString name = speaker.roomName.isEmpty() ? speaker.ip : speaker.roomName;
    lines << QCoreApplication::translate("SpeakerDriver", "Enceinte : %1 (%2, %3)").arg(name, speaker.model, speaker.ip);
    if (now.isEmpty())
        lines << QCoreApplication::translate("SpeakerDriver", "Lecture : source sans titre (entrée ligne ou flux)");
    else
        lines << QCoreApplication::translate("SpeakerDriver", "Lecture : %1").arg(now.title + (now.artist.isEmpty() ? QString() : QStringLiteral(" — ") + now.artist));
    if (!now.album.isEmpty())
        lines << QCoreApplication::translate("SpeakerDriver", "Album : %1").arg(now.album);
    QString position = clock(now.elapsed);
    if (now.duration > 0)
        position += QStringLiteral(" / ") + clock(now.duration);
    if (now.queueIndex)
        position = QCoreApplication::translate("SpeakerDriver", "%1 (piste %2)").arg(position).arg(*now.queueIndex);
    lines << QCoreApplication::translate("SpeakerDriver", "Position : %1").arg(position);
    lines << QCoreApplication::translate("SpeakerDriver", "État : %1").arg(now.isPlaying ? QCoreApplication::translate("SpeakerDriver", "en lecture")
                                                             : QCoreApplication::translate("SpeakerDriver", "à l'arrêt ou en pause"));
    lines << (muted ? QCoreApplication::translate("SpeakerDriver", "Volume : %1 (muet)") : QCoreApplication::translate("SpeakerDriver", "Volume : %1")).arg(volume);
    lines << QCoreApplication::translate("SpeakerDriver", "Graves : %1 · Aigus : %2 · Loudness : %3")
                 .arg(eq.bass)
                 .arg(eq.treble)
                 .arg(eq.loudness ? QCoreApplication::translate("SpeakerDriver", "activée") : QCoreApplication::translate("SpeakerDriver", "désactivée"));
    if (mode) {
        const RepeatState repeat = playModeRepeat(*mode);
        const QString repeatText = repeat == RepeatState::Off ? QCoreApplication::translate("SpeakerDriver", "non")
            : repeat == RepeatState::All                      ? QCoreApplication::translate("SpeakerDriver", "tout")
                                                              : QCoreApplication::translate("SpeakerDriver", "un morceau");
        lines << QCoreApplication::translate("SpeakerDriver", "Mode : %1 (aléatoire : %2, répétition : %3)")
                     .arg(playModeText(*mode), yesNo(playModeShuffles(*mode)), repeatText);
    } else {
        lines << QCoreApplication::translate("SpeakerDriver", "Mode : inconnu");
    }
    lines << (sleep ? QCoreApplication::translate("SpeakerDriver", "Arrêt programmé : dans %1 min").arg(*sleep)
                    : QCoreApplication::translate("SpeakerDriver", "Arrêt programmé : aucun"));
    if (battery)
        lines << (battery->charging ? QCoreApplication::translate("SpeakerDriver", "Batterie : %1 % (en charge)") : QCoreApplication::translate("SpeakerDriver", "Batterie : %1 %")).arg(battery->level);

    co_return lines.join(QLatin1Char('\n'));
}

// "song:123" or "album:456": a catalogue item, played on the group the speaker belongs to with
// the household's own Apple Music account. Its name comes from the public catalogue; when that
// cannot be asked, the speaker still plays it, named by its id.
QCoro::Task<CommandResult> playCatalogueItem(SonosController member, QString item)
{
    const QString kind = item.section(QLatin1Char(':'), 0, 0);
    const QString id = item.section(QLatin1Char(':'), 1);
    bool digits = !id.isEmpty();
    for (const QChar c : id)
        digits = digits && c.isDigit();
    if ((kind != QLatin1String("song") && kind != QLatin1String("album")) || !digits)
        co_return usageError(QCoreApplication::translate("SpeakerDriver", "Indiquez song:<identifiant> ou album:<identifiant>, par exemple song:1440818839."));

    const std::optional<Speaker> coordinator = co_await member.coordinatorOf(member.speaker().ip);
    if (!coordinator)
        co_return CommandResult{1, {}, QCoreApplication::translate("SpeakerDriver", "Cette enceinte ne dit pas à quel groupe elle appartient : réessayez dans un instant.")};
    const SonosController leader(*coordinator);
    const AppleMusicLink link = co_await leader.appleMusicLink();

    PublicCatalog catalogue(Configuration::itunesSearchOrigin(), Configuration::catalogCountry());
    const QString room = coordinator->roomName;
    if (kind == QLatin1String("song")) {
        std::optional<Track> song = co_await catalogue.song(id);
        if (!song)
            song = Track{id, QCoreApplication::translate("SpeakerDriver", "Morceau %1").arg(id), QString(), QString(), std::nullopt, std::nullopt};
        co_await leader.playTrack(*song, link);
        co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Lecture de « %1 » dans « %2 ».").arg(song->title, room), {}};
    }
    const std::optional<Album> album = co_await catalogue.album(id);
    const QString title = album ? album->title : QCoreApplication::translate("SpeakerDriver", "Album %1").arg(id);
    const std::optional<int> added = co_await leader.playContainer(QStringLiteral("album"), id, title, link);
    if (!added) {
        // The speaker took the album as nothing: its songs, one by one.
        const QList<Track> songs = co_await catalogue.albumTracks(id);
        if (songs.isEmpty())
            co_return CommandResult{1, {}, QCoreApplication::translate("SpeakerDriver", "L'enceinte n'a pas accepté l'album %1, et le catalogue n'en donne pas les morceaux.").arg(id)};
        co_await leader.playAll(songs, link);
    }
    co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Lecture de l'album « %1 » dans « %2 ».").arg(title, room), {}};
}

QCoro::Task<CommandResult> listAlarms(const SonosController &c)
{
    const AlarmList list = co_await c.alarms();
    if (list.alarms.isEmpty())
        co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Aucun réveil sur ce système Sonos."), {}};
    // Rooms are named from the household's groups, in one request.
    QHash<QString, QString> rooms;
    try {
        QCoro::Task<QList<SonosGroup>> read = c.zoneGroupsWithoutModels();
        const QList<SonosGroup> groups = co_await read;
        for (const SonosGroup &group : groups) {
            for (const Speaker &member : group.members)
                rooms.insert(member.uuid, member.roomName);
        }
    } catch (const CorvaneError &) {
        // The alarms are listed all the same, with their rooms' identifiers.
    }
    QStringList lines{QCoreApplication::translate("SpeakerDriver", "Réveils :")};
    for (const Alarm &alarm : list.alarms) {
        //: One alarm: ID, time, days, room, on or off, volume, what plays
        lines << QCoreApplication::translate("SpeakerDriver", "  %1  %2  %3  %4  %5  volume %6  %7")
                     .arg(alarm.id, shortTime(alarm.startTime), describeRecurrence(alarm.recurrence),
                          rooms.value(alarm.roomUUID, alarm.roomUUID),
                          alarm.isEnabled() ? QCoreApplication::translate("SpeakerDriver", "activé") : QCoreApplication::translate("SpeakerDriver", "désactivé"),
                          QString::number(alarm.volumeLevel()), describeProgram(alarm));
    }
    co_return CommandResult{0, lines.join(QLatin1Char('\n')), {}};
}

QCoro::Task<CommandResult> changeAlarm(const SonosController &c, QString id, QString action)
{
    const bool on = action == QLatin1String("on");
    const bool off = action == QLatin1String("off");
    const bool remove = action == QLatin1String("delete");
    if (id.isEmpty() || (!on && !off && !remove))
        co_return usageError(QCoreApplication::translate("SpeakerDriver", "Indiquez l'identifiant du réveil puis on, off ou delete."));
    // The alarm as it stands now: every other field goes back exactly as it was read.
    const AlarmList list = co_await c.alarms();
    std::optional<Alarm> alarm;
    for (const Alarm &a : list.alarms) {
        if (a.id == id)
            alarm = a;
    }
    if (!alarm)
        co_return CommandResult{1, {}, QCoreApplication::translate("SpeakerDriver", "Aucun réveil n'a l'identifiant « %1 » ; « corvane speaker <adresse> alarms » les liste.").arg(id)};
    if (remove) {
        co_await c.destroyAlarm(id);
        co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Réveil %1 supprimé.").arg(id), {}};
    }
    alarm->enabled = on ? QStringLiteral("1") : QStringLiteral("0");
    co_await c.updateAlarm(*alarm);
    co_return CommandResult{0, (on ? QCoreApplication::translate("SpeakerDriver", "Réveil %1 activé.") : QCoreApplication::translate("SpeakerDriver", "Réveil %1 désactivé.")).arg(id), {}};
}

} // namespace

QString describeGroups(const QList<SonosGroup> &groups)
{
    QStringList lines;
    for (const SonosGroup &group : groups) {
        QStringList rooms;
        for (const Speaker &member : group.members)
            rooms << QStringLiteral("%1 (%2, %3)").arg(member.roomName, member.model, member.ip);
        //: A group and its rooms
        lines << QCoreApplication::translate("SpeakerDriver", "  %1 : %2").arg(group.displayName(), rooms.join(QStringLiteral(", ")));

    }
    return lines.join(QLatin1Char('\n'));
}

QString speakerCommandUsage()
{
    return QCoreApplication::translate("SpeakerDriver", "Usage : corvane speaker <adresse IPv4> <commande> [valeur]\n"
        "Commandes :\n"
        "  status [--plain]     ce que joue l'enceinte, volume, son, mode, minuterie, batterie\n"
        "  play | pause | next | previous\n"
        "  play song:<id> | album:<id>\n"
        "                       joue ce morceau ou cet album du catalogue Apple Music dans le groupe\n"
        "  seek <secondes>      position dans le morceau\n"
        "  volume <0-100>\n"
        "  group-volume [0-100] volume du groupe de l'enceinte ; sans valeur, le lit\n"
        "  mute on|off\n"
        "  bass <-10..10>       graves\n"
        "  treble <-10..10>     aigus\n"
        "  loudness on|off\n"
        "  mode <MODE>          NORMAL, REPEAT_ALL, REPEAT_ONE, SHUFFLE, SHUFFLE_NOREPEAT\n"
        "  sleep [minutes]      arrêt programmé ; sans valeur ou 0, l'annule\n"
        "  groups               les groupes de la maison et leurs pièces\n"
        "  join <pièce>         rejoint le groupe de cette pièce\n"
        "  leave                quitte son groupe\n"
        "  favorites            les favoris Sonos\n"
        "  alarms               les réveils de la maison\n"
        "  alarm <ID> on|off|delete\n"
        "                       active, désactive ou supprime ce réveil");
}

QCoro::Task<CommandResult> runSpeakerCommand(QStringList arguments)
{
    if (arguments.size() < 2)
        co_return usageError(QCoreApplication::translate("SpeakerDriver", "Il manque l'adresse de l'enceinte ou la commande."));
    // Four numbers, as people write an address: Qt would also take "192.168.1" (as 192.168.0.1),
    // and a typo would then reach another device.
    const QHostAddress address(arguments.at(0));
    if (address.isNull() || address.protocol() != QAbstractSocket::IPv4Protocol || arguments.at(0).count(QLatin1Char('.')) != 3)
        co_return usageError(QCoreApplication::translate("SpeakerDriver", "« %1 » n'est pas une adresse IPv4.").arg(arguments.at(0)));
    const QString command = arguments.at(1);
    const QString value = arguments.value(2);
    const qsizetype allowed = command == QLatin1String("alarm") ? 4 : 3;
    if (command != QLatin1String("join") && arguments.size() > allowed)
        co_return usageError(QCoreApplication::translate("SpeakerDriver", "Trop d'arguments pour « %1 ».").arg(command));
    const SonosController c(Speaker{QString(), address.toString(), QString(), QStringLiteral("Sonos")});

    try {
        if (command == QLatin1String("status")) {
            const bool plain = value == QLatin1String("--plain");
            const QString text = co_await status(c, plain);
            co_return CommandResult{0, text, {}};
        }
        if (command == QLatin1String("play") && !value.isEmpty()) {
            CommandResult result = co_await playCatalogueItem(c, value);
            co_return result;
        }
        if (command == QLatin1String("play")) {
            co_await c.play();
            co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Lecture lancée."), {}};
        }
        if (command == QLatin1String("pause")) {
            co_await c.pause();
            co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Lecture en pause."), {}};
        }
        if (command == QLatin1String("next")) {
            co_await c.next();
            co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Morceau suivant."), {}};
        }
        if (command == QLatin1String("previous")) {
            co_await c.previous();
            co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Morceau précédent."), {}};
        }
        if (command == QLatin1String("seek")) {
            const auto seconds = integer(value);
            if (!seconds || *seconds < 0)
                co_return usageError(QCoreApplication::translate("SpeakerDriver", "Indiquez une position en secondes (0 ou plus)."));
            co_await c.seek(*seconds);
            co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Position : %1.").arg(SonosController::seekTarget(*seconds)), {}};
        }
        if (command == QLatin1String("volume")) {
            const auto level = integer(value);
            if (!level)
                co_return usageError(QCoreApplication::translate("SpeakerDriver", "Indiquez un volume entre 0 et 100."));
            co_await c.setVolume(*level);
            co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Volume réglé à %1.").arg(std::clamp(*level, 0, 100)), {}};
        }
        if (command == QLatin1String("group-volume")) {
            std::optional<int> level;
            if (!value.isEmpty()) {
                level = integer(value);
                if (!level || *level < 0 || *level > 100)
                    co_return usageError(QCoreApplication::translate("SpeakerDriver", "Indiquez un volume entre 0 et 100."));
            }
            // The group this speaker belongs to, whichever room leads it.
            const std::optional<Speaker> leader = co_await c.coordinatorOf(address.toString());
            const SonosController group(leader.value_or(c.speaker()));
            if (!level) {
                const int volume = co_await group.groupVolume();
                co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Volume du groupe : %1").arg(volume), {}};
            }
            co_await group.snapshotGroupVolume();
            co_await group.setGroupVolume(*level);
            co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Volume du groupe réglé à %1.").arg(*level), {}};
        }
        if (command == QLatin1String("alarms")) {
            CommandResult result = co_await listAlarms(c);
            co_return result;
        }
        if (command == QLatin1String("alarm")) {
            CommandResult result = co_await changeAlarm(c, value, arguments.value(3));
            co_return result;
        }
        if (command == QLatin1String("mute") || command == QLatin1String("loudness")) {
            const auto flag = onOff(value);
            if (!flag)
                co_return usageError(QCoreApplication::translate("SpeakerDriver", "Indiquez on ou off."));
            if (command == QLatin1String("mute")) {
                co_await c.setMuted(*flag);
                co_return CommandResult{0, *flag ? QCoreApplication::translate("SpeakerDriver", "Son coupé.") : QCoreApplication::translate("SpeakerDriver", "Son rétabli."), {}};
            }
            co_await c.setLoudness(*flag);
            co_return CommandResult{0, *flag ? QCoreApplication::translate("SpeakerDriver", "Loudness activée.") : QCoreApplication::translate("SpeakerDriver", "Loudness désactivée."), {}};
        }
        if (command == QLatin1String("bass") || command == QLatin1String("treble")) {
            const auto level = integer(value);
            if (!level)
                co_return usageError(QCoreApplication::translate("SpeakerDriver", "Indiquez une valeur entre -10 et 10."));
            const int clamped = std::clamp(*level, -10, 10);
            if (command == QLatin1String("bass")) {
                co_await c.setBass(*level);
                co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Graves réglés à %1.").arg(clamped), {}};
            }
            co_await c.setTreble(*level);
            co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Aigus réglés à %1.").arg(clamped), {}};
        }
        if (command == QLatin1String("mode")) {
            const auto mode = playModeFromText(value);
            if (!mode)
                co_return usageError(QCoreApplication::translate("SpeakerDriver", "Mode inconnu : « %1 ».").arg(value));
            co_await c.setPlayMode(*mode);
            co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Mode de lecture : %1.").arg(playModeText(*mode)), {}};
        }
        if (command == QLatin1String("sleep")) {
            std::optional<int> minutes;
            if (!value.isEmpty()) {
                minutes = integer(value);
                if (!minutes || *minutes < 0)
                    co_return usageError(QCoreApplication::translate("SpeakerDriver", "Indiquez une durée en minutes (0 ou plus)."));
            }
            co_await c.setSleepTimer(minutes);
            if (!minutes || *minutes < 1)
                co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Arrêt programmé annulé."), {}};
            co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Arrêt programmé dans %1 min.").arg(*minutes), {}};
        }
        if (command == QLatin1String("groups")) {
            const QList<SonosGroup> groups = co_await c.zoneGroups();
            co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Groupes :\n%1").arg(describeGroups(groups)), {}};
        }
        if (command == QLatin1String("leave")) {
            co_await c.leaveGroup();
            co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "L'enceinte joue désormais seule."), {}};
        }
        if (command == QLatin1String("join")) {
            const QString room = arguments.mid(2).join(QLatin1Char(' '));
            if (room.isEmpty())
                co_return usageError(QCoreApplication::translate("SpeakerDriver", "Indiquez la pièce à rejoindre."));
            const QList<SonosGroup> groups = co_await c.zoneGroups();
            std::optional<SonosGroup> target;
            for (const SonosGroup &group : groups) {
                for (const Speaker &member : group.members) {
                    if (member.roomName.compare(room, Qt::CaseInsensitive) == 0)
                        target = group;
                }
            }
            if (!target)
                co_return CommandResult{1, {}, QCoreApplication::translate("SpeakerDriver", "Aucune pièce « %1 » dans cette maison.").arg(room)};
            co_await c.joinGroup(target->coordinatorUUID);
            co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "L'enceinte a rejoint le groupe « %1 ».").arg(target->displayName()), {}};
        }
        if (command == QLatin1String("favorites")) {
            const QList<SonosFavorite> favorites = co_await c.favorites();
            if (favorites.isEmpty())
                co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Aucun favori enregistré sur ce système Sonos."), {}};
            QStringList lines;
            for (const SonosFavorite &favorite : favorites)
                lines << QStringLiteral("  ") + favorite.title;
            co_return CommandResult{0, QCoreApplication::translate("SpeakerDriver", "Favoris :\n%1").arg(lines.join(QLatin1Char('\n')))
, {}};
        }
    } catch (const CorvaneError &error) {
        co_return CommandResult{1, {}, error.message()};
    }
    co_return usageError(QCoreApplication::translate("SpeakerDriver", "Commande inconnue : « %1 ».").arg(command));
}

} // namespace corvane
