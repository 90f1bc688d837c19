// The screenshot walk: the notification area's panel, the onboarding pages and the tip card.

#include "model/corvanemodel.h"
#include "model/faces/homeface.h"
#include "model/featuretips.h"
#include "screenshotwalk.h"
#include "storage/preferences.h"
#include "tray.h"

#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>

namespace corvane::ui {

QCoro::Task<> Walk::panelAndIntroduction(QString prefix)
{
    CorvaneModel *m = model;
    {
        Tray tray(m, qmlEngine(window), window);
        if (QQuickWindow *panel = tray.panel()) {
            tray.togglePanel();
            co_await shootWindow(panel, prefix);
            panel->hide();
        }
    }
    if (prefix.startsWith(QLatin1String("21"))) {
        // The introduction, page by page, then the tip card of a third launch.
        m->setOnboardingReplay(true);
        co_await sleep(Millis(400));
        QQuickItem *onboarding = nullptr;
        QList<QQuickItem *> pending{window->contentItem()};
        while (!pending.isEmpty() && !onboarding) {
            QQuickItem *item = pending.takeFirst();
            if (item->objectName() == QLatin1String("onboardingView"))
                onboarding = item;
            pending += item->childItems();
        }
        for (int page = 0; onboarding && page < 4; ++page) {
            onboarding->setProperty("page", page);
            co_await shoot(QStringLiteral("23-presentation-%1").arg(page + 1));
        }
        m->setOnboardingReplay(false);
        co_return;
    }
    // The card a third launch shows.
    Preferences preferences;
    preferences.setLaunchCount(FeatureTips::firstLaunch - 1);
    preferences.sync();
    m->homeFace()->chooseTip();
    co_await shoot(QStringLiteral("24-astuce"));
    m->homeFace()->dismissTip();
}

} // namespace corvane::ui
