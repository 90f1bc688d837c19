#include "paths.h"

#include <QDir>
#include <QStandardPaths>

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

QString appData()
{
    QString folder = underProfile("data");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Corvane");
    if (folder.startsWith(QLatin1String("/Corvane")))
        folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation) + QStringLiteral("/Corvane");
    return ensure(folder);
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

} // namespace corvane::paths
