#pragma once

#include <QRegularExpression>
#include <QString>
#include <QUrl>

#include <optional>

namespace corvane {

struct Speaker;

// The text of UTF-8 bytes; nothing when they are not valid UTF-8.
std::optional<QString> strictUtf8(const QByteArray &bytes);

// Case- and accent-insensitive form of a text, for comparing names.
QString foldCaseAndAccents(const QString &text);

// Escapes &, <, >, " and ' (in that order) for XML text and attribute values.
QString xmlEscape(const QString &text);
// Undoes one level of escaping; speakers nest escaped XML in escaped XML, so callers apply it
// twice where needed.
QString xmlUnescape(const QString &text);

// A text for a terminal: control characters (escape sequences among them) are dropped, except
// line breaks and tabs, so a name read from the network cannot move the cursor or retitle the
// terminal.
QString terminalSafe(const QString &text);
// A text for a desktop notification's body, which servers read as a small markup: &, < and >
// are escaped, control characters other than line breaks dropped.
QString notificationBody(const QString &text);

// First capture group of the first match of a case-insensitive pattern; absent when the pattern
// is invalid, nothing matches or the group did not take part. Patterns are compiled once.
std::optional<QString> firstCapture(const QString &pattern, const QString &text);
std::optional<QString> firstCapture(const QRegularExpression &pattern, const QString &text);

// The text between the first `open` and the first `close` after it, compared without case;
// nothing when either is missing. Linear in the text: a lazy pattern such as "<a>(.*?)</a>"
// would scan to the end again from every later "<a>" of a reply that never closes it.
std::optional<QString> firstBetween(QStringView text, QLatin1StringView open, QLatin1StringView close);
// The elements <name ...>…</name>, start tag included, in order and not nested (the first
// closing tag ends each). Stops at the first one that is never closed: no later one can be.
QList<QStringView> elements(QStringView text, QLatin1StringView name);

// The start tags <name ...> in a text (their whole text, attributes included), in order.
QList<QStringView> startTags(QStringView text, const QString &name);
// The value of one attribute of a start tag, found by name: attribute order, the spacing and line
// breaks between attributes and the quote style do not matter. Absent when the tag lacks it.
std::optional<QString> attributeValue(QStringView tag, const QString &name);

// "0:03:27" -> 207; pieces that are not numbers are skipped, absent or empty text gives 0, and
// so does a time past maxHmsSeconds (about 24 days, so that milliseconds still fit an int).
inline constexpr int maxHmsSeconds = 2147483;
int hmsSeconds(const std::optional<QString> &text);

// Absolute artwork URL from a reply: "http..." as is, anything else relative to the speaker.
std::optional<QUrl> resolveArtwork(const QString &text, const Speaker &speaker);

// Rewrites the NNNxNNN size segment of the last path segment of an artwork base URL.
std::optional<QUrl> artworkURL(const std::optional<QString> &base, int size);

} // namespace corvane
