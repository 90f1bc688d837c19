#pragma once

#include "applemusic/catalog.h"
#include "async/cancellation.h"
#include "model/faces/browseface.h"
#include "model/faces/homeface.h"
#include "model/faces/householdface.h"
#include "model/faces/playbackface.h"
#include "model/faces/queueface.h"
#include "model/recordlistmodel.h"
#include "model/routes.h"
#include "sonos/records.h"
#include "storage/listeninghistory.h"
#include "storage/preferences.h"

#include <QCoroTask>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace corvane {

class MusicService;
class SonosController;
class SystemPlayback;
class UpdateCheck;

// Everything the user sees: the household, the selection, what plays, the queue, search, the
// home shelves, toasts and errors. Lives on the main thread; network work is awaited from
// main-thread tasks, so state changes only between awaits. Tasks that outlive a command hold the
// model through a QPointer and stop when it is gone.
class CorvaneModel : public QObject
{
    Q_OBJECT

    // The screens read the model by area; each area forwards to the model and holds no state.
    Q_PROPERTY(corvane::HouseholdFace *household READ householdFace CONSTANT)
    Q_PROPERTY(corvane::PlaybackFace *playback READ playbackFace CONSTANT)
    Q_PROPERTY(corvane::QueueFace *queue READ queueFace CONSTANT)
    Q_PROPERTY(corvane::BrowseFace *browse READ browseFace CONSTANT)
    Q_PROPERTY(corvane::HomeFace *home READ homeFace CONSTANT)
    Q_PROPERTY(QString lastAction READ lastActionText NOTIFY lastActionChanged)
    Q_PROPERTY(QString errorMessage READ errorText NOTIFY errorMessageChanged)

public:
    // What the model talks to besides the speakers: the music service (owned elsewhere, outlives
    // the model), the chart feed and radio directory origins, the region of the charts.
    struct Services
    {
        std::shared_ptr<MusicService> music;
        QUrl chartsOrigin;
        QUrl radioOrigin;
        QString chartRegion;
    };

    explicit CorvaneModel(Services services, QObject *parent = nullptr);
    ~CorvaneModel() override;

    HouseholdFace *householdFace() const { return m_householdFace; }
    PlaybackFace *playbackFace() const { return m_playbackFace; }
    QueueFace *queueFace() const { return m_queueFace; }
    BrowseFace *browseFace() const { return m_browseFace; }
    HomeFace *homeFace() const { return m_homeFace; }
    RecordListModel *queueModel() const { return m_queueModel; }
    RecordListModel *trackModel() const { return m_trackModel; }
    RecordListModel *libraryTrackModel() const { return m_libraryModel; }
    RecordListModel *historyModel() const { return m_historyModel; }

    ListeningHistory *history() const { return m_history; }
    SystemPlayback *systemPlayback() const { return m_system; }
    // Shared: a call in flight keeps the service alive after the model has gone.
    std::shared_ptr<MusicService> music() const { return m_services.music; }

    // ---- state and startup
    const QList<Speaker> &speakers() const { return m_speakers; }
    const QList<SonosGroup> &groups() const { return m_groups; }
    const std::optional<Speaker> &selected() const { return m_selected; }
    bool isDiscovering() const { return m_isDiscovering; }
    bool hasSearchedOnce() const { return m_hasSearchedOnce; }
    bool hasCheckedAppleMusic() const { return m_hasCheckedAppleMusic; }
    bool onboardingDone() const { return m_onboardingDone; }
    bool onboardingReplay() const { return m_onboardingReplay; }
    void setOnboardingReplay(bool replay);
    bool launchedWithoutKnownSpeaker() const { return m_launchedWithoutKnownSpeaker; }
    bool setupDismissed() const { return m_setupDismissed; }
    void setSetupDismissed(bool dismissed);
    const std::optional<AppleMusicLink> &link() const { return m_link; }
    bool hasLink() const { return m_link.has_value(); }
    bool musicKitAuthorized() const { return m_musicKitAuthorized; }
    bool connectingMusic() const { return m_connectingMusic; }
    bool needsAppleMusic() const { return m_needsAppleMusic; }
    bool speakerHasLineIn() const { return m_speakerHasLineIn; }
    QStringList localControlOffHosts() const { return m_localControlOffHosts; }
    // The session's first reads (link, volume, tone, favorites, timer, mode, now playing) are in.
    bool hasReadSpeakerState() const { return m_hasReadSpeakerState; }

