#pragma once

#include <QCoroTask>

namespace corvane {

// Starts the simulated household in this process and drives it through SonosController,
// printing what each speaker plays, then play, pause and skip on one of them.
QCoro::Task<int> runDemo();

// The application model against the simulated household and web services, printing what the
// screens would show; ends after a few seconds.
QCoro::Task<int> runHeadlessDemo();

// `corvane sim`: the household on its own, until interrupted.
int runSimulator(const QString &prefix, bool crowded = false);

} // namespace corvane
