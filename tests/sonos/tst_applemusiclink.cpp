#include "base/corvaneerror.h"
#include "sonos/replies.h"
#include "sonos/sonoscontroller.h"
#include "testutil.h"

#include <QTest>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

namespace {
const AppleMusicLink kLink{204, QStringLiteral("3"), QStringLiteral("8224"), QStringLiteral("x-sonos-http")};
const QString kRoot = QStringLiteral("<DIDL-Lite xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
                                     "xmlns:upnp=\"urn:schemas-upnp-org:metadata-1-0/upnp/\" "
                                     "xmlns=\"urn:schemas-upnp-org:metadata-1-0/DIDL-Lite/\">");
const QString kDesc = QStringLiteral("<desc id=\"cdudn\" nameSpace=\"urn:schemas-rinconnetworks-com:metadata-1-0/\">"
                                     "SA_RINCON52231_X_#Svc52231-3-Token</desc>");
} // namespace

Q_DECLARE_METATYPE(std::optional<int>)

class TestAppleMusicLink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void identifiers()
    {
        QCOMPARE(kLink.serviceType(), 52231);
        QCOMPARE(kLink.accountToken(), QStringLiteral("SA_RINCON52231_X_#Svc52231-3-Token"));
        QCOMPARE(kLink.trackURI(QStringLiteral("123")), QStringLiteral("x-sonos-http:song%3a123.mp4?sid=204&flags=8224&sn=3"));
        QCOMPARE(kLink.trackURI(QStringLiteral("i.Ab-9_x")), QStringLiteral("x-sonos-http:song%3ai.Ab-9_x.mp4?sid=204&flags=8224&sn=3"));
    }

    void insertedIdsAreEscaped()
    {
        // An id that would add parameters to the address or end the attribute it sits in.
        const QString id = QStringLiteral("1?sn=9&flags=1\" x=\"<");
        QCOMPARE(kLink.trackURI(id), QStringLiteral("x-sonos-http:song%3a1%3Fsn%3D9%26flags%3D1%22%20x%3D%22%3C.mp4?sid=204&flags=8224&sn=3"));
        const Track track{id, QStringLiteral("T"), {}, {}, std::nullopt, std::nullopt};
        QVERIFY(kLink.trackMetadata(track).contains(QStringLiteral("<item id=\"00032020song%3a1%3Fsn%3D9%26flags%3D1%22%20x%3D%22%3C\" parentID=")));
        QCOMPARE(kLink.containerURI(QStringLiteral("playlist"), id),
                 QStringLiteral("x-rincon-cpcontainer:1006206cplaylist%3a1%3Fsn%3D9%26flags%3D1%22%20x%3D%22%3C?sid=204&flags=8300&sn=3"));
        QVERIFY(kLink.containerMetadata(QStringLiteral("album"), id, QStringLiteral("T"))
                    .contains(QStringLiteral("<item id=\"1004206calbum%3a1%3Fsn%3D9%26flags%3D1%22%20x%3D%22%3C\" parentID=\"0\"")));
    }

    void trackMetadataIsByteExact()
    {
        const Track track{QStringLiteral("1440857790"), QStringLiteral("Rock & Roll"), QStringLiteral("Les <Phares>"),
                          QStringLiteral("L'album \"live\""), std::nullopt, std::nullopt};
        QCOMPARE(kLink.trackMetadata(track),
                 kRoot + QStringLiteral("<item id=\"00032020song%3a1440857790\" parentID=\"00020000album%3a\" "
                                        "restricted=\"true\"><dc:title>Rock &amp; Roll</dc:title><dc:creator>Les "
                                        "&lt;Phares&gt;</dc:creator><upnp:album>L&apos;album &quot;live&quot;"
                                        "</upnp:album><upnp:class>object.item.audioItem.musicTrack</upnp:class>")
                     + kDesc + QStringLiteral("</item></DIDL-Lite>"));
    }

    void containers_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("uri");
        QTest::addColumn<QString>("metadata");
        QTest::newRow("album") << "album" << "456" << "x-rincon-cpcontainer:1004206calbum%3a456?sid=204&flags=8300&sn=3"
                               << kRoot + "<item id=\"1004206calbum%3a456\" parentID=\"0\" restricted=\"true\"><dc:title>"
                                          "Cartes &amp; marines</dc:title><upnp:class>object.container.album.musicAlbum"
                                          "</upnp:class>" + kDesc + "</item></DIDL-Lite>";
        QTest::newRow("playlist") << "playlist" << "pl.u-XYZ" << "x-rincon-cpcontainer:1006206cplaylist%3apl.u-XYZ?sid=204&flags=8300&sn=3"
                                  << kRoot + "<item id=\"1006206cplaylist%3apl.u-XYZ\" parentID=\"0\" restricted=\"true\">"
                                             "<dc:title>Cartes &amp; marines</dc:title><upnp:class>object.container."
                                             "playlistContainer</upnp:class>" + kDesc + "</item></DIDL-Lite>";
        QTest::newRow("any other kind is a playlist") << "station" << "ra.1" << "x-rincon-cpcontainer:1006206cstation%3ara.1?sid=204&flags=8300&sn=3"
                                                      << kRoot + "<item id=\"1006206cstation%3ara.1\" parentID=\"0\" restricted=\"true\">"
                                                                 "<dc:title>Cartes &amp; marines</dc:title><upnp:class>object.container."
                                                                 "playlistContainer</upnp:class>" + kDesc + "</item></DIDL-Lite>";
    }
    void containers()
    {
        QFETCH(QString, kind);
        QFETCH(QString, id);
        QFETCH(QString, uri);
        QFETCH(QString, metadata);
        QCOMPARE(kLink.containerURI(kind, id), uri);
        QCOMPARE(kLink.containerMetadata(kind, id, QStringLiteral("Cartes & marines")), metadata);
    }

    void serviceId_data()
    {
        QTest::addColumn<QString>("services");
        QTest::addColumn<std::optional<int>>("sid");
        QTest::newRow("listed") << "<Service Id=\"9\" Name=\"Spotify\" Version=\"1\"><Service Id=\"204\" Name=\"Apple Music\" Version=\"1\">" << std::optional<int>(204);
        QTest::newRow("upper case") << "<Service Id=\"205\" Name=\"APPLE MUSIC\"" << std::optional<int>(205);
        QTest::newRow("not listed") << "<Service Id=\"9\" Name=\"Spotify\"" << std::optional<int>();
        QTest::newRow("attributes in another order") << "<Service Name=\"Apple Music\" Id=\"204\"" << std::optional<int>(204);
        QTest::newRow("line breaks and single quotes")
            << "<Service\n  Capabilities='1'\n  Name = 'Apple Music'\r\n  Id='204'/>" << std::optional<int>(204);
        QTest::newRow("a longer attribute name is not the one") << "<Service SID=\"7\" Id=\"204\" ServiceName=\"Spotify\" Name=\"Apple Music\">"
                                                              << std::optional<int>(204);
    }
    void serviceId()
    {
        QFETCH(QString, services);
        QFETCH(std::optional<int>, sid);
        QCOMPARE(appleMusicServiceId(services), sid);
    }

    void samples_data()
    {
        QTest::addColumn<QStringList>("samples");
        QTest::addColumn<QString>("found");
        const QString song = QStringLiteral("<res>x-sonos-http:song%3a1.mp4?sid=204&flags=8224&sn=7</res>");
        QTest::newRow("current track") << QStringList{song} << "x-sonos-http 7 8224";
        QTest::newRow("radio only, then nothing") << QStringList{"x-rincon-mp3radio://a/b", "<res>x-sonosapi-stream:s1?sid=254&flags=32</res>"} << "";
        QTest::newRow("sid=2040 contains sid=204")
            << QStringList{"x-sonos-http:song%3a1.mp4?sid=2040&flags=1&sn=9"} << "x-sonos-http 9 1";
        QTest::newRow("no flags: next sample")
            << QStringList{"x-sonos-http:song%3a1.mp4?sid=204&sn=5", song} << "x-sonos-http 7 8224";
        QTest::newRow("other scheme") << QStringList{"x-sonosapi-http:song%3a1.mp4?sid=204&flags=8232&sn=2"} << "x-sonosapi-http 2 8232";
        QTest::newRow("another service's song first")
            << QStringList{"<res>x-sonos-spotify:spotify%3atrack%3a4kQ?sid=9&flags=8224&sn=7</res>"
                           "<res>x-sonos-http:song%3a5.mp4?sid=204&flags=8232&sn=3</res>"}
            << "x-sonos-http 3 8232";
        QTest::newRow("a playlist before the song")
            << QStringList{"<res>x-rincon-cpcontainer:1006206cplaylist%3apl.u-Qx?sid=204&flags=8300&sn=3</res>"
                           "<res>x-sonos-http:song%3a5.mp4?sid=204&flags=8224&sn=3</res>"}
            << "x-sonos-http 3 8224";
        QTest::newRow("parameters in another order, escaped once")
            << QStringList{"<res>x-sonos-http:song%3a5.mp4?sn=4&amp;sid=204&amp;flags=8232</res>"} << "x-sonos-http 4 8232";
        QTest::newRow("exact service before a longer id")
            << QStringList{"x-sonos-http:song%3a1.mp4?sid=2040&flags=1&sn=9 x-sonos-http:song%3a2.mp4?sid=204&flags=8224&sn=3"}
            << "x-sonos-http 3 8224";
        QTest::newRow("a song of the service without serial, another with")
            << QStringList{"x-sonos-http:song%3a1.mp4?sid=204&flags=8224 x-sonos-http:song%3a2.mp4?sid=204&flags=8232&sn=6"}
            << "x-sonos-http 6 8232";
    }
    void samples()
    {
        QFETCH(QStringList, samples);
        QFETCH(QString, found);
        const auto link = appleMusicLinkFromSamples(204, samples);
        QCOMPARE(link ? QStringLiteral("%1 %2 %3").arg(link->scheme, link->sn, link->flags) : QString(), found);
    }

    void fromTheHousehold_data()
    {
        QTest::addColumn<QString>("household");
        QTest::addColumn<QString>("room");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("flags");
        QTest::newRow("played before: from the current track") << "default" << "Salon" << -1 << "8224";
        // The favorites hold a playlist before the song: the song's own flags count.
        QTest::newRow("played before: from the favorites") << "default" << "Cuisine" << -1 << "8224";
        QTest::newRow("never played") << "never" << "Salon" << int(CorvaneError::Kind::AppleMusicNotLinked) << "";
        QTest::newRow("service not listed") << "unlisted" << "Salon" << int(CorvaneError::Kind::AppleMusicNotLinked) << "";
        QTest::newRow("local control off") << "403" << "Salon" << int(CorvaneError::Kind::LocalControlDisabled) << "";
    }
    void fromTheHousehold()
    {
        QFETCH(QString, household);
        QFETCH(QString, room);
        QFETCH(int, kind);
        QFETCH(QString, flags);
        auto house = startHousehold(household == QLatin1String("never") ? "never" : "default");
        SimSpeaker *speaker = house->speaker(room);
        if (household == QLatin1String("unlisted"))
            house->house().appleMusicListed = false;
        speaker->faults().localControlOff = household == QLatin1String("403");
        int caught = -1;
        AppleMusicLink link;
        try {
            link = await(SonosController(speaker->speaker()).appleMusicLink());
        } catch (const CorvaneError &error) {
            caught = int(error.kind());
        }
        QCOMPARE(caught, kind);
        if (kind == -1)
            QCOMPARE(link, (AppleMusicLink{204, QStringLiteral("3"), flags, QStringLiteral("x-sonos-http")}));
    }

    void escapedTwiceInsideSoap()
    {
        auto speaker = startSpeaker();
        const Track track{QStringLiteral("1440857790"), QStringLiteral("Rock & Roll"), {}, {}, std::nullopt, std::nullopt};
        await(SonosController(speaker->speaker()).enqueue(track, kLink));
        const QString arguments = argumentsOf(lastRequest(*speaker, QStringLiteral("AddURIToQueue")));
        QVERIFY(arguments.contains(QStringLiteral("&lt;dc:title&gt;Rock &amp;amp; Roll&lt;/dc:title&gt;")));
        QVERIFY(arguments.contains(QStringLiteral("<EnqueuedURI>x-sonos-http:song%3a1440857790.mp4?sid=204&amp;flags=8224&amp;sn=3</EnqueuedURI>")));
        QCOMPARE(speaker->queue().size(), 1);
        QCOMPARE(speaker->queue().first().title, QStringLiteral("Rock & Roll"));
    }
};

QTEST_GUILESS_MAIN(TestAppleMusicLink)
#include "tst_applemusiclink.moc"
