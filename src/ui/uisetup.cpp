#include "uisetup.h"

#include "applemusic/artworkcache.h"
#include "artworkprovider.h"
#include "iconprovider.h"
#include "qmltypes.h"

#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QPixmapCache>
#include <QQmlEngine>
#include <QQuickStyle>

namespace corvane::ui {

void prepareEngine(QQmlEngine *engine, CorvaneModel *model)
{
    setAppInstance(model);
    // Once per process: the style is fixed when the first engine loads Qt Quick Controls.
    static const bool styled = [] {
        QQuickStyle::setStyle(QStringLiteral("Material"));
        return true;
    }();
    Q_UNUSED(styled);
    engine->addImageProvider(QStringLiteral("icon"), new IconProvider);
    engine->addImageProvider(QStringLiteral("artwork"), new ArtworkProvider);
}

void configureHttpCache()
{
    // Artwork and web replies share the internet client's disk cache; decoded images are held
    // by the artwork cache and by Qt's pixmap cache, bounded here.
    if (auto *cache = qobject_cast<QNetworkDiskCache *>(ArtworkCache::internetClient()->cache()))
        cache->setMaximumCacheSize(268435456);
    QPixmapCache::setCacheLimit(65536); // KiB
}

QUrl mainWindowUrl() { return QUrl(QStringLiteral("qrc:/qt/qml/Corvane/Main.qml")); }

} // namespace corvane::ui
