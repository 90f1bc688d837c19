// The simulated speaker refuses what a real one refuses: malformed requests, requests at the
// wrong address, Apple Music items without the household's account, group commands sent to a
// member, and the harmless refusals real players give (711, 804, 712).

#include "async/http.h"
#include "base/text.h"
#include "sonos/sonoscontroller.h"
#include "testutil.h"

#include <QTest>

using namespace corvane;
using namespace corvane::sim;
using namespace corvane::test;

namespace {

const QString kAVTPath = QStringLiteral("/MediaRenderer/AVTransport/Control");
const QString kI0 = QStringLiteral("<InstanceID>0</InstanceID>");
const AppleMusicLink kLink{204, QStringLiteral("3"), QStringLiteral("8224"), QStringLiteral("x-sonos-http")};
const AppleMusicLink kOtherAccount{204, QStringLiteral("7"), QStringLiteral("8224"), QStringLiteral("x-sonos-http")};

QString soapActionOf(const QString &service, const QString &action)
{
    return QLatin1Char('"') + service + QLatin1Char('#') + action + QLatin1Char('"');
}

QString avt(const QString &action, const QString &arguments)
{
    return QString::fromUtf8(SonosController::envelope(upnp::avTransport, action, arguments));
}

Track song(const QString &id)
{
    return Track{id, QStringLiteral("Titre & co"), QStringLiteral("Artiste"), QStringLiteral("Album"), std::nullopt, std::nullopt};
}

QString enqueue(const QString &uri, const QString &metadata)
{
    return avt(QStringLiteral("AddURIToQueue"),
               kI0 + QStringLiteral("<EnqueuedURI>") + xmlEscape(uri) + QStringLiteral("</EnqueuedURI><EnqueuedURIMetaData>")
                   + xmlEscape(metadata)
                   + QStringLiteral("</EnqueuedURIMetaData><DesiredFirstTrackNumberEnqueued>0</DesiredFirstTrackNumberEnqueued>"
                                    "<EnqueueAsNext>0</EnqueueAsNext>"));
}

QString setURI(const QString &uri, const QString &metadata)
{
    return avt(QStringLiteral("SetAVTransportURI"), kI0 + QStringLiteral("<CurrentURI>") + xmlEscape(uri)
                   + QStringLiteral("</CurrentURI><CurrentURIMetaData>") + xmlEscape(metadata) + QStringLiteral("</CurrentURIMetaData>"));
}

QCoro::Task<HttpResult> post(QUrl url, QByteArray soapAction, QByteArray body)
{
    HttpRequest request;
    request.method = "POST";
    request.url = url;
    request.headers = {{"Content-Type", "text/xml; charset=\"utf-8\""}};
    if (!soapAction.isNull())
        request.headers.append({"SOAPACTION", soapAction});
    request.body = body;
    request.timeout = std::chrono::seconds(5);
    HttpResult result = co_await httpSend(speakerNetwork(), request);
    co_return result;
}

} // namespace

