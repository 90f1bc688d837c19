#pragma once

#include <QString>
#include <QUrl>

namespace corvane {

// Where the web services live. Each origin is a setting ("origins/<name>" in the preferences
// file) that an environment variable overrides, so tests and the demo point them at the
// simulator.
namespace Configuration {

// The version manifest's host: CORVANE_UPDATE_ORIGIN, else the setting, else the maker's site.
QUrl updateOrigin();
// The radio-station directory: CORVANE_RADIO_ORIGIN, else the setting, else the public directory.
QUrl radioOrigin();
// The public chart feed: CORVANE_CHARTS_ORIGIN, else the setting, else the feed's own host.
QUrl chartsOrigin();
// Where the known station logos are: CORVANE_LOGO_ORIGIN, else the setting, else the maker's site.
QUrl logoOrigin();
// The Apple Music web service: CORVANE_APPLE_MUSIC_ORIGIN, else "origins/appleMusic", else Apple's.
QUrl appleMusicOrigin();
// Apple's public search and lookup: CORVANE_ITUNES_SEARCH_ORIGIN, else "origins/itunesSearch",
// else Apple's.
QUrl itunesSearchOrigin();
// The storefront searched without an account's own: CORVANE_CATALOG_COUNTRY, else the chosen one
// ("catalogCountry"), else the desktop's region, else "fr".
QString catalogCountry();
// MusicKit JS for the sign-in page: CORVANE_MUSICKIT_JS_URL, else "origins/musicKitJS", else Apple's.
QUrl musicKitScript();
// An environment variable, else the setting `key`, else `fallback`.
QString setting(const char *environment, const QString &key, const QString &fallback = {});
// The contact address put in the "User-Agent" of web requests.
QString contactAddress();
QByteArray userAgent();

} // namespace Configuration

} // namespace corvane
