#pragma once

#include "base/records.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <optional>

namespace corvane {

class CloudStore;

// One play. `playedAt` is kept as the file stores it, seconds since 2001-01-01 UTC, so a value
// read from another computer keeps its exact identity.
struct HistoryEntry
{
    Q_GADGET
    Q_PROPERTY(QString trackID MEMBER trackID)
    Q_PROPERTY(QString title MEMBER title)
    Q_PROPERTY(QString artist MEMBER artist)
    Q_PROPERTY(QString album MEMBER album)
    Q_PROPERTY(QUrl artwork READ artworkShown)
    Q_PROPERTY(QString room READ roomShown)
    Q_PROPERTY(QDateTime playedAt READ playedAtTime)
    Q_PROPERTY(QString day READ dayTitle)
    Q_PROPERTY(QString time READ timeText)
public:
    QUrl artworkShown() const;
    QString roomShown() const { return room.value_or(QString()); }
    QString trackID;
    QString title;
    QString artist;
    QString album;
    std::optional<QString> artworkBase;
    double playedAt = 0;
    std::optional<QString> room;
    // Learnt from another computer's file: kept here, never published again as this one's.
    bool merged = false;

    // trackID-seconds since 1970, in the shortest form that reads back to the same number.
    QString id() const;
    QDateTime playedAtTime() const;
    // "Aujourd'hui", "Hier", or the date ("lundi 7 décembre"), in local time.
    QString dayTitle() const;
    QString timeText() const;

    bool operator==(const HistoryEntry &) const = default;
};

struct ArtistCount
{
    QString artist;
    int count = 0;
    bool operator==(const ArtistCount &) const = default;
};

struct DayGroup
{
    QDateTime day; // local midnight
    QList<HistoryEntry> entries;
};

struct MissingArtwork
{
    QString trackID;
    QString title;
    QString artist;
    bool operator==(const MissingArtwork &) const = default;
};

// Every track Corvane started or saw playing, newest first: kept in history.json in the
// application-data folder and mirrored (the newest 400) to the cloud folder, from which the
// user's other computers merge it back.
class ListeningHistory : public QObject
{
    Q_OBJECT
public:
    static constexpr int maxEntries = 10000;
    static constexpr int cloudEntries = 400;
    static constexpr qsizetype cloudLimit = 900000;
    static inline const QString cloudKey = QStringLiteral("listeningHistory");
    // Plays more than about 3000 years from 2001 are not plays: such a time is read as missing.
    static constexpr double maxPlayedAt = 1e11;
    // What one entry and one other computer's file may hold; longer texts and the entries past
    // the limit are left out.
    static constexpr qsizetype maxTextLength = 2000;
    static constexpr qsizetype maxIdLength = 256;
    static constexpr qsizetype maxEntriesPerCloudFile = 1000;

    // Loads `file` (history.json), merges what the cloud holds and follows its changes.
    ListeningHistory(QString file, CloudStore *cloud, QObject *parent = nullptr);
    ~ListeningHistory() override;
    static QString defaultFile();

    const QList<HistoryEntry> &entries() const { return m_entries; }

    void record(const Track &track, const std::optional<QString> &room);
    // The same, at a given time (seconds since 2001-01-01 UTC); tests use it.
    void recordAt(const Track &track, const std::optional<QString> &room, double playedAt);
    void clear();
    QList<DayGroup> days() const;
    QList<ArtistCount> topArtists(int limit) const;
    QList<MissingArtwork> tracksMissingArtwork(int limit) const;
    void setArtwork(const QString &artworkBase, const QString &trackID);
    void mergeFromCloud(const std::optional<QByteArray> &value);
    void pushToCloud();
    // Writes a pending save now (at quit, for example).
    void flush();

    // `withOrigin`: the local file also keeps which entries came from other computers.
    static QByteArray encode(const QList<HistoryEntry> &entries, bool withOrigin = false);
    static std::optional<QList<HistoryEntry>> decode(const QByteArray &data);
    static double now();
    // An artwork address another computer may hand us: https from the music service's artwork
    // hosts, or one of the service's `origins` (the simulator's).
    static bool isServiceArtwork(const QString &base, const QList<QUrl> &origins);

Q_SIGNALS:
    void changed();

private:
    void load();
    void mergeFromCloudFiles();
    void mergeEntries(QList<HistoryEntry> cloud);
    void scheduleSave();
    void save(bool wait);
    static bool write(const QString &file, const QList<HistoryEntry> &entries);
    void trim();

    QString m_file;
    QPointer<CloudStore> m_cloud;
    QList<HistoryEntry> m_entries;
    QTimer m_saveTimer;
    QThreadPool m_writer;
    bool m_savePending = false;
};

} // namespace corvane
