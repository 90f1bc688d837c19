// AlarmClock of a simulated speaker: the household's alarm list, which any speaker answers for.
#include "simhousehold.h"
#include "simsoap.h"
#include "simspeaker.h"

#include <QRegularExpression>

namespace corvane::sim {

namespace {

const QString kAC = QStringLiteral("urn:schemas-upnp-org:service:AlarmClock:1");

// UPnP's invalid arguments, and the fault players answer for an alarm ID they do not know.
constexpr int kInvalidArgs = 402;
constexpr int kNoSuchAlarm = 801;

QString escaped(const QString &text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\''), QStringLiteral("&apos;"));
}

bool validTime(const QString &text, bool timeOfDay)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{2}):([0-5]\\d):([0-5]\\d)$"));
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() && (!timeOfDay || match.captured(1).toInt() < 24);
}

bool validRecurrence(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(ONCE|DAILY|WEEKDAYS|WEEKENDS|ON_[0-6]{1,7})$"));
    return pattern.match(text).hasMatch();
}

bool validFlag(const QString &text)
{
    return text == QLatin1String("0") || text == QLatin1String("1");
}

} // namespace

SimSpeaker::Reply SimSpeaker::alarmClock(const SimRequest &request)
{
    const QString &action = request.action;
    const auto arg = [&request](const char *name) { return request.arguments.value(QString::fromLatin1(name)); };
    const auto ok = [&action](const QString &content = {}) {
        return Reply{200, "text/xml; charset=\"utf-8\"", soapEnvelope(kAC, action, content)};
    };
    const auto refuse = [](int code) { return Reply{-code, {}, {}}; };
    SimHouseData &data = house();
    const auto changed = [this, &data] {
        data.alarmVersionOwner = m_config.uuid;
        ++data.alarmVersion;
    };
    const auto find = [&data](const QString &id) -> SimAlarm * {
        for (SimAlarm &alarm : data.alarms) {
            if (QString::number(alarm.id) == id)
                return &alarm;
        }
        return nullptr;
    };

    if (action == QLatin1String("ListAlarms")) {
        QString list = QStringLiteral("<Alarms>");
        for (const SimAlarm &alarm : data.alarms) {
            list += QStringLiteral("<Alarm ID=\"%1\" StartTime=\"%2\" Duration=\"%3\" Recurrence=\"%4\" Enabled=\"%5\" "
                                   "RoomUUID=\"%6\" ProgramURI=\"%7\" ProgramMetaData=\"%8\" PlayMode=\"%9\" ")
                        .arg(alarm.id)
                        .arg(escaped(alarm.startTime), escaped(alarm.duration), escaped(alarm.recurrence),
                             escaped(alarm.enabled), escaped(alarm.roomUUID), escaped(alarm.programURI),
                             escaped(alarm.programMetaData), escaped(alarm.playMode))
                + QStringLiteral("Volume=\"%1\" IncludeLinkedZones=\"%2\"/>").arg(escaped(alarm.volume), escaped(alarm.includeLinkedZones));
        }
        list += QStringLiteral("</Alarms>");
        return ok(QStringLiteral("<CurrentAlarmList>%1</CurrentAlarmList><CurrentAlarmListVersion>%2</CurrentAlarmListVersion>")
                      .arg(escaped(list), data.alarmListVersion()));
    }
    if (action == QLatin1String("DestroyAlarm")) {
        SimAlarm *alarm = find(arg("ID"));
        if (!alarm)
            return refuse(kNoSuchAlarm);
        data.alarms.removeIf([id = alarm->id](const SimAlarm &a) { return a.id == id; });
        changed();
        return ok();
    }
    if (action != QLatin1String("CreateAlarm") && action != QLatin1String("UpdateAlarm"))
        return refuse(401);

    SimAlarm fields;
    fields.startTime = arg("StartLocalTime");
    fields.duration = arg("Duration");
    fields.recurrence = arg("Recurrence");
    fields.enabled = arg("Enabled");
    fields.roomUUID = arg("RoomUUID");
    fields.programURI = arg("ProgramURI");
    fields.programMetaData = arg("ProgramMetaData");
    fields.playMode = arg("PlayMode");
    fields.volume = arg("Volume");
    fields.includeLinkedZones = arg("IncludeLinkedZones");
    const std::optional<int> volume = parseInteger(fields.volume);
    const bool knownRoom = m_household ? m_household->speakerByUuid(fields.roomUUID) != nullptr
                                       : fields.roomUUID == m_config.uuid;
    if (!validTime(fields.startTime, true) || !validTime(fields.duration, false) || !validRecurrence(fields.recurrence)
        || !validFlag(fields.enabled) || !validFlag(fields.includeLinkedZones) || !volume || *volume < 0 || *volume > 100
        || !knownRoom || fields.programURI.isEmpty() || fields.playMode.isEmpty())
        return refuse(kInvalidArgs);

    if (action == QLatin1String("CreateAlarm")) {
        fields.id = data.nextAlarm++;
        data.alarms.append(fields);
        changed();
        return ok(QStringLiteral("<AssignedID>%1</AssignedID>").arg(fields.id));
    }
    SimAlarm *alarm = find(arg("ID"));
    if (!alarm)
        return refuse(kNoSuchAlarm);
    fields.id = alarm->id;
    *alarm = fields;
    changed();
    return ok();
}

} // namespace corvane::sim
