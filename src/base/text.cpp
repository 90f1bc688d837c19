#include "text.h"

#include "records.h"

#include <QHash>
#include <QStringDecoder>

namespace corvane {

std::optional<QString> strictUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QString foldCaseAndAccents(const QString &text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            folded += c;
    }
    return folded.toCaseFolded();
}

QString xmlEscape(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        case '\'':
            out += QLatin1String("&apos;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString xmlUnescape(const QString &text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    QString out = text;
    out.replace(QLatin1String("&lt;"), QLatin1String("<"));
    out.replace(QLatin1String("&gt;"), QLatin1String(">"));
    out.replace(QLatin1String("&quot;"), QLatin1String("\""));
    out.replace(QLatin1String("&apos;"), QLatin1String("'"));
    out.replace(QLatin1String("&#39;"), QLatin1String("'"));
    out.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return out;
}

namespace {
const QRegularExpression &compiledOnce(const QString &pattern)
{
    // Everything runs on the main thread, but keep the cache per thread to stay honest.
    thread_local QHash<QString, QRegularExpression> compiled;
    auto it = compiled.find(pattern);
    if (it == compiled.end())
        it = compiled.insert(pattern, QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption));
    return *it;
}
} // namespace

std::optional<QString> firstCapture(const QRegularExpression &pattern, const QString &text)
{
    if (!pattern.isValid())
        return std::nullopt;
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch() || match.capturedStart(1) < 0)
        return std::nullopt;
    return match.captured(1);
}

std::optional<QString> firstBetween(QStringView text, QLatin1StringView open, QLatin1StringView close)
{
    const qsizetype start = text.indexOf(open, 0, Qt::CaseInsensitive);
    if (start < 0)
        return std::nullopt;
    const qsizetype from = start + open.size();
    const qsizetype end = text.indexOf(close, from, Qt::CaseInsensitive);
    if (end < 0)
        return std::nullopt;
    return text.mid(from, end - from).toString();
}

QList<QStringView> elements(QStringView text, QLatin1StringView name)
{
    QList<QStringView> found;
    const QString opening = QLatin1Char('<') + name;
    const QString closing = QStringLiteral("</") + name + QLatin1Char('>');
    qsizetype at = 0;
    while (true) {
        const qsizetype start = text.indexOf(opening, at);
        if (start < 0)
            break;
        const qsizetype after = start + opening.size();
        // "<item" and not "<items": a space, the end of the tag or a slash follows the name.
        const QChar next = after < text.size() ? text.at(after) : QChar();
        if (!next.isSpace() && next != QLatin1Char('>') && next != QLatin1Char('/')) {
            at = after;
            continue;
        }
        const qsizetype tagEnd = text.indexOf(QLatin1Char('>'), after);
        if (tagEnd < 0)
            break;
        const qsizetype end = text.indexOf(closing, tagEnd + 1);
        if (end < 0)
            break;
        found.append(text.mid(start, end + closing.size() - start));
        at = end + closing.size();
    }
    return found;
}

QString terminalSafe(const QString &text)
{
    QString safe;
    safe.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool control = u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F);
        // The bidirectional overrides reorder what follows them on the line.
        const bool reorders = (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
        if ((control && u != u'\n' && u != u'\t') || reorders)
            continue;
        safe.append(c);
    }
    return safe;
}

QString notificationBody(const QString &text)
{
    QString body = terminalSafe(text);
    body.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    body.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    body.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    return body;
}

std::optional<QString> firstCapture(const QString &pattern, const QString &text)
{
    return firstCapture(compiledOnce(pattern), text);
}

QList<QStringView> startTags(QStringView text, const QString &name)
{
    const QRegularExpression &tag = compiledOnce(QStringLiteral("<") + QRegularExpression::escape(name)
                                                 + QStringLiteral("(?=[\\s/>]|$)[^>]*(?:>|$)"));
    QList<QStringView> tags;
    auto it = tag.globalMatch(text);
    while (it.hasNext())
        tags.append(it.next().capturedView(0));
    return tags;
}

std::optional<QString> attributeValue(QStringView tag, const QString &name)
{
    const QRegularExpression &attribute = compiledOnce(QStringLiteral("[\\s<]") + QRegularExpression::escape(name)
                                                       + QStringLiteral("\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)')"));
    const QRegularExpressionMatch m = attribute.match(tag);
    if (!m.hasMatch())
        return std::nullopt;
    return m.capturedStart(1) >= 0 ? m.captured(1) : m.captured(2);
}

int hmsSeconds(const std::optional<QString> &text)
{
    if (!text)
        return 0;
    qint64 total = 0;
    const auto pieces = QStringView(*text).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QStringView piece : pieces) {
        bool ok = false;
        const qint64 value = piece.toLongLong(&ok, 10);
        if (!ok)
            continue;
        // Out of range reads as missing rather than as a wrapped number.
        if (value < 0 || value > maxHmsSeconds)
            return 0;
        total = total * 60 + value;
        if (total > maxHmsSeconds)
            return 0;
    }
    return int(total);
}

std::optional<QUrl> resolveArtwork(const QString &text, const Speaker &speaker)
{
    if (text.isEmpty())
        return std::nullopt;
    if (text.startsWith(QLatin1String("http"))) {
        const QUrl url(text);
        return url.isValid() ? std::optional<QUrl>(url) : std::nullopt;
    }
    const QUrl resolved = speaker.baseURL().resolved(QUrl(text));
    return resolved.isValid() ? std::optional<QUrl>(resolved) : std::nullopt;
}

std::optional<QUrl> artworkURL(const std::optional<QString> &base, int size)
{
    if (!base)
        return std::nullopt;
    static const QRegularExpression sizeSegment(QStringLiteral("/[0-9]{2,4}x[0-9]{2,4}"));
    const qsizetype slash = base->lastIndexOf(QLatin1Char('/'));
    const qsizetype from = slash < 0 ? 0 : slash;
    QString tail = base->mid(from);
    tail.replace(sizeSegment, QStringLiteral("/%1x%1").arg(size));
    const QUrl url(base->left(from) + tail, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    return url;
}

} // namespace corvane
