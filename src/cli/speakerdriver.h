#pragma once

#include <QCoroTask>
#include <QString>
#include <QStringList>

#include "base/records.h"

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

// One line per group: its name, then its rooms with their model and address.
QString describeGroups(const QList<SonosGroup> &groups);

// `corvane discover`: finds a speaker, remembers its address and shows the household's groups.
QCoro::Task<CommandResult> runDiscoverCommand();

} // namespace corvane
