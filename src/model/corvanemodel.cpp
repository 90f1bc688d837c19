#include "corvanemodel.h"

#include "desktop/systemplayback.h"
#include "desktop/updatecheck.h"
#include "model/browse.h"
#include "model/commands.h"
#include "model/favorites.h"
#include "model/home.h"
#include "model/household.h"
#include "model/notices.h"
#include "model/playback.h"
#include "model/queue.h"
#include "storage/cloudstore.h"
#include "storage/listeninghistory.h"

#include <QPointer>

namespace corvane {

namespace {

QCoro::Task<> refreshQueueIfShown(QPointer<Browse> browse, QPointer<Queue> queue)
{
    if (browse && queue && browse->route().kind == RouteKind::Queue)
        co_await queue->refresh();
}

} // namespace

CorvaneModel::CorvaneModel(Services services, QObject *parent)
    : QObject(parent)
    , m_music(std::move(services.music))
    , m_history(new ListeningHistory(ListeningHistory::defaultFile(), CloudStore::createDefault(this), this))
    , m_system(new SystemPlayback({}, this))
    , m_update(new UpdateCheck(this))
    , m_notices(new Notices(this))
    , m_household(new Household(m_music, m_notices, this))
    , m_commands(new SpeakerCommands(m_household, m_notices, this))
    , m_favorites(new Favorites(m_music, m_household, m_commands, this))
    , m_queue(new Queue(m_music, m_household, m_commands, this))
    , m_playback(new Playback({m_music, m_history, m_system}, m_household, m_notices, m_commands, m_queue,
                              m_favorites, this))
    , m_home(new Home({m_music, services.chartsOrigin, services.radioOrigin, services.chartRegion, m_history, m_update},
                      m_household, m_notices, m_playback, m_queue, this))
    , m_browse(new Browse(m_music, m_household, m_notices, m_playback, m_queue, m_home, this))
    , m_roomVolumes(new RoomVolumes(m_household, m_playback, m_notices, this))
    , m_alarms(new AlarmClock(m_household, m_favorites, m_notices, this))
    , m_live(new LiveUpdates(services.speakerEvents, m_household, m_playback, m_favorites,
                             [browse = QPointer<Browse>(m_browse), queue = QPointer<Queue>(m_queue)] {
                                 if (queue && !queue->changeLocked())
                                     refreshQueueIfShown(browse, queue);
                             },
                             this))
{
    // After a command: what plays, read twice; the queue too while its screen shows.
    Playback *playback = m_playback;
    Queue *queue = m_queue;
    Browse *browse = m_browse;
    m_commands->setFollowUps({
        [playback] { return playback->pollOnce(); },
        [browse, queue] { return refreshQueueIfShown(browse, queue); },
        [queue](int token) { return queue->endChange(token); },
    });

    connect(m_household, &Household::speakerChosen, m_playback, &Playback::startSession);
    connect(m_household, &Household::speakerChosen, m_live, &LiveUpdates::follow);
    connect(m_household, &Household::groupsChanged, m_live, &LiveUpdates::follow);
    connect(m_household, &Household::groupsChanged, m_playback, &Playback::followGroup);
    connect(m_household, &Household::speakerChosen, m_roomVolumes, &RoomVolumes::follow);
    connect(m_household, &Household::groupsChanged, m_roomVolumes, &RoomVolumes::follow);
    connect(m_live, &LiveUpdates::memberRendering, m_roomVolumes, &RoomVolumes::applyRendering);
    connect(m_live, &LiveUpdates::alarmListVersion, m_alarms, &AlarmClock::versionAnnounced);
    connect(m_live, &LiveUpdates::renderingLost, m_roomVolumes, &RoomVolumes::refresh);
    connect(m_household, &Household::activated, m_home, [home = m_home] { home->loadPersonal(true); });
    connect(m_household, &Household::discoveryStarted, m_home, [home = m_home] { home->repairHistoryArtwork(); });
    connect(m_household, &Household::musicConnected, this, [this] {
        m_favorites->searchArtwork();
        m_home->loadHome();
    });
    connect(m_playback, &Playback::playlistPlayed, m_home, &Home::recordPlaylistPlay);
}

CorvaneModel::~CorvaneModel()
{
    // Each area stops its tasks while the areas it uses are still there: the users go first.
    m_live->unsubscribeAllNow();
    delete m_live;
    delete m_alarms;
    delete m_roomVolumes;
    delete m_browse;
    delete m_home;
    delete m_playback;
    delete m_queue;
    delete m_favorites;
    delete m_commands;
    delete m_household;
    delete m_notices;
    m_history->flush();
}

} // namespace corvane
