#pragma once

#include <QList>
#include <QObject>
#include <QVariantList>
#include <QString>
#include <QUrl>

#include <optional>

namespace corvane {

// One Sonos zone player.
struct Speaker
{
    Q_GADGET
    Q_PROPERTY(QString uuid MEMBER uuid)
    Q_PROPERTY(QString ip MEMBER ip)
    Q_PROPERTY(QString roomName MEMBER roomName)
    Q_PROPERTY(QString model MEMBER model)
    Q_PROPERTY(QString iconName READ iconName)
    Q_PROPERTY(QString shortModel READ shortModel)
    Q_PROPERTY(QString chooserLabel READ chooserLabel)
public:
    QString uuid;
    QString ip;
    QString roomName;
    QString model;

    // http://ip:1400, every request to the player is relative to it.
    QUrl baseURL() const;
    QString iconName() const;
    // The model without any "Sonos " in it ("One" for "Sonos One").
    QString shortModel() const;
    // The room, followed by " — " and the short model when that says something more.
    QString chooserLabel() const;

    bool operator==(const Speaker &) const = default;
};

// One zone group of the household topology.
struct SonosGroup
{
    Q_GADGET
    Q_PROPERTY(QString coordinatorUUID MEMBER coordinatorUUID)
    Q_PROPERTY(QVariantList members READ memberList)
    Q_PROPERTY(QString displayName READ displayName)
public:
    QVariantList memberList() const;
    QString coordinatorUUID;
    QList<Speaker> members;

    std::optional<Speaker> coordinator() const;
    QString displayName() const;

    bool operator==(const SonosGroup &) const = default;
};

// What a group is playing.
struct NowPlaying
{
    Q_GADGET
    Q_PROPERTY(QString title MEMBER title)
    Q_PROPERTY(QString artist MEMBER artist)
    Q_PROPERTY(QString album MEMBER album)
    Q_PROPERTY(QString trackID READ trackIDText)
    Q_PROPERTY(QUrl artwork READ artworkShown)
    Q_PROPERTY(bool isPlaying MEMBER isPlaying)
    Q_PROPERTY(int queueIndexShown READ queueIndexShown)
    Q_PROPERTY(int elapsed MEMBER elapsed)
    Q_PROPERTY(int duration MEMBER duration)
    Q_PROPERTY(bool isLive MEMBER isLive)
public:
    QString trackIDText() const { return trackID.value_or(QString()); }
    QUrl artworkShown() const { return artworkURL.value_or(QUrl()); }
    int queueIndexShown() const { return queueIndex.value_or(0); }
    QString title;
    QString artist;
    QString album;
    std::optional<QString> trackID;
    std::optional<QUrl> artworkURL;
    bool isPlaying = false;
    std::optional<int> queueIndex;
    int elapsed = 0;
    int duration = 0;
    // A radio stream or an input: no track before or after, no artist page.
    bool isLive = false;

    bool isEmpty() const { return title.isEmpty() && artist.isEmpty(); }
    bool operator==(const NowPlaying &) const = default;
};

struct QueueItem
{
    Q_GADGET
    Q_PROPERTY(int id MEMBER id)
    Q_PROPERTY(QString title MEMBER title)
    Q_PROPERTY(QString artist MEMBER artist)
    Q_PROPERTY(QUrl artwork READ artworkShown)
    Q_PROPERTY(QString songID READ songIDText)
public:
    QUrl artworkShown() const { return artworkURL.value_or(QUrl()); }
    QString songIDText() const { return songID.value_or(QString()); }
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
    Q_GADGET
    Q_PROPERTY(QString id MEMBER id)
    Q_PROPERTY(QString title MEMBER title)
    Q_PROPERTY(QString artist MEMBER artist)
    Q_PROPERTY(QString album MEMBER album)
    Q_PROPERTY(QUrl artwork READ artworkShown)
    Q_PROPERTY(QString duration READ durationShown)
public:
    QUrl artworkShown() const { return artworkURL(256).value_or(QUrl()); }
    QString durationShown() const { return durationText().value_or(QString()); }
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
    Q_GADGET
    Q_PROPERTY(QString id MEMBER id)
    Q_PROPERTY(QString title MEMBER title)
    Q_PROPERTY(QUrl artwork READ artworkShown)
    Q_PROPERTY(QString uri MEMBER uri)
public:
    QUrl artworkShown() const { return artworkURL.value_or(QUrl()); }
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
    Q_GADGET
    Q_PROPERTY(QString id MEMBER id)
    Q_PROPERTY(QString name MEMBER name)
    Q_PROPERTY(QString genre MEMBER genre)
    Q_PROPERTY(QString stream MEMBER stream)
    Q_PROPERTY(QString logo READ logoShown)
    Q_PROPERTY(QString initials READ initials)
public:
    QString logoShown() const { return logo.value_or(QString()); }
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
    Q_GADGET
    Q_PROPERTY(int bass MEMBER bass)
    Q_PROPERTY(int treble MEMBER treble)
    Q_PROPERTY(bool loudness MEMBER loudness)
public:
    int bass = 0;
    int treble = 0;
    bool loudness = false;

    bool operator==(const Equalizer &) const = default;
};

struct BatteryStatus
{
    Q_GADGET
    Q_PROPERTY(int level MEMBER level)
    Q_PROPERTY(bool charging MEMBER charging)
public:
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
