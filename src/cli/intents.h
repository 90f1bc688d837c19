#pragma once

#include "async/cancellation.h"
#include "base/records.h"
#include "speakerdriver.h"

#include <QCoroTask>
#include <QStringList>

#include <optional>

namespace corvane {

// The speaker a shortcut controls: the coordinator of the group of the first speaker found, and
// the household's Apple Music binding when it could be read.
struct IntentTarget
{
    Speaker speaker;
    std::optional<AppleMusicLink> link; // not read by the shortcuts, which need none
    QString answeringIP;                 // the address that answered, remembered for next time
    // What the target reported while it was found, when a remembered address answered for itself
    // (`readState`): the current track and whether it plays.
    std::optional<NowPlaying> current;
    std::optional<bool> playing;
};

// Shortcuts that work without the window: each finds its speaker on its own, talks to it and
// answers with a short French sentence. Failures are CorvaneError.
namespace Intents {

// With `readState` (play and pause), a remembered speaker that leads its group is found by what it
// plays, read in the same round.
QCoro::Task<IntentTarget> resolveTarget(QStringList knownIPs, CancellationToken token = {}, bool readState = false);

QCoro::Task<QString> playPause(IntentTarget target);
QCoro::Task<QString> nextTrack(IntentTarget target);
QCoro::Task<> previousTrack(IntentTarget target);
QCoro::Task<QString> playFavorite(IntentTarget target, QString name);
QCoro::Task<QString> sleepTimer(IntentTarget target, int minutes);

// "" reads the group's volume, "N" sets it, "+N" and "-N" move it; nothing when the text is none
// of these (or past 100).
struct VolumeChange
{
    std::optional<int> amount;
    bool relative = false;
};
std::optional<VolumeChange> parseVolumeChange(const QString &text);
QCoro::Task<QString> groupVolume(IntentTarget target, VolumeChange change);

// Case- and accent-insensitive form of a name, trimmed.
QString fold(const QString &text);

} // namespace Intents

// `corvane play-pause | next | previous | favorite [NAME] | sleep [MINUTES] | volume [+N|-N|N]`.
QCoro::Task<CommandResult> runIntentCommand(QStringList arguments);
bool isIntentCommand(const QString &command);
QString intentUsage();

} // namespace corvane
