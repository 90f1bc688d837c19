#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <optional>

namespace corvane {

// The one error the user sees from speaker operations and discovery, with its French message.
class CorvaneError : public std::exception
{
public:
    enum class Kind {
        SpeakerUnreachable,
        SonosRefused,
        Network,
        NoSpeakers,
        AppleMusicNotLinked,
        // HTTP 403 on port 1400: the household has local (UPnP) control switched off.
        LocalControlDisabled,
        // A play mode asked of a source that has none (a radio stream, a line-in): error 712.
        NoPlayModes,
    };

    static CorvaneError speakerUnreachable(const QString &room);
    static CorvaneError sonosRefused(const std::optional<QString> &code);
    static CorvaneError network(const QString &message);
    static CorvaneError noSpeakers();
    static CorvaneError appleMusicNotLinked();
    static CorvaneError localControlDisabled();
    static CorvaneError noPlayModes();

    Kind kind() const { return m_kind; }
    // The room, the UPnP error code or the network message, as given.
    const std::optional<QString> &payload() const { return m_payload; }
    // The speaker refused with this UPnP error code.
    bool isRefusal(QLatin1String code) const { return m_kind == Kind::SonosRefused && m_payload == code; }
    QString message() const;
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    CorvaneError(Kind kind, std::optional<QString> payload);

    Kind m_kind;
    std::optional<QString> m_payload;
    QByteArray m_utf8;
};

} // namespace corvane
