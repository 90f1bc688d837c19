#pragma once

#include <QString>

#include <memory>

class QTemporaryDir;

namespace corvane {

namespace sim {
class SimHousehold;
class SimWebServices;
} // namespace sim

// Everything the demo window runs on: a household and web services on loopback, and a profile
// of its own unless CORVANE_PROFILE names one to keep. Every web origin points at the simulator.
class DemoWorld
{
public:
    DemoWorld();
    ~DemoWorld();

    bool start(bool withoutToken);
    // Null until started.
    sim::SimHousehold *household() const;
    // The user token the simulated music service accepts.
    static QString userToken();

private:
    std::unique_ptr<QTemporaryDir> m_profile;
    std::unique_ptr<sim::SimHousehold> m_household;
    std::unique_ptr<sim::SimWebServices> m_web;
};

} // namespace corvane
