// Finding the household's speakers, its groups, and the rooms joining and leaving them.

#include "household.h"

#include "applemusic/artworkcache.h"
#include "async/delays.h"
#include "async/tasks.h"
#include "base/corvaneerror.h"
#include "model/failure.h"
#include "model/field.h"
#include "model/notices.h"
#include "sonos/sonoscontroller.h"
#include "sonos/sonosdiscovery.h"

#include <QCollator>
#include <QCoreApplication>
#include <QPointer>
#include <QSet>
#include <QThreadPool>

#include <algorithm>

namespace corvane {

namespace {

constexpr qint64 artworkDiskLimit = 96 * 1024 * 1024;

QString firstTimeNoSpeakerMessage()
{
    return QCoreApplication::translate("Household", "Aucune enceinte trouvée. Vérifiez que Corvane est autorisée à accéder au réseau "
             "local, et que vos enceintes sont allumées sur le même réseau Wi-Fi.");
}

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

QVariantMap roomCard(const Speaker &speaker, const QString &detail, bool leads, const QString &group)
{
    return {{QStringLiteral("uuid"), speaker.uuid},
            {QStringLiteral("room"), speaker.roomName},
            {QStringLiteral("detail"), detail},
            {QStringLiteral("isCoordinator"), leads},
            {QStringLiteral("group"), group}};
}

} // namespace

void Household::refreshSpeakers()
{
    if (m_isDiscovering)
        return; // the run in progress answers this request too
    discoveryRun();
}

QCoro::Task<> Household::discoveryRun()
{
    QPointer<Household> self(this);
    assign(this, m_isDiscovering, true, &Household::isDiscoveringChanged);
    if (m_notices->errorMessage())
        m_notices->setErrorMessage(std::nullopt);
    m_discovery = std::make_unique<CancellationSource>();
    const CancellationToken token = m_discovery->token();

    QThreadPool::globalInstance()->start([] { ArtworkCache::trimDiskCache(artworkDiskLimit); }, -1);
    Q_EMIT discoveryStarted();

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
        const QList<SonosGroup> groups = co_await readTopology(answering, known, token);
        if (!self)
            co_return;
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
        setCheckedAppleMusic(true);
        m_notices->setErrorMessage(m_preferences.hasEverFoundSpeaker() ? CorvaneError::noSpeakers().message()
                                                                      : firstTimeNoSpeakerMessage());
        // A selected speaker stays selected: its polling goes on and picks it up when it returns.
    }

    assign(this, m_isDiscovering, false, &Household::isDiscoveringChanged);
    assign(this, m_hasSearchedOnce, true, &Household::hasSearchedOnceChanged);
    Q_EMIT setupChanged();
}

QCoro::Task<QList<SonosGroup>> Household::readTopology(Speaker answering, QStringList known, CancellationToken token)
{
    QPointer<Household> self(this);
    try {
        const SonosController controller(answering, token);
        co_return co_await controller.zoneGroups();
    } catch (...) {
        // Large households answer 501 to the topology read: below, every remembered speaker
        // that still answers becomes its own group, so all rooms stay reachable.
    }
    QList<SonosGroup> groups{SonosGroup{answering.uuid, {answering}}};
    if (!self)
        co_return groups;
    std::vector<QCoro::Task<std::optional<Speaker>>> probes;
    for (const QString &ip : known) {
        if (ip != answering.ip)
            probes.push_back(SonosDiscovery::probe(ip, token));
    }
    std::vector<std::optional<Speaker>> found;
    try {
        found = co_await whenAll(std::move(probes));
    } catch (...) {
        // the probes fail only as a whole when cancelled: the answering speaker alone remains
    }
    for (const std::optional<Speaker> &speaker : found) {
        const bool seen = std::any_of(groups.begin(), groups.end(), [&](const SonosGroup &group) {
            return speaker && group.coordinatorUUID == speaker->uuid;
        });
        if (speaker && !seen)
            groups.append(SonosGroup{speaker->uuid, {*speaker}});
    }
    co_return groups;
}

void Household::setSpeakersAndGroups(const QList<SonosGroup> &groups)
{
    const QList<Speaker> speakers = flattenSorted(groups);
    assign(this, m_groups, groups, &Household::groupsChanged);
    assign(this, m_speakers, speakers, &Household::speakersChanged);
}

void Household::applyTopology(const QList<SonosGroup> &groups, const Speaker &answering)
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

