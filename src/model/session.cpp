// A speaker's session (what is read when it is chosen) and the one path of every command.

#include "corvanemodel.h"

#include "async/delays.h"
#include "async/tasks.h"
#include "model/failure.h"
#include "sonos/corvaneerror.h"
#include "sonos/sonoscontroller.h"
#include "system/systemplayback.h"

namespace corvane {

// ---- session

void CorvaneModel::configureSystem()
{
    QPointer<CorvaneModel> self(this);
    m_system->configure(SystemPlayback::Handlers{
        [self] { if (self) self->resumePlayback(); },
        [self] { if (self) self->pausePlayback(); },
        [self] { if (self) self->togglePlayPause(); },
        [self] { if (self) self->skipToNext(); },
        [self] { if (self) self->skipToPrevious(); },
        [self](double seconds) { if (self) self->seekToSeconds(seconds); },
    });
}

void CorvaneModel::startSession()
{
    configureSystem();
    if (assign(m_hasCheckedAppleMusic, false, &CorvaneModel::hasCheckedAppleMusicChanged))
        emitSetup();
    if (m_pollTask)
        m_pollTask->cancel();
    ++m_session;
    m_hasReadSpeakerState = false;
    std::unique_ptr<SonosController> controller = coordinatorController();
    if (!controller) {
        if (assign(m_hasCheckedAppleMusic, true, &CorvaneModel::hasCheckedAppleMusicChanged))
            emitSetup();
        return;
    }
    readSpeakerState(std::shared_ptr<SonosController>(std::move(controller)));
    if (m_pollTask)
        m_pollTask->cancel();
    m_pollTask = std::make_unique<CancellationSource>();
    pollLoop(m_pollTask->token());
}

QCoro::Task<> CorvaneModel::rereadLink()
{
    const std::shared_ptr<SonosController> controller = coordinatorController();
    if (!controller)
        co_return;
    QPointer<CorvaneModel> self(this);
    const int session = m_session;
    try {
        const AppleMusicLink link = co_await controller->appleMusicLink();
        if (!self || self->m_session != session)
            co_return;
        setLink(link);
        setErrorMessage(std::nullopt);
    } catch (...) {
        if (!self || self->m_session != session)
            co_return;
        setErrorMessage(failureMessage(std::current_exception()));
    }
}

QCoro::Task<> CorvaneModel::readSpeakerState(std::shared_ptr<SonosController> controller)
{
    QPointer<CorvaneModel> self(this);
    const std::optional<Speaker> selected = m_selected;
    const int session = m_session;
    // After each read: a newer session (another speaker chosen) owns the fields now.
    auto ended = [&self, session] { return !self || self->m_session != session; };
    try {
        const AppleMusicLink link = co_await controller->appleMusicLink();
        if (ended())
            co_return;
        setLink(link);
        setErrorMessage(std::nullopt);
    } catch (...) {
        if (ended())
            co_return;
        setErrorMessage(failureMessage(std::current_exception()));
    }
    if (assign(m_hasCheckedAppleMusic, true, &CorvaneModel::hasCheckedAppleMusicChanged))
        emitSetup();

    if (selected) {
        // Volume, mute, tone and battery belong to the selected speaker itself (the sliders
        // send to it), not to its group's coordinator.
        const SonosController speaker(*selected);
        try {
            const int volume = co_await speaker.volume();
            if (ended())
                co_return;
            assign(m_volume, double(volume), &CorvaneModel::volumeChanged);
        } catch (...) {
        }
        if (ended())
            co_return;
        try {
            const bool muted = co_await speaker.isMuted();
            if (ended())
                co_return;
            assign(m_isMuted, muted, &CorvaneModel::isMutedChanged);
        } catch (...) {
        }
        if (ended())
            co_return;
        try {
            const Equalizer equalizer = co_await speaker.equalizer();
            if (ended())
                co_return;
            setEqualizer(equalizer);
        } catch (...) {
        }
        if (ended())
            co_return;
        try {
            const std::optional<BatteryStatus> battery = co_await speaker.batteryStatus();
            if (ended())
                co_return;
            assign(m_battery, battery, &CorvaneModel::batteryChanged);
        } catch (...) {
        }
        if (ended())
            co_return;
    }
    try {
        QList<SonosFavorite> favorites = co_await controller->favorites();
        if (ended())
            co_return;
        setFavorites(std::move(favorites));
    } catch (...) {
    }
    if (ended())
        co_return;
    try {
        const std::optional<int> minutes = co_await controller->sleepTimerRemaining();
        if (ended())
            co_return;
        assign(m_sleepMinutes, minutes, &CorvaneModel::sleepMinutesChanged);
    } catch (...) {
    }
    if (ended())
        co_return;
    try {
        const std::optional<PlayMode> mode = co_await controller->playMode();
        if (ended())
            co_return;
        if (mode) {
            const bool shuffled = playModeShuffles(*mode);
            const RepeatState repeat = playModeRepeat(*mode);
            if (shuffled != m_isShuffled || repeat != m_repeatState) {
                m_isShuffled = shuffled;
                m_repeatState = repeat;
                Q_EMIT playModeChanged();
            }
        }
    } catch (...) {
    }
    if (ended())
        co_return;
    co_await pollOnce();
    if (!ended())
        m_hasReadSpeakerState = true;
}

QCoro::Task<> CorvaneModel::refreshLineIn()
{
    QPointer<CorvaneModel> self(this);
    const int session = m_session;
    std::unique_ptr<SonosController> controller = coordinatorController();
    bool hasLineIn = false;
    if (controller) {
        try {
            hasLineIn = co_await controller->hasLineIn();
        } catch (...) {
        }
    }
    if (self && m_session == session)
        assign(m_speakerHasLineIn, hasLineIn, &CorvaneModel::speakerHasLineInChanged);
}

// ---- the command path

std::optional<QString> CorvaneModel::commandRefusal(Needs needs) const
{
    if (!m_selected)
        return CorvaneError::noSpeakers().message();
    if (needs == Needs::MusicLink && !m_link)
        return CorvaneError::appleMusicNotLinked().message();
    return std::nullopt;
}

QCoro::Task<> CorvaneModel::performOnSpeaker(std::optional<QString> toast, bool selectedSpeakerItself, SpeakerAction action,
                                             Needs needs, std::optional<int> queueToken)
{
    QPointer<CorvaneModel> self(this);
    std::unique_ptr<SonosController> controller;
    if (selectedSpeakerItself && m_selected)
        controller = std::make_unique<SonosController>(*m_selected);
    else if (!selectedSpeakerItself)
        controller = coordinatorController();
    std::optional<QString> refusal = commandRefusal(needs);
    if (!controller && !refusal)
        refusal = CorvaneError::noSpeakers().message();
    if (refusal) {
        setErrorMessage(*refusal);
        if (queueToken)
            co_await endQueueChange(*queueToken);
        co_return;
    }
    const int errorsBefore = m_errorSerial;
    std::exception_ptr failure;
    try {
        co_await action(*controller);
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self)
        co_return;
    if (failure) {
        setErrorMessage(failureMessage(failure));
        co_return;
    }
    // A message the action itself showed (refused songs) stays.
    co_await afterSuccess(toast, m_errorSerial == errorsBefore);
}

QCoro::Task<> CorvaneModel::afterSuccess(std::optional<QString> toast, bool clearError)
{
    QPointer<CorvaneModel> self(this);
    if (clearError && m_errorMessage)
        setErrorMessage(std::nullopt);
    if (toast)
        showToast(*toast);
    co_await pollOnce();
    if (!self)
        co_return;
    co_await sleep(delays().commandReread);
    if (!self)
        co_return;
    co_await pollOnce();
    if (!self)
        co_return;
    if (m_route.kind == RouteKind::Queue)
        co_await refreshQueue();
}

} // namespace corvane
