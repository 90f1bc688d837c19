#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QQmlEngine>
#include <QUrl>
#include <QWindow>

namespace corvane::ui {

// Whether a window can be seen at all: shown, not minimized, and exposed (a window fully
// covered by others, or on a hidden workspace, is not exposed where the system says so).
// Animations and ticks that only draw stop while it is false.
class WindowExposure : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    // A QWindow; declared as an object so QML tooling needs no window type.
    Q_PROPERTY(QObject *window READ windowObject WRITE setWindowObject NOTIFY windowChanged)
    Q_PROPERTY(bool exposed READ isExposed NOTIFY exposedChanged)

public:
    explicit WindowExposure(QObject *parent = nullptr) : QObject(parent) {}

    QWindow *window() const { return m_window; }
    void setWindow(QWindow *window);
    QObject *windowObject() const { return m_window; }
    void setWindowObject(QObject *window) { setWindow(qobject_cast<QWindow *>(window)); }
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
// cache; invalid until known, and when the picture cannot be read. `wash` is that colour at the
// strength a background takes it ("#24rrggbb"), transparent while unknown.
class ArtworkTint : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QUrl url READ url WRITE setUrl NOTIFY urlChanged)
    Q_PROPERTY(QString wash READ wash NOTIFY colorChanged)
    Q_PROPERTY(bool known READ isKnown NOTIFY colorChanged)

public:
    explicit ArtworkTint(QObject *parent = nullptr) : QObject(parent) {}

    QUrl url() const { return m_url; }
    void setUrl(const QUrl &url);
    QColor color() const { return m_color; }
    QString wash() const;
    bool isKnown() const { return m_color.isValid(); }

    static QColor averageOf(const QImage &image);

Q_SIGNALS:
    void urlChanged();
    void colorChanged();

private:
    void setColor(const QColor &color);

    QUrl m_url;
    QColor m_color;
    quint64 m_generation = 0;
};

} // namespace corvane::ui