    SetupState::Value setupState() const;
    // The room (or address) the setup guide names: the selected room when Apple Music is
    // missing, the refusing address when local control is off.
    QString setupRoom() const;
    bool showsSetup() const;

    void refreshSpeakers();
    // The window came to the front: the personal shelves again (throttled) and, while no
    // speaker is known, a new search.
    void windowActivated();
    QCoro::Task<> discoveryRun();
    void finishOnboarding();
    void selectSpeaker(const std::optional<Speaker> &speaker);
    void selectSpeakerByUUID(const QString &uuid);
    std::optional<SonosGroup> currentGroup() const;
    std::unique_ptr<SonosController> coordinatorController() const;
    using SpeakerAction = std::function<QCoro::Task<>(const SonosController &)>;
    // The common path of speaker commands; the task ends when the action and its re-reads have.
    // Store the task before awaiting it: GCC 12 destroys a lambda temporary twice when it is
    // written inside a co_await expression.
    // Only commands that build Apple Music addresses need the household's link; a queue change
    // begun for the command is ended however the command ends.
    enum class Needs { Speaker, MusicLink };
    QCoro::Task<> performOnSpeaker(std::optional<QString> toast, bool selectedSpeakerItself, SpeakerAction action,
                                   Needs needs = Needs::Speaker, std::optional<int> queueToken = std::nullopt);
    // Why a command cannot be sent now (no speaker, no link), before anything is shown as started.
    std::optional<QString> commandRefusal(Needs needs) const;
    // Sends the play mode the switches show; back to the former one when the speaker refuses.
    QCoro::Task<> sendPlayMode(bool wasShuffled, RepeatState wasRepeat);

    std::optional<QString> errorMessage() const { return m_errorMessage; }
    std::optional<QString> lastAction() const { return m_lastAction; }
    void setErrorMessage(const std::optional<QString> &message);
    void showToast(const QString &text);

    // ---- polling
    const NowPlaying &nowPlaying() const { return m_nowPlaying; }
    int ticks() const { return m_ticks; }
    int pollFailures() const { return m_pollFailures; }
    bool speakerUnreachable() const { return m_speakerUnreachable; }
    bool hasPolledOnce() const { return m_hasPolledOnce; }
    int runningPollLoops() const { return m_runningPollLoops; }
    std::optional<QString> nowPlayingQuality() const { return m_nowPlayingQuality; }
    QCoro::Task<> pollOnce();
    void applyNowPlaying(NowPlaying result);
    void pollFailed();
    bool isScrubbing() const;
    void refreshQuality();
    QCoro::Task<> refreshQualityTask();
    void setSystemNowPlaying(bool on);
    bool systemNowPlaying() const { return m_preferences.systemNowPlaying(); }

    // ---- playback
    double volume() const { return m_volume; }
    void setVolume(double volume);
    bool isMuted() const { return m_isMuted; }
    bool isShuffled() const { return m_isShuffled; }
    RepeatState repeatState() const { return m_repeatState; }
    int playbackStarted() const { return m_playbackStarted; }
    std::optional<QString> preparing() const { return m_preparing; }
    void setPreparing(const std::optional<QString> &title);
    std::optional<double> scrubbing() const { return m_scrubbing; }
    void setScrubbing(std::optional<double> position);
    std::optional<bool> playIntent() const { return m_playIntent; }

