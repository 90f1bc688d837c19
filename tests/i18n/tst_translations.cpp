// The catalogues are complete and sound, and no text of the screens or of the messages escapes
// translation.

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Message
{
    QString context;
    QString source;
    QStringList translations; // one per plural form, or one
    bool unfinished = false;
    bool numerus = false;
};

QList<Message> readCatalogue(const QString &path)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QStringView name = xml.name();
            if (name == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                message = Message{context, {}, {}, false, xml.attributes().value(QStringLiteral("numerus")) == QLatin1String("yes")};
            } else if (name == QLatin1String("source")) {
                message.source = xml.readElementText();
            } else if (name == QLatin1String("translation")) {
                const QStringView type = xml.attributes().value(QStringLiteral("type"));
                message.unfinished = type == QLatin1String("unfinished");
                if (type == QLatin1String("vanished") || type == QLatin1String("obsolete"))
                    message.unfinished = false;
                if (!message.numerus)
                    message.translations << xml.readElementText();
            } else if (name == QLatin1String("numerusform")) {
                message.translations << xml.readElementText();
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            messages << message;
        }
    }
    if (xml.hasError())
        qWarning("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
    return messages;
}

// The placeholders of a text, sorted: %1 … %99 and %n.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("%(\\d{1,2}|n)"));
    QStringList found;
    for (const QRegularExpressionMatch &match : pattern.globalMatch(text))
        found << match.captured(0);
    found.sort();
    return found;
}

QString catalogue(const char *language)
{
    return QStringLiteral(CORVANE_TRANSLATIONS "/corvane_%1.ts").arg(QLatin1String(language));
}

// Each file of the sources with the given suffixes.
QStringList sources(const QStringList &filters)
{
    QStringList files;
    QDirIterator it(QStringLiteral(CORVANE_SOURCES), filters, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every source text has a finished English translation with the same placeholders.
    void englishIsComplete()
    {
        const QList<Message> messages = readCatalogue(catalogue("en"));
        QVERIFY(messages.size() > 500);
        QStringList faults;
        for (const Message &message : messages) {
            const QString where = message.context + QStringLiteral(": ") + message.source.left(60);
            if (message.unfinished || message.translations.isEmpty()) {
                faults << QStringLiteral("unfinished: ") + where;
                continue;
            }
            if (message.numerus && message.translations.size() != 2)
                faults << QStringLiteral("English has two plural forms: ") + where;
            for (const QString &translation : message.translations) {
                if (translation.trimmed().isEmpty())
                    faults << QStringLiteral("empty: ") + where;
                else if (placeholders(translation) != placeholders(message.source))
                    faults << QStringLiteral("placeholders differ: ") + where + QStringLiteral(" → ") + translation.left(60);
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // French is the source language: its catalogue holds the plural forms, which keep the
    // placeholders and differ only as French grammar wants.
    void frenchPluralsAreSound()
    {
        const QList<Message> messages = readCatalogue(catalogue("fr"));
        QStringList faults;
        for (const Message &message : messages) {
            const QString where = message.context + QStringLiteral(": ") + message.source.left(60);
            if (!message.numerus)
                faults << QStringLiteral("not a plural: ") + where;
            if (message.unfinished || message.translations.size() != 2)
                faults << QStringLiteral("two forms wanted: ") + where;
            for (const QString &form : message.translations) {
                if (placeholders(form) != placeholders(message.source) || form.contains(QLatin1String("(s)"))
                    || form.contains(QLatin1String("(x)")))
                    faults << QStringLiteral("form: ") + where + QStringLiteral(" → ") + form;
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        // The English catalogue's plurals are all here.
        int plurals = 0;
        for (const Message &message : readCatalogue(catalogue("en")))
            plurals += message.numerus ? 1 : 0;
        QCOMPARE(messages.size(), plurals);
    }

    // A text on screen written as a plain literal never reaches a translator.
    void noScreenTextEscapesTranslation()
    {
        static const QRegularExpression binding(QStringLiteral(
            "^\\s*(text|title|subtitle|hint|help|explanation|placeholderText|label|Accessible\\.name|"
            "Accessible\\.description|ToolTip\\.text)\\s*:(.*)$"));
        static const QRegularExpression translated(QStringLiteral("qsTr\\(\"(?:[^\"\\\\]|\\\\.)*\""));
        static const QRegularExpression literal(QStringLiteral("\"((?:[^\"\\\\]|\\\\.)*)\""));
        static const QRegularExpression words(QStringLiteral("\\p{L}{2,}"));
        // The product's name is the same in every language.
        const QStringList names{QStringLiteral("Corvane")};
        QStringList faults;
        for (const QString &path : sources({QStringLiteral("*.qml")})) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            int number = 0;
            for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
                ++number;
                const QRegularExpressionMatch match = binding.match(line);
                if (!match.hasMatch())
                    continue;
                QString rest = match.captured(2);
                rest.remove(translated);
                for (const QRegularExpressionMatch &text : literal.globalMatch(rest)) {
                    if (text.captured(1).contains(words) && !names.contains(text.captured(1)))
                        faults << QStringLiteral("%1:%2: %3").arg(path.section(QLatin1Char('/'), -2)).arg(number).arg(line.trimmed());
                }
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // Errors, toasts and the command line's answers are built from translated texts.
    void noMessageEscapesTranslation()
    {
        static const QRegularExpression untranslated(QStringLiteral(
            "(setErrorMessage|showToast|perform|usageError|CorvaneError::network|failed)\\(\\s*QStringLiteral\\(\"[^\"]*\\p{L}{2,}"
            "|CommandResult\\{\\d+,\\s*QStringLiteral\\(\"[^\"]*\\p{L}{2,}"
            "|CommandResult\\{\\d+,\\s*\\{\\},\\s*QStringLiteral\\(\"[^\"]*\\p{L}{2,}"));
        QStringList faults;
        for (const QString &path : sources({QStringLiteral("*.cpp")})) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            int number = 0;
            for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
                ++number;
                if (untranslated.match(line).hasMatch())
                    faults << QStringLiteral("%1:%2: %3").arg(path.section(QLatin1Char('/'), -2)).arg(number).arg(line.trimmed());
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
