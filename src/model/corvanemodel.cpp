#include "corvanemodel.h"

#include "applemusic/artworkcache.h"
#include "async/delays.h"
#include "async/tasks.h"
#include "model/failure.h"
#include "sonos/corvaneerror.h"
#include "sonos/sonoscontroller.h"
#include "sonos/sonosdiscovery.h"
#include "storage/cloudstore.h"
#include "system/systemplayback.h"
#include "system/updatecheck.h"

#include <QCollator>
#include <QThreadPool>

#include <algorithm>

namespace corvane {

namespace {

constexpr qint64 artworkDiskLimit = 96 * 1024 * 1024;

QString firstTimeNoSpeakerMessage()
{
    return QStringLiteral("Aucune enceinte trouvée. Vérifiez que Corvane est autorisée à accéder au réseau "
                          "local, et que vos enceintes sont allumées sur le même réseau Wi-Fi.");
}

} // namespace

QString failureMessage(std::exception_ptr failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const CorvaneError &error) {
        return error.message();
    } catch (const std::exception &error) {
        const QString text = QString::fromUtf8(error.what());
        return text.isEmpty() ? QStringLiteral("L'opération a échoué.") : text;
    } catch (...) {
        return QStringLiteral("L'opération a échoué.");
    }
}

QString SearchScope::text(Value scope)
{
    switch (scope) {
    case All:
        return QStringLiteral("Tout");
    case Tracks:
        return QStringLiteral("Morceaux");
    case Albums:
        return QStringLiteral("Albums");
    case Artists:
        return QStringLiteral("Artistes");
    case Playlists:
        return QStringLiteral("Playlists");
    }
    return {};
}

CorvaneModel::CorvaneModel(Services services, QObject *parent)
    : QObject(parent), m_services(std::move(services))
{
    m_onboardingDone = m_preferences.onboardingDone();
    m_launchedWithoutKnownSpeaker = !m_preferences.hasEverFoundSpeaker();
    m_playlistOrder = playlistOrderFromText(m_preferences.playlistOrder()).value_or(PlaylistOrder::Name);
    m_playlistPlays = m_preferences.playlistPlays();
    const QHash<QString, QString> artwork = m_preferences.favoriteArtwork();
    for (auto it = artwork.begin(); it != artwork.end(); ++it) {
        const QUrl url(it.value());
        if (url.isValid() && !url.isEmpty())
            m_favoriteArtwork.insert(it.key(), url);
    }

    m_history = new ListeningHistory(ListeningHistory::defaultFile(), CloudStore::createDefault(this), this);
    m_system = new SystemPlayback({}, this);
    m_update = new UpdateCheck(this);
    m_queueModel = RecordListModel::of<QueueItem>(this);
    m_trackModel = RecordListModel::of<Track>(this);
    m_libraryModel = RecordListModel::of<Track>(this);
    m_historyModel = RecordListModel::of<HistoryEntry>(this);
    m_historyModel->assign(m_history->entries());
    connect(m_history, &ListeningHistory::changed, this, [this] { m_historyModel->assign(m_history->entries()); });

    m_householdFace = new HouseholdFace(this);
    m_playbackFace = new PlaybackFace(this);
    m_queueFace = new QueueFace(this);
    m_browseFace = new BrowseFace(this);
    m_homeFace = new HomeFace(this);
}

CorvaneModel::~CorvaneModel()
{
    for (auto *source : {&m_discovery, &m_pollTask, &m_volumeTask, &m_searchTask, &m_artworkRepair}) {
        if (*source)
            (*source)->cancel();
    }
    m_history->flush();
}

// ---- small setters

void CorvaneModel::setOnboardingReplay(bool replay)
{
    if (assign(m_onboardingReplay, replay, &CorvaneModel::onboardingReplayChanged))
        emitSetup();
}

void CorvaneModel::setSetupDismissed(bool dismissed)
{
    if (assign(m_setupDismissed, dismissed, &CorvaneModel::setupDismissedChanged))
        emitSetup();
}

void CorvaneModel::setLink(const std::optional<AppleMusicLink> &link)
{
    if (assign(m_link, link, &CorvaneModel::linkChanged))
        emitSetup();
}

void CorvaneModel::setSelected(const std::optional<Speaker> &speaker)
{
    if (assign(m_selected, speaker, &CorvaneModel::selectedChanged))
        emitSetup();
}

void CorvaneModel::emitSetup()
{
    Q_EMIT setupChanged();
}

void CorvaneModel::setErrorMessage(const std::optional<QString> &message)
{
    if (!assign(m_errorMessage, message, &CorvaneModel::errorMessageChanged) && !message)
        return;
    if (message)
        clearLater(true, *message);
}

void CorvaneModel::showToast(const QString &text)
{
    assign(m_lastAction, std::optional(text), &CorvaneModel::lastActionChanged);
    clearLater(false, text);
}

