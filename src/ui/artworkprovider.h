#pragma once

#include <QQuickAsyncImageProvider>

namespace corvane::ui {

// Covers, artist pictures and station logos through the artwork cache, never on the UI
// thread's time: QML asks for "image://artwork/<percent-encoded URL>".
class ArtworkProvider : public QQuickAsyncImageProvider
{
public:
    QQuickImageResponse *requestImageResponse(const QString &id, const QSize &requestedSize) override;
};

} // namespace corvane::ui
