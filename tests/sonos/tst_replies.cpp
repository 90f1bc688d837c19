#include "base/text.h"
#include "sonos/replies.h"
#include "testutil.h"

#include <QTest>

using namespace corvane;
using namespace corvane::test;

Q_DECLARE_METATYPE(std::optional<QString>)
Q_DECLARE_METATYPE(std::optional<int>)

namespace {
const Speaker kSpeaker{"RINCON_5CAAFD0A1B2C01400", "127.9.8.7", "Salon", "Sonos Era 300"};

// What browse() hands the parsers: the reply unescaped twice.
QString browsed(const QString &name)
{
    return xmlUnescape(xmlUnescape(fixture(name)));
}

QString transport(const QString &state)
{
    return QStringLiteral("<s:Envelope><s:Body><u:GetTransportInfoResponse xmlns:u=\"urn:schemas-upnp-org:service:AVTransport:1\">"
                          "<CurrentTransportState>%1</CurrentTransportState><CurrentTransportStatus>OK</CurrentTransportStatus>"
                          "<CurrentSpeed>1</CurrentSpeed></u:GetTransportInfoResponse></s:Body></s:Envelope>")
        .arg(state);
}
} // namespace

class TestReplies : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void escaping_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("all five") << "a&b<c>d\"e'f" << "a&amp;b&lt;c&gt;d&quot;e&apos;f";
        QTest::newRow("already escaped text is escaped again") << "&amp;" << "&amp;amp;";
        QTest::newRow("accents untouched") << "Éléonore" << "Éléonore";
    }
    void escaping()
    {
        QFETCH(QString, plain);
        QFETCH(QString, escaped);
        QCOMPARE(xmlEscape(plain), escaped);
        QCOMPARE(xmlUnescape(escaped), plain);
    }

    void unescapeIsOneLevel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("once");
        QTest::newRow("nested") << "&amp;lt;" << "&lt;";
        QTest::newRow("numeric apostrophe") << "l&#39;été" << "l'été";
        QTest::newRow("nothing to do") << "plain" << "plain";
    }
    void unescapeIsOneLevel()
    {
        QFETCH(QString, text);
        QFETCH(QString, once);
        QCOMPARE(xmlUnescape(text), once);
    }

    void hms_data()
    {
        QTest::addColumn<std::optional<QString>>("text");
        QTest::addColumn<int>("seconds");
        QTest::newRow("h:mm:ss") << std::optional<QString>("1:02:03") << 3723;
        QTest::newRow("m:ss") << std::optional<QString>("3:27") << 207;
        QTest::newRow("not implemented") << std::optional<QString>("NOT_IMPLEMENTED") << 0;
        QTest::newRow("empty") << std::optional<QString>("") << 0;
        QTest::newRow("absent") << std::optional<QString>() << 0;
        QTest::newRow("empty pieces dropped") << std::optional<QString>("0::05") << 5;
        QTest::newRow("24 days, the most") << std::optional<QString>("596:31:23") << 2147483;
        QTest::newRow("past an int: missing") << std::optional<QString>("35791395:0") << 0;
        QTest::newRow("hours past an int: missing") << std::optional<QString>("35791395:0:0") << 0;
        QTest::newRow("a piece past 64 bits: missing") << std::optional<QString>("99999999999999999999:00") << 0;
    }
    void hms()
    {
        QFETCH(std::optional<QString>, text);
        QFETCH(int, seconds);
        QCOMPARE(hmsSeconds(text), seconds);
    }

    void capture_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<QString>>("captured");
        QTest::newRow("case-insensitive") << "<track>(\\d+)</track>" << "<Track>12</Track>" << std::optional<QString>("12");
        QTest::newRow("first match") << "<a>(\\w)</a>" << "<a>x</a><a>y</a>" << std::optional<QString>("x");
        QTest::newRow("no match") << "<b>(\\d+)</b>" << "<a>1</a>" << std::optional<QString>();
        QTest::newRow("invalid pattern") << "(unclosed" << "(unclosed" << std::optional<QString>();
        QTest::newRow("group not taken") << "a|(b)" << "a" << std::optional<QString>();
        QTest::newRow("empty capture") << "<a>([^<]*)</a>" << "<a></a>" << std::optional<QString>("");
    }
    void capture()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QFETCH(std::optional<QString>, captured);
        QCOMPARE(firstCapture(pattern, text), captured);
    }

    void artworkResolution_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("url");
        QTest::newRow("speaker path") << "/getaa?s=1&u=x-sonos-http%3asong%253a1.mp4" << "http://127.9.8.7:1400/getaa?s=1&u=x-sonos-http%3asong%253a1.mp4";
        QTest::newRow("absolute") << "https://img.example.com/a/100x100bb.jpg" << "https://img.example.com/a/100x100bb.jpg";
        QTest::newRow("empty") << "" << "";
    }
    void artworkResolution()
    {
        QFETCH(QString, text);
        QFETCH(QString, url);
        const auto resolved = resolveArtwork(text, kSpeaker);
        QCOMPARE(resolved.value_or(QUrl()), url.isEmpty() ? QUrl() : QUrl(url));
    }

    void nowPlaying_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("artist");
        QTest::addColumn<QString>("album");
        QTest::addColumn<std::optional<QString>>("trackID");
        QTest::addColumn<QString>("artwork");
        QTest::addColumn<bool>("playing");
        QTest::addColumn<std::optional<int>>("queueIndex");
        QTest::addColumn<int>("elapsed");
        QTest::addColumn<int>("duration");

        QTest::newRow("Apple Music song, escaped art path")
            << "position_applemusic.xml" << "PLAYING" << "Sel & Cendre" << "Les Phares Lointains" << "Cartes marines"
            << std::optional<QString>("1440857790")
            << "http://127.9.8.7:1400/getaa?s=1&u=x-sonos-http%3asong%253a1440857790.mp4%3fsid%3d204%26flags%3d8224%26sn%3d3"
            << true << std::optional<int>(4) << 93 << 187;
        QTest::newRow("library track, absolute art, paused")
            << "position_library.xml" << "PAUSED_PLAYBACK" << "Néons sur la Loire" << "Odile Ravanel" << "Villes de nuit"
            << std::optional<QString>() << "https://is1-ssl.example.com/image/thumb/Music/aa/bb/cover.jpg/600x600bb.jpg"
            << false << std::optional<int>(1) << 7 << 252;
        // A stream's own title is its file: the station's name comes from GetMediaInfo (below),
        // and without it the song the stream announces is the title.
        QTest::newRow("radio stream has no duration")
            << "position_radio.xml" << "PLAYING" << "Odile Ravanel - Minuit moins le quart" << "" << "" << std::optional<QString>() << ""
            << true << std::optional<int>(1) << 760 << 0;
        QTest::newRow("line-in has neither title nor artist")
            << "position_linein.xml" << "TRANSITIONING" << "" << "" << "" << std::optional<QString>() << ""
            << false << std::optional<int>(1) << 0 << 0;
    }
    void nowPlaying()
    {
        QFETCH(QString, file);
        QFETCH(QString, state);
        QFETCH(QString, title);
        QFETCH(QString, artist);
        QFETCH(QString, album);
        QFETCH(std::optional<QString>, trackID);
        QFETCH(QString, artwork);
        QFETCH(bool, playing);
        QFETCH(std::optional<int>, queueIndex);
        QFETCH(int, elapsed);
        QFETCH(int, duration);

        const NowPlaying now = parseNowPlaying(browsed(file), transport(state), kSpeaker);
        QCOMPARE(now.title, title);
        QCOMPARE(now.artist, artist);
        QCOMPARE(now.album, album);
        QCOMPARE(now.trackID, trackID);
        QCOMPARE(now.artworkURL.value_or(QUrl()), artwork.isEmpty() ? QUrl() : QUrl(artwork));
        QCOMPARE(now.isPlaying, playing);
        QCOMPARE(now.queueIndex, queueIndex);
        QCOMPARE(now.elapsed, elapsed);
        QCOMPARE(now.duration, duration);
        QCOMPARE(now.isEmpty(), title.isEmpty() && artist.isEmpty());
        // Nothing to skip to and no artist to open on a stream or an input.
        QCOMPARE(now.isLive, file == QLatin1String("position_radio.xml") || file == QLatin1String("position_linein.xml"));
    }

    void radioStation_data()
    {
        QTest::addColumn<QString>("media");
        QTest::addColumn<QString>("announced"); // what the stream says now; empty: the recorded song
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("artist");
        const QString didl = QStringLiteral("&lt;DIDL-Lite xmlns:dc=&quot;http://purl.org/dc/elements/1.1/&quot; "
                                            "xmlns:upnp=&quot;urn:schemas-upnp-org:metadata-1-0/upnp/&quot; "
                                            "xmlns=&quot;urn:schemas-upnp-org:metadata-1-0/DIDL-Lite/&quot;&gt;&lt;item id=&quot;R:0/0/0&quot; "
                                            "parentID=&quot;R:0/0&quot; restricted=&quot;true&quot;&gt;&lt;dc:title&gt;%1&lt;/dc:title&gt;"
                                            "&lt;upnp:class&gt;object.item.audioItem.audioBroadcast&lt;/upnp:class&gt;&lt;/item&gt;&lt;/DIDL-Lite&gt;");
        const QString media = QStringLiteral("<u:GetMediaInfoResponse xmlns:u=\"urn:schemas-upnp-org:service:AVTransport:1\"><NrTracks>1</NrTracks>"
                                             "<MediaDuration>NOT_IMPLEMENTED</MediaDuration><CurrentURI>x-rincon-mp3radio://radio.example.org/gardon-128.mp3"
                                             "</CurrentURI><CurrentURIMetaData>%1</CurrentURIMetaData><NextURI></NextURI></u:GetMediaInfoResponse>");
        const QString named = media.arg(didl.arg(QStringLiteral("Rires &amp;amp; Chansons")));
        QTest::newRow("the station named, the song from the stream")
            << named << "" << "Rires & Chansons" << "Odile Ravanel - Minuit moins le quart";
        QTest::newRow("set without metadata: the song alone") << media.arg(QString()) << "" << "Odile Ravanel - Minuit moins le quart" << "";
        // While it connects, the speaker puts its own status words where the song goes: never
        // shown as a song or an artist.
        for (const char *status : {"ZPSTR_CONNECTING", "ZPSTR_BUFFERING"}) {
            QTest::addRow("%s, station named", status) << named << status << "Rires & Chansons" << "";
            QTest::addRow("%s, no station", status) << media.arg(QString()) << status << "gardon-128.mp3" << "";
        }
    }
    void radioStation()
    {
        QFETCH(QString, media);
        QFETCH(QString, announced);
        QFETCH(QString, title);
        QFETCH(QString, artist);
        const QString station = parseStationName(xmlUnescape(xmlUnescape(media)));
        QString position = browsed(QStringLiteral("position_radio.xml"));
        if (!announced.isEmpty())
            position.replace(QStringLiteral("Odile Ravanel - Minuit moins le quart"), announced);
        const NowPlaying now = parseNowPlaying(position, transport(QStringLiteral("PLAYING")), kSpeaker, station);
        QVERIFY(!now.title.contains(QLatin1String("ZPSTR")));
        QVERIFY(!now.artist.contains(QLatin1String("ZPSTR")));
        QCOMPARE(now.title, title);
        QCOMPARE(now.artist, artist);
        QCOMPARE(now.album, QString());
    }

    void trackSources_data()
    {
        QTest::addColumn<QString>("uri");
        QTest::addColumn<bool>("live");
        QTest::addColumn<bool>("input");
        QTest::addColumn<QString>("followed");
        QTest::newRow("Apple Music song") << "x-sonos-http:song%3a1.mp4?sid=204&flags=8224&sn=3" << false << false << "";
        QTest::newRow("plain radio") << "x-rincon-mp3radio://radio.example.org/a.mp3" << true << false << "";
        QTest::newRow("service radio") << "x-sonosapi-radio:radio%3ara.u-7ad?sid=204&flags=8300&sn=3" << true << false << "";
        QTest::newRow("TuneIn stream") << "x-sonosapi-stream:s24861?sid=254&flags=8224&sn=0" << true << false << "";
        QTest::newRow("line-in") << "x-rincon-stream:RINCON_347E5C6D7E8F01400" << false << true << "";
        QTest::newRow("TV") << "x-sonos-htastream:RINCON_48A6B8C9D0E101400:spdif" << false << true << "";
        QTest::newRow("a group member") << "x-rincon:RINCON_5CAAFD0A1B2C01400" << false << false << "RINCON_5CAAFD0A1B2C01400";
        QTest::newRow("the queue is no member") << "x-rincon-queue:RINCON_5CAAFD0A1B2C01400#0" << false << false << "";
    }
    void trackSources()
    {
        QFETCH(QString, uri);
        QFETCH(bool, live);
        QFETCH(bool, input);
        QFETCH(QString, followed);
        QCOMPARE(isLiveStream(uri), live);
        QCOMPARE(isInputSource(uri), input);
        QCOMPARE(followedCoordinator(uri).value_or(QString()), followed);
    }

    void transportStates_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("playing");
        QTest::newRow("PLAYING") << "PLAYING" << true;
        QTest::newRow("PAUSED_PLAYBACK") << "PAUSED_PLAYBACK" << false;
        QTest::newRow("STOPPED") << "STOPPED" << false;
        QTest::newRow("TRANSITIONING") << "TRANSITIONING" << false;
        QTest::newRow("lower-case is not PLAYING") << "playing" << false;
    }
    void transportStates()
    {
        QFETCH(QString, state);
        QFETCH(bool, playing);
        QCOMPARE(parseNowPlaying(QString(), transport(state), kSpeaker).isPlaying, playing);
        QCOMPARE(parseNowPlaying(QString(), QString(), kSpeaker).isPlaying, false);
    }

    void queue()
    {
        const QList<QueueItem> items = parseQueue(browsed(QStringLiteral("browse_queue.xml")), kSpeaker);
        QCOMPARE(items.size(), 5);
        QCOMPARE(items[0].id, 1);
        QCOMPARE(items[0].title, QStringLiteral("Marée basse"));
        QCOMPARE(items[0].artist, QStringLiteral("Les Phares Lointains"));
        QCOMPARE(items[0].songID, std::optional<QString>(QStringLiteral("1440857781")));
        QCOMPARE(items[0].artworkURL->host(), QStringLiteral("127.9.8.7"));
        QCOMPARE(items[0].artworkURL->port(), 1400);
        QCOMPARE(items[1].title, QStringLiteral("Sel & Cendre"));
        QCOMPARE(items[1].songID, std::optional<QString>(QStringLiteral("1440857790")));
        QCOMPARE(items[1].artworkURL->toString(), QStringLiteral("https://is1-ssl.example.com/image/thumb/x/100x100bb.jpg"));
        QCOMPARE(items[2].songID, std::nullopt); // a library track has no catalogue id
        QCOMPARE(items[2].artworkURL, std::nullopt);
        QCOMPARE(items[3].title, QStringLiteral("—"));
        QCOMPARE(items[3].artist, QString());
        QCOMPARE(items[4].id, 5);
        QCOMPARE(items[4].title, QStringLiteral("L'Été d'Arbousier"));
        QCOMPARE(items[4].songID, std::nullopt);
    }

    void favorites()
    {
        const QList<SonosFavorite> favorites =
            parseFavorites(browsed(QStringLiteral("browse_favorites.xml")), kSpeaker);
        QCOMPARE(favorites.size(), 4); // the one without a title is dropped

        const SonosFavorite &playlist = favorites[0];
        QCOMPARE(playlist.id, QStringLiteral("FV:2/13"));
        QCOMPARE(playlist.ordinal(), 13);
        QCOMPARE(playlist.title, QStringLiteral("Routes du soir"));
        QCOMPARE(playlist.uri, QStringLiteral("x-rincon-cpcontainer:1006206cplaylist%3apl.u-Kf3mQ?sid=204&flags=8300&sn=3"));
        QVERIFY(playlist.metadata.startsWith(QStringLiteral("<DIDL-Lite ")));
        QVERIFY(playlist.metadata.contains(QStringLiteral("SA_RINCON52231_X_#Svc52231-0-Token")));

        // A single song nests an <item> in its metadata: it must stay whole, account token included.
        const SonosFavorite &song = favorites[1];
        QCOMPARE(song.id, QStringLiteral("FV:2/4"));
        QCOMPARE(song.title, QStringLiteral("Minuit moins le quart"));
        QCOMPARE(song.uri, QStringLiteral("x-sonos-http:song%3a1609934420.mp4?sid=204&flags=8224&sn=3"));
        QCOMPARE(song.metadata, fixture(QStringLiteral("favorite_song_resmd.txt")));
        QVERIFY(song.refersToSong(QStringLiteral("1609934420")));
        QCOMPARE(song.artworkURL->host(), QStringLiteral("127.9.8.7"));

        QCOMPARE(favorites[2].title, QStringLiteral("Station Odile Ravanel"));
        QCOMPARE(favorites[2].artworkURL, std::nullopt);
        QVERIFY(favorites[2].metadata.contains(QStringLiteral("#station")));

        QCOMPARE(favorites[3].id, QStringLiteral("FV:2/21"));
        QCOMPARE(favorites[3].title, QString()); // an empty title is kept
        QCOMPARE(favorites[3].metadata, QString());
    }

    void realFormatting_data()
    {
        QTest::addColumn<QString>("didl");
        QTest::addColumn<QString>("favorite"); // id|title|metadata
        QTest::addColumn<QString>("queued");   // id|title
        const QString resMD = QStringLiteral("<r:resMD><DIDL-Lite xmlns:dc=\"http://purl.org/dc/elements/1.1/\"\n"
                                             "xmlns=\"urn:schemas-upnp-org:metadata-1-0/DIDL-Lite/\"><item\nid=\"1006206cplaylist%3apl.u-Tz\">"
                                             "<dc:title>Haute\nmer</dc:title></item></DIDL-Lite></r:resMD>");
        QTest::newRow("line breaks inside r:resMD")
            << QStringLiteral("<DIDL-Lite><item id=\"FV:2/7\" parentID=\"FV:2\" restricted=\"false\"><dc:title>Haute mer</dc:title>")
                   + resMD + QStringLiteral("</item></DIDL-Lite>")
            << "FV:2/7|Haute mer|<DIDL-Lite xmlns:dc=" << "";
        QTest::newRow("attributes on their own lines, id last")
            << QStringLiteral("<DIDL-Lite><item\n parentID=\"FV:2\"\n restricted=\"false\"\n id=\"FV:2/8\"><dc:title>Quai nord</dc:title>"
                              "</item></DIDL-Lite>")
            << "FV:2/8|Quai nord|" << "";
        QTest::newRow("queue item, id after parentID")
            << QStringLiteral("<DIDL-Lite><item parentID=\"Q:0\"\r\n id=\"Q:0/3\" restricted=\"true\"><dc:title>Marée\nbasse</dc:title>"
                              "</item></DIDL-Lite>")
            << "Q:0/3|Marée\nbasse|" << "3|Marée\nbasse";
        QTest::newRow("a title holding markup once unescaped")
            << QStringLiteral("<DIDL-Lite><item id=\"FV:2/9\"><dc:title>Sel & <Cendre></dc:title></item></DIDL-Lite>")
            << "FV:2/9|Sel & <Cendre>|" << "";
    }
    void realFormatting()
    {
        QFETCH(QString, didl);
        QFETCH(QString, favorite);
        QFETCH(QString, queued);
        const QList<SonosFavorite> favorites = parseFavorites(didl, kSpeaker);
        QCOMPARE(favorites.size(), 1);
        const QStringList expected = favorite.split(QLatin1Char('|'));
        QCOMPARE(favorites[0].id, expected[0]);
        QCOMPARE(favorites[0].title, expected[1]);
        if (expected[2].isEmpty()) {
            QCOMPARE(favorites[0].metadata, QString());
        } else {
            QVERIFY2(favorites[0].metadata.startsWith(expected[2]), qPrintable(favorites[0].metadata));
            QVERIFY(favorites[0].metadata.endsWith(QStringLiteral("</DIDL-Lite>")));
        }
        const QList<QueueItem> items = parseQueue(didl, kSpeaker);
        QCOMPARE(items.isEmpty() ? QString() : QString::number(items[0].id) + QLatin1Char('|') + items[0].title, queued);
    }

    void parsersSurviveGarbage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("not xml") << "\x01\x02 garbage <<<>>>";
        QTest::newRow("unclosed item") << "<item id=\"Q:0/1\"><dc:title>x</dc:title>";
        QTest::newRow("close without open") << "</item></item><item id=\"FV:2/1\">";
    }
    void parsersSurviveGarbage()
    {
        QFETCH(QString, text);
        QVERIFY(parseQueue(text, kSpeaker).isEmpty());
        QVERIFY(parseFavorites(text, kSpeaker).isEmpty());
        const NowPlaying now = parseNowPlaying(text, text, kSpeaker);
        QCOMPARE(now.queueIndex, std::nullopt);
        QCOMPARE(now.duration, 0);
        QVERIFY(!now.isPlaying);
    }

    void sleepRemaining_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<int>>("minutes");
        QTest::newRow("a started minute counts") << "0:14:30" << std::optional<int>(15);
        QTest::newRow("whole minutes") << "0:15:00" << std::optional<int>(15);
        QTest::newRow("an hour") << "1:00:00" << std::optional<int>(60);
        QTest::newRow("no timer") << "" << std::optional<int>();
        QTest::newRow("two pieces") << "14:30" << std::optional<int>();
        QTest::newRow("hours past an int") << "35791395:0:0" << std::optional<int>();
        QTest::newRow("minutes past an int") << "0:2147483647:0" << std::optional<int>();
    }
    void sleepRemaining()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<int>, minutes);
        const QString reply = QStringLiteral("<RemainingSleepTimerDuration>%1</RemainingSleepTimerDuration>"
                                             "<CurrentSleepTimerGeneration>3</CurrentSleepTimerGeneration>")
                                  .arg(text);
        QCOMPARE(parseSleepTimerRemaining(reply), minutes);
    }

    void renderingReads()
    {
        QCOMPARE(parseVolume(QStringLiteral("<CurrentVolume>37</CurrentVolume>")), 37);
        QCOMPARE(parseVolume(QStringLiteral("<CurrentVolume></CurrentVolume>")), 0);
        QVERIFY(parseMute(QStringLiteral("<CurrentMute>1</CurrentMute>")));
        QVERIFY(!parseMute(QStringLiteral("<CurrentMute>0</CurrentMute>")));
        QVERIFY(!parseMute(QString()));
        QCOMPARE(parseEqualizer(QStringLiteral("<CurrentBass>-4</CurrentBass>"),
                                QStringLiteral("<CurrentTreble>7</CurrentTreble>"),
                                QStringLiteral("<CurrentLoudness>1</CurrentLoudness>")),
                 (Equalizer{-4, 7, true}));
        QCOMPARE(parseEqualizer(QString(), QStringLiteral("<CurrentTreble>x</CurrentTreble>"), QString()),
                 (Equalizer{0, 0, false}));
        QCOMPARE(parsePlayMode(QStringLiteral("<PlayMode>SHUFFLE_NOREPEAT</PlayMode>")),
                 std::optional<PlayMode>(PlayMode::ShuffleNoRepeat));
        QCOMPARE(parsePlayMode(QStringLiteral("<PlayMode>PARTY</PlayMode>")), std::nullopt);
    }

    void battery_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("charging");
        QTest::newRow("on USB power") << "73" << "USB_POWER" << true << true;
        QTest::newRow("on battery") << "91" << "BATTERY" << true << false;
        QTest::newRow("on its charging ring") << "100" << "SONOS_CHARGING_RING" << true << false;
        QTest::newRow("no power source") << "50" << "" << true << false;
        QTest::newRow("no level") << "" << "USB_POWER" << false << false;
    }
    void battery()
    {
        QFETCH(QString, level);
        QFETCH(QString, source);
        QFETCH(bool, present);
        QFETCH(bool, charging);
        QString page = QStringLiteral("<?xml version=\"1.0\" ?>\n<ZPSupportInfo>\n<LocalBatteryStatus>\n"
                                      "<Data name=\"Health\">GREEN</Data>\n");
        if (!level.isEmpty())
            page += QStringLiteral("<Data name=\"Level\">%1</Data>\n").arg(level);
        if (!source.isEmpty())
            page += QStringLiteral("<Data name=\"PowerSource\">%1</Data>\n").arg(source);
        page += QStringLiteral("</LocalBatteryStatus>\n</ZPSupportInfo>\n");
        const auto status = parseBatteryStatus(page);
        QCOMPARE(status.has_value(), present);
        if (status) {
            QCOMPARE(status->level, level.toInt());
            QCOMPARE(status->charging, charging);
        }
    }
};

QTEST_GUILESS_MAIN(TestReplies)
#include "tst_replies.moc"
