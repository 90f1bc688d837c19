#include "records.h"

#include "text.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace corvane {

QUrl Speaker::baseURL() const
{
    const QUrl url(QStringLiteral("http://") + ip + QStringLiteral(":1400"), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return QUrl(QStringLiteral("http://0.0.0.0:1400"));
    return url;
}

QString Speaker::shortModel() const
{
    return QString(model).remove(QStringLiteral("Sonos ")).trimmed();
}

QString Speaker::chooserLabel() const
{
    const QString shortened = shortModel();
    if (shortened.isEmpty() || shortened == roomName)
        return roomName;
    return roomName + QStringLiteral(" — ") + shortened;
}

QString Speaker::iconName() const
{
    static const std::pair<const char *, const char *> table[] = {
        {"arc", "tv.and.hifispeaker.fill"},   {"beam", "tv.and.hifispeaker.fill"},
        {"ray", "tv.and.hifispeaker.fill"},   {"playbar", "tv.and.hifispeaker.fill"},
        {"playbase", "tv.and.hifispeaker.fill"}, {"sub", "hifispeaker.2.fill"},
        {"roam", "hifispeaker"},              {"move", "hifispeaker"},
        {"amp", "hifireceiver.fill"},         {"port", "hifireceiver.fill"},
        {"connect", "hifireceiver.fill"},
    };
    const QString lower = model.toLower();
    for (const auto &[needle, symbol] : table) {
        if (lower.contains(QLatin1String(needle)))
            return QString::fromLatin1(symbol);
    }
    return QStringLiteral("hifispeaker.fill");
}

std::optional<Speaker> SonosGroup::coordinator() const
{
    for (const Speaker &member : members) {
        if (member.uuid == coordinatorUUID)
            return member;
    }
    return std::nullopt;
}

QString SonosGroup::displayName() const
{
    const auto lead = coordinator();
    if (!lead)
        return QCoreApplication::translate("Household", "Groupe");
    if (members.size() >= 2)
        return lead->roomName + QStringLiteral(" + ") + QString::number(members.size() - 1);
    return lead->roomName;
}

std::optional<QString> Track::durationText() const
{
    if (!durationMS || *durationMS < 1)
        return std::nullopt;
    const qint64 minutes = *durationMS / 60000;
    const qint64 seconds = (*durationMS / 1000) % 60;
    return QStringLiteral("%1:%2").arg(minutes).arg(seconds, 2, 10, QLatin1Char('0'));
}

std::optional<QUrl> Track::artworkURL(int size) const
{
    return corvane::artworkURL(artworkBase, size);
}

int SonosFavorite::ordinal() const
{
    const QStringList pieces = id.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (pieces.isEmpty())
        return -1;
    bool ok = false;
    const int value = pieces.last().toInt(&ok, 10);
    return ok ? value : -1;
}

bool SonosFavorite::refersToSong(const QString &songID) const
{
    if (songID.isEmpty())
        return false;
    const QString haystack = uri.toLower();
    const QString needle = QStringLiteral("song%3a") + songID.toLower();
    qsizetype from = 0;
    while (true) {
        const qsizetype at = haystack.indexOf(needle, from);
        if (at < 0)
            return false;
        const qsizetype after = at + needle.size();
        if (after >= haystack.size() || !haystack.at(after).isDigit())
            return true;
        from = at + 1;
    }
}

QString RadioStation::initials() const
{
    const QStringList words = name.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return QStringLiteral("?");
    QString result;
    for (qsizetype i = 0; i < words.size() && i < 2; ++i)
        result += words.at(i).at(0);
    return result.toUpper();
}

namespace {
struct ModeRow
{
    PlayMode mode;
    const char *text;
    bool shuffle;
    RepeatState repeat;
};
constexpr ModeRow kModes[] = {
    {PlayMode::Normal, "NORMAL", false, RepeatState::Off},
    {PlayMode::RepeatAll, "REPEAT_ALL", false, RepeatState::All},
    {PlayMode::RepeatOne, "REPEAT_ONE", false, RepeatState::One},
    {PlayMode::Shuffle, "SHUFFLE", true, RepeatState::All},
    {PlayMode::ShuffleNoRepeat, "SHUFFLE_NOREPEAT", true, RepeatState::Off},
};

const ModeRow &modeRow(PlayMode mode)
{
    for (const ModeRow &row : kModes) {
        if (row.mode == mode)
            return row;
    }
    return kModes[0];
}
} // namespace

QString playModeText(PlayMode mode)
{
    return QString::fromLatin1(modeRow(mode).text);
}

std::optional<PlayMode> playModeFromText(const QString &text)
{
    for (const ModeRow &row : kModes) {
        if (text == QLatin1String(row.text))
            return row.mode;
    }
    return std::nullopt;
}

bool playModeShuffles(PlayMode mode)
{
    return modeRow(mode).shuffle;
}

RepeatState playModeRepeat(PlayMode mode)
{
    return modeRow(mode).repeat;
}

} // namespace corvane

namespace corvane {

QVariantList SonosGroup::memberList() const
{
    QVariantList list;
    for (const Speaker &member : members)
        list.append(QVariant::fromValue(member));
    return list;
}

} // namespace corvane
