#include "alarmclock.h"

#include "base/corvaneerror.h"
#include "model/failure.h"
#include "model/favorites.h"
#include "model/household.h"
#include "model/notices.h"
#include "sonos/sonoscontroller.h"

#include <QCoreApplication>
#include <QPointer>

namespace corvane {

namespace {

const QString kChime = QStringLiteral("chime");

// The speaker's answer to CreateAlarm names the new alarm; the list read afterwards shows it.
QCoro::Task<> discardID(QCoro::Task<QString> create)
{
    co_await create;
}

QString deletedElsewhere()
{
    return QCoreApplication::translate("AlarmClock", "Ce réveil a été supprimé depuis un autre appareil.");
}

QVariantList daysOf(const Alarm &alarm)
{
    QVariantList days;
    for (int day : recurrenceDays(alarm.recurrence).value_or(QList<int>{}))
        days << day;
    return days;
}

QList<int> intsOf(const QVariant &value)
{
    QList<int> days;
    for (const QVariant &day : value.toList())
        days << day.toInt();
    std::sort(days.begin(), days.end());
    return days;
}

} // namespace

AlarmClock::AlarmClock(Household *household, Favorites *favorites, Notices *notices, QObject *parent)
    : QAbstractListModel(parent)
    , m_household(household)
    , m_favorites(favorites)
    , m_notices(notices)
{
    connect(m_household, &Household::speakersChanged, this, [this] {
        Q_EMIT choicesChanged();
        if (!m_alarms.isEmpty())
            Q_EMIT dataChanged(index(0), index(int(m_alarms.size()) - 1), {RoomRole});
    });
    connect(m_favorites, &Favorites::changed, this, &AlarmClock::choicesChanged);
}

int AlarmClock::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_alarms.size());
}

QVariant AlarmClock::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_alarms.size())
        return {};
    const Alarm &alarm = m_alarms.at(index.row());
    switch (role) {
    case IdRole:
        return alarm.id;
    case TimeRole:
    case Qt::DisplayRole:
        return shortTime(alarm.startTime);
    case DaysRole:
        return describeRecurrence(alarm.recurrence);
    case RoomRole:
        return roomName(alarm.roomUUID);
    case ProgramRole:
        return describeProgram(alarm);
    case VolumeRole:
        return alarm.volumeLevel();
    case EnabledRole:
        return alarm.isEnabled();
    case DurationRole: {
        const std::optional<int> minutes = alarm.durationMinutes();
        return minutes ? QVariant(*minutes) : QVariant();
    }
    default:
        return {};
    }
}

QHash<int, QByteArray> AlarmClock::roleNames() const
{
    return {{IdRole, "alarmID"},   {TimeRole, "time"},       {DaysRole, "days"},
            {RoomRole, "room"},    {ProgramRole, "program"}, {VolumeRole, "volume"},
            {EnabledRole, "isOn"}, {DurationRole, "duration"}};
}

QString AlarmClock::roomName(const QString &uuid) const
{
    for (const Speaker &speaker : m_household->speakers()) {
        if (speaker.uuid == uuid)
            return speaker.roomName;
    }
    return QCoreApplication::translate("AlarmClock", "Pièce introuvable");
}

QString AlarmClock::widestTime()
{
    const QString morning = shortTime(QStringLiteral("10:58:00"));
    const QString evening = shortTime(QStringLiteral("22:58:00"));
    return evening.size() >= morning.size() ? evening : morning;
}

QVariantList AlarmClock::rooms() const
{
    QVariantList rooms;
    for (const Speaker &speaker : m_household->speakers())
        rooms << QVariantMap{{QStringLiteral("uuid"), speaker.uuid}, {QStringLiteral("name"), speaker.roomName}};
    return rooms;
}