class TestSimStrict : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void requests_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("soapAction"); // "-": no header at all
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("code"); // the UPnP errorCode of a 500, empty otherwise

        const QString info = soapActionOf(upnp::avTransport, QStringLiteral("GetTransportInfo"));
        const QString play = soapActionOf(upnp::avTransport, QStringLiteral("Play"));
        const QString add = soapActionOf(upnp::avTransport, QStringLiteral("AddURIToQueue"));
        const QString set = soapActionOf(upnp::avTransport, QStringLiteral("SetAVTransportURI"));
        const QString infoBody = avt(QStringLiteral("GetTransportInfo"), kI0);
        const QString songURI = kLink.trackURI(QStringLiteral("1440857781"));
        const QString songMD = kLink.trackMetadata(song(QStringLiteral("1440857781")));
        const QString playlistURI = kLink.containerURI(QStringLiteral("playlist"), QStringLiteral("pl.u-Kf3mQ"));

        // The request itself, read as XML.
        QTest::newRow("well formed") << "" << kAVTPath << info << infoBody << 200 << "";
        QTest::newRow("not XML at all") << "" << kAVTPath << info
                                        << "hello <u:GetTransportInfo <InstanceID>0</InstanceID>" << 500 << "402";
        QTest::newRow("empty body") << "" << kAVTPath << info << "" << 500 << "402";
        QTest::newRow("raw & in an argument")
            << "" << kAVTPath << add
            << avt(QStringLiteral("AddURIToQueue"), kI0 + QStringLiteral("<EnqueuedURI>") + songURI
                       + QStringLiteral("</EnqueuedURI><EnqueuedURIMetaData>") + xmlEscape(songMD)
                       + QStringLiteral("</EnqueuedURIMetaData><DesiredFirstTrackNumberEnqueued>0</DesiredFirstTrackNumberEnqueued>"
                                        "<EnqueueAsNext>0</EnqueueAsNext>"))
            << 500 << "402";
        QTest::newRow("DIDL-Lite not escaped in an argument")
            << "" << kAVTPath << add
            << avt(QStringLiteral("AddURIToQueue"), kI0 + QStringLiteral("<EnqueuedURI>") + xmlEscape(songURI)
                       + QStringLiteral("</EnqueuedURI><EnqueuedURIMetaData>") + songMD
                       + QStringLiteral("</EnqueuedURIMetaData><DesiredFirstTrackNumberEnqueued>0</DesiredFirstTrackNumberEnqueued>"
                                        "<EnqueueAsNext>0</EnqueueAsNext>"))
            << 500 << "402";
        QTest::newRow("undeclared prefix")
            << "" << kAVTPath << info
            << "<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Body><u:GetTransportInfo>"
               "<InstanceID>0</InstanceID></u:GetTransportInfo></s:Body></s:Envelope>"
            << 500 << "402";
        QTest::newRow("no Body") << "" << kAVTPath << info
                                 << "<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"></s:Envelope>" << 500 << "402";
        QTest::newRow("not a SOAP envelope")
            << "" << kAVTPath << info
            << "<Envelope><Body><u:GetTransportInfo xmlns:u=\"urn:schemas-upnp-org:service:AVTransport:1\"><InstanceID>0</InstanceID>"
               "</u:GetTransportInfo></Body></Envelope>"
            << 500 << "402";
        QTest::newRow("two actions in one body")
            << "" << kAVTPath << info << QString(infoBody).replace(QStringLiteral("</s:Body>"), QStringLiteral("<u:Pause xmlns:u=\"") + upnp::avTransport + QStringLiteral("\"><InstanceID>0</InstanceID></u:Pause></s:Body>"))
            << 500 << "402";
        QTest::newRow("an argument missing") << "" << kAVTPath << play << avt(QStringLiteral("Play"), kI0) << 500 << "402";
        QTest::newRow("an argument too many") << "" << kAVTPath << info << avt(QStringLiteral("GetTransportInfo"), kI0 + QStringLiteral("<Speed>1</Speed>"))
                                              << 500 << "402";
        QTest::newRow("an argument twice") << "" << kAVTPath << play << avt(QStringLiteral("Play"), kI0 + kI0 + QStringLiteral("<Speed>1</Speed>"))
                                           << 500 << "402";
        // An element inside an ordinary argument: refused by the reading itself, before any
        // check that a metadata argument holds DIDL-Lite.
        QTest::newRow("a child element in an argument") << "" << kAVTPath << play
                                                        << avt(QStringLiteral("Play"), kI0 + QStringLiteral("<Speed><b>1</b></Speed>")) << 500 << "402";
        // Where and how it is sent.
        QTest::newRow("no SOAPACTION") << "" << kAVTPath << "-" << infoBody << 500 << "401";
        QTest::newRow("SOAPACTION of another action") << "" << kAVTPath << play << infoBody << 500 << "401";
        QTest::newRow("SOAPACTION of another service")
            << "" << kAVTPath << soapActionOf(upnp::renderingControl, QStringLiteral("GetTransportInfo")) << infoBody << 500 << "401";
        QTest::newRow("an action the service does not have") << "" << kAVTPath << soapActionOf(upnp::avTransport, QStringLiteral("Dance"))
                                                             << avt(QStringLiteral("Dance"), kI0) << 500 << "401";
        QTest::newRow("a wrong control URL") << "" << "/MediaRenderer/AVTransport/Ctrl" << info << infoBody << 405 << "";
        QTest::newRow("a POST to the description") << "" << "/xml/device_description.xml" << info << infoBody << 405 << "";

        // Apple Music items need the household's account (serial 3, its token).
        QTest::newRow("a song with the account") << "" << kAVTPath << add << enqueue(songURI, songMD) << 200 << "";
        QTest::newRow("a song with another account's token")
            << "" << kAVTPath << add << enqueue(songURI, kOtherAccount.trackMetadata(song(QStringLiteral("1440857781")))) << 500 << "800";
        QTest::newRow("a song with another serial")
            << "" << kAVTPath << add << enqueue(kOtherAccount.trackURI(QStringLiteral("1440857781")), songMD) << 500 << "800";
        QTest::newRow("a song without metadata") << "" << kAVTPath << add << enqueue(songURI, QString()) << 500 << "800";
        QTest::newRow("a song the catalogue does not know")
            << "" << kAVTPath << add << enqueue(kLink.trackURI(QStringLiteral("99")), kLink.trackMetadata(song(QStringLiteral("99"))))
            << 500 << "800";
        QTest::newRow("metadata that is no DIDL-Lite") << "" << kAVTPath << add << enqueue(songURI, QStringLiteral("<item/>")) << 500 << "402";
        QTest::newRow("a playlist set with the account")
            << "" << kAVTPath << set
            << setURI(playlistURI, kLink.containerMetadata(QStringLiteral("playlist"), QStringLiteral("pl.u-Kf3mQ"), QStringLiteral("Routes")))
            << 200 << "";
        QTest::newRow("a playlist set with another account")
            << "" << kAVTPath << set
            << setURI(playlistURI, kOtherAccount.containerMetadata(QStringLiteral("playlist"), QStringLiteral("pl.u-Kf3mQ"), QStringLiteral("R")))
            << 500 << "800";
        QTest::newRow("a playlist queued without metadata") << "" << kAVTPath << add << enqueue(playlistURI, QString()) << 500 << "800";

        // A group member is no coordinator.
        QTest::newRow("member: sleep timer question") << "member" << kAVTPath
                                                      << soapActionOf(upnp::avTransport, QStringLiteral("GetRemainingSleepTimerDuration"))
                                                      << avt(QStringLiteral("GetRemainingSleepTimerDuration"), kI0) << 500 << "800";
        QTest::newRow("member: play mode") << "member" << kAVTPath << soapActionOf(upnp::avTransport, QStringLiteral("SetPlayMode"))
                                           << avt(QStringLiteral("SetPlayMode"), kI0 + QStringLiteral("<NewPlayMode>SHUFFLE</NewPlayMode>"))
                                           << 500 << "712";
        QTest::newRow("member: play") << "member" << kAVTPath << play << avt(QStringLiteral("Play"), kI0 + QStringLiteral("<Speed>1</Speed>"))
                                      << 500 << "800";

        // What real players refuse although nothing is wrong with the request.
        QTest::newRow("previous on the first track") << "first" << kAVTPath << soapActionOf(upnp::avTransport, QStringLiteral("Previous"))
                                                     << avt(QStringLiteral("Previous"), kI0) << 500 << "711";
        QTest::newRow("previous on the second track") << "" << kAVTPath << soapActionOf(upnp::avTransport, QStringLiteral("Previous"))
                                                      << avt(QStringLiteral("Previous"), kI0) << 200 << "";
        QTest::newRow("emptying an empty queue") << "empty" << kAVTPath
                                                 << soapActionOf(upnp::avTransport, QStringLiteral("RemoveAllTracksFromQueue"))
                                                 << avt(QStringLiteral("RemoveAllTracksFromQueue"), kI0) << 500 << "804";
        const QString shuffle = avt(QStringLiteral("SetPlayMode"), kI0 + QStringLiteral("<NewPlayMode>SHUFFLE</NewPlayMode>"));
        const QString setMode = soapActionOf(upnp::avTransport, QStringLiteral("SetPlayMode"));
        QTest::newRow("play mode of a radio") << "radio" << kAVTPath << setMode << shuffle << 500 << "712";
        QTest::newRow("play mode of the line-in") << "linein" << kAVTPath << setMode << shuffle << 500 << "712";
        QTest::newRow("play mode of the queue") << "" << kAVTPath << setMode << shuffle << 200 << "";
    }
    void requests()
    {
        QFETCH(QString, setup);
        QFETCH(QString, path);
        QFETCH(QString, soapAction);
        QFETCH(QString, body);
        QFETCH(int, status);
        QFETCH(QString, code);

        std::unique_ptr<SimHousehold> house;
        std::unique_ptr<SimSpeaker> alone;
        SimSpeaker *speaker = nullptr;
        if (setup == QLatin1String("member")) {
            house = startHousehold();
            speaker = house->speaker(QStringLiteral("Cuisine"));
            await(SonosController(speaker->speaker()).joinGroup(house->speaker(QStringLiteral("Salon"))->config().uuid));
        } else {
            SimSpeakerConfig config;
            config.hasAudioIn = true;
            alone = startSpeaker(config);
            speaker = alone.get();
            if (setup != QLatin1String("empty"))
                speaker->setQueue(catalogueSongs(), setup == QLatin1String("first") ? 1 : 2);
            if (setup == QLatin1String("radio"))
                speaker->setStreamSource(radioStation(QStringLiteral("Radio"), QStringLiteral("http://radio.example.org/a.mp3")));
            if (setup == QLatin1String("linein"))
                speaker->setStreamSource(lineIn(speaker->config().uuid));
        }
        const QByteArray header = soapAction == QLatin1String("-") ? QByteArray() : soapAction.toUtf8();
        const QUrl url(QStringLiteral("http://%1:1400%2").arg(speaker->config().ip, path));
        const HttpResult result = await(post(url, header, body.toUtf8()));
        QCOMPARE(result.status, std::optional<int>(status));
        const QString text = QString::fromUtf8(result.body);
        QCOMPARE(firstCapture(QStringLiteral("<errorCode>(\\d+)</errorCode>"), text).value_or(QString()), code);
        if (status == 500)
            QVERIFY(text.contains(QLatin1String("<faultstring>UPnPError</faultstring>")));
    }

    void refusedItemsChangeNothing()
    {
        auto speaker = startSpeaker();
        speaker->setQueue(catalogueSongs(), 2);
        const QUrl url(QStringLiteral("http://%1:1400%2").arg(speaker->config().ip, kAVTPath));
        const QString uri = kOtherAccount.trackURI(QStringLiteral("1440857781"));
        const HttpResult result = await(post(url, soapActionOf(upnp::avTransport, QStringLiteral("AddURIToQueue")).toUtf8(),
                                             enqueue(uri, kOtherAccount.trackMetadata(song(QStringLiteral("1440857781")))).toUtf8()));
        QCOMPARE(result.status, std::optional<int>(500));
        QCOMPARE(speaker->queue().size(), catalogueSongs().size());
    }

    void getsOnControlURLsAreRefused()
    {
        auto speaker = startSpeaker();
        const HttpResult result = await(speakerGet(QUrl(QStringLiteral("http://%1:1400%2").arg(speaker->config().ip, kAVTPath))));
        QCOMPARE(result.status, std::optional<int>(405));
    }

    void aMemberReportsItFollowsItsCoordinator()
    {
        auto house = startHousehold();
        SimSpeaker *salon = house->speaker(QStringLiteral("Salon"));
        SimSpeaker *cuisine = house->speaker(QStringLiteral("Cuisine"));
        const SonosController member(cuisine->speaker());
        await(member.joinGroup(salon->config().uuid));
        const QString position = await(member.soap(upnp::avTransport, QStringLiteral("GetPositionInfo"), kI0));
        QVERIFY(position.contains(QStringLiteral("<Track>1</Track><TrackDuration></TrackDuration><TrackMetaData></TrackMetaData>"
                                                 "<TrackURI>x-rincon:%1</TrackURI>")
                                      .arg(salon->config().uuid)));
        const QString media = await(member.soap(upnp::avTransport, QStringLiteral("GetMediaInfo"), kI0));
        QVERIFY(media.contains(QStringLiteral("<CurrentURI>x-rincon:%1</CurrentURI>").arg(salon->config().uuid)));
        // The group's transport state is the member's too.
        QVERIFY(await(member.isPlaying()));
    }

    void aStreamAnnouncesItsSongsAndItsStation()
    {
        auto speaker = startSpeaker();
        speaker->setStreamSource(radioStation(QStringLiteral("Radio & Co"), QStringLiteral("https://radio.example.org/live/co.mp3")));
        speaker->setTransport(SimSpeaker::Transport::Playing);
        const SonosController controller(speaker->speaker());
        const auto position = [&controller] {
            return xmlUnescape(xmlUnescape(await(controller.soap(upnp::avTransport, QStringLiteral("GetPositionInfo"), kI0))));
        };
        const QString first = position();
        QVERIFY(first.contains(QStringLiteral("<TrackURI>x-rincon-mp3radio://radio.example.org/live/co.mp3</TrackURI>")));
        QVERIFY(first.contains(QStringLiteral("<r:streamContent>Les Phares Lointains - Marée basse</r:streamContent>")));
        QVERIFY(first.contains(QStringLiteral("<dc:title>co.mp3</dc:title>")));
        QVERIFY(!first.contains(QStringLiteral("Radio & Co")));
        speaker->advanceClock(40000);
        QVERIFY(position().contains(QStringLiteral("<r:streamContent>Les Phares Lointains - Sel & Cendre</r:streamContent>")));
        const QString media = xmlUnescape(xmlUnescape(await(controller.soap(upnp::avTransport, QStringLiteral("GetMediaInfo"), kI0))));
        QVERIFY(media.contains(QStringLiteral("<dc:title>Radio & Co</dc:title>")));
        QVERIFY(media.contains(QStringLiteral("<CurrentURI>x-rincon-mp3radio://radio.example.org/live/co.mp3</CurrentURI>")));
    }

    void aSourceSetByAClientKeepsItsMetadata()
    {
        auto speaker = startSpeaker();
        const SonosController controller(speaker->speaker());
        await(controller.playRadio(QStringLiteral("Rires & Chansons"), QStringLiteral("https://radio.example.org/rc.mp3")));
        const QString media = await(controller.soap(upnp::avTransport, QStringLiteral("GetMediaInfo"), kI0));
        QVERIFY(media.contains(xmlEscape(SonosController::radioMetadata(QStringLiteral("Rires & Chansons")))));
        QCOMPARE(await(controller.nowPlaying()).title, QStringLiteral("Rires & Chansons"));
    }
};

QTEST_GUILESS_MAIN(TestSimStrict)
#include "tst_simstrict.moc"
