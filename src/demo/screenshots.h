#pragma once

#include <QString>

class QQmlApplicationEngine;

namespace corvane {
class CorvaneModel;
namespace sim {
class SimHousehold;
}
} // namespace corvane

namespace corvane::ui {

// Opens the main window, walks it through each screen (no speaker, home, results in every
// scope, album, artist, playlist, queue empty and full, explore, a toast, an error, the large
// view) and writes one PNG per screen into `folder`. Returns the process's exit code.
int takeScreenshots(QQmlApplicationEngine *engine, CorvaneModel *model, const QString &folder,
                    sim::SimHousehold *household);

} // namespace corvane::ui
