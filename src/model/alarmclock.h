#pragma once

#include "base/records.h"
#include "sonos/alarms.h"

#include <QAbstractListModel>
#include <QCoroTask>
#include <QVariantMap>

#include <functional>
#include <optional>

namespace corvane {

class Favorites;
class Household;
class SonosController;
class Notices;

// The household's alarms, as the "Réveils" screen lists and edits them. Every alarm keeps the
// fields the speaker gave it: an edit changes only what the person changed, on the list as it
// stands on the speakers at that moment (another controller may have changed it meanwhile).
class AlarmClock : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(bool loading READ loading NOTIFY loadingChanged)
    Q_PROPERTY(bool loaded READ loaded NOTIFY loadingChanged)
    Q_PROPERTY(bool saving READ saving NOTIFY savingChanged)
    // Counts the editor's changes that reached the speakers (it closes on each); a switch
    // flipped on a row is not one.
    Q_PROPERTY(int saves READ saves NOTIFY saved)
    // Why the list could not be read, empty when it was.
    Q_PROPERTY(QString failure READ failure NOTIFY loadingChanged)
    // The rooms an alarm may wake, as {uuid, name}, and what it may play, as {key, title}:
    // "chime", then each Sonos favorite by its id.
    Q_PROPERTY(QVariantList rooms READ rooms NOTIFY choicesChanged)
    Q_PROPERTY(QVariantList programs READ programs NOTIFY choicesChanged)
    // The widest time of day as the interface's language writes it, to size the times' column.
    Q_PROPERTY(QString widestTime READ widestTime CONSTANT)

public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        TimeRole,
        DaysRole,
        RoomRole,
        ProgramRole,
        VolumeRole,
        EnabledRole,
        DurationRole,
    };

    AlarmClock(Household *household, Favorites *favorites, Notices *notices, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(m_alarms.size()); }
    bool loading() const { return m_loading; }
    bool loaded() const { return m_loaded; }
    bool saving() const { return m_saving > 0; }
    int saves() const { return m_saves; }
    QString failure() const { return m_failure; }
    static QString widestTime();
    QVariantList rooms() const;
    QVariantList programs() const;
    const QList<Alarm> &alarms() const { return m_alarms; }
    QString version() const { return m_version; }
    // The room's name for an alarm's RoomUUID.
    QString roomName(const QString &uuid) const;

    QCoro::Task<> load();
    // Applies to the alarm of `id` (a new one when empty) the fields of `values` that differ from
    // `shown` (what the editor showed); false when nothing was saved.
    QCoro::Task<bool> save(QString id, QVariantMap shown, QVariantMap values);
    QCoro::Task<bool> switchAlarm(QString id, bool on);
    QCoro::Task<bool> destroy(QString id);
    // The alarm list's version as the speakers' events announce it.
    void versionAnnounced(const QString &version);

    Q_INVOKABLE void refresh() { load(); }
    // What the editor shows for the alarm of `row`; a new alarm's defaults for -1:
    // {id, hour, minute, days: [0-6], roomUUID, program, volume, duration (minutes), joinGroup}.
    Q_INVOKABLE QVariantMap editor(int row) const;
    Q_INVOKABLE void saveEditor(const QVariantMap &shown, const QVariantMap &values);
    // By the alarm's ID, not its row: the list may be read again (and re-sorted) meanwhile.
    Q_INVOKABLE void setEnabled(const QString &id, bool on) { switchAlarm(id, on); }
    Q_INVOKABLE void remove(const QString &id) { destroy(id); }

Q_SIGNALS:
    void countChanged();
    void loadingChanged();
    void savingChanged();
    void choicesChanged();
    // An editor's change reached the speakers.
    void saved();

private:
    // The speaker that answers for the household: the selected one, else any known.
    std::optional<Speaker> answering() const;
    void setAlarms(AlarmList list);
    // The list as it stands on the speakers now; nothing (and the error said) when it cannot be read.
    QCoro::Task<std::optional<AlarmList>> current();
    QCoro::Task<bool> change(QString id, std::function<void(Alarm &)> edit, QString done);
    // Sends one change to the speaker that answers for the household: while it goes, `saving`;
    // then the toast `done` and the list read again, or the failure said.
    QCoro::Task<bool> send(std::function<QCoro::Task<>(const SonosController &)> action, QString done);
    void beginSaving();
    void endSaving();

    Household *m_household;
    Favorites *m_favorites;
    Notices *m_notices;
    QList<Alarm> m_alarms;
    QString m_version;
    bool m_loading = false;
    bool m_loaded = false;
    int m_saving = 0;
    int m_saves = 0;
    QString m_failure;
    int m_loads = 0; // counts the reads: only the latest one lands
};

} // namespace corvane