    QCoro::Task<> playSong(Track track);
    QCoro::Task<> playSongs(QList<Track> tracks, QString title, std::optional<QString> containerKind = {},
                            std::optional<QString> containerID = {});
    QCoro::Task<> addToQueue(Track track);
    QCoro::Task<> addTracksToQueue(QList<Track> tracks);
    QCoro::Task<> playNext(QString kind, QString id, QString title, QString toast);
    QCoro::Task<> togglePlayPause();
    QCoro::Task<> resumePlayback();
    QCoro::Task<> pausePlayback();
    QCoro::Task<> skipToNext();
    QCoro::Task<> skipToPrevious();
    QCoro::Task<> seekToFraction(double fraction);
    QCoro::Task<> seekToSeconds(double seconds);
    void commitVolume();
    QCoro::Task<> toggleMute();
    QCoro::Task<> toggleShuffle();
    QCoro::Task<> cycleRepeat();
    static PlayMode playModeFor(bool shuffled, RepeatState repeat);
    // Refused songs, in the user's words.
    static QString refusedMessage(const QList<Track> &refused, int sent);

    // ---- queue
    const QList<QueueItem> &queue() const { return m_queue; }
    int queueChangeToken() const { return m_queueChangeToken; }
    int expectedQueueCount() const { return m_expectedQueueCount; }
    bool queueChangeLocked() const { return m_queueChangeLocked; }
    const QHash<QString, QUrl> &queueArtwork() const { return m_queueArtwork; }
    QCoro::Task<> refreshQueue();
    void applyQueue(QList<QueueItem> items);
    int beginQueueChange(int expected);
    QCoro::Task<> endQueueChange(int token);
    void rememberArtwork(const QList<Track> &tracks, bool append);
    static QString artworkKey(const QString &title, const QString &artist);
    QCoro::Task<> emptyQueue();
    // Jumps to an entry of the queue and plays from there.
    QCoro::Task<> playQueueEntry(QueueItem item);
    // One song right after the one playing.
    QCoro::Task<> playTrackNext(Track track);
    QCoro::Task<> removeQueueItem(QueueItem item);
    QCoro::Task<> moveQueueItems(QList<int> sourceOffsets, int destination);

    // ---- search and routes
    QString query() const { return m_query; }
    void setQuery(const QString &query);
    SearchScope::Value scope() const { return m_scope; }
    void setScope(SearchScope::Value scope);
    const QList<Track> &tracks() const { return m_tracks; }
    const QList<Album> &albums() const { return m_albums; }
    const QList<Artist> &artists() const { return m_artists; }
    const QList<PlaylistRef> &searchPlaylists() const { return m_searchPlaylists; }
    bool isSearching() const { return m_isSearching; }
    QStringList recentSearches() const { return m_recentSearches; }
    void addRecentSearch(const QString &query);
    void clearRecentSearches();
    // The results shown answer the current text (the search for it has come back).
    bool hasAnsweredQuery() const { return !m_query.trimmed().isEmpty() && m_answeredQuery == m_query; }
    // Enter in the search field: the first song plays; without songs the first tile opens.
    void playFirstResult();
    void returnToResults();
    QVariant routePayload() const;
    // The songs of the detail page shown (album, playlist, or the artist's top songs).
    QList<Track> detailTracks() const;
    const Route &route() const { return m_route; }
    const Route &panelReturn() const { return m_panelReturn; }
    bool isExpanded() const { return m_isExpanded; }
    void setExpanded(bool expanded);
    bool isLoadingDetail() const { return m_isLoadingDetail; }
    const QList<Track> &albumTracks() const { return m_albumTracks; }
    const QList<Track> &playlistTracks() const { return m_playlistTracks; }
    const ArtistDetail &artistDetail() const { return m_artist; }
    void runSearch();
    QCoro::Task<> openAlbum(Album album);
    QCoro::Task<> openPlaylist(PlaylistRef playlist);
    QCoro::Task<> openArtist(Artist artist);
    QCoro::Task<> openArtistNamed(QString name);
    // The artist of an album page: the catalogue's relationship, else a search by name.
    QCoro::Task<> openAlbumArtist(Album album);
    // A recommendation tile: its album or playlist page.
    QCoro::Task<> openMusicItem(MusicItem item);
    void showPanel(RouteKind::Value panel);
    void toggleQueue();
    // Collapses the large view and shows the queue, read again, whatever was shown.
    void openQueue();
    void toggleExplore();
    void setRoute(const Route &route);
    QCoro::Task<> playCatalogItem(MusicItem item);
    // A playlist of the library or the catalogue, by id: its tracks fetched, then played.
    QCoro::Task<> playPlaylistNamed(QString id, QString name);
    // The end of both: what was fetched played as one list, or why nothing plays.
    QCoro::Task<> playFetched(QList<Track> tracks, QString title, QString kind, QString id);

