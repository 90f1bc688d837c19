#include "listeninghistory.h"

#include "async/delays.h"
#include "base/configuration.h"
#include "base/paths.h"
#include "base/text.h"
#include "cloudstore.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QMap>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {
// Seconds between 1970-01-01 and 2001-01-01, the reference date of "playedAt".
constexpr double kReferenceOffset = 978307200.0;
} // namespace

QString HistoryEntry::id() const
{
    return trackID + QLatin1Char('-') + QString::number(playedAt + kReferenceOffset, 'f', QLocale::FloatingPointShortest);
}

QUrl HistoryEntry::artworkShown() const
{
    return artworkURL(artworkBase, 256).value_or(QUrl());
}

QString HistoryEntry::dayTitle() const
{
    const QDate day = playedAtTime().toLocalTime().date();
    const QDate today = QDate::currentDate();
    if (day == today)
        return QCoreApplication::translate("History", "Aujourd'hui");
    if (day == today.addDays(-1))
        return QCoreApplication::translate("History", "Hier");
    // In the interface's language (the default locale), with its own order of day and month.
    //: A date format of QLocale::toString: the day of this year's plays
    const QString thisYear = QCoreApplication::translate("History", "dddd d MMMM");
    //: A date format of QLocale::toString: the day of an earlier year's plays
    const QString earlier = QCoreApplication::translate("History", "d MMMM yyyy");
    return QLocale().toString(day, day.year() == today.year() ? thisYear : earlier);

}

QString HistoryEntry::timeText() const
{
    //: A QTime format: the time a song was played
    return QLocale().toString(playedAtTime().toLocalTime().time(), QCoreApplication::translate("History", "HH:mm"));
}

QDateTime HistoryEntry::playedAtTime() const
{
    return QDateTime::fromMSecsSinceEpoch(qint64((playedAt + kReferenceOffset) * 1000.0), Qt::UTC);
}

double ListeningHistory::now()
{
    return double(QDateTime::currentMSecsSinceEpoch()) / 1000.0 - kReferenceOffset;
}

bool ListeningHistory::isServiceArtwork(const QString &base, const QList<QUrl> &origins)
{
    // The address is a template ("{w}x{h}"): its braces are not valid in a strict URL.
    const QUrl url(base, QUrl::TolerantMode);
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString host = url.host().toLower();
    if (url.scheme() == QLatin1String("https") && (host == QLatin1String("mzstatic.com") || host.endsWith(QLatin1String(".mzstatic.com"))))
        return true;
    for (const QUrl &origin : origins) {
        if (url.scheme() == origin.scheme() && host == origin.host().toLower() && url.port(-1) == origin.port(-1))
            return true;
    }
    return false;
}

QString ListeningHistory::defaultFile()
{
    return paths::appData() + QStringLiteral("/history.json");
}

ListeningHistory::ListeningHistory(QString file, CloudStore *cloud, QObject *parent)
    : QObject(parent), m_file(std::move(file)), m_cloud(cloud)
{
    m_saveTimer.setSingleShot(true);
    connect(&m_saveTimer, &QTimer::timeout, this, [this] { save(false); });
    // One writer, so saves land in the order they were made.
    m_writer.setMaxThreadCount(1);
    m_writer.setThreadPriority(QThread::LowPriority);
    // A change made just before quitting is written rather than lost.
    if (QCoreApplication::instance())
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &ListeningHistory::flush);

    load();
    if (m_cloud) {
        mergeFromCloudFiles();
        connect(m_cloud, &CloudStore::externallyChanged, this, [this](const QStringList &keys) {
            if (keys.contains(cloudKey) && m_cloud)
                mergeFromCloudFiles();
        });
        m_cloud->synchronize();
    }
}

ListeningHistory::~ListeningHistory()
{
    flush();
}

void ListeningHistory::load()
{
    QFile file(m_file);
    if (!file.exists())
        return;
    std::optional<QList<HistoryEntry>> loaded;
    if (file.open(QIODevice::ReadOnly))
        loaded = decode(file.readAll());
    file.close();
    if (loaded) {
        m_entries = *loaded;
        return;
    }
    // An unreadable file is kept aside, never overwritten: the plays in it may still be saved.
    const QString aside = m_file.chopped(5) + QStringLiteral(".unreadable-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")) + QStringLiteral(".json");
    QFile::rename(m_file, aside);
}

