#include "commands.h"

#include "async/delays.h"
#include "async/tasks.h"
#include "base/corvaneerror.h"
#include "model/failure.h"
#include "model/household.h"
#include "model/notices.h"
#include "sonos/sonoscontroller.h"

#include <QPointer>

namespace corvane {

SpeakerCommands::SpeakerCommands(Household *household, Notices *notices, QObject *parent)
    : QObject(parent)
    , m_household(household)
    , m_notices(notices)
{
}

std::optional<QString> SpeakerCommands::refusal(Needs needs) const
{
    if (!m_household->selected())
        return CorvaneError::noSpeakers().message();
    if (needs == Needs::MusicLink && !m_household->link())
        return CorvaneError::appleMusicNotLinked().message();
    return std::nullopt;
}

QCoro::Task<> SpeakerCommands::perform(std::optional<QString> toast, Target target, Action action, Needs needs,
                                       std::optional<int> queueToken)
{
    QPointer<SpeakerCommands> self(this);
    std::unique_ptr<SonosController> controller;
    if (target == Target::Room && m_household->selected())
        controller = std::make_unique<SonosController>(*m_household->selected());
    else if (target == Target::Group)
        controller = m_household->coordinatorController();
    std::optional<QString> refused = refusal(needs);
    if (!controller && !refused)
        refused = CorvaneError::noSpeakers().message();
    if (refused) {
        m_notices->setErrorMessage(*refused);
        if (queueToken && m_followUps.endQueueChange)
            co_await m_followUps.endQueueChange(*queueToken);
        co_return;
    }
    const int errorsBefore = m_notices->errorSerial();
    std::exception_ptr failure;
    try {
        co_await action(*controller);
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self)
        co_return;
    if (failure) {
        m_notices->setErrorMessage(failureMessage(failure));
        co_return;
    }
    // A message the action itself showed (refused songs) stays.
    co_await afterSuccess(toast, m_notices->errorSerial() == errorsBefore);
}

QCoro::Task<> SpeakerCommands::afterSuccess(std::optional<QString> toast, bool clearError)
{
    QPointer<SpeakerCommands> self(this);
    if (clearError && m_notices->errorMessage())
        m_notices->setErrorMessage(std::nullopt);
    if (toast)
        m_notices->showToast(*toast);
    if (!m_followUps.nowPlaying)
        co_return;
    co_await m_followUps.nowPlaying();
    if (!self)
        co_return;
    co_await sleep(delays().commandReread);
    if (!self)
        co_return;
    co_await m_followUps.nowPlaying();
    if (!self)
        co_return;
    if (m_followUps.queueIfShown)
        co_await m_followUps.queueIfShown();
}

} // namespace corvane
