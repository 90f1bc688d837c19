#include "autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace corvane {

namespace {

const QString kFileName = QStringLiteral("corvane.desktop");

// One argument of Exec=, quoted as the desktop entry format asks when it holds anything but
// plain path characters.
QString execArgument(const QString &argument)
{
    static const QString plain = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/._+-");
    QString quoted = argument;
    if (std::any_of(argument.begin(), argument.end(), [](QChar c) { return !plain.contains(c); })) {
        quoted.clear();
        for (const QChar c : argument) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    // Then the escapes of any string value, and % (field codes) doubled.
    return quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('%'), QStringLiteral("%%"));
}

} // namespace

Autostart::Autostart(QString folder, QString program) : m_folder(std::move(folder)), m_program(std::move(program)) {}

QString Autostart::defaultFolder()
{
    const QString profile = qEnvironmentVariable("CORVANE_PROFILE");
    if (!profile.isEmpty())
        return profile + QStringLiteral("/autostart");
    // Only an absolute XDG_CONFIG_HOME counts, as the base directory rules say.
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!config.isEmpty() && QDir::isAbsolutePath(config))
        return config + QStringLiteral("/autostart");
    return QDir::homePath() + QStringLiteral("/.config/autostart");
}

QString Autostart::defaultProgram()
{
    const QString self = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("corvane"));
    if (self.isEmpty() || (!onPath.isEmpty() && QFileInfo(onPath).canonicalFilePath() == self))
        return QStringLiteral("corvane");
    return self;
}

QByteArray Autostart::entry(const QString &program)
{
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Corvane\n"
                                        "Comment=%2\n"
                                        "Exec=%1 --tray\n"
                                        "Icon=corvane\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(execArgument(program),
                                  QCoreApplication::translate("Autostart", "Corvane dans la zone de notification, dès l'ouverture de session"));
    return text.toUtf8();
}

QString Autostart::filePath() const
{
    return m_folder + QLatin1Char('/') + kFileName;
}

bool Autostart::isEnabled() const
{
    QFile file(filePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inEntry || equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if ((key == QLatin1String("Hidden") && value == QLatin1String("true"))
            || (key == QLatin1String("X-GNOME-Autostart-enabled") && value == QLatin1String("false")))
            return false;
    }
    return true;
}

bool Autostart::setEnabled(bool enabled)
{
    m_error.clear();
    const QString path = filePath();
    if (!enabled) {
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
            return true;
        QFile file(path);
        if (file.remove())
            return true;
        m_error = QCoreApplication::translate("Autostart", "Impossible de retirer le lancement à l'ouverture de session (%1) : %2")
                      .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    if (!QDir().mkpath(m_folder)) {
        m_error = QCoreApplication::translate("Autostart", "Impossible de créer le dossier %1 : le lancement à l'ouverture de session n'est pas enregistré.")
                      .arg(QDir::toNativeSeparators(m_folder));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(entry(m_program)) < 0 || !file.commit()) {
        m_error = QCoreApplication::translate("Autostart", "Impossible d'écrire %1 : %2. Le lancement à l'ouverture de session n'est pas enregistré.")
                      .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}

} // namespace corvane
