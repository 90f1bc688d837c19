#pragma once

#include <QObject>
#include <QStringList>
#include <QVariant>

namespace corvane {

class CorvaneModel;
class RecordListModel;

// The search field, its results, the centre area's route and the detail pages.
class BrowseFace : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString query READ query WRITE setQuery NOTIFY queryChanged)
    Q_PROPERTY(int scope READ scope WRITE setScope NOTIFY scopeChanged)
    Q_PROPERTY(corvane::RecordListModel *tracks READ tracks CONSTANT)
    Q_PROPERTY(QVariantList albums READ albums NOTIFY resultsChanged)
    Q_PROPERTY(QVariantList artists READ artists NOTIFY resultsChanged)
    Q_PROPERTY(QVariantList playlists READ playlists NOTIFY resultsChanged)
    Q_PROPERTY(bool isSearching READ isSearching NOTIFY isSearchingChanged)
    // The search for the current text and scope has answered, and found nothing.
    Q_PROPERTY(bool foundNothing READ foundNothing NOTIFY foundNothingChanged)
    Q_PROPERTY(QStringList recentSearches READ recentSearches NOTIFY recentSearchesChanged)
    Q_PROPERTY(int route READ route NOTIFY routeChanged)
    Q_PROPERTY(QVariant routePayload READ routePayload NOTIFY routeChanged)
    // The page's record, or an empty one of the same kind while another page shows (a page
    // leaving the screen still reads its fields during the transition).
    Q_PROPERTY(QVariant album READ album NOTIFY routeChanged)
    Q_PROPERTY(QVariant artist READ artist NOTIFY routeChanged)
    Q_PROPERTY(QVariant playlist READ playlist NOTIFY routeChanged)
    // Another screen is shown while a search has results to return to.
    Q_PROPERTY(bool canReturnToResults READ canReturnToResults NOTIFY canReturnToResultsChanged)
    Q_PROPERTY(bool isLoadingDetail READ isLoadingDetail NOTIFY isLoadingDetailChanged)
    Q_PROPERTY(QVariantList detailTracks READ detailTracks NOTIFY detailChanged)
    Q_PROPERTY(QVariantList artistAlbums READ artistAlbums NOTIFY detailChanged)
    Q_PROPERTY(QVariantList artistSingles READ artistSingles NOTIFY detailChanged)
    Q_PROPERTY(QVariantList artistAppearsOn READ artistAppearsOn NOTIFY detailChanged)
    Q_PROPERTY(QVariantList artistSimilar READ artistSimilar NOTIFY detailChanged)
    Q_PROPERTY(QVariantList artistPlaylists READ artistPlaylists NOTIFY detailChanged)
    Q_PROPERTY(QVariant artistLatest READ artistLatest NOTIFY detailChanged)
    Q_PROPERTY(bool artistIsEmpty READ artistIsEmpty NOTIFY detailChanged)

public:
    explicit BrowseFace(CorvaneModel *model);

    QString query() const;
    void setQuery(const QString &query);
    int scope() const;
    void setScope(int scope);
    RecordListModel *tracks() const;
    QVariantList albums() const;
    QVariantList artists() const;
    QVariantList playlists() const;
    bool isSearching() const;
    bool foundNothing() const;
    QStringList recentSearches() const;
    int route() const;
    QVariant routePayload() const;
    QVariant album() const;
    QVariant artist() const;
    QVariant playlist() const;
    bool canReturnToResults() const;
    bool isLoadingDetail() const;
    QVariantList detailTracks() const;
    QVariantList artistAlbums() const;
    QVariantList artistSingles() const;
    QVariantList artistAppearsOn() const;
    QVariantList artistSimilar() const;
    QVariantList artistPlaylists() const;
    QVariant artistLatest() const;
    bool artistIsEmpty() const;

    Q_INVOKABLE void openAlbum(const QVariant &album);
    Q_INVOKABLE void openAlbumArtist(const QVariant &album);
    Q_INVOKABLE void openPlaylist(const QVariant &playlist);
    Q_INVOKABLE void openArtist(const QVariant &artist);
    Q_INVOKABLE void openArtistNamed(const QString &name);
    // A recommendation tile or a library playlist: its page.
    Q_INVOKABLE void openItem(const QVariant &item);
    Q_INVOKABLE void showPanel(int route);
    Q_INVOKABLE void toggleQueue();
    Q_INVOKABLE void openQueue();
    Q_INVOKABLE void toggleExplore();
    Q_INVOKABLE void returnToResults();
    Q_INVOKABLE void clearRecentSearches();
    // Enter in the search field.
    Q_INVOKABLE void playFirstResult();
    // "Tout lire": every song found, as one list.
    Q_INVOKABLE void playAllSongs();
    // The detail page shown, whole: an album or playlist as its container, an artist's top songs.
    Q_INVOKABLE void playPage();
    Q_INVOKABLE void playPageNext();
    Q_INVOKABLE void enqueuePage();

Q_SIGNALS:
    void queryChanged();
    void scopeChanged();
    void resultsChanged();
    void isSearchingChanged();
    void foundNothingChanged();
    void recentSearchesChanged();
    void routeChanged();
    void canReturnToResultsChanged();
    void isLoadingDetailChanged();
    void detailChanged();

private:
    CorvaneModel *m_model;
};

} // namespace corvane
