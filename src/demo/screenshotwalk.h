#pragma once

// The screenshot walk's shared pieces: waiting for the model, and writing the window to a file.

#include "async/tasks.h"

#include <QString>

#include <functional>

class QQuickItem;
class QQuickWindow;

namespace corvane {
class CorvaneModel;
namespace sim {
class SimHousehold;
}
} // namespace corvane

namespace corvane::ui {

QCoro::Task<bool> waitUntil(std::function<bool()> done, int timeoutMs);
// The first shown item of that object name in the window, breadth first.
QQuickItem *findShown(QQuickWindow *window, const QString &objectName);

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
    // A group's rooms with their own volumes, and the alarms (list, editor, deletion).
    QCoro::Task<> volumesAndAlarms();
    // The notification area's panel, opened by the tray icon.
    QCoro::Task<> shootPanel(QString name);
    // The onboarding pages, then the tip card of a third launch.
    QCoro::Task<> introduction();
    QCoro::Task<> tipCard();
    // The setup guide where speakers refuse control, then where Apple Music was never played.
    QCoro::Task<> setupStates();
    // A second window on a model whose music service has no developer token.
    QCoro::Task<> withoutDeveloperToken();
    // Writes another window of the application (the panel).
    QCoro::Task<> shootWindow(QQuickWindow *other, QString name);
};

} // namespace corvane::ui
