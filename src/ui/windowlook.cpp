#include "windowlook.h"

#include "applemusic/artworkcache.h"

#include <QCoroFuture>
#include <QCoroTask>
#include <QImage>
#include <QtConcurrent>

namespace corvane::ui {

void WindowExposure::setWindow(QWindow *window)
{
    if (window == m_window)
        return;
    if (m_window)
        m_window->removeEventFilter(this);
    m_window = window;
    if (m_window) {
        m_window->installEventFilter(this);
        connect(m_window, &QWindow::visibilityChanged, this, &WindowExposure::update, Qt::UniqueConnection);
    }
    Q_EMIT windowChanged();
    update();
}

bool WindowExposure::canBeSeen(const QWindow *window)
{
    return window && window->isVisible() && window->visibility() != QWindow::Minimized
        && window->visibility() != QWindow::Hidden && window->isExposed();
}

bool WindowExposure::eventFilter(QObject *watched, QEvent *event)
{
    // isExposed() already holds the new state when the event arrives.
    if (watched == m_window && (event->type() == QEvent::Expose || event->type() == QEvent::Show || event->type() == QEvent::Hide))
        QMetaObject::invokeMethod(this, &WindowExposure::update, Qt::QueuedConnection);
    return false;
}

void WindowExposure::update()
{
    const bool exposed = canBeSeen(m_window);
    if (exposed == m_exposed)
        return;
    m_exposed = exposed;
    Q_EMIT exposedChanged();
}

QColor ArtworkTint::averageOf(const QImage &image)
{
    if (image.isNull())
        return {};
    // Smooth scaling to one pixel averages every pixel; transparent ones weigh nothing.
    const QImage pixel = image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                             .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QColor color = pixel.pixelColor(0, 0);
    if (color.alpha() < 16)
        return {};
    return QColor(color.red(), color.green(), color.blue());
}

QString ArtworkTint::wash() const
{
    if (!m_color.isValid())
        return QStringLiteral("#00000000");
    QColor washed = m_color;
    washed.setAlphaF(0.14f);
    return washed.name(QColor::HexArgb);
}

void ArtworkTint::setUrl(const QUrl &url)
{
    if (url == m_url)
        return;
    m_url = url;
    Q_EMIT urlChanged();
    const quint64 generation = ++m_generation;
    if (url.isEmpty()) {
        setColor({});
        return;
    }
    // A detached task: the generation drops a colour that arrives after the next change.
    [](QPointer<ArtworkTint> self, QUrl resolved, quint64 generation) -> QCoro::Task<> {
        std::optional<QImage> image = ArtworkCache::memoryImage(resolved);
        if (!image)
            image = co_await ArtworkCache::image(resolved);
        if (!self || self->m_generation != generation)
            co_return;
        QColor color;
        if (image && !image->isNull()) {
            QFuture<QColor> average = QtConcurrent::run([source = *image] { return averageOf(source); });
            color = co_await average;
        }
        if (self && self->m_generation == generation)
            self->setColor(color);
    }(this, ArtworkCache::resolveArtworkURL(url), generation);
}

void ArtworkTint::setColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    Q_EMIT colorChanged();
}

} // namespace corvane::ui
