#pragma once

// What a simulated speaker reads from a request, read as XML the way a real speaker's UPnP stack
// reads it: the SOAP envelope and its arguments, and the DIDL-Lite carried inside them.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace corvane::sim {

// A SOAP request read against the speaker's services. When it cannot be carried out as sent,
// `httpStatus` (405 for a URL that is no control URL) or `fault` (the UPnP error code) says why.
struct SoapCall
{
    QString service;
    QString action;
    QHash<QString, QString> arguments; // each once, unescaped by the XML reader
    int httpStatus = 200;
    int fault = 0;

    bool ok() const { return httpStatus == 200 && fault == 0; }
};

// `soapAction` is the SOAPACTION header as sent (empty when missing).
SoapCall readSoapCall(const QString &path, const QByteArray &soapAction, const QByteArray &body);

// The service type served at a control URL, or nothing when no service lives there.
std::optional<QString> serviceAt(const QString &controlPath);

// The one item (or container) of a DIDL-Lite document.
struct DidlItem
{
    QString id;
    QString parentID;
    QString title;
    QString creator;
    QString album;
    QString upnpClass;
    QString res;
    QString protocolInfo;
    QString albumArtURI;
    QString description; // r:description
    QString desc;        // the account token of <desc id="cdudn">
};

// Nothing when `didl` is not a well-formed DIDL-Lite document holding exactly one item.
std::optional<DidlItem> readDidlItem(const QString &didl);

// The value of `key` in the query of a URI ("...?sid=204&flags=8224&sn=3"), if present.
std::optional<QString> uriParameter(const QString &uri, const QString &key);

} // namespace corvane::sim
