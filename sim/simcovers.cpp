// Covers for the simulated catalogue: each album, playlist, station and artist its own, drawn
// from its id (colours, a shape, its initials), the same on every run, at the size asked.

#include "simwebservices.h"

#include "simtrack.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace corvane::sim {

namespace {

quint32 fnv1a(const QString &text)
{
    quint32 hash = 2166136261u;
    for (const char c : text.toUtf8()) {
        hash ^= quint8(c);
        hash *= 16777619u;
    }
    return hash;
}

// A song's cover is its album's, as in the real catalogue; the title names what the cover is of.
std::pair<QString, QString> subjectOf(const QString &id)
{
    for (const SimContainer &container : catalogueContainers()) {
        if (container.id == id)
            return {container.id, container.title};
        for (const SimTrack &song : container.songs) {
            if (container.kind == QLatin1String("album") && songIDOf(song.uri) == id)
                return {container.id, container.title};
        }
    }
    return {id, QString()};
}

QString initialsOf(const QString &title)
{
    QString initials;
    for (const QString &word : title.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (word.size() > 2 && word.at(0).isLetter())
            initials += word.at(0).toUpper();
        if (initials.size() == 2)
            break;
    }
    return initials;
}

} // namespace

QByteArray SimWebServices::coverImage(const QString &id, int size, const char *format)
{
    const auto [key, title] = subjectOf(id);
    const quint32 hash = fnv1a(key);
    const int hue = int(hash % 360);
    const int second = (hue + 30 + int((hash >> 9) % 150)) % 360;
    QImage image(size, size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ground(0, 0, size, size);
    ground.setColorAt(0, QColor::fromHsv(hue, 120 + int((hash >> 3) % 60), 215));
    ground.setColorAt(1, QColor::fromHsv(second, 170, 95 + int((hash >> 5) % 40)));
    painter.fillRect(image.rect(), ground);

    // One of a few shapes, placed by the id.
    const qreal s = size;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromHsv((hue + 180) % 360, 90, 245, 150));
    switch ((hash >> 16) % 4) {
    case 0: // a sun low on the horizon
        painter.drawEllipse(QPointF(s * (0.3 + ((hash >> 20) % 40) / 100.0), s * 0.62), s * 0.24, s * 0.24);
        break;
    case 1: { // bands, like a sea
        for (int i = 0; i < 4; ++i)
            painter.drawRect(QRectF(0, s * (0.45 + i * 0.13), s, s * 0.05));
        break;
    }
    case 2: { // a ring
        QPainterPath ring;
        ring.addEllipse(QPointF(s / 2, s / 2), s * 0.34, s * 0.34);
        ring.addEllipse(QPointF(s / 2, s / 2), s * 0.22, s * 0.22);
        painter.drawPath(ring);
        break;
    }
    default: // a mountain
        painter.drawPolygon(QPolygonF{QPointF(0, s), QPointF(s * 0.45, s * 0.35), QPointF(s * 0.75, s * 0.7), QPointF(s, s * 0.55),
                                      QPointF(s, s)});
        break;
    }

    // The initials of the title, where a text can be drawn (a window's process).
    const QString initials = initialsOf(title);
    if (!initials.isEmpty() && qobject_cast<QGuiApplication *>(QCoreApplication::instance()) && size >= 48) {
        QFont font;
        font.setPixelSize(std::max(8, size / 4));
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(255, 255, 255, 215));
        painter.drawText(QRectF(s * 0.08, s * 0.06, s * 0.84, s * 0.4), Qt::AlignLeft | Qt::AlignTop, initials);
    }
    painter.end();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 88);
    return buffer.data();
}

} // namespace corvane::sim
