#include "usertokenstore.h"

#include "storage/paths.h"

#include <QCoroSignal>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <qt6keychain/keychain.h>

namespace corvane {

namespace {
const QString kService = QStringLiteral("Corvane");
const QString kKey = QStringLiteral("Music-User-Token");
} // namespace

UserTokenStore::UserTokenStore(bool useKeychain) : m_useKeychain(useKeychain), m_usesFile(!useKeychain) {}

QString UserTokenStore::fileName()
{
    return paths::appData() + QStringLiteral("/secrets/music-user-token");
}

QCoro::Task<std::optional<QString>> UserTokenStore::read()
{
    if (m_useKeychain) {
        QKeychain::ReadPasswordJob job(kService);
        job.setAutoDelete(false);
        job.setKey(kKey);
        job.start();
        co_await qCoro(&job, &QKeychain::Job::finished);
        if (job.error() == QKeychain::NoError)
            co_return job.textData();
        if (job.error() == QKeychain::EntryNotFound) {
            // The keychain answers: a file left from a time without one is still worth reading.
        } else {
            m_usesFile = true;
        }
    }
    QFile file(fileName());
    if (!file.open(QIODevice::ReadOnly))
        co_return std::nullopt;
    const QString token = QString::fromUtf8(file.readAll()).trimmed();
    if (token.isEmpty())
        co_return std::nullopt;
    m_usesFile = true;
    co_return token;
}

QCoro::Task<bool> UserTokenStore::write(QString token)
{
    if (m_useKeychain) {
        QKeychain::WritePasswordJob job(kService);
        job.setAutoDelete(false);
        job.setKey(kKey);
        job.setTextData(token);
        job.start();
        co_await qCoro(&job, &QKeychain::Job::finished);
        if (job.error() == QKeychain::NoError) {
            QFile::remove(fileName());
            co_return true;
        }
    }
    m_usesFile = true;
    const QString folder = QFileInfo(fileName()).absolutePath();
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QSaveFile file(fileName());
    if (!file.open(QIODevice::WriteOnly))
        co_return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(token.toUtf8());
    co_return file.commit();
}

QCoro::Task<> UserTokenStore::remove()
{
    if (m_useKeychain) {
        QKeychain::DeletePasswordJob job(kService);
        job.setAutoDelete(false);
        job.setKey(kKey);
        job.start();
        co_await qCoro(&job, &QKeychain::Job::finished);
    }
    QFile::remove(fileName());
}

} // namespace corvane
