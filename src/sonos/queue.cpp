// Queue operations of SonosController: every Apple Music playback goes through the group's queue.
#include "sonoscontroller.h"

#include "async/tasks.h"
#include "base/corvaneerror.h"
#include "base/text.h"

#include <QCoreApplication>

namespace corvane {

namespace {
const QString kInstance = QStringLiteral("<InstanceID>0</InstanceID>");

std::optional<int> captureNumber(const QString &pattern, const QString &text)
{
    const auto captured = firstCapture(pattern, text);
    if (!captured)
        return std::nullopt;
    bool ok = false;
    const int value = captured->toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}
} // namespace

QCoro::Task<QString> SonosController::addURIToQueue(QString uri, QString metadata, int desiredFirst,
                                                    bool asNext) const
{
    const QString body = kInstance + QStringLiteral("<EnqueuedURI>") + xmlEscape(uri)
        + QStringLiteral("</EnqueuedURI><EnqueuedURIMetaData>") + xmlEscape(metadata)
        + QStringLiteral("</EnqueuedURIMetaData><DesiredFirstTrackNumberEnqueued>") + QString::number(desiredFirst)
        + QStringLiteral("</DesiredFirstTrackNumberEnqueued><EnqueueAsNext>") + (asNext ? QStringLiteral("1") : QStringLiteral("0"))
        + QStringLiteral("</EnqueueAsNext>");
    QString reply = co_await soap(upnp::avTransport, QStringLiteral("AddURIToQueue"), body);
    co_return reply;
}

QCoro::Task<> SonosController::setTransportURI(QString uri, QString metadata) const
{
    const QString body = kInstance + QStringLiteral("<CurrentURI>") + xmlEscape(uri)
        + QStringLiteral("</CurrentURI><CurrentURIMetaData>") + xmlEscape(metadata)
        + QStringLiteral("</CurrentURIMetaData>");
    co_await soap(upnp::avTransport, QStringLiteral("SetAVTransportURI"), body);
}

QCoro::Task<> SonosController::clearQueue() const
{
    try {
        co_await soap(upnp::avTransport, QStringLiteral("RemoveAllTracksFromQueue"), kInstance);
    } catch (const CorvaneError &error) {
        // 804: the queue was already empty, which is what was asked.
        if (!error.isRefusal(QLatin1String("804")))
            throw;
    }
}

QCoro::Task<> SonosController::setQueueAsSource() const
{
    co_await setTransportURI(QStringLiteral("x-rincon-queue:") + m_speaker.uuid + QStringLiteral("#0"), QString());
}

QCoro::Task<std::optional<int>> SonosController::enqueue(Track track, AppleMusicLink link) const
{
    const QString reply = co_await addURIToQueue(link.trackURI(track.id), link.trackMetadata(track), 0, false);
    co_return captureNumber(QStringLiteral("<FirstTrackNumberEnqueued>(\\d+)</FirstTrackNumberEnqueued>"), reply);
}

QCoro::Task<> SonosController::playTrack(Track track, AppleMusicLink link) const
{
    co_await clearQueue();
    co_await enqueue(track, link);
    co_await setQueueAsSource();
    co_await play();
}

QCoro::Task<QList<Track>> SonosController::playAll(QList<Track> tracks, AppleMusicLink link) const
{
    QList<Track> refused;
    if (tracks.isEmpty())
        co_return refused;
    co_await playTrack(tracks.first(), link);
    for (qsizetype i = 1; i < tracks.size(); ++i) {
        bool added = false;
        for (int attempt = 0; attempt < 2 && !added; ++attempt) {
            if (attempt > 0) {
                const bool waited = co_await sleep(delays().enqueueRetry, m_token);
                if (!waited)
                    throw CorvaneError::network(QCoreApplication::translate("Network", "La demande a été annulée."));
            }
            try {
                co_await enqueue(tracks.at(i), link);
                added = true;
            } catch (const CorvaneError &) {
                if (m_token.isCancelled())
                    throw;
            }
        }
        if (!added)
            refused.append(tracks.at(i));
    }
    co_return refused;
}

QCoro::Task<std::optional<int>> SonosController::playContainer(QString kind, QString id, QString title,
                                                               AppleMusicLink link) const
{
    co_await clearQueue();
    const QString reply = co_await addURIToQueue(link.containerURI(kind, id), link.containerMetadata(kind, id, title), 0, false);
    const auto added = captureNumber(QStringLiteral("<NumTracksAdded>(\\d+)</NumTracksAdded>"), reply);
    if (!added || *added <= 0)
        co_return std::nullopt;
    co_await setQueueAsSource();
    co_await play();
    co_return added;
}

QCoro::Task<std::optional<int>> SonosController::insertContainerNext(QString kind, QString id, QString title,
                                                                     AppleMusicLink link) const
{
    int position = 1;
    try {
        const int current = co_await currentTrackNumber();
        position = current + 1;
    } catch (const CorvaneError &) {
        if (m_token.isCancelled())
            throw;
    }
    const QString reply = co_await addURIToQueue(link.containerURI(kind, id), link.containerMetadata(kind, id, title), position, true);
    co_return captureNumber(QStringLiteral("<NumTracksAdded>(\\d+)</NumTracksAdded>"), reply);
}

QCoro::Task<std::optional<int>> SonosController::enqueueNext(Track track, AppleMusicLink link) const
{
    const int current = co_await currentTrackNumber();
    const QString reply = co_await addURIToQueue(link.trackURI(track.id), link.trackMetadata(track), current + 1, true);
    co_return captureNumber(QStringLiteral("<FirstTrackNumberEnqueued>(\\d+)</FirstTrackNumberEnqueued>"), reply);
}

QCoro::Task<int> SonosController::currentTrackNumber() const
{
    const QString reply = co_await soap(upnp::avTransport, QStringLiteral("GetPositionInfo"), kInstance);
    co_return captureNumber(QStringLiteral("<Track>(\\d+)</Track>"), reply).value_or(0);
}

QCoro::Task<> SonosController::removeFromQueue(int position) const
{
    co_await soap(upnp::avTransport, QStringLiteral("RemoveTrackFromQueue"),
                  kInstance + QStringLiteral("<ObjectID>Q:0/") + QString::number(position)
                      + QStringLiteral("</ObjectID><UpdateID>0</UpdateID>"));
}

QCoro::Task<> SonosController::reorderQueue(int startingIndex, int numberOfTracks, int insertBefore) const
{
    co_await soap(upnp::avTransport, QStringLiteral("ReorderTracksInQueue"),
                  kInstance + QStringLiteral("<StartingIndex>") + QString::number(startingIndex)
                      + QStringLiteral("</StartingIndex><NumberOfTracks>") + QString::number(numberOfTracks)
                      + QStringLiteral("</NumberOfTracks><InsertBefore>") + QString::number(insertBefore)
                      + QStringLiteral("</InsertBefore><UpdateID>0</UpdateID>"));
}

} // namespace corvane
