// Speaker events: which subscriptions the selected group needs, keeping them alive, and turning
// each notification into the same state changes a poll makes.

#include "liveupdates.h"

#include "async/delays.h"
#include "base/preferences.h"
#include "base/text.h"
#include "model/favorites.h"
#include "model/household.h"
#include "model/playback.h"
#include "sonos/eventlistener.h"
#include "sonos/sonoscontroller.h"
#include "sonos/sonosdiscovery.h"

#include <bit>

#include <QCoreApplication>
#include <QHostAddress>
#include <QPointer>
#include <QScopeGuard>
#include <QTcpSocket>

namespace corvane {

namespace {

const QString kLastChange = QStringLiteral("LastChange");

QString propertyValue(const QList<std::pair<QString, QString>> &properties, const QString &name)
{
    for (const auto &[key, value] : properties) {
        if (key == name)
            return value;
    }
    return {};
}

// The speakers' network, as a firewall rule names it: "192.168.1.0/24".
QString sourceNetwork()
{
    const std::optional<LocalNetwork> network = SonosDiscovery::currentNetwork();
    if (!network)
        return {};
    const QHostAddress address(network->address);
    const QHostAddress mask(network->netmask);
    const quint32 bits = mask.toIPv4Address();
    const int prefix = std::popcount(bits);
    return QHostAddress(address.toIPv4Address() & bits).toString() + QLatin1Char('/') + QString::number(prefix);
}

} // namespace

LiveUpdates::LiveUpdates(bool enabled, Household *household, Playback *playback, Favorites *favorites,
                         std::function<void()> queueChanged, QObject *parent)
    : QObject(parent)
    , m_enabled(enabled)
    , m_household(household)
    , m_playback(playback)
    , m_favorites(favorites)
    , m_queueChanged(std::move(queueChanged))
    , m_listener(new EventListener(this))
{
    m_clock.start();
    m_renewTimer.setSingleShot(true);
    m_fallbackTimer.setSingleShot(true);
    m_retryTimer.setSingleShot(true);
    connect(&m_renewTimer, &QTimer::timeout, this, [this] { renewDue(); });
    connect(&m_fallbackTimer, &QTimer::timeout, this, &LiveUpdates::checkFlowing);
    connect(&m_retryTimer, &QTimer::timeout, this, [this] {
        dropAll(true);
        follow();
    });
    connect(m_listener, &EventListener::notified, this, &LiveUpdates::received);
}

LiveUpdates::~LiveUpdates()
{
    m_playback->setEventsFlowing(false);
}

QString LiveUpdates::statusText() const
{
    if (m_mode == Mode::Instant)
        return QCoreApplication::translate("LiveUpdates", "Mises à jour instantanées : les enceintes signalent chaque changement.");
    if (m_mode == Mode::Unknown)
        return QString();
    switch (m_reason) {
    case Reason::Blocked:
        return QCoreApplication::translate("LiveUpdates", "Mises à jour toutes les 5 s : cet ordinateur bloque les messages des enceintes (port TCP %1).")
            .arg(m_listener->port());
    case Reason::NoListener:
        return QCoreApplication::translate("LiveUpdates", "Mises à jour toutes les 5 s : Corvane ne peut pas recevoir les messages des enceintes sur ce réseau.");
    default:
        return QCoreApplication::translate("LiveUpdates", "Mises à jour toutes les 5 s : l’enceinte n’accepte pas d’abonnement à ses changements.");

    }
}

QString LiveUpdates::ufwCommand() const
{
    if (m_mode != Mode::Polling || m_reason != Reason::Blocked)
        return {};
    const QString from = sourceNetwork();
    return QStringLiteral("sudo ufw allow from %1 to any port %2 proto tcp")
        .arg(from.isEmpty() ? QStringLiteral("any") : from)
        .arg(m_listener->port());
}

QString LiveUpdates::firewalldCommands() const
{
    if (m_mode != Mode::Polling || m_reason != Reason::Blocked)
        return {};
    return QStringLiteral("sudo firewall-cmd --permanent --add-port=%1/tcp\nsudo firewall-cmd --reload").arg(m_listener->port());
}

QStringList LiveUpdates::sids() const { return m_bySID.keys(); }

void LiveUpdates::setMode(Mode mode, Reason reason)
{
    if (m_mode == mode && m_reason == reason)
        return;
    m_mode = mode;
    m_reason = reason;
    m_playback->setEventsFlowing(mode == Mode::Instant);
    Q_EMIT modeChanged();
}

bool LiveUpdates::ensureListening()
{
    const std::optional<LocalNetwork> network = SonosDiscovery::currentNetwork();
    if (!network)
        return false;
    const QHostAddress address(network->address);
    if (m_listener->isListening() && m_listener->address() == address)
        return true;
    // Another network (the computer moved): the old subscriptions point at an address gone.
    dropAll(false);
    Preferences preferences;
    if (!m_listener->listen(address, quint16(std::clamp(preferences.eventPort(), 0, 65535))))
        return false;
    preferences.setEventPort(m_listener->port());
    return true;
}

LiveUpdates::Key LiveUpdates::keyOf(const Speaker &speaker, EventService service)
{
    return speaker.uuid + QLatin1Char('|') + eventServiceKey(service);
}

QHash<LiveUpdates::Key, std::pair<Speaker, EventService>> LiveUpdates::wanted() const
{
    QHash<Key, std::pair<Speaker, EventService>> wanted;
    const std::optional<Speaker> &selected = m_household->selected();
    if (!selected)
        return wanted;
    Speaker coordinator = *selected;
    if (const std::optional<SonosGroup> group = m_household->currentGroup()) {
        if (const std::optional<Speaker> leader = group->coordinator())
            coordinator = *leader;
    }
    for (EventService service : {EventService::Transport, EventService::GroupRendering, EventService::Content,
                                 EventService::Topology})
        wanted.insert(keyOf(coordinator, service), {coordinator, service});
    // Each room's own volume (the rooms' sliders), and the alarm list's version, which any
    // speaker announces for the household.
    wanted.insert(keyOf(*selected, EventService::Rendering), {*selected, EventService::Rendering});
    if (const std::optional<SonosGroup> group = m_household->currentGroup()) {
        for (const Speaker &member : group->members)
            wanted.insert(keyOf(member, EventService::Rendering), {member, EventService::Rendering});
    }
    wanted.insert(keyOf(*selected, EventService::Alarms), {*selected, EventService::Alarms});
    return wanted;
}

void LiveUpdates::follow()
{
    if (!m_enabled)
        return;
    if (!m_household->selected()) {
        dropAll(true);
        setMode(Mode::Unknown);
        return;
    }
    if (!ensureListening()) {
        dropAll(true);
        setMode(Mode::Polling, Reason::NoListener);
        return;
    }
    const auto want = wanted();
    for (const Key &key : m_subscriptions.keys()) {
        const auto it = want.constFind(key);
        // Same speaker, same service, but at a new address: subscribed again there.
        if (it == want.constEnd() || it->first.ip != m_subscriptions.value(key).speaker.ip)
            drop(key, true);
    }
    for (auto it = want.cbegin(); it != want.cend(); ++it) {
        if (!m_subscriptions.contains(it.key()) && !m_pending.contains(it.key()))
            subscribe(it->first, it->second);
    }
}

QCoro::Task<QUrl> LiveUpdates::eventURL(Speaker speaker, EventService service)
{
    // Discovery has read the description of every speaker it found; a speaker new since then
    // has its own read here.
    if (ModelCache::instance().eventPaths(speaker.uuid).isEmpty())
        co_await SonosController::describeOnce(speaker.uuid, speaker.ip);
    QUrl url = speaker.baseURL();
    url.setPath(ModelCache::instance().eventPaths(speaker.uuid).value(serviceType(service), defaultEventPath(service)));
    co_return url;
}

QCoro::Task<> LiveUpdates::subscribe(Speaker speaker, EventService service)
{
    QPointer<LiveUpdates> self(this);
    const Key key = keyOf(speaker, service);
    const int round = m_round;
    m_pending.insert(key);
    QCoro::Task<QUrl> urlRead = eventURL(speaker, service);
    const QUrl url = co_await urlRead;
    if (!self)
        co_return;
    const QUrl callback = m_listener->callbackURL(QLatin1Char('/') + eventServiceKey(service) + QLatin1Char('/') + speaker.uuid);
    const int timeout = int(std::max<qint64>(delays().subscriptionTimeout.count() / 1000, 2));
    m_listener->expect(speaker.ip);
    const GenaReply reply = co_await Gena::subscribe(url, callback, timeout);
    if (!self)
        co_return;
    // Said last, once the SID is allowed: what the speaker sent before its answer is kept till then.
    const auto answered = qScopeGuard([this, ip = speaker.ip] { m_listener->stopExpecting(ip); });
    // Everything was dropped meanwhile (a fallback, another network, the program ending): this
    // answer belongs to a round that is over.
    if (round != m_round) {
        if (reply.outcome == GenaReply::Outcome::Accepted)
            Gena::unsubscribe(url, reply.sid);
        co_return;
    }
    m_pending.remove(key);
    const auto want = wanted();
    const bool stillWanted = want.contains(key) && want.value(key).first.ip == speaker.ip;
    if (reply.outcome != GenaReply::Outcome::Accepted) {
        if (stillWanted)
            fallBack(Reason::Refused);
        co_return;
    }
    if (!stillWanted) {
        Gena::unsubscribe(url, reply.sid);
        co_return;
    }
    Subscription subscription{service, speaker, url, reply.sid, reply.timeoutSeconds};
    subscription.renewAt = m_clock.elapsed() + qint64(reply.timeoutSeconds) * 500;
    m_bySID.insert(reply.sid, key);
    m_subscriptions.insert(key, subscription);
    m_listener->allow(reply.sid, speaker.ip);
    scheduleRenewal();
    // The transport's first notification must follow within the delay, or something (a
    // firewall, usually) keeps the speakers' messages out.
    if (service == EventService::Transport && m_mode != Mode::Polling)
        m_fallbackTimer.start(delays().eventsFallback);
}

void LiveUpdates::scheduleRenewal()
{
    if (m_subscriptions.isEmpty()) {
        m_renewTimer.stop();
        return;
    }
    qint64 next = std::numeric_limits<qint64>::max();
    for (const Subscription &subscription : std::as_const(m_subscriptions))
        next = std::min(next, subscription.renewAt);
    m_renewTimer.start(int(std::clamp<qint64>(next - m_clock.elapsed(), 0, 24 * 3600 * 1000)));
}

QCoro::Task<> LiveUpdates::renewDue()
{
    QPointer<LiveUpdates> self(this);
    const qint64 now = m_clock.elapsed();
    QList<Key> due;
    for (auto it = m_subscriptions.begin(); it != m_subscriptions.end(); ++it) {
        if (it->renewAt <= now && !it->renewing) {
            it->renewing = true;
            due << it.key();
        }
    }
    for (const Key &key : due) {
        const Subscription subscription = m_subscriptions.value(key);
        const GenaReply reply = co_await Gena::renew(subscription.eventURL, subscription.sid, subscription.timeoutSeconds);
        if (!self)
            co_return;
        auto it = m_subscriptions.find(key);
        if (it == m_subscriptions.end() || it->sid != subscription.sid)
            continue; // dropped meanwhile
        it->renewing = false;
        switch (reply.outcome) {
        case GenaReply::Outcome::Accepted:
            it->timeoutSeconds = reply.timeoutSeconds;
            it->renewAt = m_clock.elapsed() + qint64(reply.timeoutSeconds) * 500;
            break;
        case GenaReply::Outcome::Unknown:
            // The speaker forgot it (it restarted, or the subscription ran out): a new one, whose
            // first notification brings the whole state back.
            drop(key, false);
            subscribe(subscription.speaker, subscription.service);
            break;
        case GenaReply::Outcome::Failed:
            fallBack(Reason::Refused);
            co_return;
        }
    }
    scheduleRenewal();
}

void LiveUpdates::drop(const Key &key, bool tellSpeaker)
{
    const auto it = m_subscriptions.constFind(key);
    if (it == m_subscriptions.constEnd())
        return;
    m_listener->forget(it->sid);
    m_bySID.remove(it->sid);
    if (tellSpeaker)
        Gena::unsubscribe(it->eventURL, it->sid);
    if (it->service == EventService::Transport)
        m_transport.clear();
    m_subscriptions.erase(it);
}

void LiveUpdates::dropAll(bool tellSpeaker)
{
    for (const Key &key : m_subscriptions.keys())
        drop(key, tellSpeaker);
    ++m_round;
    m_pending.clear();
    m_renewTimer.stop();
    m_fallbackTimer.stop();
}

void LiveUpdates::fallBack(Reason reason)
{
    // Polling as before, and another try in a few minutes (the firewall may have been opened).
    dropAll(true);
    setMode(Mode::Polling, reason);
    m_retryTimer.start(delays().eventsRetry);
}

void LiveUpdates::checkFlowing()
{
    for (const Subscription &subscription : std::as_const(m_subscriptions)) {
        if (subscription.service == EventService::Transport && subscription.initialSeen)
            return;
    }
    fallBack(Reason::Blocked);
}

void LiveUpdates::unsubscribeAllNow()
{
    m_enabled = false; // the program ends: nothing is subscribed again
    // Blocking, but bounded: the speakers are on the local network and answer at once.
    std::vector<std::unique_ptr<QTcpSocket>> sockets;
    for (const Subscription &subscription : std::as_const(m_subscriptions)) {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(subscription.eventURL.host(), quint16(subscription.eventURL.port(1400)));
        const QByteArray request = "UNSUBSCRIBE " + subscription.eventURL.path(QUrl::FullyEncoded).toLatin1()
            + " HTTP/1.1\r\nHOST: " + subscription.eventURL.host().toLatin1() + ':'
            + QByteArray::number(subscription.eventURL.port(1400)) + "\r\nSID: " + subscription.sid.toLatin1()
            + "\r\n\r\n";
        socket->write(request);
        sockets.push_back(std::move(socket));
    }
    for (auto &socket : sockets) {
        if (!socket->waitForConnected(300))
            continue;
        if (socket->bytesToWrite() > 0)
            socket->waitForBytesWritten(300);
        // Left open a moment for the speaker to read it; the application owns it meanwhile.
        QTcpSocket *open = socket.release();
        open->setParent(QCoreApplication::instance());
        QTimer::singleShot(2000, open, &QObject::deleteLater);
    }
    m_listener->forgetAll();
    m_bySID.clear();
    m_subscriptions.clear();
    ++m_round;
    m_pending.clear();
    m_renewTimer.stop();
}

void LiveUpdates::received(const EventNotification &notification)
{
    const auto keyIt = m_bySID.constFind(notification.sid);
    if (keyIt == m_bySID.constEnd())
        return;
    auto it = m_subscriptions.find(*keyIt);
    if (it == m_subscriptions.end())
        return;
    const bool initial = notification.seq == 0u;
    // A number skipped is a notification lost: what it said is read again, once.
    const bool gap = !initial && it->lastSeq && notification.seq && *notification.seq != *it->lastSeq + 1;
    if (notification.seq)
        it->lastSeq = notification.seq;
    if (initial)
        it->initialSeen = true;
    const QList<std::pair<QString, QString>> properties =
        parsePropertySet(strictUtf8(notification.body).value_or(QString()));
    const EventService service = it->service;
    dispatch(*it, properties, initial);
    if (gap)
        resync(service);
    if (initial && service == EventService::Transport) {
        m_fallbackTimer.stop();
        m_retryTimer.stop();
        setMode(Mode::Instant);
    }
}

void LiveUpdates::dispatch(Subscription &subscription, const QList<std::pair<QString, QString>> &properties, bool initial)
{
    switch (subscription.service) {
    case EventService::Transport: {
        const QHash<QString, QString> variables = parseLastChange(propertyValue(properties, kLastChange));
        if (initial)
            m_transport.clear();
        for (auto it = variables.cbegin(); it != variables.cend(); ++it)
            m_transport.insert(it.key(), it.value());
        if (transportFollows(m_transport)) {
            // The speaker we follow as coordinator joined another group: the groups tell which.
            m_household->rereadGroups();
            return;
        }
        m_playback->applyTransportEvent(nowPlayingFromTransport(m_transport, subscription.speaker));
        if (variables.contains(QStringLiteral("CurrentPlayMode"))) {
            if (const std::optional<PlayMode> mode = playModeFromText(variables.value(QStringLiteral("CurrentPlayMode"))))
                m_playback->applyPlayMode(*mode);
        }
        const QString generation = m_transport.value(QStringLiteral("SleepTimerGeneration"));
        if (variables.contains(QStringLiteral("SleepTimerGeneration")) && generation != m_sleepGeneration) {
            if (!m_sleepGeneration.isEmpty() || !initial)
                m_playback->rereadSleepTimer();
            m_sleepGeneration = generation;
        }
        break;
    }
    case EventService::Rendering: {
        const RenderingChange change = renderingFromVariables(parseLastChange(propertyValue(properties, kLastChange)));
        if (m_household->selected() && subscription.speaker.uuid == m_household->selected()->uuid)
            m_playback->applyRendering(change);
        Q_EMIT memberRendering(subscription.speaker.uuid, change);
        break;
    }
    case EventService::GroupRendering:
        m_playback->applyGroupRendering(groupRenderingFromProperties(properties));
        break;
    case EventService::Topology: {
        const QString state = topologyState(properties);
        if (!state.isEmpty())
            m_household->takeTopology(parseZoneGroups(state));
        break;
    }
    case EventService::Content: {
        const QHash<QString, QString> ids = parseContainerUpdateIDs(propertyValue(properties, QStringLiteral("ContainerUpdateIDs")));
        const auto changed = [this, &ids](const QString &container) {
            if (!ids.contains(container))
                return false;
            const bool known = m_containerIDs.contains(container);
            const bool differs = m_containerIDs.value(container) != ids.value(container);
            m_containerIDs.insert(container, ids.value(container));
            return known && differs;
        };
        if (changed(QStringLiteral("Q:0")) && m_queueChanged)
            m_queueChanged();
        bool favorites = changed(QStringLiteral("FV:2"));
        const QString favoritesID = propertyValue(properties, QStringLiteral("FavoritesUpdateID"));
        if (!favoritesID.isEmpty()) {
            favorites = favorites || (!m_favoritesUpdateID.isEmpty() && favoritesID != m_favoritesUpdateID);
            m_favoritesUpdateID = favoritesID;
        }
        if (favorites)
            m_favorites->refresh();
        break;
    }
    case EventService::Alarms: {
        const QString version = propertyValue(properties, QStringLiteral("AlarmListVersion"));
        if (!version.isEmpty())
            Q_EMIT alarmListVersion(version);
        break;
    }
    case EventService::Queue:
        break;
    }
}

void LiveUpdates::resync(EventService service)
{
    ++m_resyncs;
    switch (service) {
    case EventService::Transport:
        m_playback->pollOnce();
        break;
    case EventService::Rendering:
        m_playback->rereadRoomSound();
        Q_EMIT renderingLost();
        break;
    case EventService::Content:
        m_favorites->refresh();
        if (m_queueChanged)
            m_queueChanged();
        break;
    case EventService::Topology:
        m_household->rereadGroups();
        break;
    case EventService::GroupRendering:
        m_playback->rereadVolume();
        break;
    case EventService::Alarms:
        // An unknown version: the list is read again if it is shown.
        Q_EMIT alarmListVersion(QString());
        break;
    case EventService::Queue:
        break;
    }
}

} // namespace corvane
