#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QQmlEngine>
#include <QWindow>

namespace corvane::ui {

// Whether a window can be seen at all: shown, not minimized, and exposed (a window fully
// covered by others, or on a hidden workspace, is not exposed where the system says so).
// Animations and ticks that only draw stop while it is false.
class WindowExposure : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QWindow *window READ window WRITE setWindow NOTIFY windowChanged)
    Q_PROPERTY(bool exposed READ isExposed NOTIFY exposedChanged)

public:
    explicit WindowExposure(QObject *parent = nullptr) : QObject(parent) {}

    QWindow *window() const { return m_window; }
    void setWindow(QWindow *window);
    bool isExposed() const { return m_exposed; }

    // Also what the tests and the benchmark ask of a window.
    static bool canBeSeen(const QWindow *window);

Q_SIGNALS:
    void windowChanged();
    void exposedChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void update();

    QPointer<QWindow> m_window;
    bool m_exposed = false;
};

// The colour a picture leaves on the eye: its average, read off the UI thread from the artwork
// cache; invalid until known, and when the picture cannot be read.
class ArtworkTint : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString url READ url WRITE setUrl NOTIFY urlChanged)
    Q_PROPERTY(QColor color READ color NOTIFY colorChanged)
    Q_PROPERTY(bool known READ isKnown NOTIFY colorChanged)

public:
    explicit ArtworkTint(QObject *parent = nullptr) : QObject(parent) {}

    QString url() const { return m_url; }
    void setUrl(const QString &url);
    QColor color() const { return m_color; }
    bool isKnown() const { return m_color.isValid(); }

    static QColor averageOf(const QImage &image);

Q_SIGNALS:
    void urlChanged();
    void colorChanged();

private:
    void setColor(const QColor &color);

    QString m_url;
    QColor m_color;
    quint64 m_generation = 0;
};

} // namespace corvane::ui
