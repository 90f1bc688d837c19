// The screenshot walk: a group's rooms and their volumes, then the alarms.

#include "model/corvanemodel.h"
#include "screenshotwalk.h"
#include "simhousehold.h"
#include "simspeaker.h"

#include <QQuickItem>
#include <QQuickWindow>

namespace corvane::ui {

QCoro::Task<> Walk::volumesAndAlarms()
{
    CorvaneModel *m = model;
    sim::SimSpeaker *salon = household->speaker(QStringLiteral("Salon"));
    sim::SimSpeaker *cuisine = household->speaker(QStringLiteral("Cuisine"));

    // The kitchen joins the living room: the slider sets both, and each keeps its own.
    m->household()->selectSpeaker(salon->config().uuid);
    cuisine->setVolume(18);
    co_await m->household()->toggleMembership(cuisine->speaker(), salon->config().uuid);
    co_await waitUntil([m] { return m->roomVolumes()->count() == 2 && m->playback()->volumeIsGroup(); }, 8000);
    co_await waitUntil([m] { return m->roomVolumes()->volumeOf(m->roomVolumes()->data(m->roomVolumes()->index(1), RoomVolumes::UuidRole).toString()).has_value(); }, 3000);
    if (QObject *popover = window->findChild<QObject *>(QStringLiteral("roomVolumePopover"))) {
        QMetaObject::invokeMethod(popover, "open");
        co_await sleep(Millis(300));
        co_await shoot(QStringLiteral("26-volume-pieces"));
        QMetaObject::invokeMethod(popover, "close");
    }
    m->browse()->showPanel(RouteKind::Groups);
    co_await waitUntil([m] { return m->roomVolumes()->householdVolumes().size() >= 4; }, 3000);
    co_await shoot(QStringLiteral("26-pieces-volumes"));
    co_await m->household()->toggleMembership(cuisine->speaker(), salon->config().uuid);
    co_await waitUntil([m] { return !m->playback()->volumeIsGroup(); }, 8000);

    // The alarms, one of them being edited, a new one, and the question before a deletion.
    m->browse()->showPanel(RouteKind::Alarms);
    co_await waitUntil([m] { return m->alarms()->loaded() && !m->alarms()->loading(); }, 5000);
    co_await shoot(QStringLiteral("27-reveils"));
    if (QObject *editor = window->findChild<QObject *>(QStringLiteral("alarmEditor"))) {
        QMetaObject::invokeMethod(editor, "openFor", Q_ARG(QVariant, 0));
        co_await sleep(Millis(300));
        co_await shoot(QStringLiteral("27-reveil-modifier"));
        QMetaObject::invokeMethod(editor, "close");
        QMetaObject::invokeMethod(editor, "openFor", Q_ARG(QVariant, -1));
        co_await sleep(Millis(300));
        co_await shoot(QStringLiteral("27-reveil-nouveau"));
        QMetaObject::invokeMethod(editor, "close");
    }
    if (QObject *confirm = window->findChild<QObject *>(QStringLiteral("confirmDeleteAlarm"))) {
        QMetaObject::invokeMethod(confirm, "ask", Q_ARG(QVariant, QStringLiteral("2")), Q_ARG(QVariant, m->alarms()->data(m->alarms()->index(2), AlarmClock::TimeRole)));
        co_await shoot(QStringLiteral("27-reveil-supprimer"));
        QMetaObject::invokeMethod(confirm, "close");
    }
    m->browse()->returnToResults();
}

} // namespace corvane::ui
