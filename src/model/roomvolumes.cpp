#include "roomvolumes.h"

#include "async/delays.h"
#include "async/tasks.h"
#include "model/failure.h"
#include "model/household.h"
#include "model/notices.h"
#include "model/playback.h"
#include "sonos/sonoscontroller.h"

#include <QPointer>

#include <cmath>

namespace corvane {

namespace {

// -1 when the room does not answer: it shows no volume.
QCoro::Task<int> volumeOrNone(Speaker speaker)
{
    try {
        const SonosController controller(speaker);
        QCoro::Task<int> read = controller.volume();
        co_return co_await read;
    } catch (...) {
        co_return -1;
    }
}

} // namespace

RoomVolumes::RoomVolumes(Household *household, Playback *playback, Notices *notices, QObject *parent)
    : QAbstractListModel(parent)
    , m_household(household)
    , m_playback(playback)
    , m_notices(notices)
{
    // The group's volume moved every room in proportion: read where each one went.
    connect(m_playback, &Playback::groupVolumeSent, this, [this] { refreshAll(); });
}

RoomVolumes::~RoomVolumes()
{
    for (Room &room : m_rooms) {
        if (room.sending)
            room.sending->cancel();
    }
}

int RoomVolumes::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rooms.size());
}

QVariant RoomVolumes::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rooms.size()))
        return {};
    const Room &room = m_rooms.at(size_t(index.row()));
    switch (role) {
    case UuidRole:
        return room.speaker.uuid;
    case RoomRole:
    case Qt::DisplayRole:
        return room.speaker.roomName;
    case VolumeRole:
        return room.volume.value_or(0);
    case MutedRole:
        return room.muted;
    case KnownRole:
        return room.volume.has_value();
    default:
        return {};
    }
}

QHash<int, QByteArray> RoomVolumes::roleNames() const
{
    return {{UuidRole, "uuid"}, {RoomRole, "room"}, {VolumeRole, "volume"}, {MutedRole, "muted"}, {KnownRole, "known"}};
}

int RoomVolumes::rowOf(const QString &uuid) const
{
    for (size_t i = 0; i < m_rooms.size(); ++i) {
        if (m_rooms[i].speaker.uuid == uuid)
            return int(i);
    }
    return -1;
}

std::optional<int> RoomVolumes::volumeOf(const QString &uuid) const
{
    const int row = rowOf(uuid);
    return row < 0 ? std::nullopt : m_rooms[size_t(row)].volume;
}

std::optional<bool> RoomVolumes::mutedOf(const QString &uuid) const
{
    const int row = rowOf(uuid);
    return row < 0 ? std::nullopt : std::optional(m_rooms[size_t(row)].muted);
}

void RoomVolumes::changed(int row)
{
    const QModelIndex at = index(row);
    Q_EMIT dataChanged(at, at, {VolumeRole, MutedRole, KnownRole});
    noteVolume(m_rooms[size_t(row)].speaker.uuid, m_rooms[size_t(row)].volume);
}

void RoomVolumes::noteVolume(const QString &uuid, std::optional<int> volume)
{
    if (!volume || m_householdVolumes.value(uuid, -1) == *volume)
        return;
    m_householdVolumes.insert(uuid, *volume);
    Q_EMIT householdVolumesChanged();
}

QVariantMap RoomVolumes::householdVolumes() const
{
    QVariantMap volumes;
    for (auto it = m_householdVolumes.cbegin(); it != m_householdVolumes.cend(); ++it)
        volumes.insert(it.key(), it.value());
    return volumes;
}

QCoro::Task<> RoomVolumes::refreshHouseholdTask()
{
    QPointer<RoomVolumes> self(this);
    const QList<Speaker> speakers = m_household->speakers();
    std::vector<QCoro::Task<int>> reads;
    for (const Speaker &speaker : speakers)
        reads.push_back(volumeOrNone(speaker));
    const std::vector<int> volumes = co_await whenAll(std::move(reads));
    if (!self)
        co_return;
    for (size_t i = 0; i < volumes.size(); ++i) {
        if (volumes[i] >= 0)
            noteVolume(speakers[qsizetype(i)].uuid, volumes[i]);
    }
}

void RoomVolumes::follow()
{
    QList<Speaker> members;
    if (const std::optional<SonosGroup> group = m_household->currentGroup())
        members = group->members;
    else if (m_household->selected())
        members = {*m_household->selected()};
    // Rooms sorted as the group card shows them: the coordinator first.
    bool same = members.size() == qsizetype(m_rooms.size());
    for (qsizetype i = 0; same && i < members.size(); ++i)
        same = members[i].uuid == m_rooms[size_t(i)].speaker.uuid && members[i].roomName == m_rooms[size_t(i)].speaker.roomName;
    if (same)
        return;

    // What is known of a room that stays is kept; its sending, if any, goes on.
    std::vector<Room> rooms;
    for (const Speaker &member : members) {
        Room room;
        room.speaker = member;
        const int row = rowOf(member.uuid);
        if (row >= 0) {
            room.volume = m_rooms[size_t(row)].volume;
            room.muted = m_rooms[size_t(row)].muted;
            room.sending = std::move(m_rooms[size_t(row)].sending);
        }
        rooms.push_back(std::move(room));
    }
    for (Room &room : m_rooms) {
        if (room.sending)
            room.sending->cancel();
    }
    beginResetModel();
    m_rooms = std::move(rooms);
    ++m_generation;
    endResetModel();
    Q_EMIT roomsChanged();
    if (isGroup())
        refreshAll();
}

