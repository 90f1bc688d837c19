// RenderingControl of a simulated speaker: volume, mute and the equaliser, each its own.
#include "simsoap.h"
#include "simspeaker.h"

namespace corvane::sim {

namespace {

const QString kRC = QStringLiteral("urn:schemas-upnp-org:service:RenderingControl:1");

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

} // namespace corvane::sim
