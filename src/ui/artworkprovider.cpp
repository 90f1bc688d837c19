#include "artworkprovider.h"

#include "applemusic/artworkcache.h"
#include "radio/radiodirectory.h"

#include <QCoreApplication>
#include <QCoroFuture>
#include <QCoroTask>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QtConcurrent>

namespace corvane::ui {

namespace {

// How the picture is cut: square, rounded corners (a share of the side, 50 makes a disc), or a
// station logo set on the background its ink needs.
struct Shape
{
    enum Kind { Rounded, Logo } kind = Rounded;
    int cornerPercent = 0;
};

QImage rounded(const QImage &source, int cornerPercent)
{
    if (cornerPercent <= 0 || source.isNull())
        return source;
    QImage out(source.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    const qreal radius = std::min(source.width(), source.height()) * std::min(cornerPercent, 50) / 100.0;
    path.addRoundedRect(QRectF(out.rect()), radius, radius);
    painter.setClipPath(path);
    painter.drawImage(0, 0, source);
    return out;
}

// The logo inset by 12 % on a rounded plate: a dark one for light ink, near-white otherwise.
QImage logoPlate(const QImage &logo, bool lightInk, QSize size)
{
    const int side = size.isValid() && !size.isEmpty() ? std::max(size.width(), size.height()) : 256;
    QImage out(side, side, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setPen(Qt::NoPen);
    painter.setBrush(lightInk ? QColor(0x3a, 0x38, 0x42) : QColor(255, 255, 255, 235));
    painter.drawRoundedRect(QRectF(out.rect()), side * 0.16, side * 0.16);
    const qreal inset = side * 0.12;
    const QRectF box(inset, inset, side - 2 * inset, side - 2 * inset);
    const QSizeF fitted = QSizeF(logo.size()).scaled(box.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRectF(box.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted), logo);
    return out;
}

class ArtworkResponse : public QQuickImageResponse
{
public:
    ArtworkResponse(QUrl url, QSize size, Shape shape) : m_url(std::move(url)), m_size(size), m_shape(shape) {}

    QQuickTextureFactory *textureFactory() const override
    {
        return QQuickTextureFactory::textureFactoryForImage(m_image);
    }
    QString errorString() const override { return {}; }

    // Runs on the main thread, where the cache lives; the scaling runs on the pool.
    QCoro::Task<> load(QPointer<ArtworkResponse> self)
    {
        const QUrl url = m_url;
        const QSize size = m_size;
        const Shape shape = m_shape;
        std::optional<QImage> image = ArtworkCache::memoryImage(url);
        if (!image)
            image = co_await ArtworkCache::image(url);
        if (!self)
            co_return;
        if (!image || image->isNull()) {
            // Not an error to report: the view keeps its placeholder (a 1×1 image says so).
            m_image = QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
            m_image.fill(Qt::transparent);
            Q_EMIT finished();
            co_return;
        }
        const bool lightInk = shape.kind == Shape::Logo && RadioDirectory::lightInk(url.toString(), *image);
        // The future is stored before it is awaited: GCC 12 destroys a lambda written inside a
        // co_await expression twice.
        QFuture<QImage> scaling = QtConcurrent::run([source = *image, size, shape, lightInk] {
            if (shape.kind == Shape::Logo)
                return logoPlate(source, lightInk, size);
            QImage fitted = source;
            if (size.isValid() && !size.isEmpty() && (source.width() > size.width() || source.height() > size.height()))
                fitted = source.scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
            return rounded(fitted, shape.cornerPercent);
        });
        QImage scaled = co_await scaling;
        if (!self)
            co_return;
        m_image = std::move(scaled);
        Q_EMIT finished();
    }

private:
    QUrl m_url;
    QSize m_size;
    Shape m_shape;
    QImage m_image;
};

} // namespace

QQuickImageResponse *ArtworkProvider::requestImageResponse(const QString &id, const QSize &requestedSize)
{
    // "<shape>/<percent-encoded URL>": "square", "r<percent>" or "logo".
    const qsizetype slash = id.indexOf(QLatin1Char('/'));
    const QString kind = slash < 0 ? QString() : id.left(slash);
    Shape shape;
    if (kind == QLatin1String("logo"))
        shape.kind = Shape::Logo;
    else if (kind.startsWith(QLatin1Char('r')))
        shape.cornerPercent = kind.mid(1).toInt();
    const QUrl url = ArtworkCache::resolveArtworkURL(QUrl(QUrl::fromPercentEncoding(id.mid(slash + 1).toUtf8())));
    auto *response = new ArtworkResponse(url, requestedSize, shape);
    // Asked from the image loader's thread: the cache is awaited on the main thread.
    QPointer<ArtworkResponse> guard(response);
    QMetaObject::invokeMethod(QCoreApplication::instance(), [response, guard] {
        if (guard)
            response->load(guard);
    },
                              Qt::QueuedConnection);
    return response;
}

} // namespace corvane::ui
