#pragma once

#include <QCoroTask>
#include <QString>
#include <QStringList>

namespace corvane {

// What a command-line command printed and how it ended: 0 done, 1 failed, 2 bad usage.
struct CommandResult
{
    int exitCode = 0;
    QString out;
    QString err;
};

// `corvane speaker <ip> <command> [argument]`: drives one speaker directly.
// `arguments` starts with the address.
QCoro::Task<CommandResult> runSpeakerCommand(QStringList arguments);

QString speakerCommandUsage();

} // namespace corvane
