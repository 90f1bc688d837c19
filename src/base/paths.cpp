#include "paths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace corvane::paths {

namespace {
QString ensure(const QString &folder)
{
    QDir().mkpath(folder);
    return folder;
}

QString underProfile(const char *name)
{
    const QString profile = qEnvironmentVariable("CORVANE_PROFILE");
    return profile.isEmpty() ? QString() : profile + QLatin1Char('/') + QLatin1String(name);
}
} // namespace

namespace {
// Without a home folder the data go to the temporary folder, which every account shares.
QString dataFolder(bool *temporary)
{
    QString folder = underProfile("data");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Corvane");
    *temporary = folder.startsWith(QLatin1String("/Corvane"));
    if (*temporary)
        folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation) + QStringLiteral("/Corvane");
    return folder;
}
} // namespace

QString appData()
{
    bool temporary = false;
    return ensure(dataFolder(&temporary));
}

bool appDataIsTemporary()
{
    bool temporary = false;
    dataFolder(&temporary);
    return temporary;
}

QString cache()
{
    QString folder = underProfile("cache");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/Corvane");
    if (folder.startsWith(QLatin1String("/Corvane")))
        folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation) + QStringLiteral("/Corvane-cache");
    return ensure(folder);
}

QString cloud()
{
    const QString profile = underProfile("cloud");
    return ensure(profile.isEmpty() ? appData() + QStringLiteral("/cloud") : profile);
}

void trimFolder(const QString &folder, qint64 limit)
{
    if (folder.isEmpty())
        return;
    QFileInfoList files = QDir(folder).entryInfoList(QDir::Files);
    qint64 total = 0;
    for (const QFileInfo &info : std::as_const(files))
        total += info.size();
    if (total <= limit)
        return;
    std::sort(files.begin(), files.end(), [](const QFileInfo &a, const QFileInfo &b) {
        const QDateTime ta = a.lastRead(), tb = b.lastRead();
        return (ta.isValid() ? ta.toMSecsSinceEpoch() : 0) < (tb.isValid() ? tb.toMSecsSinceEpoch() : 0);
    });
    for (const QFileInfo &info : std::as_const(files)) {
        if (total <= limit)
            break;
        if (QFile::remove(info.filePath()))
            total -= info.size();
    }
}

} // namespace corvane::paths
