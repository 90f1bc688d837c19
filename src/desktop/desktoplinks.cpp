#include "desktoplinks.h"

#include "base/preferences.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace corvane::DesktopLinks {

QStringList networkSettingsCommand()
{
    const QList<QStringList> known{
        {QStringLiteral("gnome-control-center"), QStringLiteral("network")},
        {QStringLiteral("cinnamon-settings"), QStringLiteral("network")},
        {QStringLiteral("kcmshell6"), QStringLiteral("kcm_networkmanagement")},
        {QStringLiteral("kcmshell5"), QStringLiteral("kcm_networkmanagement")},
        {QStringLiteral("nm-connection-editor")},
    };
    for (const QStringList &command : known) {
        if (!QStandardPaths::findExecutable(command.first()).isEmpty())
            return command;
    }
    return {};
}

bool openNetworkSettings()
{
    QStringList command = networkSettingsCommand();
    if (command.isEmpty())
        return false;
    const QString program = command.takeFirst();
    return QProcess::startDetached(program, command);
}

QUrl settingsFolder()
{
    const QString folder = QFileInfo(Preferences().fileName()).absolutePath();
    QDir().mkpath(folder);
    return QUrl::fromLocalFile(folder);
}

QUrl sonosAppUrl()
{
    // xdg-mime names the desktop entry that handles the scheme, or nothing.
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/sonos")});
    const bool handled = query.waitForFinished(2000) && query.exitCode() == 0 && !query.readAllStandardOutput().trimmed().isEmpty();
    return handled ? QUrl(QStringLiteral("sonos://")) : QUrl(QString::fromLatin1(sonosDownloadPage));
}

} // namespace corvane::DesktopLinks
