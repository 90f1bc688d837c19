#include "featuretips.h"

#include "base/preferences.h"

namespace corvane::FeatureTips {

const QStringList &candidates()
{
    static const QStringList names{QStringLiteral("menuBar"), QStringLiteral("siri"), QStringLiteral("sleep")};
    return names;
}

std::optional<QString> choose(Preferences &preferences, bool eligible, const QStringList &excluded)
{
    const int launch = preferences.launchCount() + 1;
    preferences.setLaunchCount(launch);
    if (!eligible || launch < firstLaunch)
        return std::nullopt;
    const int last = preferences.lastTipLaunch();
    if (last != 0 && launch - last < launchesApart)
        return std::nullopt;
    QStringList seen = preferences.seenTips();
    for (const QString &tip : candidates()) {
        if (seen.contains(tip) || excluded.contains(tip))
            continue;
        seen << tip;
        preferences.setSeenTips(seen);
        preferences.setLastTipLaunch(launch);
        return tip;
    }
    return std::nullopt;
}

} // namespace corvane::FeatureTips
