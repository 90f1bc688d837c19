#pragma once

#include "applemusic/catalog.h"
#include "async/cancellation.h"
#include "async/clock.h"
#include "base/preferences.h"
#include "base/records.h"
#include "model/recordlistmodel.h"
#include "storage/listeninghistory.h"

#include <QCoroTask>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QTimer>
#include <QUrl>
#include <QVariant>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace corvane {

class Household;
class MusicService;
class Notices;
class Playback;
class Queue;
class UpdateCheck;

// The home shelves, the explore page, the radio stations, the listening history's views, the
// feature tip and the update notice.
class Home : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QVariantList recommendations READ recommendationList NOTIFY homeChanged)
    Q_PROPERTY(QVariantList playlists READ playlistList NOTIFY homeChanged)
    Q_PROPERTY(int playlistOrder READ playlistOrderValue WRITE setPlaylistOrderValue NOTIFY homeChanged)
    Q_PROPERTY(corvane::RecordListModel *libraryTracks READ libraryModel CONSTANT)
    Q_PROPERTY(QVariantList chartAlbums READ chartAlbumList NOTIFY homeChanged)
    Q_PROPERTY(QVariantList chartSongs READ chartSongList NOTIFY homeChanged)
    Q_PROPERTY(QVariantList newReleases READ newReleaseList NOTIFY homeChanged)
    Q_PROPERTY(bool chartsLoaded READ chartsLoaded NOTIFY homeChanged)
    Q_PROPERTY(bool isLoadingCharts READ isLoadingCharts NOTIFY homeChanged)
    Q_PROPERTY(QVariantList recentAlbums READ recentAlbumList NOTIFY personalChanged)
    Q_PROPERTY(QVariantList recentPlaylists READ recentPlaylistList NOTIFY personalChanged)
    Q_PROPERTY(QVariantList rotationAlbums READ rotationAlbumList NOTIFY personalChanged)
    Q_PROPERTY(QVariantList rotationPlaylists READ rotationPlaylistList NOTIFY personalChanged)
    Q_PROPERTY(QVariantList addedAlbums READ addedAlbumList NOTIFY personalChanged)
    Q_PROPERTY(QVariantList addedPlaylists READ addedPlaylistList NOTIFY personalChanged)
    Q_PROPERTY(QVariantList addedSongs READ addedSongList NOTIFY personalChanged)
    Q_PROPERTY(QString exploreGenreID READ exploreGenreID NOTIFY exploreChanged)
    Q_PROPERTY(QString exploreStorefrontID READ exploreStorefrontID NOTIFY exploreChanged)
    Q_PROPERTY(QString exploreStorefrontLabel READ exploreStorefrontLabel NOTIFY exploreChanged)
    // The choosers' entries, each {label, id}: "Mon pays" then the country codes; "Tous" then
    // the genres.
    Q_PROPERTY(QVariantList countryChoices READ countryChoices NOTIFY exploreChanged)
    Q_PROPERTY(QVariantList genreChoices READ genreChoices NOTIFY exploreChanged)
    Q_PROPERTY(QVariantList exploreSongs READ exploreSongList NOTIFY exploreChanged)
    Q_PROPERTY(QVariantList exploreAlbums READ exploreAlbumList NOTIFY exploreChanged)
    Q_PROPERTY(QVariantList explorePlaylists READ explorePlaylistList NOTIFY exploreChanged)
    Q_PROPERTY(bool isLoadingExplore READ isLoadingExplore NOTIFY exploreChanged)
    Q_PROPERTY(bool exploreLoaded READ exploreLoaded NOTIFY exploreChanged)
    Q_PROPERTY(QVariantList radios READ radioList NOTIFY radiosChanged)
    Q_PROPERTY(corvane::RecordListModel *history READ historyModel CONSTANT)
    // The last tracks played, one entry per track, newest first (at most 14).
    Q_PROPERTY(QVariantList recentTracks READ recentTracks NOTIFY historyChanged)
    // The most played artists of the history, each {name, plays, artwork}; the history screen's
    // list is longer.
    Q_PROPERTY(QVariantList topArtists READ topArtists NOTIFY historyChanged)
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
    struct Services
    {
        std::shared_ptr<MusicService> music;
        QUrl chartsOrigin;
        QUrl radioOrigin;
        // The country of the charts and stations; empty for the locale's.
        QString chartRegion;
        ListeningHistory *history = nullptr;
        UpdateCheck *update = nullptr;
    };

    Home(Services services, Household *household, Notices *notices, Playback *playback, Queue *queue, QObject *parent = nullptr);
    ~Home() override;

    QCoro::Task<> loadHome();
    QCoro::Task<> loadHomeCharts();
    QCoro::Task<> loadPersonal(bool force);
    QCoro::Task<> loadExploreLists();
    QCoro::Task<> loadExplore();
    QCoro::Task<> enterExplore();
    QCoro::Task<> pickExploreStorefront(std::optional<StorefrontRef> storefront);
    QCoro::Task<> pickExploreGenre(std::optional<GenreRef> genre);
    QCoro::Task<> loadRadios(QString countryCode);
    QCoro::Task<> repairHistoryArtwork();
    // Once per launch, against the version manifest at `origin`.
    void checkForUpdate(const QUrl &origin);

    const QList<Recommendation> &recommendations() const { return m_recommendations; }
    const QList<LibraryPlaylist> &playlists() const { return m_playlists; }
    const QList<Track> &libraryTracks() const { return m_libraryTracks; }
    const QList<Track> &chartSongs() const { return m_chartSongs; }
    const QList<Album> &chartAlbums() const { return m_chartAlbums; }
    const QList<Album> &newReleases() const { return m_newReleases; }
    bool chartsLoaded() const { return m_chartsLoaded; }
    bool isLoadingCharts() const { return m_loadingCharts; }
    const QList<Album> &recentAlbums() const { return m_recentAlbums; }
    const QList<Album> &rotationAlbums() const { return m_rotationAlbums; }
    const QList<Album> &addedAlbums() const { return m_addedAlbums; }
    const QList<GenreRef> &exploreGenres() const { return m_exploreGenres; }
    const QList<StorefrontRef> &exploreStorefronts() const { return m_exploreStorefronts; }
    const QList<Track> &exploreSongs() const { return m_exploreSongs; }
    const QList<Album> &exploreAlbums() const { return m_exploreAlbums; }
    const QList<PlaylistRef> &explorePlaylists() const { return m_explorePlaylists; }
    bool isLoadingExplore() const { return m_isLoadingExplore; }
    bool exploreLoaded() const { return m_exploreLoaded; }
    std::optional<StorefrontRef> accountStorefront() const { return m_accountStorefront; }
    const std::optional<StorefrontRef> &exploreStorefront() const { return m_exploreStorefront; }
    const std::optional<GenreRef> &exploreGenre() const { return m_exploreGenre; }
    QString exploreStorefrontLabel() const;
    const QList<RadioStation> &radios() const { return m_radios; }
    // The country of the charts and radio stations: the configured one, else the locale's.
    QString region() const;

    PlaylistOrder playlistOrder() const { return m_playlistOrder; }
    void setPlaylistOrder(PlaylistOrder order);
    QList<LibraryPlaylist> sortedPlaylists() const;
    // Stable: equal names, and playlists played at the same moment, keep their order.
    static QList<LibraryPlaylist> sortPlaylists(QList<LibraryPlaylist> playlists, PlaylistOrder order,
                                                const QHash<QString, QDateTime> &plays);
    const QHash<QString, QDateTime> &playlistPlays() const { return m_playlistPlays; }
    void recordPlaylistPlay(const QString &playlistID);

    QVariantList recentTracks() const;
    QVariantList topArtists() const { return topArtistsOf(10); }
    QVariantList historyTopArtists() const { return topArtistsOf(20); }
    QVariantList topArtistsOf(int limit) const;
    QString greeting() const { return greetingAt(now().time().hour()); }
    static QString greetingAt(int hour);
    QDateTime clock() const { return m_clock; }
    void setClock(const QDateTime &clock);
    QString tip() const { return m_tip; }
    QString updateVersion() const;
    QUrl updateUrl() const;
    QString updateNotes() const;
    bool launchAtLogin() const;
    void setLaunchAtLogin(bool enabled);
    static constexpr int chartSongsPlayed = 25;
    static constexpr int recentTracksShown = 14;

    Q_INVOKABLE void reload();
    // The listening history's rows: play now, add to the queue; the whole history emptied; its
    // missing covers looked for.
    Q_INVOKABLE void playHistoryEntry(int row);
    Q_INVOKABLE void enqueueHistoryEntry(int row);
    Q_INVOKABLE void playEntry(const corvane::HistoryEntry &entry);
    Q_INVOKABLE void clearHistory();
    Q_INVOKABLE void repairArtwork() { repairHistoryArtwork(); }
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
    QVariantList recommendationList() const;
    QVariantList playlistList() const;
    int playlistOrderValue() const { return int(m_playlistOrder); }
    void setPlaylistOrderValue(int order) { setPlaylistOrder(PlaylistOrder(order)); }
    RecordListModel *libraryModel() const { return m_libraryModel; }
    RecordListModel *historyModel() const { return m_historyModel; }
    QVariantList chartAlbumList() const;
    QVariantList chartSongList() const;
    QVariantList newReleaseList() const;
    QVariantList recentAlbumList() const;
    QVariantList recentPlaylistList() const;
    QVariantList rotationAlbumList() const;
    QVariantList rotationPlaylistList() const;
    QVariantList addedAlbumList() const;
    QVariantList addedPlaylistList() const;
    QVariantList addedSongList() const;
    QString exploreGenreID() const;
    QString exploreStorefrontID() const;
    QVariantList countryChoices() const;
    QVariantList genreChoices() const;
    QVariantList exploreSongList() const;
    QVariantList exploreAlbumList() const;
    QVariantList explorePlaylistList() const;
    QVariantList radioList() const;
    QCoro::Task<> repairTask(QList<MissingArtwork> tracks, CancellationToken token);

    Services m_services;
    Household *m_household;
    Notices *m_notices;
    Playback *m_playback;
    Queue *m_queue;
    Preferences m_preferences;

    QList<Recommendation> m_recommendations;
    QList<LibraryPlaylist> m_playlists;
    QList<Track> m_libraryTracks;
    RecordListModel *m_libraryModel;
    PlaylistOrder m_playlistOrder = PlaylistOrder::Name;
    QHash<QString, QDateTime> m_playlistPlays;
    QList<Album> m_newReleases;
    QList<Album> m_chartAlbums;
    QList<Track> m_chartSongs;
    bool m_chartsLoaded = false;
    bool m_loadingCharts = false;
    QList<Album> m_recentAlbums;
    QList<PlaylistRef> m_recentPlaylists;
    QList<Album> m_rotationAlbums;
    QList<PlaylistRef> m_rotationPlaylists;
    QList<Album> m_addedAlbums;
    QList<Track> m_addedSongs;
    QList<PlaylistRef> m_addedPlaylists;
    std::optional<SteadyTime> m_lastPersonalLoad;

    QList<GenreRef> m_exploreGenres;
    QList<StorefrontRef> m_exploreStorefronts;
    std::optional<GenreRef> m_exploreGenre;
    std::optional<StorefrontRef> m_exploreStorefront;
    std::optional<StorefrontRef> m_accountStorefront;
    QList<Track> m_exploreSongs;
    QList<Album> m_exploreAlbums;
    QList<PlaylistRef> m_explorePlaylists;
    bool m_isLoadingExplore = false;
    bool m_exploreLoaded = false;
    int m_exploreToken = 0;
    QList<RadioStation> m_radios;

    RecordListModel *m_historyModel;
    std::unique_ptr<CancellationSource> m_artworkRepair;
    QDateTime m_clock;
    QTimer m_minute;
    QString m_tip;
    bool m_tipChosen = false;
    bool m_updateAsked = false;
};

} // namespace corvane
