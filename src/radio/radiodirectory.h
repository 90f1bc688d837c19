#pragma once

#include "base/records.h"

#include <QByteArray>
#include <QCoroTask>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QUrl>

#include <optional>

namespace corvane {

// Live radio stations of a country from the public station directory, cleaned, with a genre and
// a logo each; ten built-in French stations whenever the directory gives nothing usable.
namespace RadioDirectory {

struct Candidate
{
    RadioStation station;
    bool probeLogo = false; // the logo came from the station's own favicon
};

QCoro::Task<QList<RadioStation>> stations(QString countryCode, int limit, QUrl origin);
QList<RadioStation> builtIn();

// The steps, on their own.
std::optional<QList<Candidate>> clean(const QByteArray &reply);
QString genreFromTags(const QString &tags);
std::optional<QString> knownLogo(const QString &name);
// Width and height read from the first bytes of a PNG or JPEG; nothing past `bytes` is read.
std::optional<QSize> imageSize(const QByteArray &bytes);
QCoro::Task<bool> logoIsUsable(QString url);

// Tiles: whether a logo needs the light background (cached per logo key), and the hue of the
// fallback face (the same on every run).
bool lightInk(const QImage &image);
bool lightInk(const QString &key, const QImage &image);
double fallbackHue(const QString &name);

} // namespace RadioDirectory

} // namespace corvane
