// The search field: searches as the person types, its results and recent searches.

#include "browse.h"

#include "applemusic/publiccatalog.h"

#include "applemusic/applemusickit.h"
#include "applemusic/musicservice.h"
#include "async/delays.h"
#include "async/tasks.h"
#include "base/text.h"
#include "model/field.h"
#include "model/household.h"
#include "model/notices.h"
#include "model/playback.h"
#include "model/recordlistmodel.h"

#include <QPointer>

namespace corvane {

namespace {

constexpr int searchLimit = 25;
constexpr int recentSearchLimit = 8;

// Spaces and tabs only: a line break typed into the field is kept.
QString trimmedSpaces(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (start < end && blank(text.at(start)))
        ++start;
    while (end > start && blank(text.at(end - 1)))
        --end;
    return text.mid(start, end - start);
}

} // namespace

void Browse::setQuery(const QString &query)
{
    if (assign(this, m_query, query, &Browse::queryChanged))
        runSearch();
}

void Browse::setScope(SearchScope::Value scope)
{
    if (assign(this, m_scope, scope, &Browse::scopeChanged))
        runSearch();
}

void Browse::setSearchResults(const QList<Track> &tracks, const QList<Album> &albums, const QList<Artist> &artists,
                                    const QList<PlaylistRef> &playlists)
{
    bool changed = false;
    if (m_tracks != tracks) {
        m_tracks = tracks;
        m_trackModel->assign(m_tracks);
        changed = true;
    }
    if (m_albums != albums || m_artists != artists || m_playlists != playlists) {
        m_albums = albums;
        m_artists = artists;
        m_playlists = playlists;
        changed = true;
    }
    if (changed)
        Q_EMIT resultsChanged();
}

void Browse::runSearch()
{
    if (m_searchTask)
        m_searchTask->cancel();
    m_answeredQuery.clear();
    if (trimmedSpaces(m_query).isEmpty()) {
        setSearchResults({}, {}, {}, {});
        assign(this, m_isSearching, false, &Browse::isSearchingChanged);
        setRoute(Route::results());
        return;
    }
    m_searchTask = std::make_unique<CancellationSource>();
    searchTask(m_query, m_scope, m_searchTask->token());
}

QCoro::Task<> Browse::searchTask(QString query, SearchScope::Value scope, CancellationToken token)
{
    QPointer<Browse> self(this);
    const std::shared_ptr<MusicService> service = m_music;
    // Apple's public search allows each address a few requests a minute: typing waits longer.
    PublicCatalog *open = service ? service->publicCatalog() : nullptr;
    const bool waited = co_await sleep(open ? delays().publicSearchDebounce : delays().searchDebounce, token);
    if (!self || !waited)
        co_return; // a newer keystroke took over
    assign(this, m_isSearching, true, &Browse::isSearchingChanged);
    setRoute(Route::results());
    if (!service || (service->authorizationStatus() != MusicService::Status::Authorized && !open)) {
        setSearchResults({}, {}, {}, {});
        assign(this, m_isSearching, false, &Browse::isSearchingChanged);
        m_household->setNeedsAppleMusic(true);
        co_return;
    }
    m_household->setNeedsAppleMusic(false);
    // The catalogue's playlists are not in the public search: nothing to ask for them.
    if (open && scope == SearchScope::Playlists) {
        setSearchResults({}, {}, {}, {});
        m_answeredQuery = query;
        assign(this, m_isSearching, false, &Browse::isSearchingChanged);
        co_return;
    }
    const PublicCatalog::Kind kind = scope == SearchScope::Albums    ? PublicCatalog::Kind::Albums
                                     : scope == SearchScope::Artists ? PublicCatalog::Kind::Artists
                                                                     : PublicCatalog::Kind::All;
    const AppleMusicKit::SearchResults results = co_await AppleMusicKit::search(service.get(), query, searchLimit, kind);
    if (!self || m_query != query || m_scope != scope || token.isCancelled())
        co_return; // stale: the field has moved on
    if (open && !open->lastFailure().isEmpty()) {
        // Refused or unreachable: say so, keep what was shown, and try again in a moment
        // unless the person typed something else meanwhile.
        m_notices->setErrorMessage(open->lastFailure());
        assign(this, m_isSearching, false, &Browse::isSearchingChanged);
        if (open->isThrottled()) {
            const bool again = co_await sleep(delays().publicSearchRetry, token);
            if (self && again && m_query == query && m_scope == scope)
                runSearch();
        }
        co_return;
    }
    const bool all = scope == SearchScope::All;
    setSearchResults(all || scope == SearchScope::Tracks ? results.songs : QList<Track>(),
                     all || scope == SearchScope::Albums ? results.albums : QList<Album>(),
                     all || scope == SearchScope::Artists ? results.artists : QList<Artist>(),
                     all || scope == SearchScope::Playlists ? results.playlists : QList<PlaylistRef>());
    m_notices->setErrorMessage(std::nullopt);
    addRecentSearch(query);
    m_answeredQuery = query;
    assign(this, m_isSearching, false, &Browse::isSearchingChanged);
}

void Browse::addRecentSearch(const QString &query)
{
    const QString text = trimmedSpaces(query);
    if (text.size() < 2)
        return;
    QStringList recent = m_recentSearches;
    recent.removeIf([&text](const QString &entry) { return entry.compare(text, Qt::CaseInsensitive) == 0; });
    recent.prepend(text);
    while (recent.size() > recentSearchLimit)
        recent.removeLast();
    assign(this, m_recentSearches, recent, &Browse::recentSearchesChanged);
}

void Browse::clearRecentSearches()
{
    assign(this, m_recentSearches, QStringList(), &Browse::recentSearchesChanged);
}

void Browse::playFirstResult()
{
    if (!m_tracks.isEmpty()) {
        m_playback->playSong(m_tracks.first());
        return;
    }
    // The sections' order on screen: artists, albums, playlists.
    if (!m_artists.isEmpty())
        showArtist(m_artists.first());
    else if (!m_albums.isEmpty())
        showAlbum(m_albums.first());
    else if (!m_playlists.isEmpty())
        showPlaylist(m_playlists.first());
}

} // namespace corvane
