#pragma once

// What the window benchmarks share: the speakers in a `corvane sim` process of their own (so
// their work is not counted), discovery on their loopback /24, and every web origin pointed at
// the simulated services.

#include "simhousehold.h"
#include "simwebservices.h"
#include "sonos/sonosdiscovery.h"

#include <QProcess>
#include <QTextStream>

namespace corvane::bench {

inline bool startSimulatedHome(QProcess &speakers, sim::SimWebServices &web, const QStringList &simArguments = {})
{
    const QString prefix = sim::randomLoopbackPrefix();
    speakers.start(QStringLiteral(CORVANE_BINARY), QStringList{QStringLiteral("sim"), QStringLiteral("--prefix"), prefix} + simArguments);
    if (!speakers.waitForReadyRead(10000)) {
        QTextStream(stderr) << "La maison simulée n'a pas démarré." << Qt::endl;
        return false;
    }
    SonosDiscovery::setForcedNetwork(prefix + QStringLiteral(".1/24"));
    if (!web.start())
        return false;
    const QByteArray origin = web.origin().toEncoded();
    qputenv("CORVANE_LOGO_ORIGIN", web.origin().resolved(QUrl(QStringLiteral("/logos/"))).toEncoded());
    qputenv("CORVANE_RADIO_ORIGIN", origin);
    qputenv("CORVANE_UPDATE_ORIGIN", origin);
    return true;
}

} // namespace corvane::bench
