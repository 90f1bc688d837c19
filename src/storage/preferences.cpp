#include "preferences.h"

#include <QDir>

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

QStringList Preferences::stringList(const QString &key) const
{
    // Read back from INI, a one-element list is a plain string and an empty list is invalid.
    const QVariant value = m_settings->value(key);
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList();
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        return text.isEmpty() ? QStringList() : QStringList{text};
    }
    if (value.canConvert<QStringList>())
        return value.toStringList();
    return {};
}

QStringList Preferences::knownSpeakerIPs() const
{
    return stringList(QStringLiteral("knownSpeakerIPs"));
}

void Preferences::setKnownSpeakerIPs(const QStringList &ips)
{
    m_settings->setValue(QStringLiteral("knownSpeakerIPs"), ips);
}

} // namespace corvane
