#include "corvaneerror.h"

#include <QCoreApplication>

namespace corvane {

CorvaneError::CorvaneError(Kind kind, std::optional<QString> payload)
    : m_kind(kind), m_payload(std::move(payload)), m_utf8(message().toUtf8())
{
}

CorvaneError CorvaneError::speakerUnreachable(const QString &room)
{
    return CorvaneError(Kind::SpeakerUnreachable, room);
}

CorvaneError CorvaneError::sonosRefused(const std::optional<QString> &code)
{
    return CorvaneError(Kind::SonosRefused, code);
}

CorvaneError CorvaneError::network(const QString &message)
{
    return CorvaneError(Kind::Network, message);
}

CorvaneError CorvaneError::noSpeakers()
{
    return CorvaneError(Kind::NoSpeakers, std::nullopt);
}

CorvaneError CorvaneError::appleMusicNotLinked()
{
    return CorvaneError(Kind::AppleMusicNotLinked, std::nullopt);
}

CorvaneError CorvaneError::localControlDisabled()
{
    return CorvaneError(Kind::LocalControlDisabled, std::nullopt);
}

CorvaneError CorvaneError::noPlayModes()
{
    return CorvaneError(Kind::NoPlayModes, QStringLiteral("712"));
}

QString CorvaneError::message() const
{
    switch (m_kind) {
    case Kind::SpeakerUnreachable: {
        const QString room = m_payload.value_or(QString());
        if (room.isEmpty())
            return QCoreApplication::translate("CorvaneError", "L'enceinte ne répond plus. Elle s'est peut-être mise en veille "
                                  "ou a quitté le réseau.");
        return QCoreApplication::translate("CorvaneError", "« %1 » ne répond plus. L'enceinte s'est peut-être mise en veille "
                              "ou a quitté le réseau.")
            .arg(room);
    }
    case Kind::SonosRefused:
        if (m_payload)
            return QCoreApplication::translate("CorvaneError", "L'enceinte a refusé la demande (code %1).").arg(*m_payload);
        return QCoreApplication::translate("CorvaneError", "L'enceinte a refusé la demande.");
    case Kind::Network:
        return m_payload.value_or(QString());
    case Kind::NoSpeakers:
        return QCoreApplication::translate("CorvaneError", "Aucune enceinte Sonos trouvée sur ce réseau.");
    case Kind::AppleMusicNotLinked:
        return QCoreApplication::translate("CorvaneError", "Apple Music n'a pas pu être identifié sur ce système Sonos. Ouvrez "
                              "l'app Sonos officielle, jouez un morceau Apple Music une fois, puis "
                              "relancez la recherche d'enceintes.");
    case Kind::LocalControlDisabled:
        return QCoreApplication::translate("CorvaneError", "L'enceinte refuse le contrôle local : il est désactivé sur ce "
                              "système Sonos. Activez-le dans l'app Sonos (Compte › Confidentialité "
                              "et sécurité › UPnP), puis réessayez.");
    case Kind::NoPlayModes:
        return QCoreApplication::translate("CorvaneError", "Cette source n'a pas de modes de lecture : la lecture aléatoire et la "
                              "répétition ne s'appliquent qu'à la file d'attente.");
    }
    return {};
}

} // namespace corvane
