#pragma once

#include <chrono>

namespace corvane {

using Millis = std::chrono::milliseconds;

// Every delay and timeout of the program, in one place, so tests can run the same code with the
// delays scaled down (setDelayScale) while one test checks the real values.
#define CORVANE_DELAYS(X)                                                                          \
    X(soapTimeout, 10000)                                                                          \
    X(requestTimeout, 30000)                                                                       \
    X(artworkTimeout, 20000)                                                                       \
    X(batteryTimeout, 4000)                                                                        \
    X(deviceDescriptionTimeout, 4000)                                                              \
    X(probeTimeout, 1500)                                                                          \
    X(lineInTimeout, 60000)                                                                        \
    X(enqueueRetry, 400)                                                                           \
    X(intentReadDelay, 900)                                                                        \
    X(rememberedHeadStart, 250)                                                                    \
    X(historySaveDelay, 800)                                                                       \
    X(cloudRescan, 30000)                                                                          \
    X(updateTimeout, 8000)                                                                         \
    X(radioDirectoryTimeout, 12000)                                                                \
    X(logoProbeTimeout, 6000)                                                                      \
    X(speakerArtTimeout, 20000)                                                                    \
    X(artworkRetryStep, 250)                                                                       \
    X(musicRequestTimeout, 60000)                                                                  \
    X(authorizationTimeout, 600000)                                                                \
    X(signInIdle, 15000)                                                                           \
    X(chartTimeout, 6000)                                                                          \
    X(chartRetry, 600)                                                                             \
    X(pollTick, 1000)                                                                              \
    X(secondSweep, 1200)                                                                           \
    X(firstTimeRetry, 2000)                                                                        \
    X(errorDisplay, 6000)                                                                          \
    X(toastDisplay, 2500)                                                                          \
    X(commandReread, 900)                                                                          \
    X(startWindow, 2500)                                                                           \
    X(toggleWindow, 1500)                                                                          \
    X(volumeDebounce, 120)                                                                         \
    X(postStartCheck, 700)                                                                         \
    X(scrubWindow, 10000)                                                                          \
    X(searchDebounce, 200)                                                                         \
    X(publicSearchDebounce, 600)                                                                   \
    X(publicSearchRetry, 5000)                                                                     \
    X(queueRemoveRefresh, 500)                                                                     \
    X(queueMoveRefresh, 700)                                                                       \
    X(regroupSettle, 700)                                                                          \
    X(favoriteReread1, 700)                                                                        \
    X(favoriteReread2, 1500)                                                                       \
    X(favoriteReread3, 3000)                                                                       \
    X(favoriteReread4, 5000)                                                                       \
    X(personalReload, 60000)                                                                       \
    X(eventReadTimeout, 5000)                                                                      \
    X(eventsFallback, 4000)                                                                        \
    X(eventsRetry, 180000)                                                                         \
    X(subscriptionTimeout, 3600000)                                                                \
    X(driftRead, 30000)

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
