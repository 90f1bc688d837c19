#pragma once

#include "async/cancellation.h"

#include <QCoroTask>
#include <QImage>
#include <QList>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

class QNetworkAccessManager;

namespace corvane {

// Every cover, artist picture and station logo goes through here: decoded images in memory
// (300 at most), downloaded bytes on disk in "Pochettes", one download for simultaneous requests
// of the same URL, and two clients: the internet's and the speakers' (one request at a time per
// speaker).
namespace ArtworkCache {

// The platform's private artwork URLs ("musickit:...?aat=<https url>") become their plain
// HTTPS URL at 600×600; everything else is returned unchanged.
QUrl resolveArtworkURL(const QUrl &url);
bool isSpeakerURL(const QUrl &url);

// The decoded image already in memory, for views that draw at once.
std::optional<QImage> memoryImage(const QUrl &resolved);
// One image, from memory, disk or the network; simultaneous callers share one download.
QCoro::Task<std::optional<QImage>> image(QUrl resolved, CancellationToken token = {});
// The load itself: disk first, then up to three downloads with 0.25 s and 0.5 s of back-off.
QCoro::Task<std::optional<QImage>> loadImage(QUrl resolved, CancellationToken token = {});
// Starts loading what is not in memory yet: 60 speaker covers one by one, 40 internet images
// six at a time.
void prefetch(const QList<std::optional<QUrl>> &urls);
// Deletes the least recently read files until the folder holds `limit` bytes or fewer.
void trimDiskCache(qint64 limit);

QString diskFolder();
QString diskFile(const QUrl &resolved);
QNetworkAccessManager *internetClient();
QNetworkAccessManager *speakerClient();

// Forgets the images held in memory (tests).
void clearMemory();

} // namespace ArtworkCache

} // namespace corvane
