#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace corvane {

class Preferences;

// The small cards that, on some launches, tell of a feature the person may not know: each at
// most once in the installation's life, never two closer than four launches apart, the first on
// the third launch.
namespace FeatureTips {

// The stored names of this desktop's tips, in the order they are offered (the notification
// area, the shortcuts, the sleep timer).
const QStringList &candidates();

// Counts this launch and picks the tip to show, if any; remembers it as seen.
std::optional<QString> choose(Preferences &preferences, bool eligible, const QStringList &excluded = {});

constexpr int firstLaunch = 3;
constexpr int launchesApart = 4;

} // namespace FeatureTips

} // namespace corvane
