#include "routes.h"

namespace corvane {

QString SearchScope::text(Value scope)
{
    switch (scope) {
    case All:
        return QStringLiteral("Tout");
    case Tracks:
        return QStringLiteral("Morceaux");
    case Albums:
        return QStringLiteral("Albums");
    case Artists:
        return QStringLiteral("Artistes");
    case Playlists:
        return QStringLiteral("Playlists");
    }
    return {};
}

} // namespace corvane
