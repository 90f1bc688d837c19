#pragma once

#include "async/cancellation.h"
#include "base/records.h"

#include <QCoroTask>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace corvane {

// The IPv4 network to sweep.
struct LocalNetwork
{
    QString address;
    QString netmask;

    bool operator==(const LocalNetwork &) const = default;
};

// One interface as the system lists it; address and netmask are numeric IPv4 texts, empty when
// the interface has no IPv4 address or it does not convert.
struct NetworkInterface
{
    QString name;
    bool up = false;
    bool loopback = false;
    QString address;
    QString netmask;
    bool running = false; // has carrier: a cable in, or associated with an access point
    bool pointToPoint = false;
    // Metric of the default route through this interface; none when the default goes elsewhere.
    std::optional<int> defaultRouteMetric;
};

// What a discovery run learned besides the speaker: hosts that answered 403 on port 1400 are
// speakers whose local control is switched off in the Sonos app.
struct DiscoveryOutcome
{
    std::optional<Speaker> speaker;
    QStringList localControlOffHosts;
};

// Finds one speaker that answers: remembered addresses first, then a sweep of the local subnet
// over HTTP (no multicast). Never fails; nothing found is an empty outcome.
namespace SonosDiscovery {

QCoro::Task<std::optional<Speaker>> findSpeaker(QStringList knownIPs, CancellationToken token = {});
QCoro::Task<DiscoveryOutcome> discover(QStringList knownIPs, CancellationToken token = {});
// The first speaker of a sweep, or nothing.
QCoro::Task<QList<Speaker>> scanSubnet(CancellationToken token = {});
QCoro::Task<DiscoveryOutcome> sweep(CancellationToken token = {});

// The forced network (CORVANE_NETWORK, --network) or else the one chosen among the interfaces.
std::optional<LocalNetwork> currentNetwork();
// The choosing rules alone, over a list of interfaces.
std::optional<LocalNetwork> chooseNetwork(const QList<NetworkInterface> &interfaces);
// Interface name -> lowest metric of its default routes, from the text of /proc/net/route.
QHash<QString, int> defaultRouteMetrics(const QString &routeTable);
// Replaces the interface enumeration (tests) and forces a network ("address/netmask" or
// "address/prefix"); an empty text clears the forced network.
void setInterfaceSource(std::function<std::optional<QList<NetworkInterface>>()> source);
bool setForcedNetwork(const QString &spec);
// Reads CORVANE_NETWORK again (done once on first use); a text that does not parse forces
// "no network" rather than letting the real interfaces be swept.
void forceNetworkFromEnvironment();
std::optional<LocalNetwork> parseNetwork(const QString &spec);

QStringList hostAddresses(const QString &address, const QString &netmask);

// The addresses worth remembering and probing, from a list a speaker (or an old profile) gave:
// IPv4 addresses of loopback, private and link-local ranges or of `network`, each once, in
// their order, at most maxRemembered. Anything else is dropped: a device on the network must
// not be able to make Corvane dial the internet, nor plant thousands of addresses.
QStringList rememberable(const QStringList &addresses, const std::optional<LocalNetwork> &network);
inline constexpr qsizetype maxRemembered = 32;
QCoro::Task<std::optional<Speaker>> probe(QString ip, CancellationToken token = {});

// The probe window of a sweep.
inline constexpr int maxProbesInFlight = 64;

} // namespace SonosDiscovery

} // namespace corvane
