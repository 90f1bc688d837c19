#pragma once

#include <QByteArray>
#include <QString>

namespace corvane {

// "Lancer Corvane à l'ouverture de session": an XDG autostart entry, corvane.desktop, that starts
// Corvane in the notification area (`--tray`, no window).
class Autostart
{
public:
    // The entry in `folder`, starting `program`; by default the session's autostart folder and
    // this very binary.
    explicit Autostart(QString folder = defaultFolder(), QString program = defaultProgram());

    // $XDG_CONFIG_HOME/autostart (~/.config/autostart without it); under CORVANE_PROFILE, its
    // own autostart/ folder, so the demo and the tests never change how the session starts.
    static QString defaultFolder();
    // "corvane" when that is the binary the session's PATH finds, else this binary's full path.
    static QString defaultProgram();
    // The entry's text.
    static QByteArray entry(const QString &program);

    QString filePath() const;
    // The entry is there and the desktop has not switched it off (Hidden=true, or GNOME's
    // X-GNOME-Autostart-enabled=false).
    bool isEnabled() const;
    // Writes or removes the entry; false with error() in French when the folder or the file
    // cannot be written.
    bool setEnabled(bool enabled);
    QString error() const { return m_error; }

private:
    QString m_folder;
    QString m_program;
    QString m_error;
};

} // namespace corvane
