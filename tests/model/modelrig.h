#pragma once

// The real model against a simulated household and simulated web services, all on loopback.

#include "applemusic/usertokenstore.h"
#include "applemusic/webmusicservice.h"
#include "base/preferences.h"
#include "model/corvanemodel.h"
#include "simwebservices.h"
#include "sonos/sonosdiscovery.h"
#include "storage/cachedhome.h"
#include "testutil.h"

#include <QTemporaryDir>
#include <QThreadPool>

namespace corvane::test {

class ModelRig
{
public:
    struct Options
    {
        const char *household = "default";
        int size = 32;
        QString preferredRoom = QStringLiteral("Salon");
        bool signedIn = true;
        bool everFound = true;
        bool rememberAddresses = true;
        bool developerToken = true;
        // The speakers' events; off, the model polls (what most tests of the merge expect).
        bool speakerEvents = false;
    };

    ModelRig() : ModelRig(Options{}) {}
    explicit ModelRig(Options options)
    {
        qputenv("CORVANE_PROFILE", profile.path().toUtf8());
        if (QByteArray(options.household) != "none") {
            house = startHousehold(options.household, options.size);
            SonosDiscovery::setForcedNetwork(house->network());
        } else {
            // An empty loopback /24: every probe is refused at once.
            SonosDiscovery::setForcedNetwork(sim::randomLoopbackPrefix() + QStringLiteral(".1/24"));
        }
        if (!web.start())
            qFatal("the simulated web services did not start");
        // Every origin at the simulator: nothing may leave the loopback network.
        qputenv("CORVANE_LOGO_ORIGIN", web.origin().resolved(QUrl(QStringLiteral("/logos/"))).toEncoded());
        qputenv("CORVANE_RADIO_ORIGIN", web.origin().toEncoded());
        qputenv("CORVANE_UPDATE_ORIGIN", web.origin().toEncoded());
        Preferences preferences;
        preferences.setHasEverFoundSpeaker(options.everFound);
        if (house) {
            if (sim::SimSpeaker *preferred = house->speaker(options.preferredRoom))
                preferences.setPreferredSpeakerUUID(preferred->config().uuid);
            if (options.rememberAddresses) {
                QStringList ips;
                for (sim::SimSpeaker *speaker : house->speakers())
                    ips << speaker->config().ip;
                preferences.setKnownSpeakerIPs(ips);
            }
        }
        preferences.sync();
        UserTokenStore store(false);
        if (options.signedIn)
            await(store.write(QString::fromLatin1(sim::SimWebServices::userToken)));
        else
            await(store.remove());
        music = std::make_shared<WebMusicService>(
            WebMusicService::Settings{web.origin(),
                                      options.developerToken ? std::optional<QByteArray>(sim::SimWebServices::developerToken)
                                                             : std::nullopt,
                                      {}, {}, web.origin(), QStringLiteral("fr")},
            store);
        await(music->load());
        model = std::make_unique<CorvaneModel>(CorvaneModel::Services{music, web.origin(), web.origin(), QStringLiteral("fr"), options.speakerEvents});
    }

    ~ModelRig()
    {
        model.reset();
        QThreadPool::globalInstance()->waitForDone();
        CachedHome::waitForSaves();
        SonosDiscovery::setForcedNetwork(QString());
    }

    sim::SimSpeaker *speaker(const QString &room) const { return house->speaker(room); }

    // Discovery, selection, the link check and the first read, as at launch.
    bool startUp()
    {
        await(model->household()->discoveryRun());
        if (!model->household()->selected())
            return false;
        return QTest::qWaitFor([this] { return model->playback()->hasReadSpeakerState(); }, 5000);
    }

    QTemporaryDir profile;
    std::unique_ptr<sim::SimHousehold> house;
    sim::SimWebServices web;
    std::shared_ptr<WebMusicService> music;
    std::unique_ptr<CorvaneModel> model;
};

// Every confirmation the model showed, kept after the toast has cleared itself.
class ToastLog
{
public:
    explicit ToastLog(CorvaneModel *model)
        : m_connection(QObject::connect(model->notices(), &Notices::lastActionChanged, model, [this, model] {
              if (model->notices()->lastAction())
                  shown << *model->notices()->lastAction();
          }))
    {
    }
    ~ToastLog() { QObject::disconnect(m_connection); }
    QStringList shown;

private:
    QMetaObject::Connection m_connection;
};

inline QStringList titlesOf(const QList<Track> &tracks)
{
    QStringList titles;
    for (const Track &track : tracks)
        titles << track.title;
    return titles;
}

} // namespace corvane::test
