// Every symbol the screens name has its picture, and a picture takes the asked colour.

#include "iconprovider.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using corvane::ui::IconProvider;

class TestIcons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everySymbolOfTheScreensIsDrawn_data()
    {
        QTest::addColumn<QString>("symbol");
        // Literal symbols in the QML sources: name: "…", symbol: "…", and the chosen ones in ?: pairs.
        static const QRegularExpression literal(QStringLiteral("(?:name|symbol|placeholder)\\s*:[^\\n]*"));
        static const QRegularExpression quoted(QStringLiteral("\"([a-z0-9]+(?:\\.[a-z0-9]+)*)\""));
        QSet<QString> symbols;
        QDirIterator files(QStringLiteral(CORVANE_UI_SOURCES), {QStringLiteral("*.qml")}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            for (const QRegularExpressionMatch &line : literal.globalMatch(text)) {
                for (const QRegularExpressionMatch &word : quoted.globalMatch(line.captured(0)))
                    symbols.insert(word.captured(1));
            }
        }
        // The speakers' symbols come from the records, not from QML.
        for (const char *symbol : {"tv.and.hifispeaker.fill", "hifispeaker.2.fill", "hifireceiver.fill", "hifispeaker"})
            symbols.insert(QLatin1String(symbol));
        QVERIFY(symbols.size() > 30);
        for (const QString &symbol : std::as_const(symbols))
            QTest::newRow(qPrintable(symbol)) << symbol;
    }

    void everySymbolOfTheScreensIsDrawn()
    {
        QFETCH(QString, symbol);
        const QString file = IconProvider::fileFor(symbol);
        QVERIFY2(!file.isEmpty(), "no icon in the table");
        QVERIFY2(QFile::exists(file), qPrintable(file));
        IconProvider provider;
        QSize size;
        const QImage image = provider.requestImage(symbol + QStringLiteral("?color=%23ff8a5c"), &size, QSize(24, 24));
        QCOMPARE(size, QSize(24, 24));
        int inked = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (pixel.alpha() >= 128)
                    ++inked;
                if (pixel.alpha() == 255)
                    QCOMPARE(pixel.rgb() & 0xffffff, QColor(QStringLiteral("#ff8a5c")).rgb() & 0xffffff);
            }
        }
        QVERIFY(inked > 4);
    }
};

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
