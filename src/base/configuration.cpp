#include "configuration.h"

#include "base/preferences.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSettings>

namespace corvane::Configuration {

QString setting(const char *environment, const QString &key, const QString &fallback)
{
    const QString forced = qEnvironmentVariable(environment);
    if (!forced.isEmpty())
        return forced;
    const QString stored = Preferences().text(key);
    return stored.isEmpty() ? fallback : stored;
}

QUrl appleMusicOrigin()
{
    return QUrl(setting("CORVANE_APPLE_MUSIC_ORIGIN", QStringLiteral("origins/appleMusic"), QStringLiteral("https://api.music.apple.com")));
}

QUrl itunesSearchOrigin()
{
    return QUrl(setting("CORVANE_ITUNES_SEARCH_ORIGIN", QStringLiteral("origins/itunesSearch"), QStringLiteral("https://itunes.apple.com")));
}

QString catalogCountry()
{
    const QString chosen = setting("CORVANE_CATALOG_COUNTRY", QStringLiteral("catalogCountry"));
    if (chosen.size() == 2)
        return chosen.toLower();
    // The desktop's region: "fr_FR" → "fr"; French storefront when the locale names none.
    const QString region = QLocale::territoryToCode(QLocale::system().territory());
    return region.size() == 2 ? region.toLower() : QStringLiteral("fr");
}

QUrl musicKitScript()
{
    return QUrl(setting("CORVANE_MUSICKIT_JS_URL", QStringLiteral("origins/musicKitJS"),
                        QStringLiteral("https://js-cdn.music.apple.com/musickit/v3/musickit.js")));
}

QUrl updateOrigin()
{
    return QUrl(setting("CORVANE_UPDATE_ORIGIN", QStringLiteral("origins/update"), QStringLiteral("https://corvane.app")));
}

QUrl radioOrigin()
{
    return QUrl(setting("CORVANE_RADIO_ORIGIN", QStringLiteral("origins/radio"), QStringLiteral("https://all.api.radio-browser.info")));
}

QUrl chartsOrigin()
{
    return QUrl(setting("CORVANE_CHARTS_ORIGIN", QStringLiteral("origins/charts"), QStringLiteral("https://rss.marketingtools.apple.com")));
}

QUrl logoOrigin()
{
    return QUrl(setting("CORVANE_LOGO_ORIGIN", QStringLiteral("origins/logos"), QStringLiteral("https://corvane.app/logos/")));
}

QString contactAddress()
{
    return setting("CORVANE_CONTACT", QStringLiteral("contact"), QStringLiteral("contact@corvane.app"));
}

QByteArray userAgent()
{
    return QStringLiteral("Corvane/%1 (%2)").arg(QCoreApplication::applicationVersion(), contactAddress()).toUtf8();
}

} // namespace corvane::Configuration
