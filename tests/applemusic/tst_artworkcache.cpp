#include "applemusic/artworkcache.h"
#include "async/delays.h"
#include "async/imagedecode.h"
#include "simwebservices.h"
#include "testutil.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

namespace {
QCoro::Task<> loadInto(QUrl url, int *loaded)
{
    const auto image = co_await ArtworkCache::image(url);
    if (image && !image->isNull())
        ++*loaded;
}
} // namespace

class TestArtworkCache : public QObject
{
    Q_OBJECT

    QTemporaryDir m_profile;

private Q_SLOTS:
    void initTestCase() { qputenv("CORVANE_PROFILE", m_profile.path().toUtf8()); }
    void init()
    {
        setDelayScale(0.2);
        // Disk copies of an earlier test are written in the background: let them land first.
        QThreadPool::globalInstance()->waitForDone();
        ArtworkCache::clearMemory();
        QDir(ArtworkCache::diskFolder()).removeRecursively();
    }

    void resolve_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("resolved");
        QTest::newRow("private artwork URL at 600")
            << "musickit://artwork/transform?id=1&aat=https%3A%2F%2Fis1-ssl.example.com%2Fimage%2Fthumb%2Fa%2F100x100bb.jpg"
            << "https://is1-ssl.example.com/image/thumb/a/600x600bb.jpg";
        QTest::newRow("four digits too") << "MusicKit://x?aat=https://img.example.com/p/1200x1200cc.png"
                                         << "https://img.example.com/p/600x600cc.png";
        QTest::newRow("plain HTTPS untouched") << "https://is1-ssl.example.com/image/thumb/a/100x100bb.jpg"
                                               << "https://is1-ssl.example.com/image/thumb/a/100x100bb.jpg";
        QTest::newRow("no aat") << "musickit://artwork/transform?id=1" << "musickit://artwork/transform?id=1";
        QTest::newRow("aat not a URL") << "musickit://x?aat=%20" << "musickit://x?aat=%20";
    }
    void resolve()
    {
        QFETCH(QString, url);
        QFETCH(QString, resolved);
        QCOMPARE(ArtworkCache::resolveArtworkURL(QUrl(url)), QUrl(resolved));
    }

    void tenViewsOneDownload()
    {
        SimWebServices web;
        QVERIFY(web.start());
        const QUrl url = web.origin().resolved(QUrl(QStringLiteral("/logos/600.jpg")));
        int loaded = 0;
        std::vector<QCoro::Task<>> views;
        for (int i = 0; i < 10; ++i)
            views.push_back(loadInto(url, &loaded));
        await(whenAll(std::move(views)));
        QCOMPARE(loaded, 10);
        QCOMPARE(web.requested().count(QStringLiteral("/logos/600.jpg")), 1);
        QVERIFY(ArtworkCache::memoryImage(url));
        QCOMPARE(ArtworkCache::memoryImage(url)->size(), QSize(600, 600));
        // The bytes reach the disk, under the SHA-256 of the URL.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(ArtworkCache::diskFile(url)), 3000);
        QCOMPARE(QFileInfo(ArtworkCache::diskFile(url)).fileName().size(), 64);
    }

    void oneViewLeavingDoesNotAbortTheOthers()
    {
        SimWebServices web;
        QVERIFY(web.start());
        web.setReplyDelay(200);
        const QUrl url = web.origin().resolved(QUrl(QStringLiteral("/logos/300.jpg")));
        CancellationSource closing;
        QCoro::Task<std::optional<QImage>> leaving = ArtworkCache::image(url, closing.token());
        QCoro::Task<std::optional<QImage>> staying = ArtworkCache::image(url);
        QTest::qWait(50);
        closing.cancel();
        QCOMPARE(await(std::move(leaving)), std::nullopt);
        const std::optional<QImage> image = await(std::move(staying));
        QVERIFY(image && image->size() == QSize(300, 300));
        QCOMPARE(web.requested().count(QStringLiteral("/logos/300.jpg")), 1);

        // When every view has left, the download stops; the next view starts a fresh one.
        ArtworkCache::clearMemory();
        QDir(ArtworkCache::diskFolder()).removeRecursively();
        const QUrl other = web.origin().resolved(QUrl(QStringLiteral("/logos/256.png")));
        CancellationSource alone;
        QCoro::Task<std::optional<QImage>> abandoned = ArtworkCache::image(other, alone.token());
        QTest::qWait(50);
        alone.cancel();
        QCOMPARE(await(std::move(abandoned)), std::nullopt);
        web.setReplyDelay(0);
        QVERIFY(await(ArtworkCache::image(other)).has_value());
    }

    void diskHitMakesNoRequest()
    {
        SimWebServices web;
        QVERIFY(web.start());
        const QUrl url = web.origin().resolved(QUrl(QStringLiteral("/logos/200.png")));
        QImage image(200, 200, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(ArtworkCache::diskFile(url), "PNG"));
        const auto loaded = await(ArtworkCache::image(url));
        QVERIFY(loaded);
        QCOMPARE(loaded->pixelColor(5, 5), QColor(Qt::red));
        QVERIFY(web.requested().isEmpty());
    }

    void retries_data()
    {
        QTest::addColumn<int>("failures");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<int>("requests");
        QTest::newRow("third attempt succeeds") << 2 << true << 3;
        QTest::newRow("three failures") << 3 << false << 3;
    }
    void retries()
    {
        QFETCH(int, failures);
        QFETCH(bool, loaded);
        QFETCH(int, requests);
        SimWebServices web;
        QVERIFY(web.start());
        web.failNext(QStringLiteral("/logos/300.png"), failures);
        QElapsedTimer clock;
        clock.start();
        const auto image = await(ArtworkCache::image(web.origin().resolved(QUrl(QStringLiteral("/logos/300.png")))));
        QCOMPARE(image.has_value(), loaded);
        QCOMPARE(web.requested().size(), requests);
        QVERIFY(clock.elapsed() >= 0.75 * 1000 * 0.2 - 10); // 0.25 s then 0.5 s of back-off, scaled
    }

    void speakerCoversOneAtATime()
    {
        auto speaker = startSpeaker();
        speaker->faults().delayMs = 100;
        int loaded = 0;
        std::vector<QCoro::Task<>> views;
        for (int i = 0; i < 3; ++i)
            views.push_back(loadInto(QUrl(QStringLiteral("http://%1:1400/getaa?s=1&u=song%2").arg(speaker->config().ip).arg(i)), &loaded));
        QElapsedTimer clock;
        clock.start();
        await(whenAll(std::move(views)));
        QCOMPARE(loaded, 3);
        QCOMPARE(speaker->received().size(), 3);
        QVERIFY2(clock.elapsed() >= 290, "a speaker is asked for one cover at a time");
        QVERIFY(ArtworkCache::isSpeakerURL(QUrl(QStringLiteral("http://10.0.0.2:1400/x.png"))));
        QVERIFY(!ArtworkCache::isSpeakerURL(QUrl(QStringLiteral("https://img.example.com/images/getaa.png"))));
    }

    void prefetch()
    {
        SimWebServices web;
        QVERIFY(web.start());
        QList<std::optional<QUrl>> urls{std::nullopt};
        for (int i = 0; i < 45; ++i)
            urls.append(web.origin().resolved(QUrl(QStringLiteral("/logos/%1.png").arg(130 + i))));
        ArtworkCache::prefetch(urls);
        QTRY_COMPARE_WITH_TIMEOUT(web.requested().size(), 40, 10000); // at most 40 internet images
        QTest::qWait(200);
        QCOMPARE(web.requested().size(), 40);
        ArtworkCache::prefetch(urls); // what is in memory now is skipped
        QTRY_COMPARE_WITH_TIMEOUT(web.requested().size(), 45, 10000);
        const auto allLoaded = [&urls] {
            return std::all_of(urls.cbegin() + 1, urls.cend(), [](const auto &url) { return ArtworkCache::memoryImage(*url).has_value(); });
        };
        QTRY_VERIFY_WITH_TIMEOUT(allLoaded(), 10000);
    }

    // Received images are decoded only in the formats covers come in, and only at sensible sizes.
    void onlyCoversAreDecoded_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("decoded");
        const auto encoded = [](const char *format, int side) {
            QImage image(side, side, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, format);
            return bytes;
        };
        QTest::newRow("PNG") << encoded("PNG", 64) << true;
        QTest::newRow("JPEG") << encoded("JPEG", 64) << true;
        QTest::newRow("BMP") << encoded("BMP", 64) << false;
        QTest::newRow("an SVG") << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\"/>") << false;
        QTest::newRow("text") << QByteArray("<html>not found</html>") << false;
        // A PNG whose header claims 100000 × 100000 pixels (40 GB decoded).
        QByteArray giant = encoded("PNG", 64);
        const QByteArray side = QByteArray::fromHex("000186a0");
        giant.replace(16, 4, side).replace(20, 4, side);
        QTest::newRow("a giant announced") << giant << false;
        QTest::newRow("the largest side allowed") << encoded("PNG", maxImageSide) << true;
    }
    void onlyCoversAreDecoded()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, decoded);
        QCOMPARE(decodeImage(bytes).has_value(), decoded);
    }

    void trimLeastRecentlyRead()
    {
        // 120 files of 1 KiB read one after the other, trimmed to 96 KiB: the 24 read first go.
        const QString folder = ArtworkCache::diskFolder();
        const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-1);
        for (int i = 0; i < 120; ++i) {
            QFile file(folder + QStringLiteral("/%1").arg(i, 64, 10, QLatin1Char('0')));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(1024, 'x'));
            file.setFileTime(start.addSecs(i), QFileDevice::FileAccessTime);
        }
        ArtworkCache::trimDiskCache(96 * 1024);
        const QStringList left = QDir(folder).entryList(QDir::Files, QDir::Name);
        QCOMPARE(left.size(), 96);
        QCOMPARE(left.first(), QStringLiteral("%1").arg(24, 64, 10, QLatin1Char('0')));
        ArtworkCache::trimDiskCache(1024 * 1024); // under the limit: nothing goes
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 96);
    }
};

QTEST_GUILESS_MAIN(TestArtworkCache)
#include "tst_artworkcache.moc"
