#pragma once

#include "model/browse.h"
#include "model/favorites.h"
#include "model/home.h"
#include "model/household.h"
#include "model/alarmclock.h"
#include "model/liveupdates.h"
#include "model/roomvolumes.h"
#include "model/notices.h"
#include "model/playback.h"
#include "model/queue.h"

#include <QObject>
#include <QUrl>

#include <memory>

namespace corvane {

class ListeningHistory;
class MusicService;
class SpeakerCommands;
class SystemPlayback;
class UpdateCheck;

// Builds the areas the screens read as `App.<area>`, wires them to one another and owns them.
// Everything lives on the main thread; network work is awaited from main-thread tasks, so state
// changes only between awaits. Tasks that outlive a command hold their area through a QPointer
// and stop when it is gone.
class CorvaneModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(corvane::Notices *notices READ notices CONSTANT)
    Q_PROPERTY(corvane::Household *household READ household CONSTANT)
    Q_PROPERTY(corvane::Favorites *favorites READ favorites CONSTANT)
    Q_PROPERTY(corvane::Playback *playback READ playback CONSTANT)
    Q_PROPERTY(corvane::Queue *queue READ queue CONSTANT)
    Q_PROPERTY(corvane::Browse *browse READ browse CONSTANT)
    Q_PROPERTY(corvane::Home *home READ home CONSTANT)
    Q_PROPERTY(corvane::LiveUpdates *live READ live CONSTANT)
    Q_PROPERTY(corvane::RoomVolumes *roomVolumes READ roomVolumes CONSTANT)
    Q_PROPERTY(corvane::AlarmClock *alarms READ alarms CONSTANT)

public:
    // What the model talks to besides the speakers: the music service (shared: a call in flight
    // keeps it alive), the chart feed and radio directory origins and the region of the charts.
    struct Services
    {
        std::shared_ptr<MusicService> music;
        QUrl chartsOrigin;
        QUrl radioOrigin;
        QString chartRegion;
        // Subscribe to the speakers' events (else poll only, as tests of polling need).
        bool speakerEvents = true;
    };

    explicit CorvaneModel(Services services, QObject *parent = nullptr);
    ~CorvaneModel() override;

    Notices *notices() const { return m_notices; }
    Household *household() const { return m_household; }
    SpeakerCommands *commands() const { return m_commands; }
    Favorites *favorites() const { return m_favorites; }
    Playback *playback() const { return m_playback; }
    Queue *queue() const { return m_queue; }
    Browse *browse() const { return m_browse; }
    Home *home() const { return m_home; }
    LiveUpdates *live() const { return m_live; }
    RoomVolumes *roomVolumes() const { return m_roomVolumes; }
    AlarmClock *alarms() const { return m_alarms; }
    ListeningHistory *history() const { return m_history; }
    SystemPlayback *systemPlayback() const { return m_system; }
    UpdateCheck *updateCheck() const { return m_update; }
    std::shared_ptr<MusicService> music() const { return m_music; }

private:
    std::shared_ptr<MusicService> m_music;
    ListeningHistory *m_history;
    SystemPlayback *m_system;
    UpdateCheck *m_update;
    Notices *m_notices;
    Household *m_household;
    SpeakerCommands *m_commands;
    Favorites *m_favorites;
    Queue *m_queue;
    Playback *m_playback;
    Home *m_home;
    Browse *m_browse;
    RoomVolumes *m_roomVolumes;
    AlarmClock *m_alarms;
    LiveUpdates *m_live;
};

} // namespace corvane
