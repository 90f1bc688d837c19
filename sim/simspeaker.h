#pragma once

#include "base/records.h"
#include "simparse.h"
#include "simtrack.h"

#include <QAbstractHttpServer>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <memory>
#include <optional>

class QTcpSocket;

namespace corvane::sim {

class SimHousehold;

// A Sonos favorite as the household stores it.
struct SimFavorite
{
    int number = 0; // FV:2/<number>
    QString title;
    QString uri;
    QString metadata; // plain DIDL-Lite, empty when none
    QString albumArtURI;
    QString description;
};

// An alarm as the household keeps it: every field as the last controller sent it.
struct SimAlarm
{
    int id = 0;
    QString startTime;
    QString duration;
    QString recurrence;
    QString enabled;
    QString roomUUID;
    QString programURI;
    QString programMetaData; // plain DIDL-Lite, empty when none
    QString playMode;
    QString volume;
    QString includeLinkedZones;
};

// What every speaker of a household shares: its favorites, its alarms, its music services and the
// Apple Music account bound to it in the Sonos app.
struct SimHouseData
{
    QList<SimFavorite> favorites;
    int nextFavorite = 30;
    QList<SimAlarm> alarms;
    int nextAlarm = 1;
    // CurrentAlarmListVersion: the speaker that made the last change, and a count of changes.
    QString alarmVersionOwner = QStringLiteral("RINCON_000000000000001400");
    int alarmVersion = 1;
    QString alarmListVersion() const { return alarmVersionOwner + QLatin1Char(':') + QString::number(alarmVersion); }
    bool appleMusicListed = true;
    QString appleMusicSerial = QStringLiteral("3"); // the account's serial number (sn)

    // The account token a speaker expects in the metadata of Apple Music items.
    QString appleMusicToken() const
    {
        return QStringLiteral("SA_RINCON52231_X_#Svc52231-") + appleMusicSerial + QStringLiteral("-Token");
    }
};

// What reached a simulated speaker, for tests that check the wire.
struct SimRequest
{
    QByteArray method;
    QString path;
    QString query;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    QString service; // from SOAPACTION, empty for plain GETs
    QString action;
    QHash<QString, QString> arguments; // SOAP arguments, unescaped once; empty when unreadable

    QByteArray header(const QByteArray &name) const;
};

struct SimSpeakerConfig
{
    QString ip;
    QString uuid; // RINCON_...
    QString roomName;
    QString modelName;   // "Sonos Era 100"
    QString modelNumber; // "S39"
    QString displayName; // "Era 100"
    QString icon;        // the room's icon in the topology: "x-rincon-roomicon:living"
    bool hasBattery = false;
    int batteryLevel = 0;
    QString powerSource; // "BATTERY", "USB_POWER", "SONOS_CHARGING_RING"
    bool hasAudioIn = false;
};

// Ways a speaker can misbehave, set by tests and by `corvane sim` users.
struct SimFaults
{
    QStringList refusedSongs;       // catalogue ids that AddURIToQueue refuses (800)
    bool topologyFails = false;     // GetZoneGroupState answers 501, as large households do
    QStringList failingActions;     // SOAP actions answered with fault 701
    QByteArray deviceDescription;   // served instead of the generated description when set
    int delayMs = 0;                // answer late
    bool silent = false;            // accept the connection, never answer
    bool emptyServerError = false;  // 500 with no body
    bool emptyReply = false;        // 200 with no body
    bool invalidUtf8 = false;       // 200 with bytes that are not UTF-8
    bool localControlOff = false;   // 403 to everything (UPnP switched off in the Sonos app)
    int transportLagMs = 0;         // Play and Pause take effect this late (real milliseconds)
    bool dropEvents = false;        // no notification leaves (a firewall on the listener's side)
    int loseEvents = 0;             // this many notifications are lost on the way (SEQ moves on)
    int grantSeconds = 0;           // the TIMEOUT granted to subscriptions; 0: what was asked
    int subscribeDelayMs = 0;       // SUBSCRIBE answered late: the first notification comes first
    QStringList refusedEventPaths;  // SUBSCRIBE to these event URLs answered 500
};

// One subscription to a speaker's events, as the speaker keeps it.
struct SimSubscription
{
    QString sid;
    QString path; // the event URL's path
    QUrl callback;
    quint32 seq = 0;
    qint64 expiresAt = 0; // on the speaker's real clock
    bool initialSent = false;
    QHash<QString, QString> sent; // variable|channel -> the value last sent
};

// One simulated zone player: an HTTP server on its own loopback address, port 1400, with state
// that behaves like a real player's (position advancing while playing, sleep timer counting down).
class SimSpeaker : public QAbstractHttpServer
{
    Q_OBJECT
public:
    enum class Transport { Stopped, Playing, Paused };

    explicit SimSpeaker(SimSpeakerConfig config, QObject *parent = nullptr);
    ~SimSpeaker() override;

    const SimSpeakerConfig &config() const { return m_config; }
    Speaker speaker() const;

    // Starts listening on ip:1400; false when the address cannot be bound.
    bool start(quint16 port = 1400);
    // The speaker leaves the network (connections are refused) until start() again.
    void stop();
    bool isOnline() const { return m_online; }

