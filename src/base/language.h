#pragma once

#include <QString>
#include <QStringList>

namespace corvane::language {

// The interface's language for the desktop's list of languages, most wanted first
// (QLocale::uiLanguages(), which follows LANGUAGE, LC_ALL, LC_MESSAGES and LANG): the first of
// French and English it names, French when it names neither.
QString choose(const QStringList &uiLanguages);
// The same for this session's desktop.
QString fromDesktop();

// Installs the translation of `language` ("fr" or "en") for the whole process and makes it the
// default locale of numbers and dates. Call it once the QCoreApplication exists; again to switch.
void install(const QString &language);
// The language installed last; French before any.
QString current();

} // namespace corvane::language
