#pragma once

#include "base/records.h"

#include <QList>
#include <QString>

#include <optional>

namespace corvane {

// Readers of speaker replies. They never fail: missing or malformed fields take their defaults.

// Items of a Browse reply of FV:2 (after the two unescapes of browse()).
QList<SonosFavorite> parseFavorites(const QString &didl, const Speaker &speaker);
// Items Q:0/n of a Browse reply of Q:0 (after the two unescapes of browse()).
QList<QueueItem> parseQueue(const QString &didl, const Speaker &speaker);

// GetPositionInfo (unescaped twice) and GetTransportInfo replies into one snapshot. `station`
// is the name of the live stream playing, when it is one (from GetMediaInfo): a radio shows the
// station as its title and the song its stream announces as the artist line.
NowPlaying parseNowPlaying(const QString &positionText, const QString &transportText,
                           const Speaker &speaker, const QString &station = {});
// The TrackURI of a GetPositionInfo reply (unescaped twice).
QString parseTrackURI(const QString &positionText);
// The coordinator a group member follows ("x-rincon:<uuid>" as its track), if it is one.
std::optional<QString> followedCoordinator(const QString &trackURI);
// A live stream (internet radio, a service's radio), which has a station name but no queue.
bool isLiveStream(const QString &trackURI);
// A speaker's own input (line-in, TV), which the speaker names generically.
bool isInputSource(const QString &trackURI);
// The title in a GetMediaInfo reply's CurrentURIMetaData (unescaped twice): a station's name.
QString parseStationName(const QString &mediaText);
std::optional<PlayMode> parsePlayMode(const QString &reply);
// Minutes left, a started minute counting as a whole one; absent when no timer runs.
std::optional<int> parseSleepTimerRemaining(const QString &reply);
int parseVolume(const QString &reply);
bool parseMute(const QString &reply);
Equalizer parseEqualizer(const QString &bassReply, const QString &trebleReply,
                         const QString &loudnessReply);
std::optional<BatteryStatus> parseBatteryStatus(const QString &page);

// The id of the first service named like Apple Music in a ListAvailableServices reply.
std::optional<int> appleMusicServiceId(const QString &services);
// The binding from the first sample that carries "sid=<sid>" with a scheme, a serial and flags.
std::optional<AppleMusicLink> appleMusicLinkFromSamples(int sid, const QStringList &samples);

} // namespace corvane
