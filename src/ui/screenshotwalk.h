#pragma once

// The screenshot walk's shared pieces: waiting for the model, and writing the window to a file.

#include "async/tasks.h"

#include <QString>

#include <functional>

class QQuickWindow;

namespace corvane {
class CorvaneModel;
namespace sim {
class SimHousehold;
}
} // namespace corvane

namespace corvane::ui {

QCoro::Task<bool> waitUntil(std::function<bool()> done, int timeoutMs);

struct Walk
{
    QQuickWindow *window;
    CorvaneModel *model;
    QString folder;
    sim::SimHousehold *household;
    int failures = 0;

    // Lets animations and image loads settle, then writes the window.
    QCoro::Task<> shoot(QString name);
    QCoro::Task<> run();
    // What plays, the sound settings, the history's top artists, the home page further down.
    QCoro::Task<> nowPlayingAndPanels();
    // The notification area's panel, the onboarding pages and the tip card.
    QCoro::Task<> panelAndIntroduction(QString prefix);
    // Writes another window of the application (the panel).
    QCoro::Task<> shootWindow(QQuickWindow *other, QString name);
};

} // namespace corvane::ui
