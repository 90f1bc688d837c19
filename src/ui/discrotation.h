#pragma once

#include <QDateTime>
#include <QObject>
#include <QQmlEngine>

#include <optional>

namespace corvane::ui {

// The turning record of the large view: the angle it shows, which stops where it is when the
// music stops and goes on from there when it plays again; and where the tonearm lies.
class DiscRotation : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool isPlaying READ isPlaying WRITE setPlaying NOTIFY isPlayingChanged)
    Q_PROPERTY(double degreesPerSecond READ degreesPerSecond WRITE setDegreesPerSecond NOTIFY degreesPerSecondChanged)
    // Read again after tick().
    Q_PROPERTY(double angle READ angle NOTIFY angleChanged)

public:
    explicit DiscRotation(QObject *parent = nullptr);

    bool isPlaying() const { return m_startedAt.has_value(); }
    void setPlaying(bool playing) { setPlayingAt(playing, now()); }
    double degreesPerSecond() const { return m_degreesPerSecond; }
    void setDegreesPerSecond(double degrees);
    double angle() const { return angleAt(now()); }

    // The same, at a given time (milliseconds on any steady count); the tests drive these.
    void setPlayingAt(bool playing, qint64 ms);
    double angleAt(qint64 ms) const;

    // The tonearm's turn about its pivot, in degrees: at rest beside the record when not
    // engaged; on it, from the outer groove (progress 0) to the inner one (progress 1).
    static double tonearmAngleFor(double progress, bool engaged);
    Q_INVOKABLE double tonearmAngle(double progress, bool engaged) const { return tonearmAngleFor(progress, engaged); }
    static constexpr double restAngle = -8;
    static constexpr double outerGroove = 16;
    static constexpr double innerGroove = 34;

    Q_INVOKABLE void tick() { Q_EMIT angleChanged(); }

Q_SIGNALS:
    void isPlayingChanged();
    void degreesPerSecondChanged();
    void angleChanged();

private:
    static qint64 now();

    double m_spunDegrees = 0;
    std::optional<qint64> m_startedAt;
    double m_degreesPerSecond = 12;
};

} // namespace corvane::ui
