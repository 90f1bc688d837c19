#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QNetworkReply;

namespace corvane {

namespace detail {
class CancellationState : public QObject
{
    Q_OBJECT
public:
    bool isCancelled() const { return m_cancelled; }
    void cancel();

Q_SIGNALS:
    void cancelRequested();

private:
    bool m_cancelled = false;
};
} // namespace detail

// A cheap, copyable view of a CancellationSource. A default-constructed token is never cancelled.
class CancellationToken
{
public:
    CancellationToken() = default;

    bool isCancelled() const { return m_state && m_state->isCancelled(); }
    bool canBeCancelled() const { return m_state != nullptr; }

    // Runs `callback` once when the source is cancelled, or at once when it already is. The
    // registration ends with `context`; disconnect the returned connection to end it earlier.
    QMetaObject::Connection onCancel(QObject *context, std::function<void()> callback) const;

    // Aborts `reply` when the source is cancelled.
    void abortOnCancel(QNetworkReply *reply) const;

private:
    friend class CancellationSource;
    explicit CancellationToken(std::shared_ptr<detail::CancellationState> state)
        : m_state(std::move(state))
    {
    }
    std::shared_ptr<detail::CancellationState> m_state;
};

// Owns the cancellation of one piece of work. A source built from a parent token is cancelled
// together with its parent, which is how a task hands its own cancellation to child work.
class CancellationSource
{
public:
    CancellationSource();
    explicit CancellationSource(const CancellationToken &parent);
    CancellationSource(const CancellationSource &) = delete;
    CancellationSource &operator=(const CancellationSource &) = delete;

    CancellationToken token() const { return CancellationToken(m_state); }
    void cancel();
    bool isCancelled() const { return m_state->isCancelled(); }

private:
    std::shared_ptr<detail::CancellationState> m_state;
};

} // namespace corvane
