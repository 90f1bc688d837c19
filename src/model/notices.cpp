#include "notices.h"

#include "async/delays.h"
#include "async/tasks.h"
#include "model/field.h"

#include <QPointer>

namespace corvane {

Notices::Notices(QObject *parent)
    : QObject(parent)
{
}

void Notices::setErrorMessage(const std::optional<QString> &message)
{
    if (!assign(this, m_errorMessage, message, &Notices::errorMessageChanged) && !message)
        return;
    if (message)
        clearLater(true, *message);
}

void Notices::showToast(const QString &text)
{
    assign(this, m_lastAction, std::optional(text), &Notices::lastActionChanged);
    clearLater(false, text);
}

QCoro::Task<> Notices::clearLater(bool error, QString text)
{
    // Each showing gets its own serial, so an older timer never clears a newer message, even
    // one with the same words.
    int &latest = error ? m_errorSerial : m_toastSerial;
    const int mine = ++latest;
    QPointer<Notices> self(this);
    co_await sleep(error ? delays().errorDisplay : delays().toastDisplay);
    if (!self || (error ? m_errorSerial : m_toastSerial) != mine)
        co_return;
    if (error && m_errorMessage == text)
        assign(this, m_errorMessage, std::optional<QString>(), &Notices::errorMessageChanged);
    if (!error && m_lastAction == text)
        assign(this, m_lastAction, std::optional<QString>(), &Notices::lastActionChanged);
}

} // namespace corvane
