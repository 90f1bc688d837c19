#include "sonosdiscovery.h"

#include "async/http.h"
#include "async/tasks.h"
#include "base/text.h"

#include <QFile>
#include <QHostAddress>
#include <QRegularExpression>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <sys/socket.h>

#include <algorithm>
#include <bit>
#include <limits>
#include <memory>

namespace corvane::SonosDiscovery {

namespace {

struct ProbeResult
{
    std::optional<Speaker> speaker;
    bool localControlOff = false;
};

std::optional<QList<NetworkInterface>> systemInterfaces()
{
    ifaddrs *list = nullptr;
    if (getifaddrs(&list) != 0)
        return std::nullopt;
    const auto numeric = [](const sockaddr *address) {
        char host[NI_MAXHOST];
        if (!address || address->sa_family != AF_INET
            || getnameinfo(address, sizeof(sockaddr_in), host, sizeof host, nullptr, 0, NI_NUMERICHOST) != 0)
            return QString();
        return QString::fromLatin1(host);
    };
    QFile routeFile(QStringLiteral("/proc/net/route"));
    const QHash<QString, int> routes = routeFile.open(QIODevice::ReadOnly)
                                           ? defaultRouteMetrics(QString::fromLatin1(routeFile.readAll()))
                                           : QHash<QString, int>();
    QList<NetworkInterface> interfaces;
    for (const ifaddrs *entry = list; entry; entry = entry->ifa_next) {
        NetworkInterface item;
        item.name = QString::fromLocal8Bit(entry->ifa_name);
        item.up = entry->ifa_flags & IFF_UP;
        item.loopback = entry->ifa_flags & IFF_LOOPBACK;
        item.running = entry->ifa_flags & IFF_RUNNING;
        item.pointToPoint = entry->ifa_flags & IFF_POINTOPOINT;
        item.address = numeric(entry->ifa_addr);
        item.netmask = numeric(entry->ifa_netmask);
        if (const auto it = routes.constFind(item.name); it != routes.constEnd())
            item.defaultRouteMetric = *it;
        interfaces.append(item);
    }
    freeifaddrs(list);
    return interfaces;
}

// Bridges of containers and virtual machines, and tunnels: none of them leads to the speakers.
bool isVirtualOrTunnel(const NetworkInterface &item)
{
    static const char *const prefixes[] = {"docker", "br-", "virbr", "veth", "vnet", "vboxnet", "vmnet",
                                           "lxcbr", "lxdbr", "podman", "cni", "flannel", "cali", "kube",
                                           "tun", "tap", "wg", "utun", "ppp", "tailscale", "zt", "ipsec"};
    if (item.pointToPoint)
        return true;
    for (const char *prefix : prefixes) {
        if (item.name.startsWith(QLatin1String(prefix)))
            return true;
    }
    return false;
}

std::function<std::optional<QList<NetworkInterface>>()> &interfaceSource()
{
    static std::function<std::optional<QList<NetworkInterface>>()> source = systemInterfaces;
    return source;
}

std::optional<LocalNetwork> networkFromEnvironment()
{
    const QString spec = qEnvironmentVariable("CORVANE_NETWORK");
    return spec.isEmpty() ? std::nullopt : std::optional<LocalNetwork>(parseNetwork(spec).value_or(LocalNetwork{}));
}

std::optional<LocalNetwork> &forcedNetwork()
{
    static std::optional<LocalNetwork> forced = networkFromEnvironment();
    return forced;
}

std::optional<quint32> parseQuad(const QString &text)
{
    // Four decimal numbers of at most three digits, nothing around them: "10.0.0.1x",
    // "10..0.0.1" or "+10.0.0.1" are not addresses.
    const QStringList pieces = text.split(QLatin1Char('.'));
    if (pieces.size() != 4)
        return std::nullopt;
    quint32 value = 0;
    for (const QString &piece : pieces) {
        if (piece.isEmpty() || piece.size() > 3)
            return std::nullopt;
        for (const QChar c : piece) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
        }
        const uint number = piece.toUInt();
        if (number > 255)
            return std::nullopt;
        value = (value << 8) | number;
    }
    return value;
}

QString quadText(quint32 value)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(value >> 24)
        .arg((value >> 16) & 0xff)
        .arg((value >> 8) & 0xff)
        .arg(value & 0xff);
}

