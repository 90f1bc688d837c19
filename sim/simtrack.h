#pragma once

#include <QList>
#include <QString>

namespace corvane::sim {

// What a simulated speaker can play: a queue entry, a radio stream or its line-in.
struct SimTrack
{
    enum class Kind { Song, Radio, LineIn };

    Kind kind = Kind::Song;
    QString uri;
    QString title;
    QString artist;
    QString album;
    int durationSeconds = 0; // 0 for live sources
    QString albumArtURI;     // as the speaker reports it: absolute or /getaa?...

    // The DIDL-Lite item the speaker reports for it (plain, not yet escaped), alone or wrapped
    // in its own document.
    QString didlItem(const QString &itemId, const QString &parentId) const;
    QString didl(const QString &itemId, const QString &parentId) const;
};

// A small fictional Apple Music catalogue, the same on every run.
QList<SimTrack> catalogueSongs();
SimTrack radioStation(const QString &name, const QString &streamUrl);
SimTrack lineIn(const QString &speakerUuid);
// Wraps items in a DIDL-Lite document with the namespaces speakers declare.
QString didlDocument(const QString &items);

} // namespace corvane::sim
