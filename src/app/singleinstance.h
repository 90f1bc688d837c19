#pragma once

#include <QObject>
#include <QString>

class QWindow;

namespace corvane {

// One Corvane per desktop session: the first to start owns a well-known name on the session bus
// and answers org.freedesktop.Application.Activate; a later start asks it to come forward and
// leaves. The demo owns a name of its own, so trying the demo never meets the real application.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    enum class Kind { Application, Demo };

    explicit SingleInstance(Kind kind, QObject *parent = nullptr);
    ~SingleInstance() override;

    static QString serviceName(Kind kind);
    static QString objectPath(Kind kind);

    // True when this process is the session's Corvane (also when there is no session bus: nothing
    // to coordinate with). False when another one runs; with `activateRunning`, it was asked to
    // bring its window forward first. `error()` then says whether it answered.
    bool claim(bool activateRunning);
    QString error() const { return m_error; }

    // Shows, raises and activates `window`, with the activation token the caller passed on when
    // the desktop gave one (Wayland will not hand the focus over without it).
    static void bringForward(QWindow *window);

    // Called over D-Bus by a later start (org.freedesktop.Application).
    void activate(const QVariantMap &platformData);

Q_SIGNALS:
    // Someone started Corvane again: bring the main window forward. A request that arrives
    // before anyone listens is kept until the first connection.
    void activationRequested();

protected:
    void connectNotify(const QMetaMethod &signal) override;

private:
    Kind m_kind;
    bool m_owner = false;
    bool m_pending = false;
    QString m_error;
};

} // namespace corvane
