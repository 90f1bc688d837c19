#include "cloudstore.h"

#include "async/delays.h"
#include "base/paths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QSet>
#include <QUuid>

#include <algorithm>

namespace corvane {

namespace {

// "listeningHistory.dev.json", "listeningHistory.dev.sync-conflict-2024...json" and
// "listeningHistory.dev (conflicted copy 2024-...).json" all belong to "listeningHistory".
QString keyOf(const QString &fileName)
{
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'));
    return dot > 0 ? fileName.left(dot) : QString();
}

bool isRemoval(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".removed"));
}

// The folder holds what other computers wrote, passed on by a sync tool: a link in it could
// point anywhere on this computer, and no computer of ours writes a file this large.
constexpr qint64 maxFileSize = qint64(2) << 20;
constexpr QDir::Filters plainFiles = QDir::Files | QDir::NoSymLinks;

QByteArray readSmall(const QFileInfo &info)
{
    if (info.isSymLink() || info.size() > maxFileSize)
        return {};
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(maxFileSize);
}

} // namespace

CloudStore::CloudStore(QString folder, QString deviceId, QObject *parent)
    : QObject(parent), m_folder(std::move(folder)), m_deviceId(std::move(deviceId))
{
    QDir().mkpath(m_folder);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &CloudStore::rescan);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &CloudStore::rescan);
    // Watchers miss changes on some file systems and sync tools: look again now and then.
    m_rescan.setInterval(delays().cloudRescan);
    connect(&m_rescan, &QTimer::timeout, this, &CloudStore::rescan);
    m_rescan.start();
    m_seen = foreignFiles();
    rearm();
}

CloudStore *CloudStore::createDefault(QObject *parent)
{
    return new CloudStore(paths::cloud(), localDeviceId(), parent);
}

QString CloudStore::localDeviceId()
{
    const QString path = paths::appData() + QStringLiteral("/device-id");
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QString id = QString::fromLatin1(file.readAll()).trimmed();
        if (!id.isEmpty())
            return id;
    }
    const QString id = QUuid::createUuid().toString(QUuid::Id128).left(16);
    QSaveFile out(path);
    if (out.open(QIODevice::WriteOnly)) {
        out.write(id.toLatin1());
        out.commit();
    }
    return id;
}

QString CloudStore::ownFile(const QString &key) const
{
    return key + QLatin1Char('.') + m_deviceId + QStringLiteral(".json");
}

QList<QByteArray> CloudStore::values(const QString &key) const
{
    const QDir dir(m_folder);
    const QFileInfoList files = dir.entryInfoList({key + QStringLiteral(".*")}, plainFiles, QDir::Name);

    // The newest removal of the key, by any computer, hides every value written before it. A
    // removal dated later than its marker reached this folder (a computer whose clock runs
    // ahead, or a forged file) counts from then, at the latest from now: it must not hide every
    // value written from now on.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    qint64 removedAt = 0;
    for (const QFileInfo &info : files) {
        if (!isRemoval(info.fileName()))
            continue;
        const qint64 stated = readSmall(info).trimmed().toLongLong();
        removedAt = std::max(removedAt, std::min({stated, info.lastModified().toMSecsSinceEpoch(), now}));
    }

    QList<QByteArray> own;
    QList<QByteArray> others;
    for (const QFileInfo &info : files) {
        if (isRemoval(info.fileName()) || keyOf(info.fileName()) != key)
            continue;
        if (info.lastModified().toMSecsSinceEpoch() < removedAt)
            continue;
        const QByteArray data = readSmall(info);
        if (!data.isEmpty())
            (info.fileName() == ownFile(key) ? own : others).append(data);
    }
    return own + others;
}

std::optional<QByteArray> CloudStore::value(const QString &key) const
{
    const QList<QByteArray> all = values(key);
    if (all.isEmpty())
        return std::nullopt;
    if (all.size() == 1)
        return all.first();
    // A file that is not an array (cut short by a sync, say) is left out, not the others.
    QJsonArray merged;
    bool anyArray = false;
    for (const QByteArray &data : all) {
        const QJsonDocument document = QJsonDocument::fromJson(data);
        if (!document.isArray())
            continue;
        anyArray = true;
        for (const QJsonValue &item : document.array())
            merged.append(item);
    }
    if (!anyArray)
        return all.first();
    return QJsonDocument(merged).toJson(QJsonDocument::Compact);
}

bool CloudStore::setValue(const QString &key, const QByteArray &data)
{
    QSaveFile file(m_folder + QLatin1Char('/') + ownFile(key));
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return false;
    return file.commit();
}

void CloudStore::remove(const QString &key)
{
    QFile::remove(m_folder + QLatin1Char('/') + ownFile(key));
    QSaveFile marker(m_folder + QLatin1Char('/') + key + QLatin1Char('.') + m_deviceId + QStringLiteral(".removed"));
    if (marker.open(QIODevice::WriteOnly)) {
        marker.write(QByteArray::number(QDateTime::currentMSecsSinceEpoch()));
        marker.commit();
    }
}

void CloudStore::synchronize()
{
    rescan();
}

QHash<QString, CloudStore::Seen> CloudStore::foreignFiles() const
{
    QHash<QString, Seen> seen;
    const QString ownSuffix = QLatin1Char('.') + m_deviceId;
    for (const QFileInfo &info : QDir(m_folder).entryInfoList(plainFiles)) {
        const QString name = info.fileName();
        const QString key = keyOf(name);
        if (key.isEmpty() || name == key + ownSuffix + QStringLiteral(".json") || name == key + ownSuffix + QStringLiteral(".removed"))
            continue;
        seen.insert(name, Seen{info.lastModified().toMSecsSinceEpoch(), info.size()});
    }
    return seen;
}

void CloudStore::rescan()
{
    const QHash<QString, Seen> now = foreignFiles();
    QSet<QString> changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (m_seen.value(it.key()) != it.value() || !m_seen.contains(it.key()))
            changed.insert(keyOf(it.key()));
    }
    for (auto it = m_seen.cbegin(); it != m_seen.cend(); ++it) {
        if (!now.contains(it.key()))
            changed.insert(keyOf(it.key()));
    }
    m_seen = now;
    rearm();
    if (!changed.isEmpty()) {
        QStringList keys(changed.cbegin(), changed.cend());
        keys.sort();
        Q_EMIT externallyChanged(keys);
    }
}

void CloudStore::rearm()
{
    // An atomic replace puts a new file where the watched one was: watch whatever is there now.
    if (!m_watcher.directories().contains(m_folder))
        m_watcher.addPath(m_folder);
    QStringList files;
    for (const QFileInfo &info : QDir(m_folder).entryInfoList(plainFiles))
        files << info.filePath();
    const QStringList watched = m_watcher.files();
    for (const QString &file : std::as_const(files)) {
        if (!watched.contains(file))
            m_watcher.addPath(file);
    }
}

} // namespace corvane
