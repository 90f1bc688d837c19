#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>

#include <optional>

namespace corvane {

// The toast that confirms an action and the error line, each cleared after a while.
class Notices : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString lastAction READ lastActionText NOTIFY lastActionChanged)
    Q_PROPERTY(QString errorMessage READ errorText NOTIFY errorMessageChanged)

public:
    explicit Notices(QObject *parent = nullptr);

    std::optional<QString> errorMessage() const { return m_errorMessage; }
    std::optional<QString> lastAction() const { return m_lastAction; }
    void setErrorMessage(const std::optional<QString> &message);
    void showToast(const QString &text);
    // Counts the errors shown: a command compares it before and after to learn whether it said
    // something itself.
    int errorSerial() const { return m_errorSerial; }

Q_SIGNALS:
    void lastActionChanged();
    void errorMessageChanged();

private:
    QCoro::Task<> clearLater(bool error, QString text);
    QString lastActionText() const { return m_lastAction.value_or(QString()); }
    QString errorText() const { return m_errorMessage.value_or(QString()); }

    std::optional<QString> m_lastAction;
    std::optional<QString> m_errorMessage;
    int m_errorSerial = 0;
    int m_toastSerial = 0;
};

} // namespace corvane
