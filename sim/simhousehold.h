#pragma once

#include "simspeaker.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

namespace corvane::sim {

// A household of simulated speakers on one loopback /24 (for example 127.77.0.0/24).
class SimHousehold : public QObject
{
    Q_OBJECT
public:
    // `prefix` is the first three numbers of the addresses, such as "127.77.0".
    explicit SimHousehold(QString prefix, QObject *parent = nullptr);
    ~SimHousehold() override;

    // The standard household: a living room playing an Apple Music queue, a portable speaker
    // on battery playing a radio stream, and an amplifier playing its line-in.
    bool startDefault();

    SimSpeaker *addSpeaker(SimSpeakerConfig config);
    const std::vector<SimSpeaker *> &speakers() const { return m_speakers; }
    SimSpeaker *speaker(const QString &roomName) const;
    QString prefix() const { return m_prefix; }
    // The network to sweep, for CORVANE_NETWORK: "127.77.0.1/255.255.255.0".
    QString network() const;

private:
    QString m_prefix;
    std::vector<SimSpeaker *> m_speakers;
};

// A loopback prefix nobody else in this process has picked, so tests can run side by side.
QString randomLoopbackPrefix();

} // namespace corvane::sim
