// The screenshot walk, second half: what plays, the sound settings, the history and the home page
// further down.

#include "model/corvanemodel.h"
#include "screenshotwalk.h"
#include "simhousehold.h"
#include "simspeaker.h"
#include "simtrack.h"

#include <QQuickItem>
#include <QQuickWindow>

namespace corvane::ui {

namespace {

QObject *findObject(QQuickWindow *window, const QString &name)
{
    return window->findChild<QObject *>(name);
}

} // namespace

QCoro::Task<> Walk::nowPlayingAndPanels()
{
    CorvaneModel *m = model;
    sim::SimSpeaker *salon = household->speaker(QStringLiteral("Salon"));

    // The home page, further down, with a few plays in the history.
    m->browse()->returnToResults();
    m->browse()->setQuery(QString());
    co_await waitUntil([m] { return m->browse()->route().kind == RouteKind::Results && m->browse()->query().isEmpty(); }, 2000);
    if (QQuickItem *home = findShown(window, QStringLiteral("homeView"))) {
        home->setProperty("contentY", home->property("contentHeight").toDouble() - home->height());
        co_await shoot(QStringLiteral("15-accueil-bas"));
        home->setProperty("contentY", 0);
    }

    // Paused, then the large view of a radio without cover.
    co_await m->playback()->pausePlayback();
    co_await waitUntil([m] { return !m->playback()->nowPlaying().isPlaying; }, 3000);
    co_await shoot(QStringLiteral("16-barre-en-pause"));
    salon->setStreamSource(sim::radioStation(QStringLiteral("Radio Gardon FM"), QStringLiteral("http://127.0.0.1/gardon.mp3")));
    salon->setTransport(sim::SimSpeaker::Transport::Playing);
    co_await waitUntil([m] { return m->playback()->nowPlaying().duration == 0 && m->playback()->nowPlaying().isPlaying; }, 5000);
    m->playback()->setExpanded(true);
    co_await shoot(QStringLiteral("17-en-grand-radio"));
    m->playback()->setExpanded(false);

    // The sound settings, without then with a sleep timer.
    if (QObject *popover = findObject(window, QStringLiteral("soundPopover"))) {
        QMetaObject::invokeMethod(popover, "open");
        co_await shoot(QStringLiteral("18-reglages-son"));
        co_await m->playback()->changeSleepTimer(30);
        co_await waitUntil([m] { return m->playback()->sleepMinutes().has_value(); }, 3000);
        co_await shoot(QStringLiteral("19-reglages-minuterie"));
        co_await m->playback()->changeSleepTimer(std::nullopt);
        if (QObject *settings = findObject(window, QStringLiteral("soundSettingsFlick"))) {
            const auto toBottom = [settings] {
                settings->setProperty("contentY", std::max(0.0, settings->property("contentHeight").toDouble()
                                                                   - settings->property("height").toDouble()));
            };
            // Further down: how the speakers' changes arrive.
            toBottom();
            co_await shoot(QStringLiteral("18-reglages-son-bas"));
            // The same when the speakers' messages are kept out: another room chosen while no
            // notification leaves any speaker, then back once they flow again.
            for (sim::SimSpeaker *speaker : household->speakers())
                speaker->faults().dropEvents = true;
            m->household()->selectSpeaker(household->speaker(QStringLiteral("Bureau"))->config().uuid);
            co_await waitUntil([m] { return m->live()->mode() == LiveUpdates::Mode::Polling; }, 10000);
            co_await sleep(Millis(100)); // the settings grow by the commands first
            toBottom();
            co_await shoot(QStringLiteral("18-reglages-son-bloque"));
            for (sim::SimSpeaker *speaker : household->speakers())
                speaker->faults().dropEvents = false;
            m->household()->selectSpeaker(salon->config().uuid);
            co_await waitUntil([m] { return m->live()->mode() == LiveUpdates::Mode::Instant; }, 5000);
            settings->setProperty("contentY", 0);
        }
        QMetaObject::invokeMethod(popover, "close");
    }

    // The history's most played artists.
    m->browse()->showPanel(RouteKind::History);
    co_await waitUntil([this] { return findShown(window, QStringLiteral("historyView")) != nullptr; }, 2000);
    if (QQuickItem *history = findShown(window, QStringLiteral("historyView"))) {
        history->setProperty("showTopArtists", true);
        co_await shoot(QStringLiteral("20-historique-top-artistes"));
    }
    m->browse()->returnToResults();
}

} // namespace corvane::ui
