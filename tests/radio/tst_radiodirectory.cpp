#include "radio/radiodirectory.h"
#include "simwebservices.h"
#include "testutil.h"

#include <QBuffer>
#include <QPainter>
#include <QImage>
#include <QTest>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

namespace {
QByteArray encoded(int width, int height, const char *format)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data();
}

QStringList names(const QList<RadioStation> &stations)
{
    QStringList list;
    for (const RadioStation &s : stations)
        list << s.name;
    return list;
}
} // namespace

Q_DECLARE_METATYPE(std::optional<QSize>)

class TestRadioDirectory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qputenv("CORVANE_LOGO_ORIGIN", "https://logos.example.org/"); }

    void genre_data()
    {
        QTest::addColumn<QString>("tags");
        QTest::addColumn<QString>("genre");
        QTest::newRow("first useful tag") << "mp3,128k,jazz,live" << "Jazz";
        QTest::newRow("nothing useful") << "mp3,fm,2000" << "Radio";
        QTest::newRow("words capitalised") << " world music , pop" << "World Music";
        QTest::newRow("two letters are too short") << "hh,rock" << "Rock";
        QTest::newRow("empty") << "" << "Radio";
        QTest::newRow("hyphenated") << "hip-hop,rap" << "Hip-Hop";
        QTest::newRow("hyphenated words") << "  lo-fi   hip-hop " << "Lo-Fi Hip-Hop";
    }
    void genre()
    {
        QFETCH(QString, tags);
        QFETCH(QString, genre);
        QCOMPARE(RadioDirectory::genreFromTags(tags), genre);
    }

    void knownLogos_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("logo");
        QTest::newRow("exact") << "France Inter" << "https://logos.example.org/france-inter.png";
        QTest::newRow("case and accents") << "FRANCE CULTURE" << "https://logos.example.org/france-culture.png";
        QTest::newRow("name then another word") << "FIP Jazz" << "https://logos.example.org/fip.png";
        QTest::newRow("longest key wins") << "Radio Nostalgie Paris" << "https://logos.example.org/nostalgie.png";
        QTest::newRow("hyphen and spaces") << "Europe-1  " << "https://logos.example.org/europe-1.png";
        QTest::newRow("typographic apostrophe") << "Mouv\u2019" << "https://logos.example.org/mouv.png";
        QTest::newRow("glued digit is another name") << "RTL2" << "";
        QTest::newRow("unknown") << "Radio Gardon" << "";
    }
    void knownLogos()
    {
        QFETCH(QString, name);
        QFETCH(QString, logo);
        QCOMPARE(RadioDirectory::knownLogo(name).value_or(QString()), logo);
    }

    void imageSizes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<std::optional<QSize>>("size");
        QTest::newRow("PNG") << encoded(64, 48, "PNG") << std::optional<QSize>(QSize(64, 48));
        QTest::newRow("JPEG") << encoded(300, 200, "JPEG") << std::optional<QSize>(QSize(300, 200));
        QTest::newRow("JPEG cut before its frame") << encoded(300, 200, "JPEG").left(30) << std::optional<QSize>();
        QTest::newRow("too short") << encoded(64, 64, "PNG").left(24) << std::optional<QSize>();
        QTest::newRow("not an image") << QByteArray("<!doctype html><html><body>hello</body></html>") << std::optional<QSize>();
    }
    void imageSizes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(std::optional<QSize>, size);
        QCOMPARE(RadioDirectory::imageSize(bytes), size);
    }

    void probes_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("usable");
        QTest::newRow("PNG 256") << "/logos/256.png" << true;
        QTest::newRow("PNG 64 is too small") << "/logos/64.png" << false;
        QTest::newRow("JPEG 300") << "/logos/300.jpg" << true;
        QTest::newRow("a web page") << "/logos/page.html" << false;
        QTest::newRow("missing") << "/logos/missing.png" << false;
        QTest::newRow("large JPEG, answered in part") << "/logos/1200.jpg" << true;
        QTest::newRow("type in capitals") << "/logos/capitals" << true;
        QTest::newRow("a type that only mentions images") << "/logos/not-an-image" << false;
    }
    void probes()
    {
        QFETCH(QString, path);
        QFETCH(bool, usable);
        SimWebServices web;
        QVERIFY(web.start());
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImage logo(256, 256, QImage::Format_RGB32);
        logo.fill(Qt::darkBlue);
        logo.save(&buffer, "PNG");
        web.setReply(QStringLiteral("/logos/capitals"), SimWebServices::Reply{200, "Image/PNG", png});
        web.setReply(QStringLiteral("/logos/not-an-image"), SimWebServices::Reply{200, "text/x-image-list", png});
        QCOMPARE(await(RadioDirectory::logoIsUsable(web.origin().toString() + path)), usable);
        // The two fixed replies above are not the simulator's own images: only those count here.
        if (path == QLatin1String("/logos/capitals") || path == QLatin1String("/logos/not-an-image"))
            return;
        const bool image = path.endsWith(QLatin1String(".png")) || path.endsWith(QLatin1String(".jpg"));
        QCOMPARE(web.partialReplies(), image && !path.contains(QLatin1String("missing")) ? 1 : 0); // a real 206 every time
    }

    void directory()
    {
        SimWebServices web;
        QVERIFY(web.start());
        const QList<RadioStation> stations = await(RadioDirectory::stations(QStringLiteral("FR"), 150, web.origin()));
        QCOMPARE(names(stations), (QStringList{"FIP", "Radio Gardon", "France Inter", "Radio Plein Sud",
                                              "Jazz Nocturne", "Vieux Port FM", "Antenne Libre"}));
        QCOMPARE(stations[0].genre, QStringLiteral("Eclectic"));
        QCOMPARE(stations[0].logo, std::optional<QString>("https://logos.example.org/fip.png"));
        QCOMPARE(stations[0].stream, QStringLiteral("https://radio.example.org/fip-hifi.aac"));
        QCOMPARE(stations[1].genre, QStringLiteral("Folk"));
        QVERIFY(stations[1].logo->endsWith(QLatin1String("/logos/256.png")));
        QCOMPARE(stations[4].logo, std::nullopt); // the web page is no logo
        QCOMPARE(stations[6].genre, QStringLiteral("Radio"));
        // The known logos were not probed; the others were, once each.
        QCOMPARE(web.requested().count(QStringLiteral("/logos/256.png")), 1);
        QVERIFY(web.requested().first().startsWith(QLatin1String("/json/stations/bycountrycodeexact/FR")));
    }

    void logosOnLocalHostsAreNeverFetched()
    {
        // The directory is anyone's to edit: a favicon on this computer or the local network is
        // not fetched, so no listener here hears a thing. The directory's own host may serve them.
        SilentServer local;
        SimWebServices web;
        QVERIFY(web.start());
        QStringList entries;
        const QStringList favicons{local.url().toString() + QStringLiteral("a.png"), QStringLiteral("http://192.168.1.1/b.png"),
                                   QStringLiteral("http://[fe80::1]/c.png"), QStringLiteral("http://printer.local/d.png"),
                                   web.origin().toString() + QStringLiteral("/logos/256.png")};
        for (int i = 0; i < favicons.size(); ++i)
            entries << QStringLiteral("{\"stationuuid\":\"s%1\",\"name\":\"Station %1\",\"url\":\"https://radio.example.org/%1\",\"favicon\":\"%2\"}")
                           .arg(i)
                           .arg(favicons.at(i));
        web.setRadioStations(QStringLiteral("[%1]").arg(entries.join(u',')).toUtf8());
        const QList<RadioStation> stations = await(RadioDirectory::stations(QStringLiteral("FR"), 150, web.origin()));
        QCOMPARE(stations.size(), 5);
        QCOMPARE(stations.first().name, QStringLiteral("Station 4"));
        QVERIFY(stations.first().logo);
        for (qsizetype i = 1; i < stations.size(); ++i)
            QCOMPARE(stations.at(i).logo, std::nullopt);
        QCOMPARE(local.accepted(), 0);
    }

    void builtInWhenNothingUsable_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("not JSON") << QByteArray("<html>");
        QTest::newRow("empty array") << QByteArray("[]");
        QTest::newRow("an entry without a name") << QByteArray("[{\"stationuuid\":\"a\",\"url\":\"http://x\"}]");
        QTest::newRow("no playable stream") << QByteArray("[{\"stationuuid\":\"a\",\"name\":\"A\",\"url\":\"\"}]");
        QTest::newRow("unreachable") << QByteArray();
    }
    void builtInWhenNothingUsable()
    {
        QFETCH(QByteArray, reply);
        QUrl origin;
        SimWebServices web;
        QVERIFY(web.start());
        if (reply.isEmpty())
            origin = QUrl(QStringLiteral("http://127.0.0.1:%1").arg(closedPort()));
        else
            origin = web.origin();
        web.setRadioStations(reply);
        const QList<RadioStation> stations = await(RadioDirectory::stations(QStringLiteral("FR"), 150, origin));
        QCOMPARE(stations, RadioDirectory::builtIn());
        QCOMPARE(stations.size(), 10);
        for (const RadioStation &station : stations)
            QVERIFY(!station.logo);
    }

    void lightInk_data()
    {
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("light");
        QTest::newRow("white logo on transparency") << QColor(Qt::white) << true;
        QTest::newRow("black logo") << QColor(Qt::black) << false;
        QTest::newRow("nothing visible") << QColor(Qt::transparent) << true;
        QTest::newRow("mid grey is dark") << QColor(120, 120, 120) << false;
    }
    void lightInk()
    {
        QFETCH(QColor, colour);
        QFETCH(bool, light);
        QImage image(200, 100, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.fillRect(QRect(40, 20, 120, 60), colour);
        painter.end();
        QCOMPARE(RadioDirectory::lightInk(image), light);
        QVERIFY(RadioDirectory::lightInk(QImage()));
    }

    void faviconsMoveToHttps()
    {
        const auto candidates = RadioDirectory::clean(
            "[{\"stationuuid\":\"a\",\"name\":\"Radio A\",\"url\":\"http://s/a\",\"favicon\":\"http://img.example.org/a.png\"},"
            " {\"stationuuid\":\"b\",\"name\":\"France Inter\",\"url\":\"http://s/b\",\"favicon\":\"http://img.example.org/b.png\"}]");
        QVERIFY(candidates);
        QCOMPARE(candidates->at(0).station.logo, std::optional<QString>("https://img.example.org/a.png"));
        QVERIFY(candidates->at(0).probeLogo);
        QVERIFY(!candidates->at(1).probeLogo); // a known logo is trusted
    }

    void fallbackHueIsStable()
    {
        // FNV-1a, not Qt's per-run seeded hash: a station keeps its colours from one run to the next.
        QCOMPARE(RadioDirectory::fallbackHue(QStringLiteral("FIP")), 168.0 / 360.0);
        const double hue = RadioDirectory::fallbackHue(QStringLiteral("Radio Côte d'Opale"));
        QVERIFY(hue >= 0 && hue < 1);
    }
};

QTEST_GUILESS_MAIN(TestRadioDirectory)
#include "tst_radiodirectory.moc"
