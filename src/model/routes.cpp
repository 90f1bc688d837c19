#include "routes.h"

#include <QCoreApplication>

namespace corvane {

QString SearchScope::text(Value scope)
{
    switch (scope) {
    case All:
        return QCoreApplication::translate("Routes", "Tout");
    case Tracks:
        return QCoreApplication::translate("Routes", "Morceaux");
    case Albums:
        return QCoreApplication::translate("Routes", "Albums");
    case Artists:
        return QCoreApplication::translate("Routes", "Artistes");
    case Playlists:
        return QCoreApplication::translate("Routes", "Playlists");

    }
    return {};
}

} // namespace corvane
