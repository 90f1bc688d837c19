#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace corvane {

// One of the household's alarms, its fields kept as the speaker wrote them. An update sends
// back every field as it was read except those the person changed, so values Corvane does not
// understand (a play mode, a recurrence, a station's metadata) come back untouched.
struct Alarm
{
    QString id;
    QString startTime = QStringLiteral("07:00:00"); // the speakers' local time, hh:mm:ss
    QString duration = QStringLiteral("01:00:00");  // hh:mm:ss
    QString recurrence = QStringLiteral("DAILY");
    QString enabled = QStringLiteral("1");
    QString roomUUID;
    QString programURI = chimeURI();
    QString programMetaData; // DIDL-Lite as plain text, empty for the chime
    QString playMode = QStringLiteral("SHUFFLE_NOREPEAT");
    QString volume = QStringLiteral("20");
    QString includeLinkedZones = QStringLiteral("0");

    static QString chimeURI() { return QStringLiteral("x-rincon-buzzer:0"); }

    bool isEnabled() const { return enabled == QLatin1String("1"); }
    bool isChime() const { return programURI == chimeURI(); }
    bool joinsLinkedZones() const { return includeLinkedZones == QLatin1String("1"); }
    // 0–100; what the speaker would read from a damaged value.
    int volumeLevel() const;
    // Minutes since midnight, and minutes of play; nothing when the text is not hh:mm[:ss].
    std::optional<int> startMinutes() const;
    std::optional<int> durationMinutes() const;

    bool operator==(const Alarm &) const = default;
};

struct AlarmList
{
    QString version; // CurrentAlarmListVersion: moves whenever any controller edits an alarm
    QList<Alarm> alarms;
};

// The alarms of a ListAlarms reply (the SOAP body as received). Never fails: an unreadable list
// gives no alarm, an alarm without an ID is left out.
AlarmList parseAlarmList(const QString &reply);
// The alarms of a CurrentAlarmList document once unescaped (<Alarms><Alarm …/></Alarms>).
QList<Alarm> parseAlarms(const QString &document);
// The SOAP arguments of CreateAlarm (no ID) and UpdateAlarm (with it), each field escaped.
QString alarmArguments(const Alarm &alarm, bool withID);

// The days of a recurrence, 0 = Sunday; nothing for ONCE or a value Corvane does not read.
std::optional<QList<int>> recurrenceDays(const QString &recurrence);
// The recurrence naming those days, in the speakers' words (DAILY, WEEKDAYS, WEEKENDS, ON_…);
// no day at all is ONCE.
QString recurrenceFor(QList<int> days);
// "Tous les jours", "En semaine", "Le week-end", "Une fois", or the days' short names from Monday.
QString describeRecurrence(const QString &recurrence);
// What the alarm plays: "Carillon" for the chime, else the title its metadata gives.
QString describeProgram(const Alarm &alarm);
// "07:30" from "07:30:00", as the interface's language writes a time of day; the text as it is
// when it is not one.
QString shortTime(const QString &time);
// "hh:mm:00" from minutes since midnight, and "hh:mm:00" from minutes of play.
QString timeOfDay(int minutes);

} // namespace corvane
