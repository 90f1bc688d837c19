#pragma once

#include "base/preferences.h"
#include "base/records.h"

#include <QCoroTask>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QUrl>
#include <QVariant>

#include <memory>

namespace corvane {

class Household;
class MusicService;
class SpeakerCommands;

// The household's Sonos favorites: listed, started, added and removed, their missing covers
// looked up in the catalogue.
class Favorites : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QVariantList all READ allList NOTIFY changed)
    // Only the favorites a speaker can start (those with an address).
    Q_PROPERTY(QVariantList playable READ playableList NOTIFY changed)
    // The catalogue songs the favorites start, to star them wherever they are listed.
    Q_PROPERTY(QStringList songIDs READ songIDs NOTIFY changed)

public:
    Favorites(std::shared_ptr<MusicService> music, Household *household, SpeakerCommands *commands, QObject *parent = nullptr);

    const QList<SonosFavorite> &list() const { return m_favorites; }
    void set(QList<SonosFavorite> favorites);
    bool contains(const QString &trackID) const;
    QStringList songIDs() const { return m_songIDs; }
    const QHash<QString, QUrl> &artwork() const { return m_artwork; }

    QCoro::Task<> refresh();
    QCoro::Task<> searchArtwork();
    // Sends a favorite to the group (what plays shows it is Playback's part).
    QCoro::Task<> start(SonosFavorite favorite);
    QCoro::Task<> toggle(Track track);

Q_SIGNALS:
    void changed();

private:
    QVariantList allList() const;
    QVariantList playableList() const;
    QCoro::Task<> rereadSoon();
    void setList(const QList<SonosFavorite> &favorites);

    std::shared_ptr<MusicService> m_music;
    Household *m_household;
    SpeakerCommands *m_commands;
    Preferences m_preferences;
    QList<SonosFavorite> m_favorites;
    QStringList m_songIDs;
    QHash<QString, QUrl> m_artwork;
    QHash<QString, int> m_artworkAttempts;
    QSet<QString> m_artworkSearching;
};

} // namespace corvane