void RoomVolumes::applyRendering(const QString &uuid, const RenderingChange &change)
{
    const int row = rowOf(uuid);
    if (row < 0)
        return;
    Room &room = m_rooms[size_t(row)];
    bool moved = false;
    // A level the person is still sending wins over what the speaker said a moment ago.
    if (change.volume && !room.sending && room.volume != change.volume) {
        // Not an echo of our own group change: someone set this room alone, so the group's
        // proportions changed.
        if (room.volume && !m_playback->recentlySentGroupVolume())
            m_playback->forgetGroupSnapshot();
        room.volume = change.volume;
        moved = true;
    }
    if (change.muted && room.muted != *change.muted) {
        room.muted = *change.muted;
        moved = true;
    }
    if (moved)
        changed(row);
}

QCoro::Task<> RoomVolumes::refreshAll()
{
    std::vector<QCoro::Task<>> reads;
    for (const Room &room : m_rooms)
        reads.push_back(readRoom(room.speaker, m_generation));
    co_await whenAll(std::move(reads));
}

QCoro::Task<> RoomVolumes::readRoom(Speaker speaker, int generation)
{
    QPointer<RoomVolumes> self(this);
    const SonosController controller(speaker);
    try {
        QCoro::Task<int> volumeRead = controller.volume();
        const int volume = co_await volumeRead;
        QCoro::Task<bool> muteRead = controller.isMuted();
        const bool muted = co_await muteRead;
        if (!self || generation != m_generation)
            co_return;
        const int row = rowOf(speaker.uuid);
        if (row < 0)
            co_return;
        Room &room = m_rooms[size_t(row)];
        if (!room.sending) {
            // Moved since it was last seen, and not by our group change: the proportions changed.
            if (room.volume && *room.volume != volume && !m_playback->recentlySentGroupVolume())
                m_playback->forgetGroupSnapshot();
            room.volume = volume;
        }
        room.muted = muted;
        changed(row);
    } catch (...) {
        // A room that does not answer keeps what it showed; the group's slider still works.
    }
}

void RoomVolumes::setRoomVolume(int row, double value)
{
    if (row < 0 || row >= int(m_rooms.size()))
        return;
    Room &room = m_rooms[size_t(row)];
    const int level = std::clamp(int(std::lround(value)), 0, 100);
    room.volume = level;
    changed(row);
    if (room.sending)
        room.sending->cancel();
    room.sending = std::make_unique<CancellationSource>();
    sendRoomVolume(room.speaker.uuid, level, room.sending->token());
}

QCoro::Task<> RoomVolumes::sendRoomVolume(QString uuid, int level, CancellationToken token)
{
    QPointer<RoomVolumes> self(this);
    const bool waited = co_await sleep(delays().volumeDebounce, token);
    if (!self || !waited)
        co_return;
    const int row = rowOf(uuid);
    if (row < 0)
        co_return;
    const SonosController controller(m_rooms[size_t(row)].speaker);
    std::exception_ptr failure;
    try {
        co_await controller.setVolume(level);
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self || token.isCancelled())
        co_return;
    if (const int now = rowOf(uuid); now >= 0)
        m_rooms[size_t(now)].sending.reset();
    if (failure) {
        m_notices->setErrorMessage(failureMessage(failure));
        co_return;
    }
    // The group's volume follows its rooms; the next group change keeps these new proportions.
    m_playback->forgetGroupSnapshot();
    QCoro::Task<> groupRead = m_playback->rereadVolume();
    co_await groupRead;
}

void RoomVolumes::toggleRoomMute(int row)
{
    if (row < 0 || row >= int(m_rooms.size()))
        return;
    Room &room = m_rooms[size_t(row)];
    room.muted = !room.muted;
    changed(row);
    sendRoomMute(room.speaker.uuid, room.muted);
}

QCoro::Task<> RoomVolumes::sendRoomMute(QString uuid, bool muted)
{
    QPointer<RoomVolumes> self(this);
    const int row = rowOf(uuid);
    if (row < 0)
        co_return;
    const SonosController controller(m_rooms[size_t(row)].speaker);
    std::exception_ptr failure;
    try {
        co_await controller.setMuted(muted);
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self)
        co_return;
    if (failure) {
        m_notices->setErrorMessage(failureMessage(failure));
        // The button goes back to what the speaker still does.
        if (const int now = rowOf(uuid); now >= 0) {
            m_rooms[size_t(now)].muted = !muted;
            changed(now);
        }
        co_return;
    }
    // The group is muted only when every room is.
    QCoro::Task<> groupRead = m_playback->rereadVolume();
    co_await groupRead;
}

} // namespace corvane
