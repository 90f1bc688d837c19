#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace corvane::DesktopLinks {

// The desktop's own network settings, when a known one is installed (GNOME, KDE, Cinnamon,
// XFCE): the program and its arguments; empty otherwise.
QStringList networkSettingsCommand();
bool openNetworkSettings();

// The folder of Corvane's settings file (created if need be), for a person who must edit it.
QUrl settingsFolder();

// The speaker maker's app through "sonos://" when something handles it, else its download page.
QUrl sonosAppUrl();
constexpr const char *sonosDownloadPage = "https://www.sonos.com/fr-fr/controller-app";

} // namespace corvane::DesktopLinks
