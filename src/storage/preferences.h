#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

#include <memory>

namespace corvane {

// The user-defaults store: INI settings under ~/.config/Corvane, or under $CORVANE_PROFILE when
// set (tests and the demo keep the user's real profile out of reach that way). INI files lose
// types across restarts, so every key is read through a typed accessor.
class Preferences
{
public:
    Preferences();

    // $CORVANE_PROFILE, or empty for the user's own folders.
    static QString profileDirectory();
    QString fileName() const { return m_settings->fileName(); }

    // Dotted IPv4 addresses of the speakers found before, newest discovery last written.
    QStringList knownSpeakerIPs() const;
    void setKnownSpeakerIPs(const QStringList &ips);

    void sync() { m_settings->sync(); }

private:
    QStringList stringList(const QString &key) const;

    std::unique_ptr<QSettings> m_settings;
};

} // namespace corvane
