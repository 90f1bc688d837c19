// Every test reads the French texts, as French speakers see them, unless it names another
// language in CORVANE_TEST_LANGUAGE to check a translation.

#include "base/language.h"

#include <QCoreApplication>

namespace {

void pinLanguage()
{
    corvane::language::install(qEnvironmentVariable("CORVANE_TEST_LANGUAGE", QStringLiteral("fr")));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(pinLanguage)