    // ---- home and explore
    QCoro::Task<> connectAppleMusic();
    QCoro::Task<> loadHome();
    QCoro::Task<> loadHomeCharts();
    QCoro::Task<> loadPersonal(bool force);
    QCoro::Task<> loadExploreLists();
    QCoro::Task<> loadExplore();
    QCoro::Task<> enterExplore();
    const QList<Recommendation> &recommendations() const { return m_recommendations; }
    const QList<LibraryPlaylist> &playlists() const { return m_playlists; }
    const QList<Track> &libraryTracks() const { return m_libraryTracks; }
    const QList<Track> &chartSongs() const { return m_chartSongs; }
    bool isLoadingCharts() const { return m_loadingCharts; }
    const QList<Album> &chartAlbums() const { return m_chartAlbums; }
    const QList<Album> &newReleases() const { return m_newReleases; }
    bool chartsLoaded() const { return m_chartsLoaded; }
    const QList<Album> &recentAlbums() const { return m_recentAlbums; }
    const QList<PlaylistRef> &recentPlaylists() const { return m_recentPlaylists; }
    const QList<PlaylistRef> &rotationPlaylists() const { return m_rotationPlaylists; }
    const QList<PlaylistRef> &addedPlaylists() const { return m_addedPlaylists; }
    const QList<Album> &rotationAlbums() const { return m_rotationAlbums; }
    const QList<Album> &addedAlbums() const { return m_addedAlbums; }
    const QList<Track> &addedSongs() const { return m_addedSongs; }
    const QList<GenreRef> &exploreGenres() const { return m_exploreGenres; }
    const QList<StorefrontRef> &exploreStorefronts() const { return m_exploreStorefronts; }
    const QList<Track> &exploreSongs() const { return m_exploreSongs; }
    const QList<Album> &exploreAlbums() const { return m_exploreAlbums; }
    const QList<PlaylistRef> &explorePlaylists() const { return m_explorePlaylists; }
    bool isLoadingExplore() const { return m_isLoadingExplore; }
    bool exploreLoaded() const { return m_exploreLoaded; }
    int exploreToken() const { return m_exploreToken; }
    std::optional<StorefrontRef> accountStorefront() const { return m_accountStorefront; }
    const std::optional<StorefrontRef> &exploreStorefront() const { return m_exploreStorefront; }
    const std::optional<GenreRef> &exploreGenre() const { return m_exploreGenre; }
    QCoro::Task<> pickExploreStorefront(std::optional<StorefrontRef> storefront);
    QCoro::Task<> pickExploreGenre(std::optional<GenreRef> genre);
    QString exploreStorefrontLabel() const;
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

    // ---- the update check: once per launch, against the version manifest at `origin`
    UpdateCheck *updateCheck() const { return m_update; }
    void checkForUpdate(const QUrl &origin);

