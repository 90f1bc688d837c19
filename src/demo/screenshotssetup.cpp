// The screenshot walk: the setup guide's states on the simulated household, and the screens of a
// music service without a developer token.

#include "applemusic/usertokenstore.h"
#include "applemusic/webmusicservice.h"
#include "base/configuration.h"
#include "model/corvanemodel.h"
#include "screenshotwalk.h"
#include "simhousehold.h"
#include "simspeaker.h"
#include "sonos/sonosdiscovery.h"
#include "ui/qmltypes.h"
#include "ui/uisetup.h"

#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>

#include <algorithm>

namespace corvane::ui {

QCoro::Task<> Walk::setupStates()
{
    CorvaneModel *m = model;
    SonosDiscovery::setForcedNetwork(household->network());
    const auto searchAgain = [m]() -> QCoro::Task<> {
        m->household()->setSetupDismissed(false);
        m->household()->refreshSpeakers();
        co_await waitUntil([m] { return m->household()->isDiscovering(); }, 2000);
        co_await waitUntil([m] { return !m->household()->isDiscovering() && m->household()->hasCheckedAppleMusic(); }, 20000);
    };

    // Every speaker answers 403: local control is switched off in the Sonos app.
    for (sim::SimSpeaker *speaker : household->speakers())
        speaker->faults().localControlOff = true;
    co_await searchAgain();
    co_await shoot(QStringLiteral("01-controle-local-coupe"));
    for (sim::SimSpeaker *speaker : household->speakers())
        speaker->faults().localControlOff = false;

    // Speakers that do not offer Apple Music: it was never added in the Sonos app.
    household->house().appleMusicListed = false;
    co_await searchAgain();
    co_await shoot(QStringLiteral("01-apple-music-absent"));
    household->house().appleMusicListed = true;
    m->notices()->setErrorMessage(std::nullopt);
}

QCoro::Task<> Walk::withoutDeveloperToken()
{
    WebMusicService::Settings settings = WebMusicService::configuredSettings();
    settings.developerToken.reset();
    auto music = std::make_shared<WebMusicService>(settings, UserTokenStore());
    co_await music->load();
    CorvaneModel other(CorvaneModel::Services{music, Configuration::chartsOrigin(), Configuration::radioOrigin(),
                                              QStringLiteral("fr")});
    {
        QQmlApplicationEngine engine;
        prepareEngine(&engine, &other);
        engine.setInitialProperties({{QStringLiteral("autoStart"), false}});
        engine.load(mainWindowUrl());
        auto *second = engine.rootObjects().isEmpty() ? nullptr : qobject_cast<QQuickWindow *>(engine.rootObjects().first());
        if (second) {
            second->resize(window->size());
            CorvaneModel *o = &other;
            o->household()->refreshSpeakers();
            co_await waitUntil([o] { return o->household()->selected().has_value() && o->playback()->hasReadSpeakerState(); }, 20000);
            co_await waitUntil([o] { return !o->home()->isLoadingCharts(); }, 5000);
            co_await sleep(Millis(1000)); // the shelves settle before the page is scrolled
            // The home page, down to the card that says what is missing.
            QQuickItem *home = findShown(second, QStringLiteral("homeView"));
            QQuickItem *card = findShown(second, QStringLiteral("connectMusicCard"));
            if (home && card) {
                const qreal top = card->mapToItem(home->property("contentItem").value<QQuickItem *>(), QPointF(0, 0)).y();
                home->setProperty("contentY", std::max(0.0, top - 24));
            }
            co_await shootWindow(second, QStringLiteral("25-sans-jeton-accueil"));
            // The public search answers: songs, albums and artists, as with a token.
            o->browse()->setQuery(QStringLiteral("phares"));
            co_await waitUntil([o] { return o->browse()->hasAnsweredQuery() && !o->browse()->foundTracks().isEmpty(); }, 8000);
            co_await sleep(Millis(600)); // the covers arrive
            co_await shootWindow(second, QStringLiteral("25-sans-jeton-recherche"));
            // Playlists are not in the public search: the page says so.
            o->browse()->setScope(SearchScope::Playlists);
            co_await waitUntil([o] { return o->browse()->hasAnsweredQuery(); }, 8000);
            co_await shootWindow(second, QStringLiteral("25-sans-jeton-recherche-playlists"));
            o->browse()->setScope(SearchScope::All);
            o->browse()->setQuery(QString());
            // The sound settings: the catalogue's country, and what a token would add.
            if (QObject *popover = second->findChild<QObject *>(QStringLiteral("soundPopover"))) {
                QMetaObject::invokeMethod(popover, "open");
                co_await sleep(Millis(400));
                // Down to the Apple Music row, at the end of the settings.
                if (QObject *flick = second->findChild<QObject *>(QStringLiteral("soundSettingsFlick")))
                    flick->setProperty("contentY", std::max(0.0, flick->property("contentHeight").toDouble() - flick->property("height").toDouble()));
                co_await sleep(Millis(200));
                co_await shootWindow(second, QStringLiteral("25-sans-jeton-reglages"));
                QMetaObject::invokeMethod(popover, "close");
            }
            o->household()->setOnboardingReplay(true);
            co_await sleep(Millis(300));
            if (QQuickItem *onboarding = findShown(second, QStringLiteral("onboardingView")))
                onboarding->setProperty("page", 2);
            co_await shootWindow(second, QStringLiteral("25-sans-jeton-presentation"));
            o->household()->setOnboardingReplay(false);
            second->close();
        }
    }
    setAppInstance(model);
}

} // namespace corvane::ui