void Household::chooseSelection()
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

// ---- rooms and groups

QCoro::Task<> Household::takeTopology(QList<SonosGroup> groups)
{
    QPointer<Household> self(this);
    if (groups.isEmpty())
        co_return;
    QList<Speaker> everyone;
    for (const SonosGroup &group : std::as_const(groups))
        everyone += group.members;
    // Known models come from the cache; a room new to the household has its description read.
    const QList<Speaker> named = co_await SonosController::withModels(everyone);
    if (!self)
        co_return;
    qsizetype next = 0;
    for (SonosGroup &group : groups) {
        for (Speaker &member : group.members)
            member = named.value(next++, member);
    }
    setSpeakersAndGroups(groups);
    chooseSelection();
}

QCoro::Task<> Household::rereadGroups()
{
    QPointer<Household> self(this);
    std::unique_ptr<SonosController> controller = coordinatorController();
    if (!controller)
        co_return;
    try {
        QList<SonosGroup> groups = co_await controller->zoneGroups();
        if (self && !groups.isEmpty()) {
            setSpeakersAndGroups(groups);
            chooseSelection();
        }
    } catch (...) {
        // the next topology event or discovery run brings the groups
    }
}

void Household::toggleRoom(const QString &uuid, const QString &groupCoordinator)
{
    for (const Speaker &speaker : std::as_const(m_speakers)) {
        if (speaker.uuid == uuid) {
            toggleMembership(speaker, groupCoordinator.isEmpty() ? std::nullopt : std::optional(groupCoordinator));
            return;
        }
    }
}

QCoro::Task<> Household::toggleMembership(Speaker speaker, std::optional<QString> groupCoordinator)
{
    QPointer<Household> self(this);
    std::optional<SonosGroup> group = currentGroup();
    if (groupCoordinator) {
        group.reset();
        for (const SonosGroup &candidate : std::as_const(m_groups)) {
            if (candidate.coordinatorUUID == *groupCoordinator)
                group = candidate;
        }
    }
    if (!group)
        co_return;
    const bool member = std::any_of(group->members.begin(), group->members.end(),
                                    [&speaker](const Speaker &m) { return m.uuid == speaker.uuid; });
    if (member && speaker.uuid == group->coordinatorUUID)
        co_return; // the coordinator's own card
    const QString coordinatorUUID = group->coordinatorUUID;
    const Speaker coordinator = group->coordinator().value_or(speaker);
    try {
        const SonosController room(speaker);
        if (member)
            co_await room.leaveGroup();
        else
            co_await room.joinGroup(coordinatorUUID);
        if (!self)
            co_return;
        co_await sleep(delays().regroupSettle);
        if (!self)
            co_return;
        const SonosController leader(coordinator);
        const QList<SonosGroup> groups = co_await leader.zoneGroups();
        if (!self)
            co_return;
        if (!groups.isEmpty())
            setSpeakersAndGroups(groups);
    } catch (...) {
        if (self)
            m_notices->setErrorMessage(failureMessage(std::current_exception()));
    }
}

QVariantList Household::groupCards() const
{
    QVariantList cards;
    for (const SonosGroup &group : m_groups) {
        QVariantList members;
        QSet<QString> inside;
        for (const Speaker &member : group.members) {
            const bool leads = member.uuid == group.coordinatorUUID;
            inside.insert(member.uuid);
            members.append(roomCard(member, leads ? QCoreApplication::translate("Household", "Pilote le groupe · %1").arg(member.shortModel()) : member.shortModel(),

                                    leads, group.coordinatorUUID));
        }
        QVariantList outsiders;
        for (const Speaker &speaker : m_speakers) {
            if (!inside.contains(speaker.uuid))
                outsiders.append(roomCard(speaker, speaker.shortModel(), false, group.coordinatorUUID));
        }
        const int rooms = int(group.members.size());
        cards.append(QVariantMap{{QStringLiteral("coordinatorUUID"), group.coordinatorUUID},
                                 {QStringLiteral("name"), group.displayName()},
                                 {QStringLiteral("symbol"), rooms > 1 ? QStringLiteral("rectangle.3.group.fill") : QStringLiteral("hifispeaker.fill")},
                                 {QStringLiteral("roomCount"), rooms},
                                 {QStringLiteral("members"), members},
                                 {QStringLiteral("outsiders"), outsiders}});
    }
    return cards;
}

} // namespace corvane
