#pragma once

#include "applemusic/catalog.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace corvane {

// The last personal-recommendation shelves, kept in the caches folder so the home screen can
// show something at once on the next start. A convenience: any failure means no snapshot.
struct CachedHome
{
    QList<Recommendation> recommendations;
    double savedAt = 0; // seconds since 2001-01-01 UTC

    static QString location();
    // Encodes and writes in the background; the caller does not wait.
    static void save(const QList<Recommendation> &recommendations);
    // Returns once every save started so far is written.
    static void waitForSaves();
    static std::optional<CachedHome> read();

    QByteArray encode() const;
    static std::optional<CachedHome> decode(const QByteArray &json);
};

} // namespace corvane
