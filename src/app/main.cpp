#include "applemusic/webmusicservice.h"
#include "async/http.h"
#include "async/tasks.h"
#include "base/language.h"
#include "base/text.h"
#include "cli/catalogcommand.h"
#include "cli/intents.h"
#include "cli/speakerdriver.h"
#include "demo/demo.h"
#include "singleinstance.h"
#include "sonos/sonosdiscovery.h"
#include "windowapp.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>

#include <QApplication>
#include <QCoreApplication>
#include <QQuickWindow>
#include <QCoroTask>
#include <QTextStream>

using namespace corvane;

namespace {

QString usage()
{
    return QCoreApplication::translate("Main", "Usage :\n"
                          "  corvane                           ouvre la fenêtre et cherche les enceintes du réseau local\n"
                          "  corvane --tray                    démarre dans la zone de notification, sans fenêtre\n"
                          "  corvane --demo                    la fenêtre sur la maison et les services simulés\n"
                          "  corvane --demo --no-token         la même, sans jeton de développeur MusicKit (recherche publique)\n"
                          "  corvane --demo --screenshots DOSSIER\n"
                          "                                    une capture de chaque écran, puis quitte\n"
                          "  corvane --demo --headless         le modèle de l'application sur la maison simulée, sans fenêtre\n"
                          "  corvane --demo --console          la maison simulée pilotée pas à pas, sans fenêtre\n"
                          "  corvane sim [--prefix 127.77.0] [--crowded]\n"
                          "                                    lance la maison simulée seule (--crowded : 32 pièces)\n"
                          "  corvane speaker <ip> <commande>   pilote une enceinte (voir corvane speaker --help)\n"
                          "  corvane discover                  trouve une enceinte et montre les groupes de la maison\n"
                          "  corvane catalog <commande>        Apple Music en ligne de commande (voir corvane catalog --help)\n"
                          "  corvane play-pause | next | previous | favorite [NOM] | sleep [MINUTES] | volume [+N|-N|N]\n"
                          "                                    raccourcis (voir corvane shortcuts --help)\n"
                          "Options :\n"
                          "  --network adresse/masque          réseau à parcourir (sinon CORVANE_NETWORK ou l'interface choisie)\n"
                          "  --notify                          montre aussi la réponse dans une notification du bureau\n");
}

// Launched from a desktop action, nobody reads stdout: the answer goes to the notification area.
void notify(const CommandResult &result)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QString text = result.exitCode == 0 ? result.out : result.err;
    message << QStringLiteral("Corvane") << 0u << QStringLiteral("corvane") << QStringLiteral("Corvane")
            << (text.isEmpty() ? QCoreApplication::translate("Main", "C'est fait.") : notificationBody(text)) << QStringList() << QVariantMap() << 4000;
    QDBusConnection::sessionBus().call(message, QDBus::Block, 2000);
}

int finish(const CommandResult &result)
{
    // Answers quote names from the network (rooms, tracks, favorites): no escape sequence of
    // theirs reaches the terminal.
    if (!result.out.isEmpty())
        QTextStream(stdout) << terminalSafe(result.out) << Qt::endl;
    if (!result.err.isEmpty())
        QTextStream(stderr) << terminalSafe(result.err) << Qt::endl;
    return result.exitCode;
}

} // namespace

// Plain `corvane`, `corvane --tray` and `corvane --demo` start the application; everything else
// is a command.
bool wantsWindow(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    args.removeAll(QStringLiteral("--notify"));
    if (const qsizetype at = args.indexOf(QStringLiteral("--network")); at >= 0)
        args.remove(at, std::min<qsizetype>(2, args.size() - at));
    const QString first = args.value(0);
    return (first.isEmpty() || first == QLatin1String("--demo") || first == QLatin1String("--tray")
            || first == QLatin1String("--screenshots"))
        && !args.contains(QStringLiteral("--headless")) && !args.contains(QStringLiteral("--console"));
}

