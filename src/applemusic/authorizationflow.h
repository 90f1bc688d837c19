#pragma once

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QString>
#include <QUrl>

class QTcpSocket;

namespace corvane {

// Gets a Music-User-Token in the user's browser: a one-page site on 127.0.0.1 at a random port
// and a random path loads MusicKit JS, asks the user to sign in, and posts the token back with a
// one-time random state. The page is served once; the token is accepted only with that state,
// from the page's own origin, once, from this computer; then the listener closes. Another user
// of the computer can reach the port but guess neither the path nor the state.
class AuthorizationFlow : public QAbstractHttpServer
{
    Q_OBJECT
public:
    AuthorizationFlow(QByteArray developerToken, QUrl musicKitScript, QObject *parent = nullptr);

    // Listens; false when no port could be opened or the script's address is not https (a
    // server on this computer, the simulator, may be plain http).
    bool start();
    static bool isAcceptableScript(const QUrl &script);
    // What one connection may send before it is dropped (it may stay silent delays().signInIdle).
    static constexpr qint64 maxRequestBytes = 64 * 1024;
    static constexpr int maxConnections = 16;
    // The page to open in the browser.
    QUrl pageURL() const { return m_page; }
    QString state() const { return m_state; }
    bool isFinished() const { return m_finished; }

Q_SIGNALS:
    void tokenReceived(const QString &token);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    void reply(QTcpSocket *socket, int status, const QByteArray &type, const QByteArray &body);
    void finish();
    QByteArray page() const;

    QByteArray m_developerToken;
    QUrl m_script;
    QUrl m_page;
    QString m_state;
    QString m_secretPath;
    bool m_finished = false;
    bool m_pageServed = false;
};

} // namespace corvane
