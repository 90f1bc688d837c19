#include "simhousehold.h"

#include <QRandomGenerator>

namespace corvane::sim {

SimHousehold::SimHousehold(QString prefix, QObject *parent)
    : QObject(parent), m_prefix(std::move(prefix))
{
}

SimHousehold::~SimHousehold() = default;

SimSpeaker *SimHousehold::addSpeaker(SimSpeakerConfig config)
{
    if (config.ip.isEmpty())
        config.ip = m_prefix + QLatin1Char('.') + QString::number(10 + m_speakers.size());
    auto *speaker = new SimSpeaker(std::move(config), this);
    m_speakers.push_back(speaker);
    return speaker;
}

SimSpeaker *SimHousehold::speaker(const QString &roomName) const
{
    for (SimSpeaker *speaker : m_speakers) {
        if (speaker->config().roomName == roomName)
            return speaker;
    }
    return nullptr;
}

QString SimHousehold::network() const
{
    return m_prefix + QStringLiteral(".1/255.255.255.0");
}

bool SimHousehold::startDefault()
{
    SimSpeaker *salon = addSpeaker({.uuid = QStringLiteral("RINCON_5CAAFD0A1B2C01400"),
                                    .roomName = QStringLiteral("Salon"),
                                    .modelName = QStringLiteral("Sonos Era 300"),
                                    .modelNumber = QStringLiteral("S41"),
                                    .displayName = QStringLiteral("Era 300")});
    salon->setQueue(catalogueSongs(), 2);
    salon->setPosition(41);
    salon->setTransport(SimSpeaker::Transport::Playing);

    SimSpeaker *cuisine = addSpeaker({.uuid = QStringLiteral("RINCON_F0F6C1D2E3F401400"),
                                      .roomName = QStringLiteral("Cuisine"),
                                      .modelName = QStringLiteral("Sonos Roam 2"),
                                      .modelNumber = QStringLiteral("S54"),
                                      .displayName = QStringLiteral("Roam 2"),
                                      .hasBattery = true,
                                      .batteryLevel = 73,
                                      .powerSource = QStringLiteral("USB_POWER")});
    cuisine->setQueue(catalogueSongs().mid(3), 1);
    cuisine->setStreamSource(
        radioStation(QStringLiteral("Radio Gardon FM"), QStringLiteral("http://127.0.0.1/gardon.mp3")));
    cuisine->setTransport(SimSpeaker::Transport::Paused);

    SimSpeaker *bureau = addSpeaker({.uuid = QStringLiteral("RINCON_347E5C6D7E8F01400"),
                                     .roomName = QStringLiteral("Bureau"),
                                     .modelName = QStringLiteral("Sonos Port"),
                                     .modelNumber = QStringLiteral("S23"),
                                     .displayName = QStringLiteral("Port"),
                                     .hasAudioIn = true});
    bureau->setStreamSource(lineIn(bureau->config().uuid));
    bureau->setTransport(SimSpeaker::Transport::Playing);

    bool ok = true;
    for (SimSpeaker *speaker : m_speakers)
        ok = speaker->start() && ok;
    return ok;
}

QString randomLoopbackPrefix()
{
    // 127.0.x.x is left alone: other local services live there.
    auto *random = QRandomGenerator::global();
    return QStringLiteral("127.%1.%2").arg(16 + random->bounded(230)).arg(1 + random->bounded(254));
}

} // namespace corvane::sim
