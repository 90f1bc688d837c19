#pragma once

#include <chrono>

namespace corvane {

using Millis = std::chrono::milliseconds;

// Every delay and timeout of the program, in one place, so tests can run the same code with the
// delays scaled down (setDelayScale) while one test checks the real values.
#define CORVANE_DELAYS(X)                                                                          \
    X(soapTimeout, 10000)                                                                          \
    X(batteryTimeout, 4000)                                                                        \
    X(deviceDescriptionTimeout, 4000)                                                              \
    X(probeTimeout, 1500)                                                                          \
    X(lineInTimeout, 60000)                                                                        \
    X(enqueueRetry, 400)                                                                           \
    X(intentReadDelay, 900)                                                                        \
    X(historySaveDelay, 800)                                                                       \
    X(cloudRescan, 30000)                                                                          \
    X(updateTimeout, 8000)                                                                         \
    X(radioDirectoryTimeout, 12000)                                                                \
    X(logoProbeTimeout, 6000)                                                                      \
    X(speakerArtTimeout, 20000)                                                                    \
    X(artworkRetryStep, 250)                                                                       \
    X(musicRequestTimeout, 60000)                                                                  \
    X(authorizationTimeout, 600000)                                                                \
    X(chartTimeout, 6000)                                                                          \
    X(chartRetry, 600)

struct Delays
{
#define CORVANE_DELAY_FIELD(name, ms) Millis name{ms};
    CORVANE_DELAYS(CORVANE_DELAY_FIELD)
#undef CORVANE_DELAY_FIELD
};

// The table in force: the real values times the current scale.
Delays delays();
// Multiplies every delay by `scale` (tests use values such as 0.01).
void setDelayScale(double scale);

} // namespace corvane
