#include "preferences.h"

#include <QDir>

#include <cmath>

namespace corvane {

QString Preferences::profileDirectory()
{
    return qEnvironmentVariable("CORVANE_PROFILE");
}

Preferences::Preferences()
{
    const QString profile = profileDirectory();
    if (profile.isEmpty()) {
        m_settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                 QStringLiteral("Corvane"), QStringLiteral("Corvane"));
    } else {
        QDir().mkpath(profile + QStringLiteral("/config"));
        m_settings = std::make_unique<QSettings>(profile + QStringLiteral("/config/Corvane.ini"),
                                                 QSettings::IniFormat);
    }
}

bool Preferences::flag(const QString &key) const
{
    // Read back from INI, a bool is the text "true" or "false"; anything else is false.
    const QVariant value = m_settings->value(key);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    return value.toString().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

int Preferences::number(const QString &key) const
{
    bool ok = false;
    const int value = m_settings->value(key).toString().trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

QString Preferences::text(const QString &key) const
{
    const QVariant value = m_settings->value(key);
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

QStringList Preferences::stringList(const QString &key) const
{
    const QVariant value = m_settings->value(key);
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList();
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        return text.isEmpty() ? QStringList() : QStringList{text};
    }
    if (value.typeId() == QMetaType::QVariantList)
        return value.toStringList();
    return {};
}

QVariantMap Preferences::map(const QString &key) const
{
    const QVariant value = m_settings->value(key);
    return value.typeId() == QMetaType::QVariantMap ? value.toMap() : QVariantMap();
}

QHash<QString, QDateTime> Preferences::playlistPlays() const
{
    // Stored as seconds since 1970 (UTC), which reads back from INI as text.
    QHash<QString, QDateTime> plays;
    const QVariantMap stored = map(QStringLiteral("playlistPlays"));
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        bool ok = false;
        const double seconds = it.value().toString().toDouble(&ok);
        // Out of any sensible range (or not finite) is as good as missing.
        if (ok && std::abs(seconds) <= 1e11)
            plays.insert(it.key(), QDateTime::fromMSecsSinceEpoch(qint64(seconds * 1000.0), Qt::UTC));
    }
    return plays;
}

void Preferences::setPlaylistPlays(const QHash<QString, QDateTime> &plays)
{
    QVariantMap stored;
    for (auto it = plays.cbegin(); it != plays.cend(); ++it)
        stored.insert(it.key(), QString::number(double(it.value().toMSecsSinceEpoch()) / 1000.0, 'f', 3));
    m_settings->setValue(QStringLiteral("playlistPlays"), stored);
}

QHash<QString, QString> Preferences::favoriteArtwork() const
{
    QHash<QString, QString> artwork;
    const QVariantMap stored = map(QStringLiteral("favoriteArtwork"));
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        const QString url = it.value().toString();
        if (!url.isEmpty())
            artwork.insert(it.key(), url);
    }
    return artwork;
}

void Preferences::setFavoriteArtwork(const QHash<QString, QString> &artwork)
{
    QVariantMap stored;
    for (auto it = artwork.cbegin(); it != artwork.cend(); ++it)
        stored.insert(it.key(), it.value());
    m_settings->setValue(QStringLiteral("favoriteArtwork"), stored);
}

} // namespace corvane
