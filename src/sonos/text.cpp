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
