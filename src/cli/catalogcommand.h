#pragma once

#include "speakerdriver.h"

#include <QCoroTask>
#include <QStringList>

namespace corvane {

class MusicService;

// `corvane catalog <command>`: the Apple Music client from the command line, for scripts and
// support. One JSON record per line on stdout; French errors on stderr.
QCoro::Task<CommandResult> runCatalogCommand(QStringList arguments, MusicService *service, bool tokenInFile);
QString catalogUsage();

} // namespace corvane
