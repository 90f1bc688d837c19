// The whole window in one language (CORVANE_TEST_LANGUAGE, French unless it says "en"): every
// screen and popover is walked, and no text or accessible name of Corvane's own shows in the other
// language.

#include "windowrig.h"

#include "base/corvaneerror.h"

#include <QAccessible>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

Q_IMPORT_QML_PLUGIN(CorvanePlugin)

using namespace corvane;
using namespace corvane::test;

namespace {

// The catalogue's texts of the other language as patterns that match a whole shown text; a
// placeholder stands for anything. Texts the same in both languages, and those too short to
// tell from a name (a station called "Radio …"), are left out.
QList<QRegularExpression> otherLanguage(const QString &language)
{
    QFile file(QStringLiteral(CORVANE_TRANSLATIONS "/corvane_en.ts"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QString source;
    QStringList english;
    QList<QRegularExpression> patterns;
    static const QRegularExpression placeholder(QStringLiteral("%(\\d{1,2}|n)"));
    static const QRegularExpression word(QStringLiteral("\\p{L}{3,}"));
    const auto add = [&](const QString &text, const QStringList &alsoIn) {
        if (alsoIn.contains(text))
            return;
        QString literal = text;
        literal.remove(placeholder);
        int letters = 0;
        for (const QRegularExpressionMatch &match : word.globalMatch(literal))
            letters += int(match.capturedLength());
        if (letters < 8)
            return;
        QString pattern = QRegularExpression::escape(text);
        pattern.replace(QRegularExpression(QStringLiteral("%(\\d{1,2}|n)")), QStringLiteral(".+"));
        patterns << QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                                       QRegularExpression::DotMatchesEverythingOption);
    };
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("message")) {
            source.clear();
            english.clear();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("translation")) {
            if (xml.attributes().value(QStringLiteral("numerus")) != QLatin1String("yes")) {
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                if (!text.contains(QLatin1Char('<')))
                    english << text;
            }
        } else if (xml.isStartElement() && xml.name() == QLatin1String("numerusform")) {
            english << xml.readElementText();
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            // French plural sources are written with "(s)": their French forms show instead.
            QStringList french{source};
            if (source.contains(QLatin1String("(s)")) || source.contains(QLatin1String("(x)"))) {
                QString one = source;
                QString many = source;
                french = {one.remove(QLatin1String("(s)")).remove(QLatin1String("(x)")),
                          many.replace(QLatin1String("(s)"), QLatin1String("s")).replace(QLatin1String("(x)"), QLatin1String("x"))};
            }
            if (language == QLatin1String("en")) {
                for (const QString &text : french)
                    add(text, english);
            } else {
                for (const QString &text : english)
                    add(text, french);
            }
        }
    }
    return patterns;
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

    QString m_language = qEnvironmentVariable("CORVANE_TEST_LANGUAGE", QStringLiteral("fr"));
    QList<QRegularExpression> m_foreign;
    QStringList m_seen;

    // Every text and accessible name shown now, checked.
    void look(WindowRig &ui, const QString &where)
    {
        QTRY_VERIFY(ui.settle());
        QTest::qWait(300); // popups fade in
        for (QQuickItem *item : ui.items()) {
            if (!WindowRig::shown(item))
                continue;
            QStringList texts{item->property("text").toString()};
            if (QAccessibleInterface *access = QAccessible::queryAccessibleInterface(item)) {
                texts << access->text(QAccessible::Name) << access->text(QAccessible::Description);
            }
            for (const QString &text : std::as_const(texts)) {
                if (text.isEmpty())
                    continue;
                m_seen << text;
                for (const QRegularExpression &pattern : std::as_const(m_foreign)) {
                    if (pattern.match(text).hasMatch())
                        QFAIL(qPrintable(QStringLiteral("%1: \"%2\" is not in %3").arg(where, text, m_language)));
                }
            }
        }
    }

    static void invoke(WindowRig &ui, const char *objectName, const char *method, const QVariant &argument = {})
    {
        QObject *object = ui.window->findChild<QObject *>(QLatin1String(objectName));
        QVERIFY2(object, objectName);
        if (argument.isValid())
            QVERIFY(QMetaObject::invokeMethod(object, method, Q_ARG(QVariant, argument)));
        else
            QVERIFY(QMetaObject::invokeMethod(object, method));
    }

private Q_SLOTS:
    void initTestCase()
    {
        quietAbortWarnings();
        m_foreign = otherLanguage(m_language);
        QVERIFY(m_foreign.size() > 100);
    }

    void theWholeWindowSpeaksOneLanguage()
    {
        ModelRig rig;
        QVERIFY(rig.startUp());
        WindowRig ui(rig);
        QVERIFY(ui.exposed);
        CorvaneModel *m = rig.model.get();
        // A group of two rooms, so the rooms' volumes show too.
        await(m->household()->toggleMembership(rig.speaker(QStringLiteral("Cuisine"))->speaker(),
                                               rig.speaker(QStringLiteral("Salon"))->config().uuid));
        QTRY_VERIFY(m->roomVolumes()->isGroup());
        QTRY_VERIFY(!m->home()->recommendations().isEmpty());
        look(ui, QStringLiteral("home"));

        invoke(ui, "roomVolumePopover", "open");
        look(ui, QStringLiteral("rooms' volumes"));
        invoke(ui, "roomVolumePopover", "close");
        invoke(ui, "soundPopover", "open");
        look(ui, QStringLiteral("sound settings"));
        invoke(ui, "soundPopover", "close");

        m->browse()->setQuery(QStringLiteral("a"));
        QTRY_VERIFY(m->browse()->hasAnsweredQuery() && !m->browse()->isSearching());
        look(ui, QStringLiteral("results"));
        if (!m->browse()->foundAlbums().isEmpty()) {
            m->browse()->showAlbum(m->browse()->foundAlbums().first());
            QTRY_VERIFY(!m->browse()->isLoadingDetail());
            look(ui, QStringLiteral("album"));
        }
        if (!m->browse()->foundArtists().isEmpty()) {
            m->browse()->showArtist(m->browse()->foundArtists().first());
            QTRY_VERIFY(!m->browse()->isLoadingDetail());
            look(ui, QStringLiteral("artist"));
        }
        for (RouteKind::Value panel : {RouteKind::Queue, RouteKind::History, RouteKind::Groups, RouteKind::Alarms}) {
            m->browse()->showPanel(panel);
            if (panel == RouteKind::Alarms)
                QTRY_VERIFY(m->alarms()->loaded());
            look(ui, QString::fromLatin1(QMetaEnum::fromType<RouteKind::Value>().valueToKey(panel)));
        }
        invoke(ui, "alarmEditor", "openFor", 0);
        look(ui, QStringLiteral("alarm editor"));
        invoke(ui, "alarmEditor", "close");
        m->browse()->toggleExplore();
        QTRY_VERIFY(m->home()->exploreLoaded());
        look(ui, QStringLiteral("charts"));
        m->playback()->setExpanded(true);
        look(ui, QStringLiteral("large view"));
        m->playback()->setExpanded(false);
        m->notices()->setErrorMessage(CorvaneError::speakerUnreachable(QStringLiteral("Salon")).message());
        look(ui, QStringLiteral("error line"));

        // The walk saw the screens' own words in the language asked.
        const QString expected = m_language == QLatin1String("en") ? QStringLiteral("Rooms and groups") : QStringLiteral("Pièces et groupes");
        QVERIFY2(m_seen.contains(expected), qPrintable(m_seen.mid(0, 40).join(QStringLiteral(" | "))));
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
