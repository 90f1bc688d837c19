#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>
#include <QUrl>

#include <optional>

namespace corvane {

// Asks the version manifest whether a newer Corvane was published. Silent: every failure
// leaves no update known.
class UpdateCheck : public QObject
{
    Q_OBJECT
public:
    struct Release
    {
        QString version;
        QUrl url;
        std::optional<QString> notes;
        bool operator==(const Release &) const = default;
    };

    explicit UpdateCheck(QObject *parent = nullptr);

    const std::optional<Release> &available() const { return m_available; }
    // One check against `origin` + "/corvane/version.json", comparing with `currentVersion`.
    QCoro::Task<> check(QString currentVersion, QUrl origin);

    static bool isNewer(const QString &a, const QString &b);
    // The download page may be opened: https on the project's site, or a page of the manifest's
    // own origin when that is a server on this computer (the simulator).
    static bool isProjectPage(const QUrl &page, const QUrl &origin);
    static std::optional<Release> decode(const QByteArray &json);

Q_SIGNALS:
    void availableChanged();

private:
    std::optional<Release> m_available;
};

} // namespace corvane