QCoro::Task<> CorvaneModel::clearLater(bool error, QString text)
{
    // Each showing gets its own serial, so an older timer never clears a newer message, even
    // one with the same words.
    int &latest = error ? m_errorSerial : m_toastSerial;
    const int mine = ++latest;
    QPointer<CorvaneModel> self(this);
    co_await sleep(error ? delays().errorDisplay : delays().toastDisplay);
    if (!self || (error ? m_errorSerial : m_toastSerial) != mine)
        co_return;
    if (error && m_errorMessage == text)
        assign(m_errorMessage, std::optional<QString>(), &CorvaneModel::errorMessageChanged);
    if (!error && m_lastAction == text)
        assign(m_lastAction, std::optional<QString>(), &CorvaneModel::lastActionChanged);
}

// ---- setup

SetupState::Value CorvaneModel::setupState() const
{
    if (m_isDiscovering || !m_hasSearchedOnce)
        return SetupState::Searching;
    if (!m_selected)
        return m_localControlOffHosts.isEmpty() ? SetupState::NoSpeaker : SetupState::LocalControlOff;
    if (!m_link)
        return SetupState::AppleMusicMissing;
    return SetupState::Ready;
}

QString CorvaneModel::setupRoom() const
{
    switch (setupState()) {
    case SetupState::AppleMusicMissing:
        return m_selected ? m_selected->roomName : QString();
    case SetupState::LocalControlOff:
        return m_localControlOffHosts.value(0);
    default:
        return {};
    }
}

bool CorvaneModel::showsSetup() const
{
    if (m_setupDismissed)
        return false;
    if (m_preferences.hasEverFoundSpeaker() && !(m_hasSearchedOnce && m_hasCheckedAppleMusic))
        return false;
    return setupState() != SetupState::Ready;
}

void CorvaneModel::finishOnboarding()
{
    setOnboardingReplay(false);
    if (assign(m_onboardingDone, true, &CorvaneModel::onboardingDoneChanged))
        emitSetup();
    m_preferences.setOnboardingDone(true);
    if (m_speakers.isEmpty())
        refreshSpeakers();
}

// ---- discovery

void CorvaneModel::refreshSpeakers()
{
    if (m_isDiscovering)
        return; // the run in progress answers this request too
    discoveryRun();
}

QCoro::Task<> CorvaneModel::discoveryRun()
{
    QPointer<CorvaneModel> self(this);
    if (assign(m_isDiscovering, true, &CorvaneModel::isDiscoveringChanged))
        emitSetup();
    if (m_errorMessage)
        setErrorMessage(std::nullopt);
    m_discovery = std::make_unique<CancellationSource>();
    const CancellationToken token = m_discovery->token();

    QThreadPool::globalInstance()->start([] { ArtworkCache::trimDiskCache(artworkDiskLimit); }, -1);
    repairHistoryArtwork();

    QStringList refusing;
    const QStringList known = m_preferences.knownSpeakerIPs();
    DiscoveryOutcome outcome = co_await SonosDiscovery::discover(known, token);
    if (!self)
        co_return;
    refusing += outcome.localControlOffHosts;
    if (!outcome.speaker && !token.isCancelled()) {
        co_await sleep(delays().secondSweep, token);
        if (!self)
            co_return;
        if (!token.isCancelled()) {
            outcome = co_await SonosDiscovery::sweep(token);
            if (!self)
                co_return;
            refusing += outcome.localControlOffHosts;
        }
    }
    if (!outcome.speaker && !m_preferences.hasEverFoundSpeaker() && !token.isCancelled()) {
        co_await sleep(delays().firstTimeRetry, token);
        if (!self)
            co_return;
        if (!token.isCancelled()) {
            outcome = co_await SonosDiscovery::discover(m_preferences.knownSpeakerIPs(), token);
            if (!self)
                co_return;
            refusing += outcome.localControlOffHosts;
        }
    }
    refusing.removeDuplicates();

    if (outcome.speaker) {
        const Speaker answering = *outcome.speaker;
        m_preferences.setHasEverFoundSpeaker(true);
        QList<SonosGroup> groups;
        bool topologyFailed = false;
        try {
            const SonosController controller(answering, token);
            groups = co_await controller.zoneGroups();
        } catch (...) {
            topologyFailed = true;
        }
        if (!self)
            co_return;
        if (topologyFailed) {
            // Large households answer 501 to the topology read: keep every remembered speaker
            // that still answers, each as its own group, so all rooms stay reachable.
            groups = {SonosGroup{answering.uuid, {answering}}};
            std::vector<QCoro::Task<std::optional<Speaker>>> probes;
            for (const QString &ip : known) {
                if (ip != answering.ip)
                    probes.push_back(SonosDiscovery::probe(ip, token));
            }
            std::vector<std::optional<Speaker>> found;
            try {
                found = co_await whenAll(std::move(probes));
            } catch (...) {
            }
            if (!self)
                co_return;
            for (const std::optional<Speaker> &speaker : found) {
                const bool seen = std::any_of(groups.begin(), groups.end(), [&](const SonosGroup &group) {
                    return speaker && group.coordinatorUUID == speaker->uuid;
                });
                if (speaker && !seen)
                    groups.append(SonosGroup{speaker->uuid, {*speaker}});
            }
        }
        m_localControlOffHosts = refusing;
        const std::optional<Speaker> before = m_selected;
        applyTopology(groups, answering);
        chooseSelection();
        // The same speaker stays selected, so no new session reads the household's binding: one
        // that could not be read is read again, or "J'ai fait ça" after playing Apple Music from
        // the Sonos app would change nothing.
        if (before && m_selected && before->uuid == m_selected->uuid && !m_link) {
            co_await rereadLink();
            if (!self)
                co_return;
        }
    } else {
        m_localControlOffHosts = refusing;
        setSpeakersAndGroups({});
        // Nothing to check the link of: a returning user whose speakers are off gets the guide.
        assign(m_hasCheckedAppleMusic, true, &CorvaneModel::hasCheckedAppleMusicChanged);
        setErrorMessage(m_preferences.hasEverFoundSpeaker() ? CorvaneError::noSpeakers().message()
                                                            : firstTimeNoSpeakerMessage());
        // A selected speaker stays selected: its polling goes on and picks it up when it returns.
    }

    assign(m_isDiscovering, false, &CorvaneModel::isDiscoveringChanged);
    assign(m_hasSearchedOnce, true, &CorvaneModel::hasSearchedOnceChanged);
    emitSetup();
}

