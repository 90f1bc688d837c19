#include "screenshots.h"
#include "screenshotwalk.h"

#include "async/tasks.h"
#include "base/corvaneerror.h"
#include "base/preferences.h"
#include "model/corvanemodel.h"
#include "simhousehold.h"
#include "sonos/sonosdiscovery.h"
#include "ui/uisetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTextStream>

namespace corvane::ui {

QCoro::Task<bool> waitUntil(std::function<bool()> done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            co_return false;
        co_await sleep(Millis(50));
    }
    co_return true;
}

QQuickItem *findShown(QQuickWindow *window, const QString &objectName)
{
    QList<QQuickItem *> pending{window->contentItem()};
    while (!pending.isEmpty()) {
        QQuickItem *item = pending.takeFirst();
        if (item->objectName() == objectName && item->isVisible())
            return item;
        pending += item->childItems();
    }
    return nullptr;
}

QCoro::Task<> Walk::shoot(QString name)
{
    co_await shootWindow(window, name);
}

QCoro::Task<> Walk::shootWindow(QQuickWindow *other, QString name)
{
    co_await sleep(Millis(700));
    const QImage image = other->grabWindow();
    const QString file = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    if (image.isNull() || !image.save(file)) {
        QTextStream(stderr) << "Capture impossible : " << file << Qt::endl;
        ++failures;
        co_return;
    }
    QTextStream(stdout) << file << Qt::endl;
}