    // ---- favorites, radio, groups, sound, sleep
    const QList<SonosFavorite> &favorites() const { return m_favorites; }
    bool isFavorite(const QString &trackID) const;
    const QHash<QString, QUrl> &favoriteArtwork() const { return m_favoriteArtwork; }
    const Equalizer &equalizer() const { return m_equalizer; }
    std::optional<BatteryStatus> battery() const { return m_battery; }
    std::optional<int> sleepMinutes() const { return m_sleepMinutes; }
    const QList<RadioStation> &radios() const { return m_radios; }
    QCoro::Task<> refreshFavorites();
    void setFavorites(QList<SonosFavorite> favorites);
    QCoro::Task<> searchFavoriteArtwork();
    QCoro::Task<> startFavorite(SonosFavorite favorite);
    QCoro::Task<> toggleFavorite(Track track);
    QCoro::Task<> playStation(RadioStation station);
    QCoro::Task<> startRadio(Artist artist);
    QCoro::Task<> startLineIn();
    // A member of the group leaves it; any other room joins it. The group is the selected one's
    // unless a group card names its coordinator.
    QCoro::Task<> toggleMembership(Speaker speaker, std::optional<QString> groupCoordinator = {});
    QCoro::Task<> adjustBass(int value);
    QCoro::Task<> adjustTreble(int value);
    QCoro::Task<> toggleLoudness();
    QCoro::Task<> resetEqualizer();
    QCoro::Task<> changeSleepTimer(std::optional<int> minutes);
    QCoro::Task<> repairHistoryArtwork();
    QCoro::Task<> loadRadios(QString countryCode);
    // Asks the coordinator whether it has an audio input (the line-in control shows only then).
    QCoro::Task<> refreshLineIn();

Q_SIGNALS:
    void speakersChanged();
    void groupsChanged();
    void selectedChanged();
    void isDiscoveringChanged();
    void hasSearchedOnceChanged();
    void hasCheckedAppleMusicChanged();
    void onboardingDoneChanged();
    void onboardingReplayChanged();
    void setupDismissedChanged();
    void linkChanged();
    void musicKitAuthorizedChanged();
    void systemNowPlayingChanged();
    void musicStateChanged();
    void needsAppleMusicChanged();
    void speakerHasLineInChanged();
    void setupChanged();
    void nowPlayingChanged();
    void volumeChanged();
    void isMutedChanged();
    void playModeChanged();
    void playbackStartedChanged();
    void preparingChanged();
    void scrubbingChanged();
    void nowPlayingQualityChanged();
    void speakerUnreachableChanged();
    void hasPolledOnceChanged();
    void queueChanged();
    void queueChangeLockedChanged();
    void equalizerChanged();
    void favoritesChanged();
    void batteryChanged();
    void sleepMinutesChanged();
    void radiosChanged();
    void queryChanged();
    void scopeChanged();
    void resultsChanged();
    void isSearchingChanged();
    void recentSearchesChanged();
    void routeChanged();
    void isExpandedChanged();
    void isLoadingDetailChanged();
    void detailChanged();
    void homeChanged();
    void personalChanged();
    void exploreChanged();
    void lastActionChanged();
    void errorMessageChanged();

private:
    template<typename T, typename Signal>
    bool assign(T &field, const T &value, Signal changed)
    {
        if (field == value)
            return false;
        field = value;
        Q_EMIT(this->*changed)();
        return true;
    }
    void setSpeakersAndGroups(const QList<SonosGroup> &groups);
    void applyTopology(const QList<SonosGroup> &groups, const Speaker &answering);
    void chooseSelection();
    void startSession();
    QCoro::Task<> readSpeakerState(std::shared_ptr<SonosController> controller);
    QCoro::Task<> rereadLink();
    QCoro::Task<> pollLoop(CancellationToken token);
    void recordIfNew(const NowPlaying &result);
    QCoro::Task<> enrichHistoryEntry(Track track);
    QString roomForHistory() const;
    void writeNowPlaying(const NowPlaying &value);
    void setOptimisticStart(const Track &track);
    // The listening history only keeps what the speaker accepted.
    QCoro::Task<> recordWhenAccepted(QCoro::Task<> command, Track track);
    QCoro::Task<> postStartCheck();
    QCoro::Task<> sendVolume(CancellationToken token);
    QCoro::Task<> withQueueChange(QCoro::Task<> action, int token);
    QCoro::Task<> sendList(const SonosController &speaker, QList<Track> tracks, QString title,
                           std::optional<QString> containerKind, std::optional<QString> containerID);
    void configureSystem();
    void setQueue(const QList<QueueItem> &items);
    QCoro::Task<> resolveQueueArtwork();
    QCoro::Task<> searchTask(QString query, SearchScope::Value scope, CancellationToken token);
    void beginTrackList(const Route &route, QList<Track> &tracks);
    void finishTrackList(QList<Track> &field, const QList<Track> &tracks);
    void setSearchResults(const QList<Track> &tracks, const QList<Album> &albums, const QList<Artist> &artists,
                          const QList<PlaylistRef> &playlists);
    QCoro::Task<> rereadFavorites();
    QCoro::Task<> repairTask(QList<MissingArtwork> tracks, CancellationToken token);
    QCoro::Task<> clearLater(bool error, QString text);
    QCoro::Task<> afterSuccess(std::optional<QString> toast, bool clearError);
    void setLink(const std::optional<AppleMusicLink> &link);
    void setSelected(const std::optional<Speaker> &speaker);
    void setEqualizer(const Equalizer &equalizer);
    void emitSetup();

