// RenderingControl of a simulated speaker: volume, mute and the equaliser, each its own.
#include "simsoap.h"
#include "simhousehold.h"
#include "simspeaker.h"

#include <cmath>

namespace corvane::sim {

namespace {

const QString kRC = QStringLiteral("urn:schemas-upnp-org:service:RenderingControl:1");
const QString kGRC = QStringLiteral("urn:schemas-upnp-org:service:GroupRenderingControl:1");

std::optional<bool> parseFlag(const QString &text)
{
    if (text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("0"))
        return false;
    return std::nullopt;
}

} // namespace

SimSpeaker::Reply SimSpeaker::renderingControl(const SimRequest &request)
{
    const QString &action = request.action;
    const auto arg = [&request](const char *name) {
        return request.arguments.value(QString::fromLatin1(name));
    };
    const auto ok = [&action](const QString &content = {}) {
        return Reply{200, "text/xml; charset=\"utf-8\"", soapEnvelope(kRC, action, content)};
    };
    const auto refuse = [](int code) { return Reply{-code, {}, {}}; };
    const bool master = arg("Channel") == QLatin1String("Master");

    if (action == QLatin1String("GetVolume") || action == QLatin1String("SetVolume")
        || action == QLatin1String("GetMute") || action == QLatin1String("SetMute")
        || action == QLatin1String("GetLoudness") || action == QLatin1String("SetLoudness")) {
        if (!master)
            return refuse(402);
    }
    if (action == QLatin1String("GetVolume"))
        return ok(QStringLiteral("<CurrentVolume>%1</CurrentVolume>").arg(m_volume));
    if (action == QLatin1String("SetVolume")) {
        const auto level = parseInteger(arg("DesiredVolume"));
        if (!level || *level < 0 || *level > 100)
            return refuse(402);
        m_volume = *level;
        return ok();
    }
    if (action == QLatin1String("GetMute"))
        return ok(QStringLiteral("<CurrentMute>%1</CurrentMute>").arg(m_muted ? 1 : 0));
    if (action == QLatin1String("SetMute")) {
        const auto flag = parseFlag(arg("DesiredMute"));
        if (!flag)
            return refuse(402);
        m_muted = *flag;
        return ok();
    }
    if (action == QLatin1String("GetLoudness"))
        return ok(QStringLiteral("<CurrentLoudness>%1</CurrentLoudness>").arg(m_eq.loudness ? 1 : 0));
    if (action == QLatin1String("SetLoudness")) {
        const auto flag = parseFlag(arg("DesiredLoudness"));
        if (!flag)
            return refuse(402);
        m_eq.loudness = *flag;
        return ok();
    }
    if (action == QLatin1String("GetBass"))
        return ok(QStringLiteral("<CurrentBass>%1</CurrentBass>").arg(m_eq.bass));
    if (action == QLatin1String("GetTreble"))
        return ok(QStringLiteral("<CurrentTreble>%1</CurrentTreble>").arg(m_eq.treble));
    if (action == QLatin1String("SetBass") || action == QLatin1String("SetTreble")) {
        const bool bass = action == QLatin1String("SetBass");
        const auto value = parseInteger(arg(bass ? "DesiredBass" : "DesiredTreble"));
        if (!value || *value < -10 || *value > 10)
            return refuse(402);
        (bass ? m_eq.bass : m_eq.treble) = *value;
        return ok();
    }
    return refuse(401);
}

int SimSpeaker::groupVolume()
{
    const QList<SimSpeaker *> members = m_household ? m_household->membersOf(this) : QList<SimSpeaker *>{this};
    if (members.isEmpty())
        return m_volume;
    int total = 0;
    for (const SimSpeaker *member : members)
        total += member->m_volume;
    return (total + int(members.size()) / 2) / int(members.size());
}

// GroupRenderingControl, answered by the group's coordinator only (a member refuses with 701, as
// players do). A new group volume scales every member's from the last snapshot, or from their
// present volumes when none was taken.
SimSpeaker::Reply SimSpeaker::groupRenderingControl(const SimRequest &request)
{
    const QString &action = request.action;
    const auto ok = [&action](const QString &content = {}) {
        return Reply{200, "text/xml; charset=\"utf-8\"", soapEnvelope(kGRC, action, content)};
    };
    const auto refuse = [](int code) { return Reply{-code, {}, {}}; };
    if (coordinator() != this)
        return refuse(701);
    const QList<SimSpeaker *> members = m_household ? m_household->membersOf(this) : QList<SimSpeaker *>{this};

    const auto setGroup = [this, &members](int level) {
        QHash<QString, int> base = m_groupSnapshot;
        int baseTotal = 0;
        for (SimSpeaker *member : members) {
            if (!base.contains(member->m_config.uuid))
                base.insert(member->m_config.uuid, member->m_volume);
            baseTotal += base.value(member->m_config.uuid);
        }
        const double baseGroup = members.isEmpty() ? 0.0 : double(baseTotal) / members.size();
        for (SimSpeaker *member : members) {
            const int from = base.value(member->m_config.uuid);
            const int to = baseGroup <= 0.0 ? level : int(std::lround(from * level / baseGroup));
            member->m_volume = std::clamp(to, 0, 100);
        }
    };

    if (action == QLatin1String("GetGroupVolume"))
        return ok(QStringLiteral("<CurrentVolume>%1</CurrentVolume>").arg(groupVolume()));
    if (action == QLatin1String("SnapshotGroupVolume")) {
        m_groupSnapshot.clear();
        for (const SimSpeaker *member : members)
            m_groupSnapshot.insert(member->m_config.uuid, member->m_volume);
        return ok();
    }
    if (action == QLatin1String("SetGroupVolume")) {
        const auto level = parseInteger(request.arguments.value(QStringLiteral("DesiredVolume")));
        if (!level || *level < 0 || *level > 100)
            return refuse(402);
        setGroup(*level);
        return ok();
    }
    if (action == QLatin1String("SetRelativeGroupVolume")) {
        const auto step = parseInteger(request.arguments.value(QStringLiteral("Adjustment")));
        if (!step || *step < -100 || *step > 100)
            return refuse(402);
        setGroup(std::clamp(groupVolume() + *step, 0, 100));
        return ok(QStringLiteral("<NewVolume>%1</NewVolume>").arg(groupVolume()));
    }
    if (action == QLatin1String("GetGroupMute")) {
        bool all = !members.isEmpty();
        for (const SimSpeaker *member : members)
            all = all && member->m_muted;
        return ok(QStringLiteral("<CurrentMute>%1</CurrentMute>").arg(all ? 1 : 0));
    }
    if (action == QLatin1String("SetGroupMute")) {
        const auto flag = parseFlag(request.arguments.value(QStringLiteral("DesiredMute")));
        if (!flag)
            return refuse(402);
        for (SimSpeaker *member : members)
            member->m_muted = *flag;
        return ok();
    }
    return refuse(401);
}

} // namespace corvane::sim