int main(int argc, char *argv[])
{
    QElapsedTimer launched;
    launched.start();
    const bool window = wantsWindow(argc, argv);
    bool screenshots = false;
    for (int i = 1; i < argc; ++i)
        screenshots = screenshots || QByteArray(argv[i]) == "--screenshots";
    if (screenshots) // drawn without a display, so every machine can make them
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A window of lists and pictures: Qt Quick's software renderer draws it at a fraction of the
    // memory and wake-ups of an OpenGL context (and the same on machines without a GPU).
    // QT_QUICK_BACKEND chooses otherwise.
    if (window && qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    std::unique_ptr<QCoreApplication> application;
    if (window)
        application = std::make_unique<QApplication>(argc, argv);
    else
        application = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication &app = *application;
    QCoreApplication::setApplicationName(QStringLiteral("Corvane"));
    // The desktop's language, if Corvane speaks it: the window, the answers and --help alike.
    language::install(language::fromDesktop());
    quietAbortWarnings();
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));

    QStringList args = app.arguments().mid(1);
    const bool notifyDesktop = args.removeAll(QStringLiteral("--notify")) > 0;
    if (const qsizetype at = args.indexOf(QStringLiteral("--network")); at >= 0) {
        if (at + 1 >= args.size() || !SonosDiscovery::setForcedNetwork(args.at(at + 1))) {
            QTextStream(stderr) << QCoreApplication::translate("Main", "--network attend un réseau IPv4 comme 192.168.1.20/255.255.255.0 ou 192.168.1.20/24.")
                                << Qt::endl;
            return 2;
        }
        args.remove(at, 2);
    }
    const QString command = args.value(0);

    if ((command.isEmpty() || command == QLatin1String("--demo")) && args.contains(QStringLiteral("--headless")))
        return runBlocking(runHeadlessDemo());
    if ((command.isEmpty() || command == QLatin1String("--demo")) && args.contains(QStringLiteral("--console")))
        return runBlocking(runDemo());
    if (window) {
        WindowOptions options;
        options.launched = launched;
        options.demo = args.contains(QStringLiteral("--demo"));
        options.withoutToken = options.demo && args.contains(QStringLiteral("--no-token"));
        if (const qsizetype at = args.indexOf(QStringLiteral("--screenshots")); at >= 0) {
            options.screenshots = args.value(at + 1);
            if (options.screenshots.isEmpty() || options.screenshots.startsWith(QLatin1String("--"))) {
                QTextStream(stderr) << QCoreApplication::translate("Main", "--screenshots attend un dossier.") << Qt::endl;
                return 2;
            }
        }
        options.startHidden = args.contains(QStringLiteral("--tray"));
        // One Corvane per session: a second start brings the running window forward (a second
        // `--tray` start, from the session's autostart, leaves it be). Screenshots and snapshots
        // are one-off renderings that must work beside a running Corvane.
        std::unique_ptr<SingleInstance> instance;
        if (options.screenshots.isEmpty() && qEnvironmentVariableIsEmpty("CORVANE_SNAPSHOT")) {
            instance = std::make_unique<SingleInstance>(options.demo ? SingleInstance::Kind::Demo : SingleInstance::Kind::Application);
            if (!instance->claim(!options.startHidden)) {
                if (!instance->error().isEmpty())
                    QTextStream(stderr) << instance->error() << Qt::endl;
                return instance->error().isEmpty() ? 0 : 1;
            }
            options.instance = instance.get();
        }
        return runWindowApp(options);
    }
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        QTextStream(stdout) << usage();
        return 0;
    }
    if (command == QLatin1String("--version")) {
        QTextStream(stdout) << "Corvane " << CORVANE_VERSION << Qt::endl;
        return 0;
    }
    if (command == QLatin1String("sim")) {
        QString prefix = QStringLiteral("127.77.0");
        bool crowded = false;
        for (qsizetype i = 1; i < args.size(); ++i) {
            if (args.at(i) == QLatin1String("--prefix") && i + 1 < args.size())
                prefix = args.at(++i);
            else if (args.at(i) == QLatin1String("--crowded"))
                crowded = true;
        }
        if (!prefix.startsWith(QLatin1String("127.")) || prefix.count(QLatin1Char('.')) != 2) {
            QTextStream(stderr) << QCoreApplication::translate("Main", "Le préfixe doit désigner un /24 de bouclage, par exemple 127.77.0.") << Qt::endl;
            return 2;
        }
        return runSimulator(prefix, crowded);
    }
    if (command == QLatin1String("speaker")) {
        if (args.value(1) == QLatin1String("--help")) {
            QTextStream(stdout) << speakerCommandUsage() << Qt::endl;
            return 0;
        }
        return finish(runBlocking(runSpeakerCommand(args.mid(1))));
    }
    if (command == QLatin1String("catalog")) {
        if (args.size() < 2 || args.value(1) == QLatin1String("--help")) {
            QTextStream(args.size() < 2 ? stderr : stdout) << catalogUsage() << Qt::endl;
            return args.size() < 2 ? 2 : 0;
        }
        WebMusicService::Settings settings = WebMusicService::configuredSettings();
        settings.openBrowser = [](const QUrl &page) {
            QTextStream(stderr) << QCoreApplication::translate("Main", "Ouvrez cette page pour vous connecter à Apple Music : %1").arg(page.toString()) << Qt::endl;
            QProcess::startDetached(QStringLiteral("xdg-open"), {page.toString()});
        };
        WebMusicService service(settings, UserTokenStore());
        runBlocking(service.load());
        const CommandResult result = runBlocking(runCatalogCommand(args.mid(1), &service, service.store().usesFile()));
        return finish(result);
    }
    if (command == QLatin1String("discover"))
        return finish(runBlocking(runDiscoverCommand()));
    if (command == QLatin1String("shortcuts")) {
        QTextStream(stdout) << intentUsage() << Qt::endl;
        return 0;
    }
    if (isIntentCommand(command)) {
        const CommandResult result = runBlocking(runIntentCommand(args));
        if (notifyDesktop && result.exitCode != 2)
            notify(result);
        return finish(result);
    }
    QTextStream(stderr) << QCoreApplication::translate("Main", "Commande inconnue : « %1 ».").arg(command) << '\n' << usage();

    return 2;
}
