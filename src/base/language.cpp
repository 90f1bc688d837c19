#include "language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace corvane::language {

namespace {

QString installed = QStringLiteral("fr");
QPointer<QTranslator> translator;

} // namespace

QString choose(const QStringList &uiLanguages)
{
    for (const QString &entry : uiLanguages) {
        // "fr-CA", "en_GB.UTF-8", "fr": the language is what comes before the territory.
        const QString language = entry.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
        if (language == QLatin1String("fr") || language == QLatin1String("en"))
            return language;
    }
    return QStringLiteral("fr");
}

QString fromDesktop()
{
    return choose(QLocale::system().uiLanguages());
}

void install(const QString &language)
{
    const QString chosen = language == QLatin1String("en") ? language : QStringLiteral("fr");
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    // French is the source language: its catalogue only holds the plural forms.
    translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral(":/i18n/corvane_%1.qm").arg(chosen)))
        QCoreApplication::installTranslator(translator);
    installed = chosen;

    // Numbers and dates as that language writes them, in the desktop's own country when it speaks
    // that language (English in Britain writes dates as Britain does).
    const QLocale system = QLocale::system();
    const QLocale::Language wanted = chosen == QLatin1String("en") ? QLocale::English : QLocale::French;
    QLocale::setDefault(system.language() == wanted ? system
                                                    : QLocale(wanted, wanted == QLocale::English ? QLocale::UnitedStates : QLocale::France));
}

QString current()
{
    return installed;
}

} // namespace corvane::language
