#include "cancellation.h"

#include <QNetworkReply>

namespace corvane {

void detail::CancellationState::cancel()
{
    if (m_cancelled)
        return;
    m_cancelled = true;
    Q_EMIT cancelRequested();
}

QMetaObject::Connection CancellationToken::onCancel(QObject *context,
                                                    std::function<void()> callback) const
{
    if (!m_state)
        return {};
    if (m_state->isCancelled()) {
        callback();
        return {};
    }
    return QObject::connect(m_state.get(), &detail::CancellationState::cancelRequested, context,
                            std::move(callback), Qt::DirectConnection);
}

void CancellationToken::abortOnCancel(QNetworkReply *reply) const
{
    onCancel(reply, [reply] {
        if (reply->isRunning())
            reply->abort();
    });
}

CancellationSource::CancellationSource() : m_state(std::make_shared<detail::CancellationState>())
{
}

CancellationSource::CancellationSource(const CancellationToken &parent) : CancellationSource()
{
    std::weak_ptr<detail::CancellationState> weak = m_state;
    parent.onCancel(m_state.get(), [weak] {
        if (auto state = weak.lock())
            state->cancel();
    });
}

void CancellationSource::cancel()
{
    // Keep the state alive through the emission: a woken task may drop the last other owner.
    const auto keep = m_state;
    keep->cancel();
}

} // namespace corvane
