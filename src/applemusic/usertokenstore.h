#pragma once

#include <QCoroTask>
#include <QString>

#include <optional>

namespace corvane {

// Keeps the Music-User-Token in the desktop's secret service (Secret Service, KWallet). Where
// none answers, in a file readable by the user alone (0600, in a 0700 folder of the profile),
// which the settings screen then mentions.
class UserTokenStore
{
public:
    // `useKeychain` false keeps to the file (tests, and CORVANE_KEYRING=file).
    explicit UserTokenStore(bool useKeychain = qEnvironmentVariable("CORVANE_KEYRING") != QLatin1String("file"));

    QCoro::Task<std::optional<QString>> read();
    QCoro::Task<bool> write(QString token);
    QCoro::Task<> remove();
    // True when the token is (or goes) in the file: no keychain wanted, none answering, or the
    // token last read came from the file.
    bool usesFile() const { return m_usesFile; }
    static QString fileName();
    // Why the file was not used, in French; empty when nothing was wrong with it.
    QString fileProblem() const { return m_fileProblem; }
    // The reason a file at `path` may not hold the token (a link, another owner, readable by
    // others, a temporary folder), or empty when it may.
    static QString unsafeFileReason(const QString &path);

private:
    std::optional<QString> readFile();

    bool m_useKeychain;
    bool m_usesFile;
    QString m_fileProblem;
};

} // namespace corvane
