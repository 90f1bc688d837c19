#include "imagedecode.h"

#include <QBuffer>
#include <QImageReader>

namespace corvane {

std::optional<QImage> decodeImage(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return std::nullopt;
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format != "jpeg" && format != "png" && format != "webp")
        return std::nullopt;
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || size.width() > maxImageSide || size.height() > maxImageSide)
        return std::nullopt;
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return std::nullopt;
    return image;
}

} // namespace corvane
