#pragma once

#include <QDateTime>
#include <QHash>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <memory>

namespace corvane {

// The user-defaults store: INI settings under ~/.config/Corvane, or under $CORVANE_PROFILE when
// set (tests and the demo keep the user's real profile out of reach that way). An INI file loses
// types once another process has read it back — a bool returns as the text "false", an empty list
// as an invalid value, a one-element list as a plain string — so every key is read through a
// typed accessor here.
class Preferences
{
public:
    Preferences();

    // $CORVANE_PROFILE, or empty for the user's own folders.
    static QString profileDirectory();
    QString fileName() const { return m_settings->fileName(); }

    bool onboardingDone() const { return flag(QStringLiteral("onboardingDone")); }
    void setOnboardingDone(bool done) { m_settings->setValue(QStringLiteral("onboardingDone"), done); }
    bool hasEverFoundSpeaker() const { return flag(QStringLiteral("hasEverFoundSpeaker")); }
    void setHasEverFoundSpeaker(bool found) { m_settings->setValue(QStringLiteral("hasEverFoundSpeaker"), found); }
    QString preferredSpeakerUUID() const { return text(QStringLiteral("preferredSpeakerUUID")); }
    void setPreferredSpeakerUUID(const QString &uuid) { m_settings->setValue(QStringLiteral("preferredSpeakerUUID"), uuid); }
    // Dotted IPv4 addresses of the speakers found last.
    QStringList knownSpeakerIPs() const { return stringList(QStringLiteral("knownSpeakerIPs")); }
    void setKnownSpeakerIPs(const QStringList &ips) { m_settings->setValue(QStringLiteral("knownSpeakerIPs"), ips); }
    // "name", "nameDescending" or "recentlyPlayed"; empty when never chosen.
    // The Apple Music storefront searched without a developer token ("fr"), empty for the desktop's.
    QString catalogCountry() const { return text(QStringLiteral("catalogCountry")); }
    void setCatalogCountry(const QString &country) { m_settings->setValue(QStringLiteral("catalogCountry"), country); }
    QString playlistOrder() const { return text(QStringLiteral("playlistOrder")); }
    void setPlaylistOrder(const QString &order) { m_settings->setValue(QStringLiteral("playlistOrder"), order); }
    // When each library playlist was last played, by playlist id.
    QHash<QString, QDateTime> playlistPlays() const;
    void setPlaylistPlays(const QHash<QString, QDateTime> &plays);
    // Artwork URL found for each Sonos favorite, by favorite id.
    QHash<QString, QString> favoriteArtwork() const;
    void setFavoriteArtwork(const QHash<QString, QString> &artwork);
    bool systemNowPlaying() const { return flag(QStringLiteral("systemNowPlaying")); }
    void setSystemNowPlaying(bool on) { m_settings->setValue(QStringLiteral("systemNowPlaying"), on); }
    // The port the speakers' events were last received on: kept, so a firewall rule made for it
    // still holds at the next launch.
    int eventPort() const { return number(QStringLiteral("corvane.eventPort")); }
    void setEventPort(int port) { m_settings->setValue(QStringLiteral("corvane.eventPort"), port); }
    int launchCount() const { return number(QStringLiteral("corvane.launchCount")); }
    void setLaunchCount(int count) { m_settings->setValue(QStringLiteral("corvane.launchCount"), count); }
    int lastTipLaunch() const { return number(QStringLiteral("corvane.lastTipLaunch")); }
    void setLastTipLaunch(int launch) { m_settings->setValue(QStringLiteral("corvane.lastTipLaunch"), launch); }
    QStringList seenTips() const { return stringList(QStringLiteral("corvane.seenTips")); }
    void setSeenTips(const QStringList &tips) { m_settings->setValue(QStringLiteral("corvane.seenTips"), tips); }

    void sync() { m_settings->sync(); }

    // Raw typed reads, for settings without an accessor of their own (configuration).
    QString text(const QString &key) const;

private:
    bool flag(const QString &key) const;
    int number(const QString &key) const;
    QStringList stringList(const QString &key) const;
    QVariantMap map(const QString &key) const;

    std::unique_ptr<QSettings> m_settings;
};

} // namespace corvane
