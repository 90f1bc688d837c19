#pragma once

#include "base/records.h"

#include <QCoroTask>
#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QElapsedTimer>
#include <QObject>
#include <QUrl>
#include <QVariantMap>

#include <functional>
#include <optional>

namespace corvane {

// Publishes what the selected group plays as an MPRIS2 player, so the desktop shows it and the
// keyboard's media keys reach Corvane, although no sound comes out of the computer. Opt-in: the
// player exists on the session bus only while the "systemNowPlaying" preference is on.
class SystemPlayback : public QObject
{
    Q_OBJECT
public:
    struct Handlers
    {
        std::function<void()> play;
        std::function<void()> pause;
        std::function<void()> toggle;
        std::function<void()> next;
        std::function<void()> previous;
        std::function<void(double)> seek; // seconds
        std::function<void(double)> setVolume; // 0.0 to 1.0
    };

    // The cover copies handed to the desktop (cache/mpris) stay under this size.
    static constexpr qint64 coverCopiesLimit = 16 * 1024 * 1024;

    // `enabled` reads the preference; tests hand their own.
    explicit SystemPlayback(std::function<bool()> enabled = {}, QObject *parent = nullptr);
    ~SystemPlayback() override;

    bool enabled() const { return m_enabled(); }
    // Keeps the handlers (once per run) and shows the player, if enabled.
    void configure(Handlers handlers);
    void update(const NowPlaying &nowPlaying, const std::optional<QUrl> &artworkURL);
    // The selected group's volume, 0.0 to 1.0, as the desktop's sound menu shows it.
    void updateVolume(double volume);
    // Stores the preference. On shows the player again when configure() already ran (call it
    // otherwise); off publishes Stopped with no metadata and withdraws the player.
    void setSystemNowPlaying(bool on);
    // What the desktop's "show the player" does: the window brings itself forward (or opens).
    void setRaiser(std::function<void()> raise) { m_raise = std::move(raise); }
    bool canRaise() const { return bool(m_raise); }
    void raise() { call(m_raise); }
    // The bus name taken, empty while withdrawn.
    QString serviceName() const { return m_service; }

    // What the player adaptors read and call.
    QString playbackStatus() const;
    QVariantMap metadata() const { return m_metadata; }
    qlonglong position() const;
    qlonglong length() const { return qlonglong(m_now.duration) * 1000000; }
    bool hasTrack() const { return !m_now.isEmpty(); }
    void play() { call(m_handlers.play); }
    void pause() { call(m_handlers.pause); }
    void toggle() { call(m_handlers.toggle); }
    void next() { call(m_handlers.next); }
    void previous() { call(m_handlers.previous); }
    double volume() const { return m_volume; }
    void setVolume(double volume);
    void seekBy(qlonglong offset);
    void setPosition(const QDBusObjectPath &track, qlonglong position);

Q_SIGNALS:
    // The artwork of `url` is published (tests wait for it).
    void artworkPublished(const QUrl &url);

private:
    void show();
    void withdraw();
    void publish(const QStringList &changed);
    void loadArtwork(QUrl url);
    QCoro::Task<> downloadArtwork(QUrl url);
    void call(const std::function<void()> &handler);
    QDBusObjectPath trackPath() const;

    std::function<bool()> m_enabled;
    bool m_configured = false;
    Handlers m_handlers;
    std::function<void()> m_raise;
    QString m_service;
    NowPlaying m_now;
    double m_volume = 0.0;
    QVariantMap m_metadata;
    QElapsedTimer m_since; // since m_now.elapsed was read
    std::optional<QUrl> m_lastArtworkURL;
    QString m_artFile; // the published copy of the cover of m_artFor
    QUrl m_artFor;
};

} // namespace corvane
