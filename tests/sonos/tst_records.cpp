#include "base/corvaneerror.h"
#include "base/records.h"
#include "base/text.h"

#include <QTest>

using namespace corvane;

Q_DECLARE_METATYPE(std::optional<QString>)
Q_DECLARE_METATYPE(std::optional<qint64>)

class TestRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void iconFollowsTheModel_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("icon");
        QTest::newRow("soundbar") << "Sonos Arc Ultra" << "tv.and.hifispeaker.fill";
        QTest::newRow("beam") << "Sonos Beam" << "tv.and.hifispeaker.fill";
        QTest::newRow("ray") << "Sonos Ray" << "tv.and.hifispeaker.fill";
        QTest::newRow("playbar") << "Sonos Playbar" << "tv.and.hifispeaker.fill";
        QTest::newRow("sub") << "Sonos Sub Mini" << "hifispeaker.2.fill";
        QTest::newRow("portable") << "Sonos Roam 2" << "hifispeaker";
        QTest::newRow("move") << "Sonos Move" << "hifispeaker";
        QTest::newRow("amp") << "Sonos Amp" << "hifireceiver.fill";
        QTest::newRow("port") << "Port" << "hifireceiver.fill";
        QTest::newRow("connect") << "Sonos Connect:Amp" << "hifireceiver.fill";
        QTest::newRow("plain speaker") << "Era 100" << "hifispeaker.fill";
        QTest::newRow("unknown") << "Sonos" << "hifispeaker.fill";
    }
    void iconFollowsTheModel()
    {
        QFETCH(QString, model);
        QFETCH(QString, icon);
        QCOMPARE((Speaker{"RINCON_1", "127.0.0.5", "Salon", model}.iconName()), icon);
    }

    void baseURL_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("url");
        QTest::newRow("address") << "127.4.5.6" << "http://127.4.5.6:1400";
        QTest::newRow("not an address") << "bad host name/with slash" << "http://0.0.0.0:1400";
        QTest::newRow("empty") << "" << "http://0.0.0.0:1400";
    }
    void baseURL()
    {
        QFETCH(QString, ip);
        QFETCH(QString, url);
        QCOMPARE((Speaker{"u", ip, "r", "m"}.baseURL()), QUrl(url));
    }

    void groupDisplayName_data()
    {
        QTest::addColumn<QString>("coordinator");
        QTest::addColumn<int>("members");
        QTest::addColumn<QString>("name");
        QTest::newRow("alone") << "A" << 1 << "Salon";
        QTest::newRow("three rooms") << "A" << 3 << "Salon + 2";
        QTest::newRow("coordinator missing") << "Z" << 2 << "Groupe";
    }
    void groupDisplayName()
    {
        QFETCH(QString, coordinator);
        QFETCH(int, members);
        QFETCH(QString, name);
        const QList<Speaker> rooms = {{"A", "127.0.0.2", "Salon", "Era 100"},
                                      {"B", "127.0.0.3", "Cuisine", "One"},
                                      {"C", "127.0.0.4", "Bureau", "Five"}};
        const SonosGroup group{coordinator, rooms.mid(0, members)};
        QCOMPARE(group.displayName(), name);
        QCOMPARE(group.coordinator().has_value(), coordinator == QLatin1String("A"));
    }

    void durationText_data()
    {
        QTest::addColumn<std::optional<qint64>>("ms");
        QTest::addColumn<std::optional<QString>>("text");
        QTest::newRow("under a minute") << std::optional<qint64>(59999) << std::optional<QString>("0:59");
        QTest::newRow("minutes") << std::optional<qint64>(207000) << std::optional<QString>("3:27");
        QTest::newRow("over an hour") << std::optional<qint64>(3725000) << std::optional<QString>("62:05");
        QTest::newRow("zero") << std::optional<qint64>(0) << std::optional<QString>();
        QTest::newRow("none") << std::optional<qint64>() << std::optional<QString>();
    }
    void durationText()
    {
        QFETCH(std::optional<qint64>, ms);
        QFETCH(std::optional<QString>, text);
        Track track;
        track.durationMS = ms;
        QCOMPARE(track.durationText(), text);
    }

    void artworkForSize_data()
    {
        QTest::addColumn<std::optional<QString>>("base");
        QTest::addColumn<int>("size");
        QTest::addColumn<std::optional<QString>>("url");
        QTest::newRow("catalogue artwork")
            << std::optional<QString>("https://is1-ssl.example.com/image/thumb/a/b/100x100bb.jpg") << 300
            << std::optional<QString>("https://is1-ssl.example.com/image/thumb/a/b/300x300bb.jpg");
        QTest::newRow("only the last segment changes")
            << std::optional<QString>("https://img.example.com/100x100/c/100x100bb.jpg") << 600
            << std::optional<QString>("https://img.example.com/100x100/c/600x600bb.jpg");
        QTest::newRow("no size segment")
            << std::optional<QString>("https://img.example.com/cover.jpg") << 600
            << std::optional<QString>("https://img.example.com/cover.jpg");
        QTest::newRow("no base") << std::optional<QString>() << 300 << std::optional<QString>();
    }
    void artworkForSize()
    {
        QFETCH(std::optional<QString>, base);
        QFETCH(int, size);
        QFETCH(std::optional<QString>, url);
        const auto result = artworkURL(base, size);
        QCOMPARE(result.has_value(), url.has_value());
        if (url)
            QCOMPARE(result->toString(), *url);
    }

    void favoriteOrdinal_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("ordinal");
        QTest::newRow("numbered") << "FV:2/7" << 7;
        QTest::newRow("no slash") << "FV:2" << -1;
        QTest::newRow("trailing slash") << "FV:2/13/" << 13;
        QTest::newRow("not a number") << "FV:2/abc" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void favoriteOrdinal()
    {
        QFETCH(QString, id);
        QFETCH(int, ordinal);
        QCOMPARE((SonosFavorite{id, "t", {}, {}, {}}.ordinal()), ordinal);
    }

    void favoriteRefersToSong_data()
    {
        QTest::addColumn<QString>("uri");
        QTest::addColumn<QString>("song");
        QTest::addColumn<bool>("refers");
        QTest::newRow("exact") << "x-sonos-http:song%3a123.mp4?sid=204" << "123" << true;
        QTest::newRow("upper-case escape") << "x-sonos-http:song%3A123.mp4" << "123" << true;
        QTest::newRow("longer id is another song") << "x-sonos-http:song%3a1234.mp4" << "123" << false;
        QTest::newRow("second occurrence counts") << "song%3a1234|song%3a123" << "123" << true;
        QTest::newRow("id at the very end") << "x-sonos-http:song%3a123" << "123" << true;
        QTest::newRow("a playlist") << "x-rincon-cpcontainer:1006206cplaylist%3apl.u-1" << "123" << false;
    }
    void favoriteRefersToSong()
    {
        QFETCH(QString, uri);
        QFETCH(QString, song);
        QFETCH(bool, refers);
        QCOMPARE((SonosFavorite{"FV:2/1", "t", {}, uri, {}}.refersToSong(song)), refers);
    }

    void stationInitials_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("initials");
        QTest::newRow("two words") << "radio gardon" << "RG";
        QTest::newRow("more words") << "Radio Côte d'Opale" << "RC";
        QTest::newRow("one word") << "Fip" << "F";
        QTest::newRow("extra spaces") << "  jazz   nuit " << "JN";
        QTest::newRow("no word") << "   " << "?";
    }
    void stationInitials()
    {
        QFETCH(QString, name);
        QFETCH(QString, initials);
        QCOMPARE((RadioStation{"1", name, "", "", {}}.initials()), initials);
    }

    void playModes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("known");
        QTest::addColumn<bool>("shuffle");
        QTest::addColumn<int>("repeat");
        QTest::newRow("NORMAL") << "NORMAL" << true << false << int(RepeatState::Off);
        QTest::newRow("REPEAT_ALL") << "REPEAT_ALL" << true << false << int(RepeatState::All);
        QTest::newRow("REPEAT_ONE") << "REPEAT_ONE" << true << false << int(RepeatState::One);
        QTest::newRow("SHUFFLE") << "SHUFFLE" << true << true << int(RepeatState::All);
        QTest::newRow("SHUFFLE_NOREPEAT") << "SHUFFLE_NOREPEAT" << true << true << int(RepeatState::Off);
        QTest::newRow("lower case is not a mode") << "shuffle" << false << false << 0;
        QTest::newRow("SHUFFLE_REPEAT_ONE is not ours") << "SHUFFLE_REPEAT_ONE" << false << false << 0;
    }
    void playModes()
    {
        QFETCH(QString, text);
        QFETCH(bool, known);
        QFETCH(bool, shuffle);
        QFETCH(int, repeat);
        const auto mode = playModeFromText(text);
        QCOMPARE(mode.has_value(), known);
        if (!mode)
            return;
        QCOMPARE(playModeText(*mode), text);
        QCOMPARE(playModeShuffles(*mode), shuffle);
        QCOMPARE(int(playModeRepeat(*mode)), repeat);
    }

    void errorMessages_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("unreachable room")
            << 0 << "« Cuisine » ne répond plus. L'enceinte s'est peut-être mise en veille ou a quitté le réseau.";
        QTest::newRow("unreachable, no room")
            << 1 << "L'enceinte ne répond plus. Elle s'est peut-être mise en veille ou a quitté le réseau.";
        QTest::newRow("refused with code") << 2 << "L'enceinte a refusé la demande (code 701).";
        QTest::newRow("refused without code") << 3 << "L'enceinte a refusé la demande.";
        QTest::newRow("network") << 4 << "Le réseau est momentanément indisponible.";
        QTest::newRow("no speakers") << 5 << "Aucune enceinte Sonos trouvée sur ce réseau.";
        QTest::newRow("not linked")
            << 6 << "Apple Music n'a pas pu être identifié sur ce système Sonos. Ouvrez l'app Sonos officielle, jouez un morceau Apple Music une fois, puis relancez la recherche d'enceintes.";
    }
    void errorMessages()
    {
        QFETCH(int, kind);
        QFETCH(QString, message);
        const CorvaneError errors[] = {
            CorvaneError::speakerUnreachable(QStringLiteral("Cuisine")),
            CorvaneError::speakerUnreachable(QString()),
            CorvaneError::sonosRefused(QStringLiteral("701")),
            CorvaneError::sonosRefused(std::nullopt),
            CorvaneError::network(QStringLiteral("Le réseau est momentanément indisponible.")),
            CorvaneError::noSpeakers(),
            CorvaneError::appleMusicNotLinked(),
        };
        QCOMPARE(errors[kind].message(), message);
        QCOMPARE(QString::fromUtf8(errors[kind].what()), message);
    }

    // Names from the network printed on a terminal or shown by the desktop's notifications.
    void namesLeaveNoControlAndNoMarkup_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("terminal");
        QTest::addColumn<QString>("notification");
        QTest::newRow("plain") << "Salon" << "Salon" << "Salon";
        QTest::newRow("escape sequences") << "Salon\x1b]0;pwned\x07\x1b[2J" << "Salon]0;pwned[2J" << "Salon]0;pwned[2J";
        QTest::newRow("carriage return") << "Salon\rOK" << "SalonOK" << "SalonOK";
        QTest::newRow("C1 control") << QString(QStringLiteral("Sal") + QChar(0x9B) + QStringLiteral("on")) << "Salon" << "Salon";
        QTest::newRow("bidirectional override") << QStringLiteral("Salon\u202Egnp.exe") << "Salongnp.exe" << "Salongnp.exe";
        QTest::newRow("lines and tabs stay") << "Salon\n\tCuisine" << "Salon\n\tCuisine" << "Salon\n\tCuisine";
        QTest::newRow("markup") << "<b>Salon</b> & <img src=\"http://x/\">" << "<b>Salon</b> & <img src=\"http://x/\">"
                                << "&lt;b&gt;Salon&lt;/b&gt; &amp; &lt;img src=\"http://x/\"&gt;";
        QTest::newRow("accents") << "Séjour — étage" << "Séjour — étage" << "Séjour — étage";
    }
    void namesLeaveNoControlAndNoMarkup()
    {
        QFETCH(QString, name);
        QFETCH(QString, terminal);
        QFETCH(QString, notification);
        QCOMPARE(terminalSafe(name), terminal);
        QCOMPARE(notificationBody(name), notification);
    }

    void localControlOffSaysWhereToTurnItOn()
    {
        const QString message = CorvaneError::localControlDisabled().message();
        QVERIFY(message.contains(QStringLiteral("Compte › Confidentialité et sécurité › UPnP")));
        QVERIFY(message.contains(QStringLiteral("app Sonos")));
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
