// The screenshot walk: the notification area's panel, the onboarding pages and the tip card.

#include "base/preferences.h"
#include "model/corvanemodel.h"
#include "model/featuretips.h"
#include "model/home.h"
#include "screenshotwalk.h"
#include "ui/tray.h"

#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>

namespace corvane::ui {

QCoro::Task<> Walk::shootPanel(QString name)
{
    Tray tray(model, qmlEngine(window), window);
    if (QQuickWindow *panel = tray.panel()) {
        tray.togglePanel();
        co_await shootWindow(panel, name);
        panel->hide();
    }
}

QCoro::Task<> Walk::introduction()
{
    CorvaneModel *m = model;
    m->household()->setOnboardingReplay(true);
    co_await sleep(Millis(400));
    QQuickItem *onboarding = findShown(window, QStringLiteral("onboardingView"));
    for (int page = 0; onboarding && page < 4; ++page) {
        onboarding->setProperty("page", page);
        co_await shoot(QStringLiteral("23-presentation-%1").arg(page + 1));
    }
    m->household()->setOnboardingReplay(false);
}

QCoro::Task<> Walk::tipCard()
{
    Preferences preferences;
    preferences.setLaunchCount(FeatureTips::firstLaunch - 1);
    preferences.sync();
    model->home()->chooseTip();
    co_await shoot(QStringLiteral("24-astuce"));
    model->home()->dismissTip();
}

} // namespace corvane::ui
