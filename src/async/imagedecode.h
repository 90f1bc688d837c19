#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>

namespace corvane {

// The largest side of an image worth decoding: covers are asked at 600 pixels at most, and the
// services' largest are 3000.
inline constexpr int maxImageSide = 4096;

// An image received from outside (a cover, a logo, a file of the cache), decoded only when it is
// a JPEG, PNG or WebP whose announced size is sensible: no other image plugin reads bytes from
// the network, and a header that claims a gigapixel is refused before any pixel is allocated.
std::optional<QImage> decodeImage(const QByteArray &bytes);

} // namespace corvane
