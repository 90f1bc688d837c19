#pragma once

// Small helpers shared by the SOAP handlers of the simulated speaker.

#include <QByteArray>
#include <QString>

#include <optional>

namespace corvane::sim {

QByteArray soapEnvelope(const QString &service, const QString &action, const QString &content);
// The body of a UPnP error as speakers send it (with HTTP 500).
QByteArray soapFault(int code);
std::optional<int> parseInteger(const QString &text);

} // namespace corvane::sim
