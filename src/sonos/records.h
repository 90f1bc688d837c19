#pragma once

#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

namespace corvane {

// One Sonos zone player.
struct Speaker
{
    QString uuid;
    QString ip;
    QString roomName;
    QString model;

    // http://ip:1400, every request to the player is relative to it.
    QUrl baseURL() const;
    QString iconName() const;

    bool operator==(const Speaker &) const = default;
};

// One zone group of the household topology.
struct SonosGroup
{
    QString coordinatorUUID;
    QList<Speaker> members;

    std::optional<Speaker> coordinator() const;
    QString displayName() const;

    bool operator==(const SonosGroup &) const = default;
};

// What a group is playing.
struct NowPlaying
{
    QString title;
    QString artist;
    QString album;
    std::optional<QString> trackID;
    std::optional<QUrl> artworkURL;
    bool isPlaying = false;
    std::optional<int> queueIndex;
    int elapsed = 0;
    int duration = 0;

    bool isEmpty() const { return title.isEmpty() && artist.isEmpty(); }
    bool operator==(const NowPlaying &) const = default;
};

struct QueueItem
{
    int id = 0;
    QString title;
    QString artist;
    std::optional<QUrl> artworkURL;
    std::optional<QString> songID;

    bool operator==(const QueueItem &) const = default;
};

// An Apple Music catalogue song as handed to a speaker and shown in lists.
struct Track
{
    QString id;
    QString title;
    QString artist;
    QString album;
    std::optional<QString> artworkBase;
    std::optional<qint64> durationMS;

    std::optional<QString> durationText() const;
    std::optional<QUrl> artworkURL(int size) const;

    bool operator==(const Track &) const = default;
};

struct SonosFavorite
{
    QString id;
    QString title;
    std::optional<QUrl> artworkURL;
    QString uri;
    QString metadata;

    int ordinal() const;
    bool refersToSong(const QString &songID) const;

    bool operator==(const SonosFavorite &) const = default;
};

struct RadioStation
{
    QString id;
    QString name;
    QString genre;
    QString stream;
    std::optional<QString> logo;

    QString initials() const;

    bool operator==(const RadioStation &) const = default;
};

struct Equalizer
{
    int bass = 0;
    int treble = 0;
    bool loudness = false;

    bool operator==(const Equalizer &) const = default;
};

struct BatteryStatus
{
    int level = 0;
    bool charging = false;

    bool operator==(const BatteryStatus &) const = default;
};

enum class RepeatState { Off, All, One };

enum class PlayMode { Normal, RepeatAll, RepeatOne, Shuffle, ShuffleNoRepeat };

// The speaker's text for a mode ("SHUFFLE_NOREPEAT", ...), and back (exact, case-sensitive).
QString playModeText(PlayMode mode);
std::optional<PlayMode> playModeFromText(const QString &text);
bool playModeShuffles(PlayMode mode);
RepeatState playModeRepeat(PlayMode mode);

// How the household reaches the user's Apple Music account.
struct AppleMusicLink
{
    int sid = 0;
    QString sn;
    QString flags;
    QString scheme;

    // sid × 256 + 7, the number speakers use in account tokens (52231 for sid 204).
    int serviceType() const { return sid * 256 + 7; }
    // SA_RINCON52231_X_#Svc52231-3-Token
    QString accountToken() const;
    QString trackURI(const QString &songID) const;
    QString trackMetadata(const Track &track) const;
    // `kind` is "album"; anything else is a playlist.
    QString containerURI(const QString &kind, const QString &id) const;
    QString containerMetadata(const QString &kind, const QString &id, const QString &title) const;

    bool operator==(const AppleMusicLink &) const = default;
};

} // namespace corvane
