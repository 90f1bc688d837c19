#include "tray.h"

#include "iconprovider.h"
#include "model/corvanemodel.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QScreen>

namespace corvane::ui {

namespace {

QIcon symbolIcon(const QString &symbol)
{
    IconProvider provider;
    QSize size;
    const QImage image = provider.requestImage(symbol + QStringLiteral("?color=%23eeedf3"), &size, QSize(64, 64));
    return QIcon(QPixmap::fromImage(image));
}

} // namespace

Tray::Tray(CorvaneModel *model, QQmlEngine *engine, QQuickWindow *mainWindow, QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_main(mainWindow)
{
    QQmlComponent component(engine, QUrl(QStringLiteral("qrc:/qt/qml/Corvane/Panel.qml")));
    m_panel = qobject_cast<QQuickWindow *>(component.create());
    if (m_panel) {
        connect(m_panel, SIGNAL(openRequested()), this, SLOT(openMainWindow()));
    } else {
        qWarning("%s", qPrintable(component.errorString()));
    }

    m_playPause = m_menu.addAction(QString(), m_model, [this] { m_model->playback()->togglePlayPause(); });
    m_menu.addAction(QCoreApplication::translate("Tray", "Morceau suivant"), m_model, [this] { m_model->playback()->skipToNext(); });
    m_menu.addSeparator();
    m_menu.addAction(QCoreApplication::translate("Tray", "Ouvrir Corvane"), this, &Tray::openMainWindow);
    m_menu.addAction(QCoreApplication::translate("Tray", "Quitter"), qApp, &QCoreApplication::quit);
    m_icon.setContextMenu(&m_menu);
    connect(&m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            togglePanel();
    });
    connect(m_model->playback(), &Playback::nowPlayingChanged, this, &Tray::follow);
    connect(m_model->household(), &Household::selectedChanged, this, &Tray::follow);
    follow();

    // With a tray host Corvane stays there when its window closes; without one, closing quits.
    const bool hosted = QSystemTrayIcon::isSystemTrayAvailable();
    QApplication::setQuitOnLastWindowClosed(!hosted);
    if (hosted)
        m_icon.show();
}

Tray::~Tray()
{
    delete m_panel.data();
}

QString Tray::symbolFor(const NowPlaying &now)
{
    if (now.title.isEmpty() && now.artist.isEmpty())
        return QStringLiteral("opticaldisc");
    return now.isPlaying ? QStringLiteral("opticaldisc.fill") : QStringLiteral("pause.circle");
}

QString Tray::tooltipFor(const NowPlaying &now, const QString &room)
{
    QString line;
    if (room.isEmpty()) {
        line = QCoreApplication::translate("Tray", "Aucune enceinte");
    } else if (now.title.isEmpty() && now.artist.isEmpty()) {
        line = QCoreApplication::translate("Tray", "Rien en lecture · %1").arg(room);
    } else {
        const QString what = now.title.isEmpty() ? now.artist : now.artist.isEmpty() ? now.title : now.title + QStringLiteral(" — ") + now.artist;
        //: %1 is what plays (title — artist), %2 the room
        line = now.isPlaying ? QCoreApplication::translate("Tray", "%1 · %2").arg(what, room) : QCoreApplication::translate("Tray", "%1 (en pause) · %2").arg(what, room);
    }

    return QStringLiteral("Corvane\n") + line;
}

void Tray::follow()
{
    const NowPlaying &now = m_model->playback()->nowPlaying();
    m_playPause->setText(now.isPlaying ? QCoreApplication::translate("Tray", "Pause") : QCoreApplication::translate("Tray", "Lecture"));

    const std::optional<Speaker> &selected = m_model->household()->selected();
    // Now playing changes with every second that plays: the desktop hears only real changes.
    const QString tooltip = tooltipFor(now, selected ? selected->roomName : QString());
    if (tooltip != m_icon.toolTip())
        m_icon.setToolTip(tooltip);
    const QString symbol = symbolFor(now);
    if (symbol == m_symbol)
        return;
    m_symbol = symbol;
    m_icon.setIcon(symbolIcon(symbol));
}

void Tray::togglePanel()
{
    if (!m_panel)
        return;
    if (m_panel->isVisible()) {
        m_panel->hide();
        return;
    }
    placePanel();
    m_panel->show();
    m_panel->raise();
    m_panel->requestActivate();
}

// By the icon when the desktop says where it is; else in the corner of the screen nearest the
// panels (the side where the available area is cut).
void Tray::placePanel()
{
    const QRect icon = m_icon.geometry();
    QScreen *screen = icon.isValid() ? QGuiApplication::screenAt(icon.center()) : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect full = screen->geometry();
    const QSize size = m_panel->size();
    QPoint at;
    if (icon.isValid()) {
        at = QPoint(icon.center().x() - size.width() / 2, icon.top() > area.center().y() ? icon.top() - size.height() - 8 : icon.bottom() + 8);
    } else {
        const bool atTop = area.top() > full.top();
        at = QPoint(area.right() - size.width() - 8, atTop ? area.top() + 8 : area.bottom() - size.height() - 8);
    }
    at.setX(std::clamp(at.x(), area.left(), area.right() - size.width()));
    at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - size.height())));
    m_panel->setPosition(at);
}

void Tray::openMainWindow()
{
    if (m_panel)
        m_panel->hide();
    if (!m_main)
        return;
    m_main->show();
    if (m_main->windowStates() & Qt::WindowMinimized)
        m_main->setWindowStates(m_main->windowStates() & ~Qt::WindowMinimized);
    m_main->raise();
    m_main->requestActivate();
}

} // namespace corvane::ui
