#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <QUrl>
#include <QVariant>

namespace corvane {

class CorvaneModel;
class RecordListModel;

// The home shelves, the explore page, the radio stations and the listening history.
class HomeFace : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QVariantList recommendations READ recommendations NOTIFY homeChanged)
    Q_PROPERTY(QVariantList playlists READ playlists NOTIFY homeChanged)
    Q_PROPERTY(int playlistOrder READ playlistOrder WRITE setPlaylistOrder NOTIFY homeChanged)
    Q_PROPERTY(corvane::RecordListModel *libraryTracks READ libraryTracks CONSTANT)
    Q_PROPERTY(QVariantList chartAlbums READ chartAlbums NOTIFY homeChanged)
    Q_PROPERTY(QVariantList chartSongs READ chartSongs NOTIFY homeChanged)
    Q_PROPERTY(QVariantList newReleases READ newReleases NOTIFY homeChanged)
    Q_PROPERTY(bool chartsLoaded READ chartsLoaded NOTIFY homeChanged)
    Q_PROPERTY(bool isLoadingCharts READ isLoadingCharts NOTIFY homeChanged)
    Q_PROPERTY(QVariantList recentAlbums READ recentAlbums NOTIFY personalChanged)
    Q_PROPERTY(QVariantList recentPlaylists READ recentPlaylists NOTIFY personalChanged)
    Q_PROPERTY(QVariantList rotationAlbums READ rotationAlbums NOTIFY personalChanged)
    Q_PROPERTY(QVariantList rotationPlaylists READ rotationPlaylists NOTIFY personalChanged)
    Q_PROPERTY(QVariantList addedAlbums READ addedAlbums NOTIFY personalChanged)
    Q_PROPERTY(QVariantList addedPlaylists READ addedPlaylists NOTIFY personalChanged)
    Q_PROPERTY(QVariantList addedSongs READ addedSongs NOTIFY personalChanged)
    Q_PROPERTY(QVariantList exploreGenres READ exploreGenres NOTIFY exploreChanged)
    Q_PROPERTY(QVariantList exploreStorefronts READ exploreStorefronts NOTIFY exploreChanged)
    Q_PROPERTY(QString exploreGenreID READ exploreGenreID NOTIFY exploreChanged)
    Q_PROPERTY(QString exploreStorefrontID READ exploreStorefrontID NOTIFY exploreChanged)
    Q_PROPERTY(QString exploreStorefrontLabel READ exploreStorefrontLabel NOTIFY exploreChanged)
    // The choosers' entries, each {label, id}: "Mon pays" then the country codes; "Tous" then
    // the genres.
    Q_PROPERTY(QVariantList countryChoices READ countryChoices NOTIFY exploreChanged)
    Q_PROPERTY(QVariantList genreChoices READ genreChoices NOTIFY exploreChanged)
    Q_PROPERTY(QVariantList exploreSongs READ exploreSongs NOTIFY exploreChanged)
    Q_PROPERTY(QVariantList exploreAlbums READ exploreAlbums NOTIFY exploreChanged)
    Q_PROPERTY(QVariantList explorePlaylists READ explorePlaylists NOTIFY exploreChanged)
    Q_PROPERTY(bool isLoadingExplore READ isLoadingExplore NOTIFY exploreChanged)
    Q_PROPERTY(bool exploreLoaded READ exploreLoaded NOTIFY exploreChanged)
    Q_PROPERTY(QVariantList radios READ radios NOTIFY radiosChanged)
    Q_PROPERTY(corvane::RecordListModel *history READ history CONSTANT)
    // The last tracks played, one entry per track, newest first (at most 14).
    Q_PROPERTY(QVariantList recentTracks READ recentTracks NOTIFY historyChanged)
    // The most played artists of the history, each {name, plays, artwork}.
    Q_PROPERTY(QVariantList topArtists READ topArtists NOTIFY historyChanged)
    // The history screen's longer list.
    Q_PROPERTY(QVariantList historyTopArtists READ historyTopArtists NOTIFY historyChanged)
    // What the home page says by the hour; `clock` stands in for the wall clock when set.
    Q_PROPERTY(QString greeting READ greeting NOTIFY clockChanged)
    Q_PROPERTY(QDateTime clock READ clock WRITE setClock NOTIFY clockChanged)
    // The feature tip of this launch ("menuBar", "siri", "sleep"), or empty.
    Q_PROPERTY(QString tip READ tip NOTIFY tipChanged)
    // A newer Corvane was published: its version ("" while none is known), where to get it and
    // its notes (may be empty).
    Q_PROPERTY(QString updateVersion READ updateVersion NOTIFY updateChanged)
    Q_PROPERTY(QUrl updateUrl READ updateUrl NOTIFY updateChanged)
    Q_PROPERTY(QString updateNotes READ updateNotes NOTIFY updateChanged)
    // "Lancer Corvane à l'ouverture de session": the session's autostart entry. A change that
    // cannot be written shows its error in the window and notifies with the unchanged state.
    Q_PROPERTY(bool launchAtLogin READ launchAtLogin WRITE setLaunchAtLogin NOTIFY launchAtLoginChanged)

