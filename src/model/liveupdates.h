#pragma once

#include "base/records.h"
#include "sonos/events.h"

#include <QCoroTask>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <functional>
#include <optional>

namespace corvane {

class EventListener;
class Favorites;
class Household;
class Playback;
struct EventNotification;

// The speakers' own events for the selected group: subscriptions kept alive, notifications merged
// into the areas the way a poll's readings are, and polling as the fallback when nothing arrives
// (a firewall in the way) or a speaker refuses.
class LiveUpdates : public QObject
{
    Q_OBJECT
    // How changes reach the window: 0 not yet known, 1 instantly, 2 every few seconds.
    Q_PROPERTY(int mode READ modeValue NOTIFY modeChanged)
    Q_PROPERTY(QString statusText READ statusText NOTIFY modeChanged)
    // The commands that let the speakers' messages in, with ufw and with firewalld (one per
    // line); empty unless the messages are blocked.
    Q_PROPERTY(QString ufwCommand READ ufwCommand NOTIFY modeChanged)
    Q_PROPERTY(QString firewalldCommands READ firewalldCommands NOTIFY modeChanged)

public:
    enum class Mode { Unknown, Instant, Polling };
    enum class Reason { None, Blocked, Refused, NoListener };

    // The root tells it what to do when the queue changed on the speaker.
    LiveUpdates(bool enabled, Household *household, Playback *playback, Favorites *favorites,
                std::function<void()> queueChanged, QObject *parent = nullptr);
    ~LiveUpdates() override;

    Mode mode() const { return m_mode; }
    Reason reason() const { return m_reason; }
    QString statusText() const;
    QString ufwCommand() const;
    QString firewalldCommands() const;
    EventListener *listener() const { return m_listener; }

    // The selection or the groups changed: subscribe to what is shown, drop the rest.
    void follow();
    // Cancels every subscription at once, without waiting on the event loop (the program quits).
    void unsubscribeAllNow();

    // For tests and the benchmark.
    int resyncs() const { return m_resyncs; }
    int subscriptionCount() const { return int(m_subscriptions.size()); }
    QStringList sids() const;

Q_SIGNALS:
    void modeChanged();
    // A room of the selected group reported its volume or mute.
    void memberRendering(const QString &uuid, const corvane::RenderingChange &change);
    // The household's alarm list has this version now.
    void alarmListVersion(const QString &version);
    // A room's notification was lost: every room's volume is read again.
    void renderingLost();

private:
    struct Subscription
    {
        EventService service;
        Speaker speaker;
        QUrl eventURL;
        QString sid;
        int timeoutSeconds = 0;
        qint64 renewAt = 0; // on m_clock
        std::optional<quint32> lastSeq;
        bool initialSeen = false;
        bool renewing = false;
    };
    using Key = QString; // speaker uuid + '|' + service key

    int modeValue() const { return int(m_mode); }
    void setMode(Mode mode, Reason reason = Reason::None);
    bool ensureListening();
    QHash<Key, std::pair<Speaker, EventService>> wanted() const;
    static Key keyOf(const Speaker &speaker, EventService service);
    QCoro::Task<> subscribe(Speaker speaker, EventService service);
    QCoro::Task<QUrl> eventURL(Speaker speaker, EventService service);
    QCoro::Task<> renewDue();
    void scheduleRenewal();
    void drop(const Key &key, bool tellSpeaker);
    void dropAll(bool tellSpeaker);
    void fallBack(Reason reason);
    void checkFlowing();
    void received(const EventNotification &notification);
    void dispatch(Subscription &subscription, const QList<std::pair<QString, QString>> &properties, bool initial);
    void resync(EventService service);

    bool m_enabled;
    Household *m_household;
    Playback *m_playback;
    Favorites *m_favorites;
    std::function<void()> m_queueChanged;
    EventListener *m_listener;
    QElapsedTimer m_clock;
    QTimer m_renewTimer;
    QTimer m_fallbackTimer;
    QTimer m_retryTimer;

    Mode m_mode = Mode::Unknown;
    Reason m_reason = Reason::None;
    QHash<Key, Subscription> m_subscriptions;
    QSet<Key> m_pending; // SUBSCRIBE sent, no answer yet
    int m_round = 0;     // moves on when every subscription is dropped: answers of before land nowhere
    QHash<QString, Key> m_bySID;
    QHash<QString, QString> m_transport;                  // the coordinator's transport, merged
    QHash<QString, QString> m_containerIDs;               // container -> update id
    QString m_favoritesUpdateID;
    QString m_sleepGeneration;
    int m_resyncs = 0;
};

} // namespace corvane
