#include "singleinstance.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QLoggingCategory>
#include <QMetaMethod>
#include <QTimer>
#include <QWindow>

Q_LOGGING_CATEGORY(lcInstance, "corvane.instance", QtWarningMsg)

namespace corvane {

namespace {

const QString kInterface = QStringLiteral("org.freedesktop.Application");
constexpr int kActivateTimeoutMs = 5000;

// org.freedesktop.Application, as far as Corvane has use for it: there are no files to open.
class ApplicationAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    explicit ApplicationAdaptor(SingleInstance *instance) : QDBusAbstractAdaptor(instance), m_instance(instance) {}
public Q_SLOTS:
    void Activate(const QVariantMap &platformData) { m_instance->activate(platformData); }

private:
    SingleInstance *m_instance;
};

// Launchers hand a token over in the environment; it is only worth passing on if it looks like one.
QString tokenFromEnvironment(const char *name)
{
    const QString token = qEnvironmentVariable(name);
    const bool plain = token.size() <= 256
        && std::all_of(token.begin(), token.end(), [](QChar c) { return c.unicode() > 0x20 && c.unicode() < 0x7f; });
    return plain ? token : QString();
}

} // namespace

SingleInstance::SingleInstance(Kind kind, QObject *parent) : QObject(parent), m_kind(kind)
{
    new ApplicationAdaptor(this);
}

SingleInstance::~SingleInstance()
{
    if (!m_owner)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(serviceName(m_kind));
    bus.unregisterObject(objectPath(m_kind));
}

QString SingleInstance::serviceName(Kind kind)
{
    return kind == Kind::Demo ? QStringLiteral("org.corvane.Corvane.Demo") : QStringLiteral("org.corvane.Corvane");
}

QString SingleInstance::objectPath(Kind kind)
{
    return kind == Kind::Demo ? QStringLiteral("/org/corvane/Corvane/Demo") : QStringLiteral("/org/corvane/Corvane");
}

bool SingleInstance::claim(bool activateRunning)
{
    m_error.clear();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return true; // no session bus: nobody else to find either
    const QString name = serviceName(m_kind);
    // The object first: a later start may call it the moment the name is ours.
    const bool exported = bus.registerObject(objectPath(m_kind), this, QDBusConnection::ExportAdaptors);
    if (exported && bus.registerService(name)) {
        m_owner = true;
        return true;
    }
    if (exported)
        bus.unregisterObject(objectPath(m_kind));
    if (!bus.interface()->isServiceRegistered(name))
        return true; // the bus refused for another reason: better two windows than none
    qCDebug(lcInstance) << "Corvane tourne déjà :" << name;
    if (!activateRunning)
        return false;
    QVariantMap platformData;
    if (const QString token = tokenFromEnvironment("XDG_ACTIVATION_TOKEN"); !token.isEmpty())
        platformData.insert(QStringLiteral("activation-token"), token);
    if (const QString id = tokenFromEnvironment("DESKTOP_STARTUP_ID"); !id.isEmpty())
        platformData.insert(QStringLiteral("desktop-startup-id"), id);
    QDBusMessage call = QDBusMessage::createMethodCall(name, objectPath(m_kind), kInterface, QStringLiteral("Activate"));
    call << platformData;
    const QDBusMessage reply = bus.call(call, QDBus::Block, kActivateTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage)
        m_error = QCoreApplication::translate("Network", "Corvane est déjà ouvert mais ne répond pas (%1).").arg(reply.errorMessage());
    return false;
}

void SingleInstance::activate(const QVariantMap &platformData)
{
    qCDebug(lcInstance) << "Activation demandée";
    const QString token = platformData.value(QStringLiteral("activation-token")).toString();
    if (!token.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8()); // Qt's Wayland windows take it from there
    if (!isSignalConnected(QMetaMethod::fromSignal(&SingleInstance::activationRequested))) {
        m_pending = true; // the window is not there yet
        return;
    }
    Q_EMIT activationRequested();
}

void SingleInstance::connectNotify(const QMetaMethod &signal)
{
    if (signal != QMetaMethod::fromSignal(&SingleInstance::activationRequested) || !std::exchange(m_pending, false))
        return;
    // After the connection is made, not inside it.
    QTimer::singleShot(0, this, &SingleInstance::activationRequested);
}

void SingleInstance::bringForward(QWindow *window)
{
    if (!window)
        return;
    window->show();
    if (window->windowStates() & Qt::WindowMinimized)
        window->setWindowStates(window->windowStates() & ~Qt::WindowMinimized);
    window->raise();
    window->requestActivate();
    qCDebug(lcInstance) << "Fenêtre au premier plan, visible :" << window->isVisible();
    if (!lcInstance().isDebugEnabled())
        return;
    if (window->isActive()) {
        qCDebug(lcInstance) << "Fenêtre active";
        return;
    }
    auto *once = new QObject(window);
    QObject::connect(window, &QWindow::activeChanged, once, [window, once] {
        if (!window->isActive())
            return;
        qCDebug(lcInstance) << "Fenêtre active";
        once->deleteLater();
    });
}

} // namespace corvane

#include "singleinstance.moc"
