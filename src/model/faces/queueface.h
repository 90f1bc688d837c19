#pragma once

#include <QObject>
#include <QVariant>

namespace corvane {

class CorvaneModel;
class RecordListModel;

// The group's queue and every way of adding to it.
class QueueFace : public QObject
{
    Q_OBJECT
    Q_PROPERTY(corvane::RecordListModel *items READ items CONSTANT)
    Q_PROPERTY(int count READ count NOTIFY queueChanged)
    // 1-based position of the entry being played, 0 when none is.
    Q_PROPERTY(int currentPosition READ currentPosition NOTIFY currentPositionChanged)
    Q_PROPERTY(bool changeLocked READ changeLocked NOTIFY changeLockedChanged)

public:
    explicit QueueFace(CorvaneModel *model);

    RecordListModel *items() const;
    int count() const;
    int currentPosition() const;
    bool changeLocked() const;

    Q_INVOKABLE void enqueue(const QVariant &track);
    Q_INVOKABLE void playNext(const QVariant &track);
    Q_INVOKABLE void playEntry(int row);
    Q_INVOKABLE void remove(int row);
    // `to` is the row the entry ends on, as a drag or Alt+arrow gives it.
    Q_INVOKABLE void move(int from, int to);
    Q_INVOKABLE void clear();

Q_SIGNALS:
    void queueChanged();
    void currentPositionChanged();
    void changeLockedChanged();

private:
    CorvaneModel *m_model;
    int m_currentPosition = 0;
};

} // namespace corvane