bool isPrivate(const QString &address)
{
    if (address.startsWith(QLatin1String("10.")) || address.startsWith(QLatin1String("192.168.")))
        return true;
    const QStringList parts = address.split(QLatin1Char('.'));
    if (parts.size() != 4 || parts[0] != QLatin1String("172"))
        return false;
    bool ok = false;
    const int second = parts[1].toInt(&ok, 10);
    return ok && second >= 16 && second <= 31;
}

QCoro::Task<ProbeResult> probeHost(QString ip, CancellationToken token)
{
    ProbeResult result;
    HttpRequest request;
    request.url = QUrl(QStringLiteral("http://") + ip + QStringLiteral(":1400/xml/device_description.xml"));
    request.timeout = delays().probeTimeout;
    request.maxBody = bodyLimit::speaker;
    request.cacheLoad = QNetworkRequest::AlwaysNetwork;
    request.token = token;
    const HttpResult reply = co_await httpSend(speakerNetwork(), request);
    if (reply.status == 403) {
        result.localControlOff = true;
        co_return result;
    }
    if (reply.status != 200)
        co_return result;
    const auto text = strictUtf8(reply.body);
    if (!text)
        co_return result;
    const auto room = firstCapture(QStringLiteral("<roomName>([^<]+)</roomName>"), *text);
    if (!room)
        co_return result;
    const QString model = firstCapture(QStringLiteral("<modelName>([^<]+)</modelName>"), *text).value_or(QStringLiteral("Sonos"));
    const QString uuid = firstCapture(QStringLiteral("<UDN>uuid:([^<]+)</UDN>"), *text).value_or(ip);
    result.speaker = Speaker{uuid, ip, xmlUnescape(*room), xmlUnescape(model)};
    co_return result;
}

// Probes that share what they learned; kept alive by every probe still running.
struct Sweep
{
    explicit Sweep(const CancellationToken &parent) : cancel(parent) {}
    CancellationSource cancel;
    QStringList addresses;
    qsizetype next = 0;
    int inFlight = 0;
    DiscoveryOutcome outcome;
    detail::Wakeup done;
};

QCoro::Task<> sweepOne(std::shared_ptr<Sweep> sweep, QString ip);

void startNext(const std::shared_ptr<Sweep> &sweep)
{
    if (sweep->cancel.isCancelled() || sweep->next >= sweep->addresses.size())
        return;
    ++sweep->inFlight;
    // Each probe runs on its own; the shared state outlives whoever returns first.
    sweepOne(sweep, sweep->addresses.at(sweep->next++));
}

QCoro::Task<> sweepOne(std::shared_ptr<Sweep> sweep, QString ip)
{
    const ProbeResult result = co_await probeHost(ip, sweep->cancel.token());
    --sweep->inFlight;
    if (result.localControlOff)
        sweep->outcome.localControlOffHosts.append(ip);
    if (result.speaker && !sweep->outcome.speaker) {
        sweep->outcome.speaker = result.speaker;
        sweep->cancel.cancel();
    }
    startNext(sweep);
    if (sweep->inFlight == 0)
        sweep->done.fire();
}

QCoro::Task<std::optional<Speaker>> probeNoting(QString ip, std::shared_ptr<QStringList> locked, CancellationToken token)
{
    const ProbeResult result = co_await probeHost(ip, token);
    if (result.localControlOff)
        locked->append(ip);
    co_return result.speaker;
}

} // namespace

void setInterfaceSource(std::function<std::optional<QList<NetworkInterface>>()> source)
{
    interfaceSource() = source ? std::move(source) : systemInterfaces;
}

