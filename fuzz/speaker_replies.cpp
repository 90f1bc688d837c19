// Speaker replies as they come off the wire: every reader of SOAP results, DIDL-Lite, the zone
// group state, the battery page and the network texts, fed the same bytes.
#include "base/text.h"
#include "sonos/alarms.h"
#include "sonos/events.h"
#include "sonos/replies.h"
#include "sonos/sonoscontroller.h"
#include "sonos/sonosdiscovery.h"

#include <cstddef>
#include <cstdint>

using namespace corvane;

namespace {
// An input that starts with "#grow\n" stands for a reply as large as a speaker may send (4 MiB):
// the rest, repeated. Readers must stay linear on it, an unclosed tag included. Fuzzing for real,
// it grows to 256 KiB only, so that each input still takes a moment.
#ifdef CORVANE_FUZZ_REPLAY
constexpr qsizetype grownSize = qsizetype(4) << 20;
#else
constexpr qsizetype grownSize = qsizetype(256) << 10;
#endif

QString expanded(const char *data, size_t size)
{
    static const QByteArray marker = "#grow\n";
    const QByteArray bytes(data, qsizetype(size));
    if (!bytes.startsWith(marker) || bytes.size() == marker.size())
        return QString::fromUtf8(bytes);
    const QByteArray unit = bytes.mid(marker.size());
    QByteArray grown;
    grown.reserve(grownSize);
    while (grown.size() + unit.size() <= grownSize)
        grown += unit;
    return QString::fromUtf8(grown);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = expanded(reinterpret_cast<const char *>(data), size);
    const QString decoded = xmlUnescape(xmlUnescape(text));
    const Speaker speaker{QStringLiteral("RINCON_F00D"), QStringLiteral("127.0.0.1"), QStringLiteral("Salon"), QStringLiteral("Sonos")};
    parseFavorites(decoded, speaker);
    parseQueue(decoded, speaker);
    parseNowPlaying(decoded, text, speaker);
    parsePlayMode(text);
    parseSleepTimerRemaining(text);
    parseVolume(text);
    parseMute(text);
    parseEqualizer(text, text, text);
    parseBatteryStatus(text);
    parseZoneGroups(decoded);
    // Event bodies: the property set, each LastChange in it, and what the model takes from them.
    const auto properties = parsePropertySet(text);
    for (const auto &[name, value] : properties) {
        const QHash<QString, QString> variables = parseLastChange(value);
        nowPlayingFromTransport(variables, speaker);
        transportFollows(variables);
        renderingFromVariables(variables);
        parseContainerUpdateIDs(value);
    }
    groupRenderingFromProperties(properties);
    parseZoneGroups(topologyState(properties));
    parseEventPaths(text);
    for (const Alarm &alarm : parseAlarmList(text).alarms) {
        describeRecurrence(alarm.recurrence);
        describeProgram(alarm);
        shortTime(alarm.startTime);
        alarmArguments(alarm, true);
    }
    parseAlarms(decoded);
    if (const auto sid = appleMusicServiceId(decoded))
        appleMusicLinkFromSamples(*sid, {decoded});
    appleMusicLinkFromSamples(204, {decoded, text});
    hmsSeconds(text);
    for (const QStringView tag : startTags(text, QStringLiteral("item")))
        attributeValue(tag, QStringLiteral("id"));
    SonosDiscovery::defaultRouteMetrics(text);
    if (const auto network = SonosDiscovery::parseNetwork(text.left(64)))
        SonosDiscovery::hostAddresses(network->address, network->netmask);
    return 0;
}
