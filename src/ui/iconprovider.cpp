#include "iconprovider.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>
#include <QUrlQuery>

namespace corvane::ui {

namespace {

// Symbol → Phosphor icon ("-fill" picks the filled weight). One table for every screen.
const QHash<QString, QString> &table()
{
    static const QHash<QString, QString> icons{
        {QStringLiteral("alarm"), QStringLiteral("alarm")},
        {QStringLiteral("antenna.radiowaves.left.and.right"), QStringLiteral("broadcast")},
        {QStringLiteral("arrow.clockwise"), QStringLiteral("arrow-clockwise")},
        {QStringLiteral("arrow.up.arrow.down"), QStringLiteral("arrows-down-up")},
        {QStringLiteral("arrow.up.forward.app"), QStringLiteral("arrow-square-out")},
        {QStringLiteral("arrow.up.left.and.arrow.down.right"), QStringLiteral("arrows-out-simple")},
        {QStringLiteral("arrow.down.right.and.arrow.up.left"), QStringLiteral("arrows-in-simple")},
        {QStringLiteral("backward.fill"), QStringLiteral("skip-back-fill")},
        {QStringLiteral("cable.connector"), QStringLiteral("plug")},
        {QStringLiteral("chart.bar"), QStringLiteral("chart-bar")},
        {QStringLiteral("checkmark"), QStringLiteral("check")},
        {QStringLiteral("checkmark.circle.fill"), QStringLiteral("check-circle-fill")},
        {QStringLiteral("chevron.backward"), QStringLiteral("caret-left")},
        {QStringLiteral("chevron.forward"), QStringLiteral("caret-right")},
        {QStringLiteral("chevron.right"), QStringLiteral("caret-right")},
        {QStringLiteral("chevron.down"), QStringLiteral("caret-down")},
        {QStringLiteral("clock.arrow.circlepath"), QStringLiteral("clock-counter-clockwise")},
        {QStringLiteral("dial.high"), QStringLiteral("speaker-simple-high")},
        {QStringLiteral("dial.low"), QStringLiteral("speaker-simple-low")},
        {QStringLiteral("dot.radiowaves.left.and.right"), QStringLiteral("radio")},
        {QStringLiteral("exclamationmark.triangle.fill"), QStringLiteral("warning-fill")},
        {QStringLiteral("forward.fill"), QStringLiteral("skip-forward-fill")},
        {QStringLiteral("globe"), QStringLiteral("globe")},
        {QStringLiteral("hifireceiver.fill"), QStringLiteral("hard-drives-fill")},
        {QStringLiteral("hifispeaker"), QStringLiteral("speaker-hifi")},
        {QStringLiteral("hifispeaker.fill"), QStringLiteral("speaker-hifi-fill")},
        {QStringLiteral("hifispeaker.2.fill"), QStringLiteral("speaker-hifi-fill")},
        {QStringLiteral("keyboard"), QStringLiteral("keyboard")},
        {QStringLiteral("list.bullet"), QStringLiteral("list-bullets")},
        {QStringLiteral("list.triangle"), QStringLiteral("queue")},
        {QStringLiteral("macwindow"), QStringLiteral("app-window")},
        {QStringLiteral("magnifyingglass"), QStringLiteral("magnifying-glass")},
        {QStringLiteral("menubar.arrow.up.rectangle"), QStringLiteral("tray")},
        {QStringLiteral("mic.fill"), QStringLiteral("microphone-fill")},
        {QStringLiteral("minus"), QStringLiteral("minus")},
        {QStringLiteral("minus.circle"), QStringLiteral("minus-circle")},
        {QStringLiteral("moon.zzz"), QStringLiteral("moon-stars")},
        {QStringLiteral("music.note"), QStringLiteral("music-note")},
        {QStringLiteral("music.note.list"), QStringLiteral("playlist")},
        {QStringLiteral("opticaldisc"), QStringLiteral("disc")},
        {QStringLiteral("opticaldisc.fill"), QStringLiteral("disc-fill")},
        {QStringLiteral("pause.circle"), QStringLiteral("pause-circle")},
        {QStringLiteral("pause.circle.fill"), QStringLiteral("pause-circle-fill")},
        {QStringLiteral("pause.fill"), QStringLiteral("pause-fill")},
        {QStringLiteral("play.circle.fill"), QStringLiteral("play-circle-fill")},
        {QStringLiteral("play.fill"), QStringLiteral("play-fill")},
        {QStringLiteral("plus"), QStringLiteral("plus")},
        {QStringLiteral("rectangle.3.group"), QStringLiteral("squares-four")},
        {QStringLiteral("rectangle.3.group.fill"), QStringLiteral("squares-four-fill")},
        {QStringLiteral("rectangle.on.rectangle"), QStringLiteral("cards")},
        {QStringLiteral("repeat"), QStringLiteral("repeat")},
        {QStringLiteral("repeat.1"), QStringLiteral("repeat-once")},
        {QStringLiteral("shuffle"), QStringLiteral("shuffle")},
        {QStringLiteral("slider.horizontal.3"), QStringLiteral("sliders-horizontal")},
        {QStringLiteral("slider.vertical.3"), QStringLiteral("sliders")},
        {QStringLiteral("sparkles"), QStringLiteral("sparkle")},
        {QStringLiteral("speaker.fill"), QStringLiteral("speaker-simple-none-fill")},
        {QStringLiteral("speaker.slash.fill"), QStringLiteral("speaker-simple-slash-fill")},
        {QStringLiteral("speaker.wave.2.fill"), QStringLiteral("speaker-simple-high-fill")},
        {QStringLiteral("square.grid.2x2.fill"), QStringLiteral("squares-four-fill")},
        {QStringLiteral("star"), QStringLiteral("star")},
        {QStringLiteral("star.fill"), QStringLiteral("star-fill")},
        {QStringLiteral("switch.2"), QStringLiteral("toggle-left")},
        {QStringLiteral("text.line.last.and.arrowtriangle.forward"), QStringLiteral("list-plus")},
        {QStringLiteral("trash"), QStringLiteral("trash")},
        {QStringLiteral("pencil"), QStringLiteral("pencil-simple")},
        {QStringLiteral("tv.and.hifispeaker.fill"), QStringLiteral("television-fill")},
        {QStringLiteral("watch"), QStringLiteral("watch")},
        {QStringLiteral("applewatch"), QStringLiteral("watch")},
        {QStringLiteral("siri"), QStringLiteral("keyboard")},
        {QStringLiteral("widget"), QStringLiteral("squares-four")},
        {QStringLiteral("wave.3.right"), QStringLiteral("waves")},
        {QStringLiteral("waveform"), QStringLiteral("waveform")},
        {QStringLiteral("wifi"), QStringLiteral("wifi-high")},
        {QStringLiteral("wifi.exclamationmark"), QStringLiteral("wifi-x")},
        {QStringLiteral("xmark"), QStringLiteral("x")},
        {QStringLiteral("xmark.circle.fill"), QStringLiteral("x-circle-fill")},
    };
    return icons;
}

} // namespace

IconProvider::IconProvider()
    : QQuickImageProvider(QQuickImageProvider::Image)
{
}

QString IconProvider::fileFor(const QString &symbol)
{
    const QString name = table().value(symbol);
    return name.isEmpty() ? QString() : QStringLiteral(":/corvane/icons/%1.svg").arg(name);
}

QStringList IconProvider::symbols() { return table().keys(); }

QImage IconProvider::requestImage(const QString &id, QSize *size, const QSize &requestedSize)
{
    const qsizetype mark = id.indexOf(QLatin1Char('?'));
    const QString symbol = mark < 0 ? id : id.left(mark);
    QColor color(Qt::white);
    if (mark >= 0) {
        const QColor asked(QUrlQuery(id.mid(mark + 1)).queryItemValue(QStringLiteral("color"), QUrl::FullyDecoded));
        if (asked.isValid())
            color = asked;
    }
    const QSize side = requestedSize.isValid() && !requestedSize.isEmpty() ? requestedSize : QSize(32, 32);
    QImage image(side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(fileFor(symbol));
    if (renderer.isValid()) {
        QPainter painter(&image);
        renderer.render(&painter);
        // The SVGs draw in black: keep their shape, take the asked colour.
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), color);
    }
    if (size)
        *size = side;
    return image;
}

} // namespace corvane::ui