    void setQueue(QList<SimTrack> tracks, int currentTrack = 1);
    QList<SimTrack> queue() const { return m_queue; }
    // Plays a radio stream or the line-in instead of the queue.
    void setStreamSource(SimTrack source);
    // What GetPositionInfo names the stream now playing (r:streamContent), empty when it says nothing.
    QString streamTitle();
    void setTransport(Transport state);
    void changeTransportLater(Transport state);
    void setPosition(int seconds);

    SimFaults &faults() { return m_faults; }

    // The household this speaker belongs to; a speaker on its own is a household of one.
    SimHousehold *household() const { return m_household; }
    void setHousehold(SimHousehold *household, std::shared_ptr<SimHouseData> data);
    SimHouseData &house() { return *m_house; }
    // The speaker that leads this one's group (itself when it leads or stands alone).
    SimSpeaker *coordinator();
    QString transportURI() const;

    // Moves the speaker's clock on, as if `ms` had passed (tests use it instead of waiting).
    void advanceClock(qint64 ms);

    // Current state, brought up to date with the clock.
    Transport transport();
    int trackNumber();
    int positionSeconds();
    PlayMode playMode() const { return m_playMode; }
    std::optional<int> sleepSecondsLeft();
    int volume() const { return m_volume; }
    void setVolume(int level) { m_volume = std::clamp(level, 0, 100); }
    // The group this speaker leads: the average of its members' volumes, as players report it.
    int groupVolume();
    bool muted() const { return m_muted; }
    Equalizer equalizer() const { return m_eq; }

    QList<SimRequest> received() const { return m_received; }
    void clearReceived() { m_received.clear(); }

    // Events: notifications go out soon after a change (and at once after any request).
    void scheduleEvents();
    QList<SimSubscription> subscriptions() const { return m_subscriptions; }
    int eventsSent() const { return m_eventsSent; }
    // The speaker forgets its subscriptions, as when they run out: renewals get 412.
    void forgetSubscriptions() { m_subscriptions.clear(); }
    static bool isEventPath(const QString &path);

Q_SIGNALS:
    void requestReceived(const corvane::sim::SimRequest &request);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    struct Reply
    {
        int status = 200;
        QByteArray contentType = "text/xml; charset=\"utf-8\"";
        QByteArray body;
        QByteArray extraHeaders; // whole lines, each ending in CRLF
    };
    struct EventVariable
    {
        QString name;
        QString value;
        QString channel;
    };

    Reply gena(const SimRequest &request);
    QList<EventVariable> eventState(const QString &path);
    static QByteArray eventBody(const QString &path, const QList<EventVariable> &variables);
    void sendEvents();
    void announce();
    void deliver(const SimSubscription &subscription, quint32 seq, const QByteArray &body);

    Reply route(const SimRequest &request, const SoapCall &call);
    Reply soap(const SimRequest &request, const SoapCall &call);
    Reply avTransport(const SimRequest &request);
    Reply renderingControl(const SimRequest &request);
    Reply contentDirectory(const SimRequest &request);
    Reply musicServices(const SimRequest &request);
    Reply zoneGroupTopology(const SimRequest &request);
    Reply groupRenderingControl(const SimRequest &request);
    Reply alarmClock(const SimRequest &request);
    // The members' volumes the next group volume change keeps in proportion (at the coordinator).
    QHash<QString, int> m_groupSnapshot;
    Reply queueAction(const SimRequest &request);
    Reply setTransportURI(const QString &uri, const QString &metadata);
    Reply memberTransport(const SimRequest &request, SimSpeaker *leader);
    // The arguments of the GetPositionInfo and GetMediaInfo replies of what plays now.
    QString positionInfo();
    QString mediaInfo() const;
    // 0 when an Apple Music item may be played with this metadata, else the refusal (800).
    int accountRefusal(const QString &uri, const QString &metadata) const;
    Reply deviceDescription() const;
    QString macAddress() const;
    Reply batteryPage() const;
    Reply albumArt(const QString &key) const;
    void send(QTcpSocket *socket, Reply reply);

    void settle();
    qint64 now() const { return m_clock.elapsed() + m_clockOffset; }
    bool stepForward(bool userAction);
    const SimTrack *currentTrack() const;

    SimSpeakerConfig m_config;
    SimHousehold *m_household = nullptr;
    std::shared_ptr<SimHouseData> m_house = std::make_shared<SimHouseData>();
    SimFaults m_faults;
    bool m_online = false;
    QList<SimRequest> m_received;

    QList<SimTrack> m_queue;
    std::optional<SimTrack> m_stream;
    int m_track = 0; // 1-based; 0 when the queue is empty
    int m_queueUpdateID = 1;
    Transport m_transport = Transport::Stopped;
    qint64 m_positionMs = 0;
    QElapsedTimer m_clock;
    qint64 m_clockOffset = 0;
    qint64 m_lastSettle = 0;
    std::optional<qint64> m_sleepDeadline; // on m_clock
    int m_sleepGeneration = 0;
    PlayMode m_playMode = PlayMode::Normal;
    QRandomGenerator m_shuffle{20240611u};

    int m_volume = 25;
    bool m_muted = false;
    Equalizer m_eq;

    QList<SimSubscription> m_subscriptions;
    int m_nextSubscription = 0;
    int m_eventsSent = 0;
    QElapsedTimer m_realClock;
    QTimer m_eventTimer; // looks for changes the clock made (a song ending) while subscribed
};

} // namespace corvane::sim