QByteArray ListeningHistory::encode(const QList<HistoryEntry> &entries, bool withOrigin)
{
    // Written by hand to keep the keys in their documented order (QJsonObject sorts them).
    QByteArray out = "[";
    const auto string = [](const QString &text) {
        return QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact).chopped(1).mid(1);
    };
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const HistoryEntry &e = entries.at(i);
        if (i)
            out += ',';
        out += "{\"trackID\":" + string(e.trackID) + ",\"title\":" + string(e.title) + ",\"artist\":"
            + string(e.artist) + ",\"album\":" + string(e.album);
        if (e.artworkBase)
            out += ",\"artworkBase\":" + string(*e.artworkBase);
        out += ",\"playedAt\":" + QByteArray::number(e.playedAt, 'f', QLocale::FloatingPointShortest);
        if (e.room)
            out += ",\"room\":" + string(*e.room);
        if (withOrigin && e.merged)
            out += ",\"merged\":true";
        out += '}';
    }
    return out + ']';
}

std::optional<QList<HistoryEntry>> ListeningHistory::decode(const QByteArray &data)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return std::nullopt;
    const QJsonArray array = document.array();
    QList<HistoryEntry> entries;
    for (const QJsonValue &value : array) {
        const QJsonObject object = value.toObject();
        // An entry that lacks a field, or whose time is out of any sensible range, is left out
        // on its own; the others still count.
        const double playedAt = object.value(QLatin1String("playedAt")).toDouble(qQNaN());
        if (!object.value(QLatin1String("trackID")).isString() || !object.value(QLatin1String("title")).isString()
            || !object.value(QLatin1String("artist")).isString() || !object.value(QLatin1String("album")).isString()
            || !(std::abs(playedAt) <= maxPlayedAt))
            continue;
        const auto tooLong = [&object](const char *key, qsizetype limit) {
            return object.value(QLatin1String(key)).toString().size() > limit;
        };
        if (tooLong("trackID", maxIdLength) || tooLong("title", maxTextLength) || tooLong("artist", maxTextLength)
            || tooLong("album", maxTextLength) || tooLong("artworkBase", maxTextLength) || tooLong("room", maxTextLength))
            continue;
        HistoryEntry entry;
        entry.trackID = object.value(QLatin1String("trackID")).toString();
        entry.title = object.value(QLatin1String("title")).toString();
        entry.artist = object.value(QLatin1String("artist")).toString();
        entry.album = object.value(QLatin1String("album")).toString();
        entry.playedAt = playedAt;
        if (object.value(QLatin1String("artworkBase")).isString())
            entry.artworkBase = object.value(QLatin1String("artworkBase")).toString();
        if (object.value(QLatin1String("room")).isString())
            entry.room = object.value(QLatin1String("room")).toString();
        entry.merged = object.value(QLatin1String("merged")).toBool();
        entries.append(entry);
    }
    // Not one readable entry in a list that had some: this is not a history.
    if (entries.isEmpty() && !array.isEmpty())
        return std::nullopt;
    return entries;
}

void ListeningHistory::record(const Track &track, const std::optional<QString> &room)
{
    recordAt(track, room, now());
}

void ListeningHistory::recordAt(const Track &track, const std::optional<QString> &room, double playedAt)
{
    if (!m_entries.isEmpty() && m_entries.first().trackID == track.id && playedAt - m_entries.first().playedAt < 60.0)
        return;
    // Texts are cut to what a file may hold, so a play recorded here always reads back.
    const auto cut = [](const QString &text) { return text.left(maxTextLength); };
    std::optional<QString> artwork = track.artworkBase;
    if (artwork && artwork->size() > maxTextLength)
        artwork.reset();
    m_entries.prepend(HistoryEntry{track.id.left(maxIdLength), cut(track.title), cut(track.artist), cut(track.album),
                                   artwork, playedAt, room ? std::optional<QString>(cut(*room)) : std::nullopt});
    trim();
    scheduleSave();
    pushToCloud();
    Q_EMIT changed();
}

void ListeningHistory::trim()
{
    if (m_entries.size() > maxEntries)
        m_entries.resize(maxEntries);
}

void ListeningHistory::clear()
{
    m_entries.clear();
    scheduleSave();
    if (m_cloud)
        m_cloud->remove(cloudKey);
    Q_EMIT changed();
}

QList<DayGroup> ListeningHistory::days() const
{
    QList<DayGroup> groups;
    QHash<QDate, qsizetype> index;
    for (const HistoryEntry &entry : m_entries) {
        const QDate day = entry.playedAtTime().toLocalTime().date();
        auto it = index.find(day);
        if (it == index.end()) {
            it = index.insert(day, groups.size());
            groups.append(DayGroup{day.startOfDay(), {}});
        }
        groups[*it].entries.append(entry);
    }
    std::stable_sort(groups.begin(), groups.end(), [](const DayGroup &a, const DayGroup &b) { return a.day > b.day; });
    return groups;
}

