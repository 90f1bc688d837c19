#include "discrotation.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>

namespace corvane::ui {

DiscRotation::DiscRotation(QObject *parent) : QObject(parent) {}

qint64 DiscRotation::now()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

void DiscRotation::setDegreesPerSecond(double degrees)
{
    if (degrees == m_degreesPerSecond)
        return;
    // The turns done so far keep the old speed.
    const qint64 at = now();
    if (m_startedAt) {
        m_spunDegrees = angleAt(at);
        m_startedAt = at;
    }
    m_degreesPerSecond = degrees;
    Q_EMIT degreesPerSecondChanged();
}

void DiscRotation::setPlayingAt(bool playing, qint64 ms)
{
    if (playing == isPlaying())
        return;
    if (playing) {
        m_startedAt = ms;
    } else {
        m_spunDegrees = angleAt(ms);
        m_startedAt.reset();
    }
    Q_EMIT isPlayingChanged();
    Q_EMIT angleChanged();
}

double DiscRotation::angleAt(qint64 ms) const
{
    double degrees = m_spunDegrees;
    if (m_startedAt)
        degrees += double(std::max<qint64>(0, ms - *m_startedAt)) / 1000.0 * m_degreesPerSecond;
    return std::fmod(degrees, 360.0);
}

double DiscRotation::tonearmAngleFor(double progress, bool engaged)
{
    if (!engaged)
        return restAngle;
    const double p = std::isfinite(progress) ? std::clamp(progress, 0.0, 1.0) : 0.0;
    return outerGroove + (innerGroove - outerGroove) * p;
}

} // namespace corvane::ui
