// Saves a large history again and again until killed; the history test kills it mid-write.
#include "async/delays.h"
#include "storage/listeninghistory.h"

#include <QCoreApplication>
#include <QTimer>

using namespace corvane;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    setDelayScale(0.0);
    ListeningHistory history(app.arguments().value(1), nullptr);
    double at = ListeningHistory::now() - 20000;
    for (int i = 0; i < ListeningHistory::maxEntries; ++i)
        history.recordAt(Track{QString::number(1000 + i), QStringLiteral("Titre %1").arg(i), QStringLiteral("Artiste"),
                               QStringLiteral("Album"), std::nullopt, std::nullopt},
                         QStringLiteral("Salon"), at += 61);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &history, [&history, &at] {
        history.recordAt(Track{QStringLiteral("42"), QStringLiteral("Encore"), QStringLiteral("Artiste"), QString(),
                               std::nullopt, std::nullopt},
                         std::nullopt, at += 61);
        history.flush();
    });
    tick.start(0);
    return app.exec();
}