std::optional<LocalNetwork> parseNetwork(const QString &spec)
{
    const QStringList parts = spec.trimmed().split(QLatin1Char('/'));
    if (parts.size() != 2 || !parseQuad(parts[0]))
        return std::nullopt;
    if (parseQuad(parts[1]))
        return LocalNetwork{parts[0], parts[1]};
    bool ok = false;
    const int prefix = parts[1].toInt(&ok, 10);
    if (!ok || prefix < 0 || prefix > 32)
        return std::nullopt;
    const quint32 mask = prefix == 0 ? 0 : ~quint32(0) << (32 - prefix);
    return LocalNetwork{parts[0], quadText(mask)};
}

void forceNetworkFromEnvironment()
{
    forcedNetwork() = networkFromEnvironment();
}

bool setForcedNetwork(const QString &spec)
{
    if (spec.isEmpty()) {
        forcedNetwork().reset();
        return true;
    }
    const auto network = parseNetwork(spec);
    if (!network)
        return false;
    forcedNetwork() = network;
    return true;
}

QHash<QString, int> defaultRouteMetrics(const QString &routeTable)
{
    // Columns: Iface Destination Gateway Flags RefCnt Use Metric Mask ...; hexadecimal addresses.
    QHash<QString, int> metrics;
    const QStringList lines = routeTable.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        if (fields.size() < 8 || fields[1] != QLatin1String("00000000") || fields[7] != QLatin1String("00000000"))
            continue;
        bool ok = false;
        const uint flags = fields[3].toUInt(&ok, 16);
        if (!ok || !(flags & 0x1)) // RTF_UP
            continue;
        const int metric = fields[6].toInt(&ok, 10);
        if (!ok || metric < 0)
            continue;
        const auto it = metrics.constFind(fields[0]);
        if (it == metrics.constEnd() || metric < *it)
            metrics.insert(fields[0], metric);
    }
    return metrics;
}

std::optional<LocalNetwork> chooseNetwork(const QList<NetworkInterface> &interfaces)
{
    QList<NetworkInterface> candidates;
    for (const NetworkInterface &item : interfaces) {
        if (!item.up || !item.running || item.loopback || item.address.isEmpty() || item.netmask.isEmpty())
            continue;
        if (isVirtualOrTunnel(item))
            continue;
        if (!parseQuad(item.address) || !parseQuad(item.netmask))
            continue;
        if (item.address.startsWith(QLatin1String("169.254.")))
            continue;
        candidates.append(item);
    }
    // The interface of the default route leads to the home network; the other rules only break ties.
    std::stable_sort(candidates.begin(), candidates.end(), [](const NetworkInterface &a, const NetworkInterface &b) {
        const int ra = a.defaultRouteMetric.value_or(std::numeric_limits<int>::max());
        const int rb = b.defaultRouteMetric.value_or(std::numeric_limits<int>::max());
        if (ra != rb)
            return ra < rb;
        const bool pa = isPrivate(a.address), pb = isPrivate(b.address);
        if (pa != pb)
            return pa;
        const bool ea = a.name.startsWith(QLatin1String("en")), eb = b.name.startsWith(QLatin1String("en"));
        if (ea != eb)
            return ea;
        return a.name < b.name;
    });
    if (candidates.isEmpty())
        return std::nullopt;
    return LocalNetwork{candidates.first().address, candidates.first().netmask};
}

std::optional<LocalNetwork> currentNetwork()
{
    // A forced network that does not parse sweeps nothing rather than the real interfaces.
    if (const auto &forced = forcedNetwork()) {
        if (forced->address.isEmpty())
            return std::nullopt;
        return forced;
    }
    const auto interfaces = interfaceSource()();
    if (!interfaces)
        return std::nullopt;
    return chooseNetwork(*interfaces);
}

QStringList hostAddresses(const QString &address, const QString &netmask)
{
    const auto a = parseQuad(address);
    auto m = parseQuad(netmask);
    if (!a || !m)
        return {};
    if (*m < 0xFFFFFC00u)
        m = 0xFFFFFF00u;
    if (*m > 0xFFFFFFFDu)
        return {};
    const quint32 network = *a & *m;
    const quint32 count = ~*m - 1;
    QStringList hosts;
    hosts.reserve(count);
    for (quint32 i = 1; i <= count; ++i)
        hosts.append(quadText(network + i));
    return hosts;
}