QVariantList AlarmClock::programs() const
{
    QVariantList programs{QVariantMap{{QStringLiteral("key"), kChime}, {QStringLiteral("title"), describeProgram(Alarm{})}}};
    for (const SonosFavorite &favorite : m_favorites->list()) {
        if (!favorite.uri.isEmpty())
            programs << QVariantMap{{QStringLiteral("key"), favorite.id}, {QStringLiteral("title"), favorite.title}};
    }
    return programs;
}

std::optional<Speaker> AlarmClock::answering() const
{
    if (m_household->selected())
        return m_household->selected();
    if (!m_household->speakers().isEmpty())
        return m_household->speakers().first();
    return std::nullopt;
}

void AlarmClock::setAlarms(AlarmList list)
{
    // Sorted as people read a list of alarms: by time of day.
    std::stable_sort(list.alarms.begin(), list.alarms.end(), [](const Alarm &a, const Alarm &b) {
        return a.startMinutes().value_or(24 * 60) < b.startMinutes().value_or(24 * 60);
    });
    const bool countMoved = list.alarms.size() != m_alarms.size();
    beginResetModel();
    m_alarms = std::move(list.alarms);
    m_version = list.version;
    endResetModel();
    if (countMoved)
        Q_EMIT countChanged();
}

QCoro::Task<std::optional<AlarmList>> AlarmClock::current()
{
    QPointer<AlarmClock> self(this);
    const std::optional<Speaker> speaker = answering();
    if (!speaker) {
        m_notices->setErrorMessage(CorvaneError::noSpeakers().message());
        co_return std::nullopt;
    }
    std::exception_ptr failure;
    std::optional<AlarmList> list;
    try {
        const SonosController controller(*speaker);
        QCoro::Task<AlarmList> read = controller.alarms();
        list = co_await read;
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self)
        co_return std::nullopt;
    if (failure)
        m_notices->setErrorMessage(failureMessage(failure));
    co_return list;
}

QCoro::Task<> AlarmClock::load()
{
    QPointer<AlarmClock> self(this);
    const int load = ++m_loads;
    m_loading = true;
    Q_EMIT loadingChanged();
    const std::optional<Speaker> speaker = answering();
    std::optional<AlarmList> list;
    QString failure;
    if (!speaker) {
        failure = CorvaneError::noSpeakers().message();
    } else {
        try {
            const SonosController controller(*speaker);
            QCoro::Task<AlarmList> read = controller.alarms();
            list = co_await read;
        } catch (...) {
            failure = failureMessage(std::current_exception());
        }
    }
    if (!self || load != m_loads)
        co_return;
    if (list) {
        setAlarms(std::move(*list));
        m_loaded = true;
    }
    m_failure = failure;
    m_loading = false;
    Q_EMIT loadingChanged();
}

void AlarmClock::versionAnnounced(const QString &version)
{
    // An empty version: a notification was lost, the list may have moved.
    if (m_loaded && (version.isEmpty() || version != m_version))
        load();
}

void AlarmClock::beginSaving()
{
    if (m_saving++ == 0)
        Q_EMIT savingChanged();
}

void AlarmClock::endSaving()
{
    if (--m_saving == 0)
        Q_EMIT savingChanged();
}

QVariantMap AlarmClock::editor(int row) const
{
    Alarm alarm;
    if (row >= 0 && row < m_alarms.size())
        alarm = m_alarms.at(row);
    else if (const std::optional<Speaker> selected = m_household->selected())
        alarm.roomUUID = selected->uuid;
    else if (!m_household->speakers().isEmpty())
        alarm.roomUUID = m_household->speakers().first().uuid;

    const int start = alarm.startMinutes().value_or(7 * 60);
    QString program = kChime;
    if (!alarm.isChime()) {
        // The favorite it plays, when it is one; else what it plays stays as it is.
        program.clear();
        for (const SonosFavorite &favorite : m_favorites->list()) {
            if (favorite.uri == alarm.programURI)
                program = favorite.id;
        }
    }
    return {
        {QStringLiteral("id"), alarm.id},
        {QStringLiteral("hour"), start / 60},
        {QStringLiteral("minute"), start % 60},
        {QStringLiteral("days"), daysOf(alarm)},
        {QStringLiteral("roomUUID"), alarm.roomUUID},
        {QStringLiteral("program"), program},
        {QStringLiteral("programTitle"), describeProgram(alarm)},
        {QStringLiteral("volume"), alarm.volumeLevel()},
        {QStringLiteral("duration"), alarm.durationMinutes().value_or(60)},
        {QStringLiteral("joinGroup"), alarm.joinsLinkedZones()},
    };
}

