#pragma once

#include "async/cancellation.h"
#include "base/records.h"
#include "sonos/events.h"

#include <QAbstractListModel>
#include <QCoroTask>

#include <memory>
#include <optional>
#include <vector>

namespace corvane {

class Household;
class Notices;
class Playback;

// Each room of the selected group with its own volume and mute, sent to that room's speaker (a
// stereo pair or a home theatre is one room: its visible speaker). The group's slider is
// Playback's; a room set here moves it, and a group change moves these.
class RoomVolumes : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(bool isGroup READ isGroup NOTIFY roomsChanged)
    Q_PROPERTY(int count READ count NOTIFY roomsChanged)
    // Every room of the household by uuid -> its volume, for the rooms screen (read when it opens).
    Q_PROPERTY(QVariantMap householdVolumes READ householdVolumes NOTIFY householdVolumesChanged)

public:
    enum Role { UuidRole = Qt::UserRole + 1, RoomRole, VolumeRole, MutedRole, KnownRole };

    RoomVolumes(Household *household, Playback *playback, Notices *notices, QObject *parent = nullptr);
    ~RoomVolumes() override;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    bool isGroup() const { return m_rooms.size() >= 2; }
    int count() const { return int(m_rooms.size()); }
    std::optional<int> volumeOf(const QString &uuid) const;
    std::optional<bool> mutedOf(const QString &uuid) const;

    // The selection or the groups changed: one row per room of the selected group.
    void follow();
    // A member's rendering control said something (its event).
    void applyRendering(const QString &uuid, const RenderingChange &change);
    // Every room's volume and mute read again.
    QCoro::Task<> refreshAll();

    Q_INVOKABLE void refresh() { refreshAll(); }
    QVariantMap householdVolumes() const;
    QCoro::Task<> refreshHouseholdTask();
    Q_INVOKABLE void refreshHousehold() { refreshHouseholdTask(); }
    // The slider moved: shown at once, sent once it rests.
    Q_INVOKABLE void setRoomVolume(int row, double value);
    Q_INVOKABLE void toggleRoomMute(int row);

Q_SIGNALS:
    void roomsChanged();
    void householdVolumesChanged();

private:
    struct Room
    {
        Speaker speaker;
        std::optional<int> volume;
        bool muted = false;
        std::unique_ptr<CancellationSource> sending;
    };

    int rowOf(const QString &uuid) const;
    void noteVolume(const QString &uuid, std::optional<int> volume);
    void changed(int row);
    QCoro::Task<> sendRoomVolume(QString uuid, int level, CancellationToken token);
    QCoro::Task<> sendRoomMute(QString uuid, bool muted);
    QCoro::Task<> readRoom(Speaker speaker, int generation);

    Household *m_household;
    Playback *m_playback;
    Notices *m_notices;
    std::vector<Room> m_rooms;
    QHash<QString, int> m_householdVolumes;
    // Counts the changes of rows: a read begun for an earlier group lands nowhere.
    int m_generation = 0;
};

} // namespace corvane