QList<ArtistCount> ListeningHistory::topArtists(int limit) const
{
    QMap<QString, int> counts;
    for (const HistoryEntry &entry : m_entries)
        ++counts[entry.artist];
    QList<ArtistCount> rows;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        rows.append(ArtistCount{it.key(), it.value()});
    std::stable_sort(rows.begin(), rows.end(), [](const ArtistCount &a, const ArtistCount &b) {
        return a.count != b.count ? a.count > b.count : a.artist < b.artist;
    });
    return rows.mid(0, std::max(limit, 0));
}

QList<MissingArtwork> ListeningHistory::tracksMissingArtwork(int limit) const
{
    QList<MissingArtwork> missing;
    QSet<QString> taken;
    for (const HistoryEntry &entry : m_entries) {
        if (missing.size() >= limit)
            break;
        if (entry.artworkBase || taken.contains(entry.trackID))
            continue;
        taken.insert(entry.trackID);
        missing.append(MissingArtwork{entry.trackID, entry.title, entry.artist});
    }
    return missing;
}

void ListeningHistory::setArtwork(const QString &artworkBase, const QString &trackID)
{
    bool changedAny = false;
    for (HistoryEntry &entry : m_entries) {
        if (entry.trackID == trackID && !entry.artworkBase) {
            entry.artworkBase = artworkBase;
            changedAny = true;
        }
    }
    if (!changedAny)
        return;
    scheduleSave();
    pushToCloud();
    Q_EMIT changed();
}

void ListeningHistory::pushToCloud()
{
    if (!m_cloud)
        return;
    // Only this computer's own plays: the others publish theirs themselves, and one that cleared
    // its history must not find it published again by us.
    QList<HistoryEntry> own;
    for (const HistoryEntry &entry : std::as_const(m_entries)) {
        if (own.size() == cloudEntries)
            break;
        if (!entry.merged)
            own.append(entry);
    }
    const QByteArray value = encode(own);
    if (value.size() >= cloudLimit)
        return;
    m_cloud->setValue(cloudKey, value);
}

void ListeningHistory::mergeFromCloud(const std::optional<QByteArray> &value)
{
    if (!value)
        return;
    const auto cloud = decode(*value);
    if (cloud)
        mergeEntries(cloud->mid(0, maxEntriesPerCloudFile));
}

void ListeningHistory::mergeFromCloudFiles()
{
    // Each computer's file on its own: one that cannot be read must not hide the others.
    QList<HistoryEntry> cloud;
    for (const QByteArray &value : m_cloud->values(cloudKey)) {
        if (const auto entries = decode(value))
            cloud += entries->mid(0, maxEntriesPerCloudFile);
    }
    mergeEntries(cloud);
}

void ListeningHistory::mergeEntries(QList<HistoryEntry> cloud)
{
    if (cloud.isEmpty())
        return;
    QSet<QString> known;
    for (const HistoryEntry &entry : std::as_const(m_entries))
        known.insert(entry.id());
    QList<HistoryEntry> added;
    for (const HistoryEntry &entry : cloud) {
        const QString id = entry.id();
        if (known.contains(id))
            continue;
        known.insert(id);
        added.append(entry);
    }
    if (added.isEmpty())
        return;
    // Only the plays new here are looked at, against the service's origins read once: every
    // rescan of the folder passes every other computer's plays through this.
    const QList<QUrl> origins{Configuration::appleMusicOrigin(), Configuration::chartsOrigin()};
    for (HistoryEntry &entry : added) {
        entry.merged = true;
        if (entry.artworkBase && !isServiceArtwork(*entry.artworkBase, origins))
            entry.artworkBase.reset();
    }
    m_entries += added;
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const HistoryEntry &a, const HistoryEntry &b) { return a.playedAt > b.playedAt; });
    trim();
    scheduleSave();
    Q_EMIT changed();
}

void ListeningHistory::scheduleSave()
{
    m_savePending = true;
    m_saveTimer.start(delays().historySaveDelay);
}

bool ListeningHistory::write(const QString &file, const QList<HistoryEntry> &entries)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = encode(entries, true);
    if (out.write(data) != data.size())
        return false;
    return out.commit();
}

void ListeningHistory::flush()
{
    save(true);
}

void ListeningHistory::save(bool wait)
{
    if (m_savePending) {
        m_savePending = false;
        m_saveTimer.stop();
        // Encoding and writing run on the writer thread, on a copy taken now.
        const QList<HistoryEntry> copy = m_entries;
        const QString file = m_file;
        m_writer.start([file, copy] { write(file, copy); });
    }
    if (wait)
        m_writer.waitForDone();
}

} // namespace corvane
