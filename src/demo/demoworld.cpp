#include "demoworld.h"

#include "base/preferences.h"
#include "simhousehold.h"
#include "simwebservices.h"
#include "sonos/sonosdiscovery.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>

namespace corvane {

DemoWorld::DemoWorld() = default;
DemoWorld::~DemoWorld() = default;

sim::SimHousehold *DemoWorld::household() const { return m_household.get(); }

QString DemoWorld::userToken() { return QString::fromLatin1(sim::SimWebServices::userToken); }

bool DemoWorld::start(bool withoutToken)
{
    const bool fresh = qEnvironmentVariableIsEmpty("CORVANE_PROFILE");
    if (fresh) {
        m_profile = std::make_unique<QTemporaryDir>();
        qputenv("CORVANE_PROFILE", m_profile->path().toUtf8());
    }
    qputenv("CORVANE_LOOPBACK_ONLY", "1");
    if (qEnvironmentVariableIsEmpty("CORVANE_KEYRING"))
        qputenv("CORVANE_KEYRING", "file");
    m_household = std::make_unique<sim::SimHousehold>(sim::randomLoopbackPrefix());
    m_web = std::make_unique<sim::SimWebServices>();
    if (!m_household->startDefault() || !m_web->start()) {
        QTextStream(stderr) << QCoreApplication::translate("Demo", "Impossible d'ouvrir les adresses de la maison simulée (%1.x:1400).").arg(m_household->prefix())
                            << Qt::endl;
        return false;
    }
    SonosDiscovery::setForcedNetwork(m_household->network());
    const QByteArray origin = m_web->origin().toEncoded();
    qputenv("CORVANE_LOGO_ORIGIN", m_web->origin().resolved(QUrl(QStringLiteral("/logos/"))).toEncoded());
    qputenv("CORVANE_RADIO_ORIGIN", origin);
    qputenv("CORVANE_UPDATE_ORIGIN", origin);
    qputenv("CORVANE_CHARTS_ORIGIN", origin);
    qputenv("CORVANE_APPLE_MUSIC_ORIGIN", origin);
    qputenv("CORVANE_ITUNES_SEARCH_ORIGIN", origin);
    if (withoutToken)
        qunsetenv("CORVANE_DEVELOPER_TOKEN");
    else
        qputenv("CORVANE_DEVELOPER_TOKEN", sim::SimWebServices::developerToken);
    qputenv("CORVANE_MUSICKIT_JS_URL", m_web->origin().resolved(QUrl(QStringLiteral("/musickit.js"))).toEncoded());
    if (fresh) {
        // A household already set up: the screens show content at once.
        Preferences preferences;
        preferences.setOnboardingDone(true);
        preferences.setHasEverFoundSpeaker(true);
        preferences.setPreferredSpeakerUUID(m_household->speaker(QStringLiteral("Salon"))->config().uuid);
        preferences.sync();
    }
    return true;
}

} // namespace corvane
