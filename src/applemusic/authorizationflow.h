#pragma once

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QString>
#include <QUrl>

class QTcpSocket;

namespace corvane {

// Gets a Music-User-Token in the user's browser: a one-page site on 127.0.0.1 at a random port
// loads MusicKit JS, asks the user to sign in, and posts the token back with a one-time random
// state. Only that state is accepted, only once, only from this computer; then the listener
// closes.
class AuthorizationFlow : public QAbstractHttpServer
{
    Q_OBJECT
public:
    AuthorizationFlow(QByteArray developerToken, QUrl musicKitScript, QObject *parent = nullptr);

    // Listens; false when no port could be opened.
    bool start();
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
    bool m_finished = false;
};

} // namespace corvane