    QString lastActionText() const { return m_lastAction.value_or(QString()); }
    QString errorText() const { return m_errorMessage.value_or(QString()); }

    using Clock = std::chrono::steady_clock;

    Services m_services;
    Preferences m_preferences;
    UpdateCheck *m_update = nullptr;
    bool m_updateAsked = false;
    ListeningHistory *m_history = nullptr;
    SystemPlayback *m_system = nullptr;

    // household and setup
    QList<Speaker> m_speakers;
    QList<SonosGroup> m_groups;
    std::optional<Speaker> m_selected;
    bool m_isDiscovering = false;
    bool m_hasSearchedOnce = false;
    bool m_hasCheckedAppleMusic = false;
    bool m_onboardingDone = false;
    bool m_onboardingReplay = false;
    bool m_launchedWithoutKnownSpeaker = true;
    bool m_setupDismissed = false;
    std::optional<AppleMusicLink> m_link;
    bool m_musicKitAuthorized = false;
    bool m_loadingCharts = false;
    bool m_connectingMusic = false;
    bool m_needsAppleMusic = false;
    bool m_speakerHasLineIn = false;
    bool m_hasReadSpeakerState = false;
    // Counts the sessions: a read of an ended session lands nowhere.
    int m_session = 0;
    QStringList m_localControlOffHosts;
    std::unique_ptr<CancellationSource> m_discovery;

    // playback
    NowPlaying m_nowPlaying;
    double m_volume = 20.0;
    bool m_isMuted = false;
    bool m_isShuffled = false;
    RepeatState m_repeatState = RepeatState::Off;
    std::optional<bool> m_playIntent;
    std::optional<Clock::time_point> m_playIntentUntil;
    int m_playbackStarted = 0;
    std::optional<QString> m_preparing;
    std::optional<double> m_scrubbing;
    std::optional<Clock::time_point> m_scrubbingStartedAt;
    std::optional<QString> m_nowPlayingQuality;
    QHash<QString, std::optional<QString>> m_qualityCache;
    std::optional<QString> m_lastRecordedTrackID;
    bool m_firstReading = true;
    bool m_hasPolledOnce = false;
    int m_ticks = 0;
    int m_pollFailures = 0;
    bool m_speakerUnreachable = false;
    int m_runningPollLoops = 0;
    std::unique_ptr<CancellationSource> m_pollTask;
    std::unique_ptr<CancellationSource> m_volumeTask;