QCoro::Task<> Walk::run()
{
    CorvaneModel *m = model;
    // A first search that finds nothing: an empty loopback network, searched a second time
    // since no speaker was ever found here.
    {
        Preferences preferences;
        preferences.setHasEverFoundSpeaker(false);
        preferences.sync();
    }
    SonosDiscovery::setForcedNetwork(sim::randomLoopbackPrefix() + QStringLiteral(".1/24"));
    m->household()->refreshSpeakers();
    co_await shoot(QStringLiteral("01-recherche"));
    co_await waitUntil([m] { return m->household()->hasSearchedOnce() && !m->household()->isDiscovering(); }, 20000);
    co_await shoot(QStringLiteral("01-aucune-enceinte"));
    m->browse()->showPanel(RouteKind::Groups);
    co_await shoot(QStringLiteral("01-pieces-aucune"));
    m->browse()->returnToResults();
    co_await shootPanel(QStringLiteral("21-panneau-rien"));
    co_await introduction();

    co_await setupStates();
    m->household()->setSetupDismissed(false);
    m->household()->refreshSpeakers();
    co_await waitUntil([m] { return m->household()->selected().has_value() && m->playback()->hasReadSpeakerState() && m->household()->link().has_value(); }, 20000);
    co_await m->queue()->empty();
    co_await waitUntil([m] { return !m->home()->recommendations().isEmpty(); }, 5000);
    co_await shoot(QStringLiteral("02-accueil"));

    m->browse()->setQuery(QStringLiteral("a"));
    co_await waitUntil([m] { return m->browse()->hasAnsweredQuery(); }, 5000);
    const char *scopes[] = {"tout", "morceaux", "albums", "artistes", "playlists"};
    for (int scope = 0; scope < 5; ++scope) {
        m->browse()->setScope(SearchScope::Value(scope));
        co_await waitUntil([m] { return m->browse()->hasAnsweredQuery() && !m->browse()->isSearching(); }, 5000);
        co_await shoot(QStringLiteral("03-resultats-%1").arg(QLatin1String(scopes[scope])));
    }
    m->browse()->setScope(SearchScope::All);
    co_await waitUntil([m] { return m->browse()->hasAnsweredQuery() && !m->browse()->isSearching(); }, 5000);

    if (!m->browse()->foundAlbums().isEmpty()) {
        m->browse()->showAlbum(m->browse()->foundAlbums().first());
        co_await waitUntil([m] { return !m->browse()->isLoadingDetail(); }, 5000);
        co_await shoot(QStringLiteral("04-album"));
    }
    if (!m->browse()->foundArtists().isEmpty()) {
        m->browse()->showArtist(m->browse()->foundArtists().first());
        co_await waitUntil([m] { return !m->browse()->isLoadingDetail(); }, 5000);
        co_await shoot(QStringLiteral("05-artiste"));
    }
    if (!m->browse()->foundPlaylists().isEmpty()) {
        m->browse()->showPlaylist(m->browse()->foundPlaylists().first());
        co_await waitUntil([m] { return !m->browse()->isLoadingDetail(); }, 5000);
        co_await shoot(QStringLiteral("06-playlist"));
    }

    m->browse()->toggleQueue();
    co_await shoot(QStringLiteral("07-file-vide"));
    if (!m->browse()->foundTracks().isEmpty()) {
        co_await m->playback()->playSongs(m->browse()->foundTracks(), QCoreApplication::translate("Queue", "Lecture des résultats"));
        co_await waitUntil([m] { return m->queue()->entries().size() > 1; }, 5000);
    }
    co_await shoot(QStringLiteral("08-file"));

    m->browse()->toggleExplore();
    co_await waitUntil([m] { return m->home()->exploreLoaded() && !m->home()->isLoadingExplore(); }, 8000);
    co_await shoot(QStringLiteral("09-explorer"));

    m->browse()->showPanel(RouteKind::Groups);
    co_await shoot(QStringLiteral("13-pieces"));
    m->browse()->showPanel(RouteKind::History);
    co_await shoot(QStringLiteral("14-historique"));
    if (QObject *confirm = window->findChild<QObject *>(QStringLiteral("confirmClearHistory"))) {
        QMetaObject::invokeMethod(confirm, "open");
        co_await shoot(QStringLiteral("14-historique-effacer"));
        QMetaObject::invokeMethod(confirm, "close");
    }
    m->browse()->returnToResults();

    m->notices()->showToast(QCoreApplication::translate("Queue", "Ajouté à la file"));
    co_await shoot(QStringLiteral("10-confirmation"));
    m->notices()->setErrorMessage(CorvaneError::speakerUnreachable(QString()).message());
    co_await shoot(QStringLiteral("11-erreur"));
    m->notices()->setErrorMessage(std::nullopt);

    m->playback()->setExpanded(true);
    co_await shoot(QStringLiteral("12-en-grand"));
    m->playback()->setExpanded(false);
    co_await shootPanel(QStringLiteral("22-panneau-lecture"));

    co_await nowPlayingAndPanels();
    co_await volumesAndAlarms();
    co_await shootPanel(QStringLiteral("22-panneau-radio"));
    co_await tipCard();
    co_await withoutDeveloperToken();
}

namespace {

QCoro::Task<int> walk(Walk walk)
{
    co_await walk.run();
    co_return walk.failures == 0 ? 0 : 1;
}

} // namespace

int takeScreenshots(QQmlApplicationEngine *engine, CorvaneModel *model, const QString &folder, sim::SimHousehold *household)
{
    if (!household) {
        QTextStream(stderr) << QCoreApplication::translate("Demo", "--screenshots demande --demo : les captures se font sur la maison simulée.") << Qt::endl;
        return 2;
    }
    if (!QDir().mkpath(folder)) {
        QTextStream(stderr) << QCoreApplication::translate("Demo", "Impossible de créer le dossier %1").arg(folder) << Qt::endl;
        return 1;
    }
    engine->setInitialProperties({{QStringLiteral("autoStart"), false}});
    engine->load(mainWindowUrl());
    auto *window = engine->rootObjects().isEmpty() ? nullptr : qobject_cast<QQuickWindow *>(engine->rootObjects().first());
    if (!window)
        return 1;
    return runBlocking(walk(Walk{window, model, folder, household}));
}

} // namespace corvane::ui
