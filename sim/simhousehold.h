#pragma once

#include "simspeaker.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

namespace corvane::sim {

// A hidden part of a bonded set: the surrounds or sub of a home theatre (nested as satellites),
// or the second speaker of a stereo pair (an invisible member of its group). Only the topology
// mentions them.
struct SimHiddenPlayer
{
    QString uuid;
    QString ip;
    QString zoneName;
    QString ownerUuid;
    bool satellite = true;
    // The channels it plays: "LR", "RR" or "SW" for a satellite, "RF,RF" for the right speaker
    // of a stereo pair (whose owner then plays "LF,LF").
    QString channels;
};

// A household of simulated speakers on one loopback /24 (for example 127.77.0.0/24): zone groups
// with coordinators, shared favorites, and the services list.
class SimHousehold : public QObject
{
    Q_OBJECT
public:
    // `prefix` is the first three numbers of the addresses, such as "127.77.0".
    explicit SimHousehold(QString prefix, QObject *parent = nullptr);
    ~SimHousehold() override;

    // The standard household: Salon (Apple Music queue, playing), Cuisine (portable on battery,
    // radio), Bureau (amplifier with line-in), a home theatre in the Séjour with hidden surrounds
    // and sub, and a stereo pair in the Chambre. Apple Music was played there before.
    bool startDefault();
    // The same rooms where Apple Music was never played: no account serial anywhere.
    bool startNeverPlayed();
    // `count` players in one group each, whose topology read fails with 501.
    bool startLarge(int count);
    // A large home: 32 rooms in 12 groups; the first group plays a queue of `queueLength` songs.
    bool startCrowded(int queueLength = 2000);

    SimSpeaker *addSpeaker(SimSpeakerConfig config);
    void addHidden(SimHiddenPlayer player);
    const std::vector<SimSpeaker *> &speakers() const { return m_speakers; }
    SimSpeaker *speaker(const QString &roomName) const;
    SimSpeaker *speakerByUuid(const QString &uuid) const;
    QString prefix() const { return m_prefix; }
    // The network to sweep, for CORVANE_NETWORK: "127.77.0.1/255.255.255.0".
    QString network() const;
    SimHouseData &house() { return *m_house; }

    // Grouping, as the speakers carry it out.
    SimSpeaker *coordinatorOf(const SimSpeaker *speaker) const;
    QList<SimSpeaker *> membersOf(const SimSpeaker *coordinator) const;
    // False when `coordinatorUuid` names no speaker of the household.
    bool join(SimSpeaker *speaker, const QString &coordinatorUuid);
    void leave(SimSpeaker *speaker);
    // The ZoneGroupState document (plain XML).
    QString zoneGroupState() const;
    // The same for a speaker that stands alone, outside any household.
    static QString soloZoneGroupState(const SimSpeakerConfig &config);

    // Favorites as a real household keeps them, in FV:2 order.
    void addFavorite(SimFavorite favorite);
    // A playlist and a song from Apple Music (when it was played there), and two radio stations.
    void addStandardFavorites(bool withAppleMusic);
    // Three alarms in the Chambre and the Cuisine (of the default household).
    void addStandardAlarms();
    // Starts every speaker added so far.
    bool startAll();
    // Every subscribed speaker looks for changes to announce.
    void scheduleEvents();

private:
    struct Group
    {
        QString coordinator;
        QStringList members; // visible speakers, coordinator first
    };

    QString m_prefix;
    std::vector<SimSpeaker *> m_speakers;
    QList<SimHiddenPlayer> m_hidden;
    QList<Group> m_groups;
    std::shared_ptr<SimHouseData> m_house = std::make_shared<SimHouseData>();
};

// A loopback prefix picked at random, so tests can run side by side.
QString randomLoopbackPrefix();

} // namespace corvane::sim
