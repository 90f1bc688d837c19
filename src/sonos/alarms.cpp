// The household's alarms and the group's volume, as SonosController sends them.
#include "alarms.h"

#include "replies.h"
#include "sonoscontroller.h"

#include "base/text.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTime>
#include <QXmlStreamReader>

#include <algorithm>

namespace corvane {

namespace {

const QString kInstance = QStringLiteral("<InstanceID>0</InstanceID>");

// "hh:mm" or "hh:mm:ss" with hours below 24 (or any hours for a duration).
std::optional<int> minutesOf(const QString &text, bool timeOfDay)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    bool okHours = false;
    bool okMinutes = false;
    const int hours = parts.at(0).toInt(&okHours);
    const int minutes = parts.at(1).toInt(&okMinutes);
    if (!okHours || !okMinutes || hours < 0 || minutes < 0 || minutes > 59 || (timeOfDay && hours > 23) || hours > 999)
        return std::nullopt;
    return hours * 60 + minutes;
}

// The speaker's element text in a SOAP reply, unescaped once by the reader.
QString replyValue(const QString &reply, QLatin1StringView name)
{
    QXmlStreamReader xml(reply);
    while (!xml.atEnd() && !xml.hasError()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == name)
            return xml.readElementText(QXmlStreamReader::SkipChildElements);
    }
    return {};
}

} // namespace

int Alarm::volumeLevel() const
{
    bool ok = false;
    const int level = volume.trimmed().toInt(&ok);
    return ok ? std::clamp(level, 0, 100) : 0;
}

std::optional<int> Alarm::startMinutes() const
{
    return minutesOf(startTime, true);
}

std::optional<int> Alarm::durationMinutes() const
{
    return minutesOf(duration, false);
}

QList<Alarm> parseAlarms(const QString &document)
{
    QList<Alarm> alarms;
    QXmlStreamReader xml(document);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("Alarms"))
        return {};
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("Alarm")) {
            xml.skipCurrentElement();
            continue;
        }
        const QXmlStreamAttributes attributes = xml.attributes();
        const auto take = [&attributes](const char *name, QString &field) {
            const QString key = QLatin1String(name);
            if (attributes.hasAttribute(key))
                field = attributes.value(key).toString();
            else
                field.clear();
        };
        Alarm alarm;
        take("ID", alarm.id);
        take("StartTime", alarm.startTime);
        take("Duration", alarm.duration);
        take("Recurrence", alarm.recurrence);
        take("Enabled", alarm.enabled);
        take("RoomUUID", alarm.roomUUID);
        take("ProgramURI", alarm.programURI);
        take("ProgramMetaData", alarm.programMetaData);
        take("PlayMode", alarm.playMode);
        take("Volume", alarm.volume);
        take("IncludeLinkedZones", alarm.includeLinkedZones);
        xml.skipCurrentElement();
        if (!alarm.id.isEmpty())
            alarms.append(std::move(alarm));
    }
    while (!xml.atEnd() && !xml.hasError())
        xml.readNext();
    // A damaged list shows nothing rather than part of it: an alarm missing from it would look
    // deleted.
    return xml.hasError() ? QList<Alarm>{} : alarms;
}

AlarmList parseAlarmList(const QString &reply)
{
    AlarmList list;
    list.version = replyValue(reply, QLatin1StringView("CurrentAlarmListVersion"));
    list.alarms = parseAlarms(replyValue(reply, QLatin1StringView("CurrentAlarmList")));
    return list;
}

QString alarmArguments(const Alarm &alarm, bool withID)
{
    QString body;
    const auto add = [&body](const char *name, const QString &value) {
        body += QLatin1Char('<') + QLatin1String(name) + QLatin1Char('>') + xmlEscape(value) + QStringLiteral("</")
            + QLatin1String(name) + QLatin1Char('>');
    };
    if (withID)
        add("ID", alarm.id);
    add("StartLocalTime", alarm.startTime);
    add("Duration", alarm.duration);
    add("Recurrence", alarm.recurrence);
    add("Enabled", alarm.enabled);
    add("RoomUUID", alarm.roomUUID);
    add("ProgramURI", alarm.programURI);
    add("ProgramMetaData", alarm.programMetaData);
    add("PlayMode", alarm.playMode);
    add("Volume", alarm.volume);
    add("IncludeLinkedZones", alarm.includeLinkedZones);
    return body;
}

std::optional<QList<int>> recurrenceDays(const QString &recurrence)
{
    if (recurrence == QLatin1String("DAILY"))
        return QList<int>{0, 1, 2, 3, 4, 5, 6};
    if (recurrence == QLatin1String("WEEKDAYS"))
        return QList<int>{1, 2, 3, 4, 5};
    if (recurrence == QLatin1String("WEEKENDS"))
        return QList<int>{0, 6};
    if (!recurrence.startsWith(QLatin1String("ON_")) || recurrence.size() == 3)
        return std::nullopt;
    QList<int> days;
    for (const QChar c : QStringView(recurrence).mid(3)) {
        if (c < QLatin1Char('0') || c > QLatin1Char('6'))
            return std::nullopt;
        const int day = c.unicode() - '0';
        if (!days.contains(day))
            days.append(day);
    }
    std::sort(days.begin(), days.end());
    return days;
}