void AlarmClock::saveEditor(const QVariantMap &shown, const QVariantMap &values)
{
    save(shown.value(QStringLiteral("id")).toString(), shown, values);
}

QCoro::Task<bool> AlarmClock::save(QString id, QVariantMap shown, QVariantMap values)
{
    const auto differs = [&shown, &values](const char *key) {
        const QString name = QLatin1String(key);
        return values.contains(name) && values.value(name) != shown.value(name);
    };
    const bool moved = differs("hour") || differs("minute");
    const bool days = values.contains(QStringLiteral("days"))
        && intsOf(values.value(QStringLiteral("days"))) != intsOf(shown.value(QStringLiteral("days")));
    std::optional<SonosFavorite> favorite;
    const QString program = values.value(QStringLiteral("program")).toString();
    if (differs("program") && program != kChime) {
        for (const SonosFavorite &f : m_favorites->list()) {
            if (f.id == program)
                favorite = f;
        }
    }
    // A favorite chosen in the editor and deleted elsewhere meanwhile: said, not replaced by
    // what the alarm played before.
    if (differs("program") && program != kChime && !favorite) {
        m_notices->setErrorMessage(QCoreApplication::translate("AlarmClock", "Ce favori n'existe plus : choisissez ce que le réveil doit jouer."));
        co_return false;
    }
    const bool hourMoved = differs("hour");
    const bool minuteMoved = differs("minute");
    const auto edit = [=](Alarm &alarm) {
        // Only the part the person changed: an hour changed elsewhere stays when only the
        // minutes were moved here (a new alarm takes both).
        if (moved || id.isEmpty()) {
            const int was = alarm.startMinutes().value_or(0);
            const int hour = hourMoved || id.isEmpty()
                ? std::clamp(values.value(QStringLiteral("hour"), shown.value(QStringLiteral("hour"))).toInt(), 0, 23)
                : was / 60;
            const int minute = minuteMoved || id.isEmpty()
                ? std::clamp(values.value(QStringLiteral("minute"), shown.value(QStringLiteral("minute"))).toInt(), 0, 59)
                : was % 60;
            alarm.startTime = timeOfDay(hour * 60 + minute);
        }
        if (days)
            alarm.recurrence = recurrenceFor(intsOf(values.value(QStringLiteral("days"))));
        if (differs("roomUUID"))
            alarm.roomUUID = values.value(QStringLiteral("roomUUID")).toString();
        if (differs("program")) {
            if (program == kChime) {
                alarm.programURI = Alarm::chimeURI();
                alarm.programMetaData.clear();
            } else if (favorite) {
                alarm.programURI = favorite->uri;
                alarm.programMetaData = favorite->metadata;
            }
        }
        if (differs("volume"))
            alarm.volume = QString::number(std::clamp(values.value(QStringLiteral("volume")).toInt(), 0, 100));
        if (differs("duration"))
            alarm.duration = timeOfDay(std::clamp(values.value(QStringLiteral("duration")).toInt(), 1, 23 * 60 + 59));
        if (differs("joinGroup"))
            alarm.includeLinkedZones = values.value(QStringLiteral("joinGroup")).toBool() ? QStringLiteral("1") : QStringLiteral("0");
    };
    QPointer<AlarmClock> self(this);
    if (!id.isEmpty()) {
        QCoro::Task<bool> updated = change(id, edit, QCoreApplication::translate("AlarmClock", "Réveil modifié"));
        const bool done = co_await updated;
        if (done && self) {
            ++m_saves;
            Q_EMIT saved();
        }
        co_return done;
    }

    Alarm alarm;
    alarm.roomUUID = shown.value(QStringLiteral("roomUUID")).toString();
    edit(alarm);
    if (alarm.roomUUID.isEmpty()) {
        m_notices->setErrorMessage(QCoreApplication::translate("AlarmClock", "Choisissez la pièce que le réveil doit réveiller."));
        co_return false;
    }
    QCoro::Task<bool> created = send([alarm](const SonosController &speaker) { return discardID(speaker.createAlarm(alarm)); },
                                     QCoreApplication::translate("AlarmClock", "Réveil créé"));
    const bool done = co_await created;
    if (done && self) {
        ++m_saves;
        Q_EMIT saved();
    }
    co_return done;
}

