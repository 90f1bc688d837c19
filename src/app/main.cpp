#include "async/tasks.h"
#include "demo.h"
#include "system/speakerdriver.h"

#include <QCoreApplication>
#include <QCoroTask>
#include <QTextStream>

using namespace corvane;

namespace {

QString usage()
{
    return QStringLiteral("Usage :\n"
                          "  corvane [--demo]                  démonstration sur la maison simulée\n"
                          "  corvane sim [--prefix 127.77.0]   lance la maison simulée seule\n"
                          "  corvane speaker <ip> <commande>   pilote une enceinte (voir corvane speaker --help)\n");
}

int finish(const CommandResult &result)
{
    if (!result.out.isEmpty())
        QTextStream(stdout) << result.out << Qt::endl;
    if (!result.err.isEmpty())
        QTextStream(stderr) << result.err << Qt::endl;
    return result.exitCode;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));

    QStringList args = app.arguments().mid(1);
    const QString command = args.value(0);

    if (command.isEmpty() || command == QLatin1String("--demo"))
        return runBlocking(runDemo());
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
        if (args.value(1) == QLatin1String("--prefix") && args.size() > 2)
            prefix = args.value(2);
        if (!prefix.startsWith(QLatin1String("127.")) || prefix.count(QLatin1Char('.')) != 2) {
            QTextStream(stderr) << "Le préfixe doit désigner un /24 de bouclage, par exemple 127.77.0." << Qt::endl;
            return 2;
        }
        return runSimulator(prefix);
    }
    if (command == QLatin1String("speaker")) {
        if (args.value(1) == QLatin1String("--help")) {
            QTextStream(stdout) << speakerCommandUsage() << Qt::endl;
            return 0;
        }
        return finish(runBlocking(runSpeakerCommand(args.mid(1))));
    }
    QTextStream(stderr) << "Commande inconnue : « " << command << " ».\n" << usage();
    return 2;
}