namespace {

QList<Speaker> flattenSorted(const QList<SonosGroup> &groups)
{
    QList<Speaker> speakers;
    for (const SonosGroup &group : groups)
        speakers += group.members;
    // The order a file browser uses: case-insensitive, numbers by value.
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(speakers.begin(), speakers.end(), [&collator](const Speaker &a, const Speaker &b) {
        return collator.compare(a.roomName, b.roomName) < 0;
    });
    return speakers;
}

} // namespace

void CorvaneModel::setSpeakersAndGroups(const QList<SonosGroup> &groups)
{
    const QList<Speaker> speakers = flattenSorted(groups);
    assign(m_groups, groups, &CorvaneModel::groupsChanged);
    assign(m_speakers, speakers, &CorvaneModel::speakersChanged);
}

void CorvaneModel::applyTopology(const QList<SonosGroup> &groups, const Speaker &answering)
{
    QList<SonosGroup> kept = groups;
    if (kept.isEmpty())
        kept = {SonosGroup{answering.uuid, {answering}}};
    setSpeakersAndGroups(kept);
    QStringList ips;
    // The answering speaker first: it is the one that will answer next time.
    ips << answering.ip;
    for (const Speaker &speaker : std::as_const(m_speakers))
        ips << speaker.ip;
    m_preferences.setKnownSpeakerIPs(SonosDiscovery::rememberable(ips, SonosDiscovery::currentNetwork()));
}

void CorvaneModel::chooseSelection()
{
    if (m_selected) {
        for (const Speaker &speaker : std::as_const(m_speakers)) {
            if (speaker.uuid == m_selected->uuid) {
                // Still here: same session, polling goes on. A new address (the router gave it
                // another lease) is taken so the volume and tone reach it.
                setSelected(speaker);
                return;
            }
        }
    }
    const QString preferred = m_preferences.preferredSpeakerUUID();
    for (const Speaker &speaker : std::as_const(m_speakers)) {
        if (!preferred.isEmpty() && speaker.uuid == preferred) {
            selectSpeaker(speaker);
            return;
        }
    }
    selectSpeaker(m_speakers.isEmpty() ? std::nullopt : std::optional(m_speakers.first()));
}

void CorvaneModel::selectSpeaker(const std::optional<Speaker> &speaker)
{
    if (m_selected == speaker)
        return;
    setSelected(speaker);
    if (speaker)
        m_preferences.setPreferredSpeakerUUID(speaker->uuid);
    startSession();
    refreshLineIn();
}

void CorvaneModel::windowActivated()
{
    loadPersonal(true);
    if (m_speakers.isEmpty())
        refreshSpeakers();
}

void CorvaneModel::selectSpeakerByUUID(const QString &uuid)
{
    for (const Speaker &speaker : std::as_const(m_speakers)) {
        if (speaker.uuid == uuid) {
            selectSpeaker(speaker);
            return;
        }
    }
}

std::optional<SonosGroup> CorvaneModel::currentGroup() const
{
    if (!m_selected)
        return std::nullopt;
    for (const SonosGroup &group : m_groups) {
        for (const Speaker &member : group.members) {
            if (member.uuid == m_selected->uuid)
                return group;
        }
    }
    return std::nullopt;
}

std::unique_ptr<SonosController> CorvaneModel::coordinatorController() const
{
    if (!m_selected)
        return nullptr;
    const std::optional<SonosGroup> group = currentGroup();
    const std::optional<Speaker> coordinator = group ? group->coordinator() : std::nullopt;
    return std::make_unique<SonosController>(coordinator.value_or(*m_selected));
}

} // namespace corvane