QString recurrenceFor(QList<int> days)
{
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    days.removeIf([](int day) { return day < 0 || day > 6; });
    if (days.isEmpty())
        return QStringLiteral("ONCE");
    if (days == QList<int>{0, 1, 2, 3, 4, 5, 6})
        return QStringLiteral("DAILY");
    if (days == QList<int>{1, 2, 3, 4, 5})
        return QStringLiteral("WEEKDAYS");
    if (days == QList<int>{0, 6})
        return QStringLiteral("WEEKENDS");
    QString text = QStringLiteral("ON_");
    for (int day : days)
        text += QChar(u'0' + day);
    return text;
}

QString describeRecurrence(const QString &recurrence)
{
    if (recurrence == QLatin1String("ONCE"))
        return QCoreApplication::translate("Alarms", "Une fois");
    const std::optional<QList<int>> days = recurrenceDays(recurrence);
    if (!days)
        return recurrence;
    const QString named = recurrenceFor(*days);
    if (named == QLatin1String("DAILY"))
        return QCoreApplication::translate("Alarms", "Tous les jours");
    if (named == QLatin1String("WEEKDAYS"))
        return QCoreApplication::translate("Alarms", "En semaine");
    if (named == QLatin1String("WEEKENDS"))
        return QCoreApplication::translate("Alarms", "Le week-end");
    static const char *const names[] = {QT_TRANSLATE_NOOP("Alarms", "dim."), QT_TRANSLATE_NOOP("Alarms", "lun."),
                                        QT_TRANSLATE_NOOP("Alarms", "mar."), QT_TRANSLATE_NOOP("Alarms", "mer."),
                                        QT_TRANSLATE_NOOP("Alarms", "jeu."), QT_TRANSLATE_NOOP("Alarms", "ven."),
                                        QT_TRANSLATE_NOOP("Alarms", "sam.")};
    QStringList shown;
    for (int day : {1, 2, 3, 4, 5, 6, 0}) {
        if (days->contains(day))
            shown << QCoreApplication::translate("Alarms", names[day]);
    }
    return shown.join(QStringLiteral(" "));
}

QString describeProgram(const Alarm &alarm)
{
    if (alarm.isChime() || alarm.programURI.isEmpty())
        return QCoreApplication::translate("Alarms", "Carillon");
    const std::optional<QString> title =
        firstBetween(alarm.programMetaData, QLatin1StringView("<dc:title>"), QLatin1StringView("</dc:title>"));
    if (title && !title->trimmed().isEmpty())
        return xmlUnescape(title->trimmed());
    return QCoreApplication::translate("Alarms", "Autre source");

}

QString shortTime(const QString &time)
{
    const std::optional<int> minutes = minutesOf(time, true);
    if (!minutes)
        return time;
    // As the interface's language writes a time of day: 07:30 in French, 7:30 AM in English.
    //: A QTime format: an alarm's time of day
    return QLocale().toString(QTime(*minutes / 60, *minutes % 60), QCoreApplication::translate("Alarms", "HH:mm"));
}

QString timeOfDay(int minutes)
{
    minutes = std::clamp(minutes, 0, 999 * 60 + 59);
    return QStringLiteral("%1:%2:00").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// ---- the controller

QCoro::Task<int> SonosController::groupVolume() const
{
    const QString reply = co_await soap(upnp::groupRenderingControl, QStringLiteral("GetGroupVolume"), kInstance);
    co_return parseVolume(reply);
}

QCoro::Task<> SonosController::setGroupVolume(int level) const
{
    const QString body = kInstance + QStringLiteral("<DesiredVolume>") + QString::number(std::clamp(level, 0, 100))
        + QStringLiteral("</DesiredVolume>");
    co_await soap(upnp::groupRenderingControl, QStringLiteral("SetGroupVolume"), body);
}

QCoro::Task<> SonosController::snapshotGroupVolume() const
{
    co_await soap(upnp::groupRenderingControl, QStringLiteral("SnapshotGroupVolume"), kInstance);
}

QCoro::Task<bool> SonosController::isGroupMuted() const
{
    const QString reply = co_await soap(upnp::groupRenderingControl, QStringLiteral("GetGroupMute"), kInstance);
    co_return parseMute(reply);
}

QCoro::Task<> SonosController::setGroupMuted(bool muted) const
{
    const QString body = kInstance + QStringLiteral("<DesiredMute>") + (muted ? QStringLiteral("1") : QStringLiteral("0"))
        + QStringLiteral("</DesiredMute>");
    co_await soap(upnp::groupRenderingControl, QStringLiteral("SetGroupMute"), body);
}

QCoro::Task<AlarmList> SonosController::alarms() const
{
    const QString reply = co_await soap(upnp::alarmClock, QStringLiteral("ListAlarms"), QString());
    co_return parseAlarmList(reply);
}

QCoro::Task<QString> SonosController::createAlarm(Alarm alarm) const
{
    const QString reply = co_await soap(upnp::alarmClock, QStringLiteral("CreateAlarm"), alarmArguments(alarm, false));
    co_return replyValue(reply, QLatin1StringView("AssignedID"));
}

QCoro::Task<> SonosController::updateAlarm(Alarm alarm) const
{
    co_await soap(upnp::alarmClock, QStringLiteral("UpdateAlarm"), alarmArguments(alarm, true));
}

QCoro::Task<> SonosController::destroyAlarm(QString id) const
{
    co_await soap(upnp::alarmClock, QStringLiteral("DestroyAlarm"), QStringLiteral("<ID>") + xmlEscape(id) + QStringLiteral("</ID>"));
}

} // namespace corvane
