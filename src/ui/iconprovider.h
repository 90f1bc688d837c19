#pragma once

#include <QQuickImageProvider>

namespace corvane::ui {

// The symbols the screens name ("play.circle.fill", "hifispeaker"…), drawn from the vendored
// Phosphor SVGs and tinted. QML asks for "image://icon/<symbol>?color=<#rrggbb>".
class IconProvider : public QQuickImageProvider
{
public:
    IconProvider();
    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;

    // The SVG resource of a symbol; empty for a symbol the table does not know.
    static QString fileFor(const QString &symbol);
    static QStringList symbols();
};

} // namespace corvane::ui
