#include "usertokenstore.h"

#include "base/paths.h"

#include <QCoreApplication>
#include <QCoroSignal>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <sys/stat.h>
#include <unistd.h>

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

QString UserTokenStore::unsafeFileReason(const QString &path)
{
    // A shared temporary folder is no place for a secret, whoever created the file first.
    if (path == fileName() && paths::appDataIsTemporary())
        return QCoreApplication::translate("Network", "il se trouve dans un dossier temporaire partagé");
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    if (!S_ISREG(info.st_mode))
        return QCoreApplication::translate("Network", "ce n'est pas un fichier ordinaire (un lien, peut-être)");
    if (info.st_uid != ::geteuid())
        return QCoreApplication::translate("Network", "il appartient à un autre compte");
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return QCoreApplication::translate("Network", "d'autres comptes peuvent le lire ou le modifier");
    return {};
}

std::optional<QString> UserTokenStore::readFile()
{
    const QString path = fileName();
    if (const QString reason = unsafeFileReason(path); !reason.isEmpty()) {
        m_fileProblem = QCoreApplication::translate("Network", "Le jeton Apple Music enregistré dans %1 est ignoré : %2. Supprimez ce fichier, "
                                       "puis reconnectez Corvane à Apple Music.")
                            .arg(path, reason);
        qWarning("%s", qPrintable(m_fileProblem));
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString token = QString::fromUtf8(file.read(64 * 1024)).trimmed();
    if (token.isEmpty())
        return std::nullopt;
    return token;
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
            // The keychain answers: a file left from a time without one moves into it.
            std::optional<QString> left = readFile();
            if (!left)
                co_return std::nullopt;
            const bool moved = co_await write(*left);
            if (!moved)
                m_usesFile = true;
            co_return left;
        }
        m_usesFile = true;
    }
    std::optional<QString> token = readFile();
    if (token)
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
    // The same test as unsafeFileReason's first one; its text is translated, so it cannot be compared.
    if (paths::appDataIsTemporary()) {
        m_fileProblem = QCoreApplication::translate("Network", "Le jeton Apple Music n'est pas enregistré : sans trousseau ni dossier personnel, "
                                       "il irait dans un dossier temporaire partagé.");
        co_return false;
    }
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