QCoro::Task<bool> AlarmClock::change(QString id, std::function<void(Alarm &)> edit, QString done)
{
    QPointer<AlarmClock> self(this);
    beginSaving();
    const auto finish = [self](bool result) {
        if (self)
            self->endSaving();
        return result;
    };
    // The list as it stands now: another controller may have changed it since it was shown.
    QCoro::Task<std::optional<AlarmList>> read = current();
    std::optional<AlarmList> fresh = co_await read;
    if (!self || !fresh)
        co_return finish(false);
    std::optional<Alarm> alarm;
    for (const Alarm &a : fresh->alarms) {
        if (a.id == id)
            alarm = a;
    }
    if (fresh->version != m_version)
        setAlarms(*fresh);
    if (!alarm) {
        // Deleted elsewhere meanwhile: said, not made again.
        m_notices->setErrorMessage(deletedElsewhere());
        co_return finish(false);
    }
    edit(*alarm);
    finish(true);
    QCoro::Task<bool> updated = send([changed = *alarm](const SonosController &speaker) { return speaker.updateAlarm(changed); }, done);
    co_return co_await updated;
}

QCoro::Task<bool> AlarmClock::switchAlarm(QString id, bool on)
{
    QCoro::Task<bool> changed = change(id, [on](Alarm &alarm) { alarm.enabled = on ? QStringLiteral("1") : QStringLiteral("0"); },
                                       on ? QCoreApplication::translate("AlarmClock", "Réveil activé") : QCoreApplication::translate("AlarmClock", "Réveil désactivé"));
    co_return co_await changed;
}

QCoro::Task<bool> AlarmClock::destroy(QString id)
{
    QCoro::Task<bool> destroyed = send([id](const SonosController &speaker) { return speaker.destroyAlarm(id); },
                                       QCoreApplication::translate("AlarmClock", "Réveil supprimé"));
    co_return co_await destroyed;
}

QCoro::Task<bool> AlarmClock::send(std::function<QCoro::Task<>(const SonosController &)> action, QString done)
{
    QPointer<AlarmClock> self(this);
    const std::optional<Speaker> speaker = answering();
    if (!speaker) {
        m_notices->setErrorMessage(CorvaneError::noSpeakers().message());
        co_return false;
    }
    beginSaving();
    std::exception_ptr failure;
    bool gone = false;
    try {
        const SonosController controller(*speaker);
        QCoro::Task<> sent = action(controller);
        co_await sent;
    } catch (const CorvaneError &error) {
        failure = std::current_exception();
        gone = error.isRefusal(QLatin1String("801"));
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self)
        co_return false;
    endSaving();
    if (failure) {
        // An alarm deleted elsewhere meanwhile (801) is said so; the list shows what is left.
        m_notices->setErrorMessage(gone ? deletedElsewhere() : failureMessage(failure));
        load();
        co_return false;
    }
    m_notices->showToast(done);
    QCoro::Task<> reload = load();
    co_await reload;
    co_return true;
}

} // namespace corvane
