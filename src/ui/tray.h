#pragma once

#include "base/records.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

#include <QQuickWindow>

class QQmlEngine;

namespace corvane {
class CorvaneModel;
}

namespace corvane::ui {

// Corvane in the notification area: an icon that follows what plays, a left click for the
// small panel (transport, volume, favorites, rooms, sleep timer), a right click for a short menu.
// Without a tray host there is no icon, and closing the main window quits.
class Tray : public QObject
{
    Q_OBJECT
public:
    Tray(CorvaneModel *model, QQmlEngine *engine, QQuickWindow *mainWindow, QObject *parent = nullptr);
    ~Tray() override;

    // The symbol the icon shows: nothing loaded, playing, paused.
    static QString symbolFor(const NowPlaying &now);
    // The icon's tooltip: the application, then what plays and where (room empty: no speaker).
    static QString tooltipFor(const NowPlaying &now, const QString &room);

    bool isShown() const { return m_icon.isVisible(); }
    QString symbol() const { return m_symbol; }
    QString tooltip() const { return m_icon.toolTip(); }
    QQuickWindow *panel() const { return m_panel; }
    QMenu *menu() { return &m_menu; }

public Q_SLOTS:
    void togglePanel();
    // Brings the main window forward, showing it again if it was closed.
    void openMainWindow();

private:
    void follow();
    void placePanel();

    CorvaneModel *m_model;
    QPointer<QQuickWindow> m_main;
    QPointer<QQuickWindow> m_panel;
    QSystemTrayIcon m_icon;
    QMenu m_menu;
    QAction *m_playPause = nullptr;
    QString m_symbol;
};

} // namespace corvane::ui
