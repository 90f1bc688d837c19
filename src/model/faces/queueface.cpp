#include "queueface.h"

#include "model/corvanemodel.h"

namespace corvane {

QueueFace::QueueFace(CorvaneModel *model)
    : QObject(model)
    , m_model(model)
{
    connect(model, &CorvaneModel::queueChanged, this, &QueueFace::queueChanged);
    connect(model, &CorvaneModel::queueChangeLockedChanged, this, &QueueFace::changeLockedChanged);
    // nowPlaying changes every second; the position only now and then.
    connect(model, &CorvaneModel::nowPlayingChanged, this, [this] {
        const int position = currentPosition();
        if (position != m_currentPosition) {
            m_currentPosition = position;
            Q_EMIT currentPositionChanged();
        }
    });
}

RecordListModel *QueueFace::items() const { return m_model->queueModel(); }
int QueueFace::count() const { return int(m_model->queue().size()); }

int QueueFace::currentPosition() const
{
    const NowPlaying &now = m_model->nowPlaying();
    // The speaker counts tracks from 1.
    return now.queueIndex && *now.queueIndex >= 1 && *now.queueIndex <= m_model->queue().size() ? *now.queueIndex : 0;
}

bool QueueFace::changeLocked() const { return m_model->queueChangeLocked(); }

void QueueFace::enqueue(const QVariant &track)
{
    if (track.canConvert<Track>())
        m_model->addToQueue(track.value<Track>());
}

void QueueFace::playNext(const QVariant &track)
{
    if (track.canConvert<Track>())
        m_model->playTrackNext(track.value<Track>());
}

void QueueFace::playEntry(int row)
{
    if (row >= 0 && row < m_model->queue().size())
        m_model->playQueueEntry(m_model->queue().at(row));
}

void QueueFace::remove(int row)
{
    if (row >= 0 && row < m_model->queue().size())
        m_model->removeQueueItem(m_model->queue().at(row));
}

void QueueFace::move(int from, int to)
{
    const int count = int(m_model->queue().size());
    if (from < 0 || from >= count || to < 0 || to >= count || from == to)
        return;
    // The model takes the offset the entry is inserted before, counted before it leaves.
    m_model->moveQueueItems({from}, to > from ? to + 1 : to);
}

void QueueFace::clear() { m_model->emptyQueue(); }

} // namespace corvane
