#pragma once

#include <QCoroTask>

namespace corvane {

// Starts the simulated household in this process and drives it through SonosController,
// printing what each speaker plays, then play, pause and skip on one of them.
QCoro::Task<int> runDemo();

// `corvane sim`: the household on its own, until interrupted.
int runSimulator(const QString &prefix);

} // namespace corvane