    // queue
    QList<QueueItem> m_queue;
    QHash<QString, QUrl> m_queueArtwork;
    QSet<QString> m_resolvedSongIDs;
    int m_queueChangeToken = 0;
    int m_expectedQueueCount = 0;
    bool m_queueChangeLocked = false;
    RecordListModel *m_queueModel = nullptr;

    // sound, favorites, radio, sleep
    Equalizer m_equalizer{0, 0, true};
    QList<SonosFavorite> m_favorites;
    QHash<QString, QUrl> m_favoriteArtwork;
    QHash<QString, int> m_favoriteArtworkAttempts;
    QSet<QString> m_favoriteArtworkSearching;
    std::unique_ptr<CancellationSource> m_artworkRepair;
    std::optional<BatteryStatus> m_battery;
    std::optional<int> m_sleepMinutes;
    QList<RadioStation> m_radios;

    // search and navigation
    QString m_query;
    SearchScope::Value m_scope = SearchScope::All;
    QList<Track> m_tracks;
    QList<Album> m_albums;
    QList<Artist> m_artists;
    QList<PlaylistRef> m_searchPlaylists;
    RecordListModel *m_trackModel = nullptr;
    bool m_isSearching = false;
    QStringList m_recentSearches;
    QString m_answeredQuery;
    Route m_route;
    Route m_panelReturn;
    bool m_isExpanded = false;
    QList<Track> m_albumTracks;
    QList<Track> m_playlistTracks;
    ArtistDetail m_artist;
    bool m_isLoadingDetail = false;
    std::optional<Artist> m_pendingArtist;
    std::unique_ptr<CancellationSource> m_searchTask;

    // home and explore
    QList<Recommendation> m_recommendations;
    QList<LibraryPlaylist> m_playlists;
    QList<Track> m_libraryTracks;
    RecordListModel *m_libraryModel = nullptr;
    QList<Album> m_newReleases;
    QList<Album> m_chartAlbums;
    QList<Track> m_chartSongs;
    bool m_chartsLoaded = false;
    QList<GenreRef> m_exploreGenres;
    QList<StorefrontRef> m_exploreStorefronts;
    std::optional<GenreRef> m_exploreGenre;
    std::optional<StorefrontRef> m_exploreStorefront;
    QList<Track> m_exploreSongs;
    QList<Album> m_exploreAlbums;
    QList<PlaylistRef> m_explorePlaylists;
    bool m_isLoadingExplore = false;
    bool m_exploreLoaded = false;
    int m_exploreToken = 0;
    std::optional<StorefrontRef> m_accountStorefront;
    QList<Album> m_recentAlbums;
    QList<PlaylistRef> m_recentPlaylists;
    QList<Album> m_rotationAlbums;
    QList<PlaylistRef> m_rotationPlaylists;
    QList<Album> m_addedAlbums;
    QList<Track> m_addedSongs;
    QList<PlaylistRef> m_addedPlaylists;
    PlaylistOrder m_playlistOrder = PlaylistOrder::Name;
    QHash<QString, QDateTime> m_playlistPlays;
    std::optional<Clock::time_point> m_lastPersonalLoad;
    RecordListModel *m_historyModel = nullptr;

    // the screens' faces
    HouseholdFace *m_householdFace = nullptr;
    PlaybackFace *m_playbackFace = nullptr;
    QueueFace *m_queueFace = nullptr;
    BrowseFace *m_browseFace = nullptr;
    HomeFace *m_homeFace = nullptr;

    // toasts and errors
    std::optional<QString> m_lastAction;
    std::optional<QString> m_errorMessage;
    int m_errorSerial = 0;
    int m_toastSerial = 0;
};

} // namespace corvane