public:
    explicit HomeFace(CorvaneModel *model);

    QVariantList recommendations() const;
    QVariantList playlists() const;
    int playlistOrder() const;
    void setPlaylistOrder(int order);
    RecordListModel *libraryTracks() const;
    QVariantList chartAlbums() const;
    QVariantList chartSongs() const;
    QVariantList newReleases() const;
    bool chartsLoaded() const;
    bool isLoadingCharts() const;
    QVariantList recentAlbums() const;
    QVariantList recentPlaylists() const;
    QVariantList rotationAlbums() const;
    QVariantList rotationPlaylists() const;
    QVariantList addedAlbums() const;
    QVariantList addedPlaylists() const;
    QVariantList addedSongs() const;
    QVariantList exploreGenres() const;
    QVariantList exploreStorefronts() const;
    QString exploreGenreID() const;
    QString exploreStorefrontID() const;
    QString exploreStorefrontLabel() const;
    QVariantList countryChoices() const;
    QVariantList genreChoices() const;
    QVariantList exploreSongs() const;
    QVariantList exploreAlbums() const;
    QVariantList explorePlaylists() const;
    bool isLoadingExplore() const;
    bool exploreLoaded() const;
    QVariantList radios() const;
    RecordListModel *history() const;
    QVariantList recentTracks() const;
    QVariantList topArtists() const { return topArtistsOf(10); }
    QVariantList historyTopArtists() const { return topArtistsOf(20); }
    QString greeting() const { return greetingAt(now().time().hour()); }
    QDateTime clock() const { return m_clock; }
    void setClock(const QDateTime &clock);
    QString tip() const { return m_tip; }

    static QString greetingAt(int hour);
    static constexpr int chartSongsPlayed = 25;
    static constexpr int recentTracksShown = 14;
    QString updateVersion() const;
    QUrl updateUrl() const;
    QString updateNotes() const;
    bool launchAtLogin() const;
    void setLaunchAtLogin(bool enabled);

    Q_INVOKABLE void reload();
    // The listening history's rows: play now, add to the queue; the whole history emptied; its
    // missing covers looked for.
    Q_INVOKABLE void playHistoryEntry(int row);
    Q_INVOKABLE void enqueueHistoryEntry(int row);
    Q_INVOKABLE void clearHistory();
    Q_INVOKABLE void repairHistoryArtwork();
    Q_INVOKABLE void playEntry(const QVariant &entry);
    QVariantList topArtistsOf(int limit) const;
    // "Tout lire" of the home charts: the first 25 songs as one list.
    Q_INVOKABLE void playChartSongs();
    // Once per run, when the main window first shows; "J'ai compris" puts the card away.
    Q_INVOKABLE void chooseTip();
    Q_INVOKABLE void dismissTip();
    // "Tout lire" of the explore charts.
    Q_INVOKABLE void playExploreSongs();
    // The hue (0…1) of a station's face when it has no logo; the same on every run.
    Q_INVOKABLE double stationHue(const QString &name) const;
    // An empty id stands for the account's own country, or for every genre.
    Q_INVOKABLE void pickStorefront(const QString &id);
    Q_INVOKABLE void pickGenre(const QString &id);

Q_SIGNALS:
    void homeChanged();
    void personalChanged();
    void exploreChanged();
    void radiosChanged();
    void historyChanged();
    void clockChanged();
    void tipChanged();
    void updateChanged();
    void launchAtLoginChanged();

private:
    QDateTime now() const { return m_clock.isValid() ? m_clock : QDateTime::currentDateTime(); }

    CorvaneModel *m_model;
    QDateTime m_clock;
    QString m_tip;
    bool m_tipChosen = false;
    QTimer m_minute;
};

} // namespace corvane
