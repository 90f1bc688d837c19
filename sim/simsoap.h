#pragma once

// Small helpers shared by the SOAP handlers of the simulated speaker.

#include <QByteArray>
#include <QString>

#include <optional>

namespace corvane::sim {

QByteArray soapEnvelope(const QString &service, const QString &action, const QString &content);
std::optional<int> parseInteger(const QString &text);

} // namespace corvane::sim
