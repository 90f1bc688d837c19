#pragma once

#include <QUrl>

class QQmlEngine;

namespace corvane {
class CorvaneModel;
}

namespace corvane::ui {

// The QML side's wiring: the model as the App singleton, the icon and artwork image providers,
// the dark Material style. Call once per engine, before loading.
void prepareEngine(QQmlEngine *engine, CorvaneModel *model);
// The one HTTP cache for web replies and artwork: 64 MiB in memory, 256 MiB on disk.
void configureHttpCache();
QUrl mainWindowUrl();

} // namespace corvane::ui
