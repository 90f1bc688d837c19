// Figures for the listening history: recording with a save, and a cloud merge.
#include "async/delays.h"
#include "storage/listeninghistory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

using namespace corvane;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    ListeningHistory history(dir.path() + QStringLiteral("/history.json"), nullptr);
    double at = 700000000;
    const auto track = [](int i) {
        return Track{QString::number(1400000000 + i), QStringLiteral("Titre %1").arg(i), QStringLiteral("Artiste %1").arg(i % 300),
                     QStringLiteral("Album %1").arg(i % 900), QStringLiteral("https://img.example.com/%1/100x100bb.jpg").arg(i), std::nullopt};
    };
    for (int i = 0; i < ListeningHistory::maxEntries; ++i)
        history.recordAt(track(i), QStringLiteral("Salon"), at += 61);
    history.flush();

    QElapsedTimer clock;
    clock.start();
    history.recordAt(track(-1), QStringLiteral("Salon"), at += 61);
    history.flush();
    out << QStringLiteral("record + save, 10000 entries : %1 ms").arg(double(clock.nsecsElapsed()) / 1e6, 0, 'f', 1) << Qt::endl;

    QList<HistoryEntry> cloud;
    for (int i = 0; i < ListeningHistory::cloudEntries; ++i) {
        const Track t = track(20000 + i);
        cloud.append(HistoryEntry{t.id, t.title, t.artist, t.album, t.artworkBase, at + 1000 - i * 30.0, QStringLiteral("Cuisine")});
    }
    const QByteArray value = ListeningHistory::encode(cloud);
    clock.restart();
    history.mergeFromCloud(value);
    out << QStringLiteral("mergeFromCloud, 400 into 10000 : %1 ms").arg(double(clock.nsecsElapsed()) / 1e6, 0, 'f', 1) << Qt::endl;
    return 0;
}
