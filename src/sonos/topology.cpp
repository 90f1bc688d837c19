// Zone topology and grouping of SonosController.
#include "sonoscontroller.h"

#include "events.h"

#include "base/corvaneerror.h"

#include "async/http.h"
#include "async/tasks.h"
#include "base/text.h"
#include "replies.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace corvane {

ModelCache &ModelCache::instance()
{
    static ModelCache cache;
    return cache;
}

std::optional<QString> ModelCache::model(const QString &uuid) const
{
    const auto it = m_byUUID.constFind(uuid);
    if (it == m_byUUID.constEnd())
        return std::nullopt;
    return *it;
}

void ModelCache::store(const QString &uuid, const QString &model)
{
    m_byUUID.insert(uuid, model);
}

QList<SonosGroup> parseZoneGroups(const QString &state)
{
    static const QRegularExpression host(QStringLiteral("^\\s*http://([0-9.]+):"), QRegularExpression::CaseInsensitiveOption);

    QList<SonosGroup> groups;
    for (const QStringView element : elements(state, QLatin1StringView("ZoneGroup"))) {
        const qsizetype tagEnd = element.indexOf(QLatin1Char('>'));
        const QStringView members = element.mid(tagEnd + 1);
        SonosGroup result;
        result.coordinatorUUID = attributeValue(element.left(tagEnd + 1), QStringLiteral("Coordinator")).value_or(QString()).trimmed();
        if (result.coordinatorUUID.isEmpty())
            continue;
        for (const QStringView member : startTags(members, QStringLiteral("ZoneGroupMember"))) {
            const QString id = attributeValue(member, QStringLiteral("UUID")).value_or(QString()).trimmed();
            const auto ip = firstCapture(host, attributeValue(member, QStringLiteral("Location")).value_or(QString()));
            const QString room = attributeValue(member, QStringLiteral("ZoneName")).value_or(QString()).trimmed();
            const bool invisible = attributeValue(member, QStringLiteral("Invisible")).value_or(QString()).trimmed() == QLatin1String("1");
            if (id.isEmpty() || !ip || room.isEmpty() || invisible)
                continue;
            result.members.append(Speaker{id, *ip, room, QStringLiteral("Sonos")});
        }
        if (!result.members.isEmpty())
            groups.append(result);
    }
    std::stable_sort(groups.begin(), groups.end(), [](const SonosGroup &a, const SonosGroup &b) {
        const auto ca = a.coordinator();
        const auto cb = b.coordinator();
        return (ca ? ca->roomName : QString()) < (cb ? cb->roomName : QString());
    });
    return groups;
}

QCoro::Task<QList<SonosGroup>> SonosController::zoneGroupsWithoutModels() const
{
    const QString reply = co_await soap(upnp::zoneGroupTopology, QStringLiteral("/ZoneGroupTopology/Control"),
                                        QStringLiteral("GetZoneGroupState"), QString());
    co_return parseZoneGroups(xmlUnescape(xmlUnescape(reply)));
}

QCoro::Task<QList<SonosGroup>> SonosController::zoneGroups() const
{
    QList<SonosGroup> groups = co_await zoneGroupsWithoutModels();
    // One pass over every member, so the model reads of all groups run at once.
    QList<Speaker> everyone;
    for (const SonosGroup &group : groups)
        everyone += group.members;
    const QList<Speaker> named = co_await withModels(everyone, m_token);
    qsizetype next = 0;
    for (SonosGroup &group : groups) {
        for (Speaker &member : group.members)
            member = named.at(next++);
    }
    co_return groups;
}

QCoro::Task<std::optional<Speaker>> SonosController::coordinatorOf(QString member) const
{
    std::optional<Speaker> found;
    try {
        const QList<SonosGroup> groups = co_await zoneGroupsWithoutModels();
        for (const SonosGroup &group : groups) {
            const bool holds = std::any_of(group.members.cbegin(), group.members.cend(),
                                           [&member](const Speaker &s) { return s.uuid == member || s.ip == member; });
            if (holds || group.coordinatorUUID == member)
                found = group.coordinator();
        }
    } catch (const CorvaneError &) {
        if (m_token.isCancelled())
            throw;
    }
    co_return found;
}

QCoro::Task<> SonosController::joinGroup(QString coordinatorUUID) const
{
    co_await setTransportURI(QStringLiteral("x-rincon:") + coordinatorUUID, QString());
}

QCoro::Task<> SonosController::leaveGroup() const
{
    co_await soap(upnp::avTransport, QStringLiteral("BecomeCoordinatorOfStandaloneGroup"),
                  QStringLiteral("<InstanceID>0</InstanceID>"));
}

namespace {
} // namespace

QCoro::Task<QList<Speaker>> SonosController::withModels(QList<Speaker> speakers, CancellationToken token)
{
    std::vector<QCoro::Task<>> reads;
    for (const Speaker &speaker : speakers) {
        if (!ModelCache::instance().model(speaker.uuid))
            reads.push_back(describeOnce(speaker.uuid, speaker.ip, token));
    }
    if (!reads.empty())
        co_await whenAll(std::move(reads));
    for (Speaker &speaker : speakers) {
        if (const auto model = ModelCache::instance().model(speaker.uuid))
            speaker.model = *model;
    }
    co_return speakers;
}

QCoro::Task<std::optional<QString>> SonosController::fetchDescription(QString ip, CancellationToken token)
{
    HttpRequest request;
    request.url = QUrl(QStringLiteral("http://") + ip + QStringLiteral(":1400/xml/device_description.xml"));
    request.timeout = delays().deviceDescriptionTimeout;
    request.maxBody = bodyLimit::speaker;
    request.token = token;
    const HttpResult result = co_await httpSend(speakerNetwork(), request);
    if (!result.status)
        co_return std::nullopt;
    co_return strictUtf8(result.body);
}

QCoro::Task<std::optional<QString>> SonosController::fetchModel(QString ip, CancellationToken token)
{
    const std::optional<QString> text = co_await fetchDescription(ip, token);
    if (!text)
        co_return std::nullopt;
    co_return firstCapture(QStringLiteral("<modelName>([^<]+)</modelName>"), *text);
}

QCoro::Task<> SonosController::describeOnce(QString uuid, QString ip, CancellationToken token)
{
    const std::optional<QString> text = co_await fetchDescription(ip, token);
    if (!text)
        co_return;
    if (const auto model = firstCapture(QStringLiteral("<modelName>([^<]+)</modelName>"), *text); model && !model->isEmpty())
        ModelCache::instance().store(uuid, *model);
    // An unreadable list is asked for again next time; the usual paths serve meanwhile.
    if (const QHash<QString, QString> paths = parseEventPaths(*text); !paths.isEmpty())
        ModelCache::instance().storeEventPaths(uuid, paths);
}

} // namespace corvane
