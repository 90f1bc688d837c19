#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

namespace corvane {

// A key-value store shared by the user's computers through a folder they sync with their own
// tool (Syncthing, Nextcloud, ...). Each computer writes only its own file per key,
// "<key>.<device>.json", so two computers never edit the same file; reading a key gathers every
// computer's file and any sync-conflict copy. Removing a key leaves a dated marker that hides
// every file older than it, as a removal in a shared store would.
class CloudStore : public QObject
{
    Q_OBJECT
public:
    explicit CloudStore(QString folder, QString deviceId, QObject *parent = nullptr);
    // The folder of paths::cloud() and this profile's device id.
    static CloudStore *createDefault(QObject *parent = nullptr);
    // A random id made once per profile and kept in the application-data folder.
    static QString localDeviceId();

    QString folder() const { return m_folder; }
    QString deviceId() const { return m_deviceId; }

    // Every value stored under `key`, this computer's first, then the others' and the conflict
    // copies; values of files older than the key's last removal are left out.
    QList<QByteArray> values(const QString &key) const;
    // The values gathered into one: the items of every value that is a JSON array, in the order
    // of values(); when none is, the first value.
    std::optional<QByteArray> value(const QString &key) const;
    // Writes this computer's value atomically. False when the folder cannot be written.
    bool setValue(const QString &key, const QByteArray &data);
    // Removes this computer's value and marks the key removed as of now.
    void remove(const QString &key);
    // Looks at the folder now instead of waiting for the next periodic rescan.
    void synchronize();

Q_SIGNALS:
    // Another computer changed these keys (a file of theirs appeared, changed or went away).
    void externallyChanged(const QStringList &keys);

private:
    struct Seen
    {
        qint64 modified = 0;
        qint64 size = 0;
        bool operator==(const Seen &) const = default;
    };
    QString ownFile(const QString &key) const;
    QHash<QString, Seen> foreignFiles() const;
    void rescan();
    void rearm();

    QString m_folder;
    QString m_deviceId;
    QFileSystemWatcher m_watcher;
    QTimer m_rescan;
    QHash<QString, Seen> m_seen;
};

} // namespace corvane
