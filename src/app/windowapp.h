#pragma once

#include <QElapsedTimer>
#include <QString>

namespace corvane {

class SingleInstance;

struct WindowOptions
{
    // The simulated household and web services, in this process.
    bool demo = false;
    // `--no-token`: the demo as most listeners have it, without a MusicKit developer token (the
    // public search serves the catalogue).
    bool withoutToken = false;
    // Render each screen to PNG files in this folder, then quit.
    QString screenshots;
    // Started when the process began: the first frame's time is measured from it.
    QElapsedTimer launched;
    // `--tray`: no window at start (the session's autostart).
    bool startHidden = false;
    // The session's one Corvane: it asks for the window when Corvane is started again.
    SingleInstance *instance = nullptr;
};

// The desktop application: one model, the main window, until the last window closes. Expects a
// QApplication.
int runWindowApp(const WindowOptions &options);

} // namespace corvane
