#pragma once

#include <QElapsedTimer>
#include <QString>

namespace corvane {

struct WindowOptions
{
    // The simulated household and web services, in this process.
    bool demo = false;
    // Render each screen to PNG files in this folder, then quit.
    QString screenshots;
    // Started when the process began: the first frame's time is measured from it.
    QElapsedTimer launched;
};

// The desktop application: one model, the main window, until the last window closes. Expects a
// QApplication.
int runWindowApp(const WindowOptions &options);

} // namespace corvane
