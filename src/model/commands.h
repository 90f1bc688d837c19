#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace corvane {

class Household;
class Notices;
class SonosController;

// The one path every speaker command takes: refused without a speaker (or without the
// household's Apple Music link when it needs one), sent, its failure said in the error line,
// and on success the toast and the re-reads that show the speaker's new state.
class SpeakerCommands : public QObject
{
    Q_OBJECT

public:
    using Action = std::function<QCoro::Task<>(const SonosController &)>;
    // Only commands that build Apple Music addresses need the household's link.
    enum class Needs { Speaker, MusicLink };
    // Which speaker takes the command: the group's coordinator, or the selected speaker itself
    // (volume, mute and tone belong to the room).
    enum class Target { Group, Room };

    // What a successful command reads again, and how a queue change it began is ended.
    struct FollowUps
    {
        std::function<QCoro::Task<>()> nowPlaying;
        std::function<QCoro::Task<>()> queueIfShown;
        std::function<QCoro::Task<>(int)> endQueueChange;
    };

    SpeakerCommands(Household *household, Notices *notices, QObject *parent = nullptr);
    void setFollowUps(FollowUps followUps) { m_followUps = std::move(followUps); }

    // The task ends when the action and its re-reads have. Store the task before awaiting it:
    // GCC 12 destroys a lambda temporary twice when it is written inside a co_await expression.
    // A queue change begun for the command is ended however the command ends.
    QCoro::Task<> perform(std::optional<QString> toast, Target target, Action action, Needs needs = Needs::Speaker,
                          std::optional<int> queueToken = std::nullopt);
    // Why a command cannot be sent now (no speaker, no link), before anything is shown as started.
    std::optional<QString> refusal(Needs needs) const;

private:
    QCoro::Task<> afterSuccess(std::optional<QString> toast, bool clearError);

    Household *m_household;
    Notices *m_notices;
    FollowUps m_followUps;
};

} // namespace corvane