QStringList rememberable(const QStringList &addresses, const std::optional<LocalNetwork> &network)
{
    static const QList<std::pair<QHostAddress, int>> ranges = [] {
        QList<std::pair<QHostAddress, int>> list;
        for (const char *range : {"127.0.0.0/8", "10.0.0.0/8", "172.16.0.0/12", "192.168.0.0/16", "169.254.0.0/16"})
            list.append(QHostAddress::parseSubnet(QString::fromLatin1(range)));
        return list;
    }();
    std::optional<std::pair<QHostAddress, int>> swept;
    if (network) {
        const auto address = parseQuad(network->address);
        const auto mask = parseQuad(network->netmask);
        if (address && mask)
            swept = std::pair(QHostAddress(*address & *mask), std::popcount(*mask));
    }
    QStringList kept;
    for (const QString &text : addresses) {
        const auto quad = parseQuad(text.trimmed());
        if (!quad)
            continue;
        const QHostAddress address(*quad);
        const bool local = std::any_of(ranges.cbegin(), ranges.cend(), [&address](const auto &range) { return address.isInSubnet(range); });
        if (!local && !(swept && address.isInSubnet(*swept)))
            continue;
        const QString normal = quadText(*quad);
        if (kept.contains(normal))
            continue;
        kept.append(normal);
        if (kept.size() == maxRemembered)
            break;
    }
    return kept;
}

QCoro::Task<std::optional<Speaker>> probe(QString ip, CancellationToken token)
{
    const ProbeResult result = co_await probeHost(ip, token);
    co_return result.speaker;
}

QCoro::Task<DiscoveryOutcome> sweep(CancellationToken token)
{
    DiscoveryOutcome empty;
    const auto network = currentNetwork();
    if (!network)
        co_return empty;
    auto state = std::make_shared<Sweep>(token);
    state->addresses = hostAddresses(network->address, network->netmask);
    if (state->addresses.isEmpty())
        co_return empty;
    for (int i = 0; i < maxProbesInFlight; ++i)
        startNext(state);
    if (state->inFlight > 0 && !state->done.hasFired())
        co_await qCoro(&state->done, &detail::Wakeup::fired);
    DiscoveryOutcome outcome = state->outcome; // co_return would move from the shared state
    co_return outcome;
}

QCoro::Task<QList<Speaker>> scanSubnet(CancellationToken token)
{
    const DiscoveryOutcome outcome = co_await sweep(token);
    QList<Speaker> found;
    if (outcome.speaker)
        found.append(*outcome.speaker);
    co_return found;
}

QCoro::Task<DiscoveryOutcome> discover(QStringList knownIPs, CancellationToken token)
{
    DiscoveryOutcome outcome;
    knownIPs = rememberable(knownIPs, currentNetwork());
    if (!knownIPs.isEmpty()) {
        auto locked = std::make_shared<QStringList>();
        std::vector<Racer<Speaker>> racers;
        for (const QString &ip : knownIPs)
            racers.push_back([ip, locked](CancellationToken t) { return probeNoting(ip, locked, t); });
        outcome.speaker = co_await firstResult<Speaker>(std::move(racers), token);
        outcome.localControlOffHosts = *locked;
        if (outcome.speaker)
            co_return outcome;
    }
    DiscoveryOutcome swept = co_await sweep(token);
    for (const QString &ip : std::as_const(outcome.localControlOffHosts)) {
        if (!swept.localControlOffHosts.contains(ip))
            swept.localControlOffHosts.prepend(ip);
    }
    co_return swept;
}

QCoro::Task<std::optional<Speaker>> findSpeaker(QStringList knownIPs, CancellationToken token)
{
    const DiscoveryOutcome outcome = co_await discover(knownIPs, token);
    co_return outcome.speaker;
}

} // namespace corvane::SonosDiscovery
