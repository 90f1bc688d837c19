#include "systemplayback.h"

#include "async/http.h"
#include "async/imagedecode.h"
#include "base/paths.h"
#include "base/preferences.h"

#include <QCoroTask>
#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QImage>
#include <QPointer>

#include <cmath>

namespace corvane {

namespace {

const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

class RootAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ canQuit)
    Q_PROPERTY(bool CanRaise READ canRaise)
    Q_PROPERTY(bool HasTrackList READ hasTrackList)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ none)
    Q_PROPERTY(QStringList SupportedMimeTypes READ none)
public:
    RootAdaptor(SystemPlayback *playback, QObject *parent) : QDBusAbstractAdaptor(parent), m_playback(playback) {}
    bool canQuit() const { return false; }
    bool canRaise() const { return m_playback->canRaise(); }
    bool hasTrackList() const { return false; }
    QString identity() const { return QStringLiteral("Corvane"); }
    QString desktopEntry() const { return QStringLiteral("corvane"); }
    QStringList none() const { return {}; }
public Q_SLOTS:
    void Raise() { m_playback->raise(); }
    void Quit() {}

private:
    SystemPlayback *m_playback;
};

class PlayerAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ rate WRITE setRate)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(double MinimumRate READ rate)
    Q_PROPERTY(double MaximumRate READ rate)
    Q_PROPERTY(bool CanGoNext READ canControl)
    Q_PROPERTY(bool CanGoPrevious READ canControl)
    Q_PROPERTY(bool CanPlay READ canControl)
    Q_PROPERTY(bool CanPause READ canControl)
    Q_PROPERTY(bool CanSeek READ hasTrack)
    Q_PROPERTY(bool CanControl READ canControl)
public:
    PlayerAdaptor(SystemPlayback *playback, QObject *parent) : QDBusAbstractAdaptor(parent), m_playback(playback) {}
    QString playbackStatus() const { return m_playback->playbackStatus(); }
    // The speakers play at their own pace: the rate is always 1 (pause is PlaybackStatus).
    double rate() const { return 1.0; }
    void setRate(double) {}
    QVariantMap metadata() const { return m_playback->metadata(); }
    // The selected group's volume, 0.0 to 1.0.
    double volume() const { return m_playback->volume(); }
    void setVolume(double volume) { m_playback->setVolume(volume); }
    qlonglong position() const { return m_playback->position(); }
    bool canControl() const { return true; }
    bool hasTrack() const { return m_playback->hasTrack(); }
public Q_SLOTS:
    void Play() { m_playback->play(); }
    void Pause() { m_playback->pause(); }
    void PlayPause() { m_playback->toggle(); }
    void Stop() { m_playback->pause(); }
    void Next() { m_playback->next(); }
    void Previous() { m_playback->previous(); }
    void Seek(qlonglong offset) { m_playback->seekBy(offset); }
    void SetPosition(const QDBusObjectPath &track, qlonglong position) { m_playback->setPosition(track, position); }
    void OpenUri(const QString &) {}
Q_SIGNALS:
    void Seeked(qlonglong position);

private:
    SystemPlayback *m_playback;
};

// The object on the bus carries the two adaptors; it lives only while the player is shown.
class MprisObject : public QObject
{
public:
    explicit MprisObject(SystemPlayback *playback) : QObject(playback)
    {
        new RootAdaptor(playback, this);
        player = new PlayerAdaptor(playback, this);
    }
    PlayerAdaptor *player;
};

} // namespace

SystemPlayback::SystemPlayback(std::function<bool()> enabled, QObject *parent)
    : QObject(parent), m_enabled(enabled ? std::move(enabled) : [] { return Preferences().systemNowPlaying(); })
{
}

SystemPlayback::~SystemPlayback()
{
    withdraw();
}

void SystemPlayback::configure(Handlers handlers)
{
    if (!enabled())
        return;
    if (!m_configured) {
        m_configured = true;
        m_handlers = std::move(handlers);
    }
    show();
}

void SystemPlayback::show()
{
    if (!m_service.isEmpty())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    auto *object = new MprisObject(this);
    object->setObjectName(QStringLiteral("mpris"));
    if (!bus.registerObject(kObjectPath, object, QDBusConnection::ExportAdaptors)) {
        delete object;
        return;
    }
    // A second Corvane takes a name of its own, as MPRIS allows.
    QString name = QStringLiteral("org.mpris.MediaPlayer2.corvane");
    if (!bus.registerService(name)) {
        name += QStringLiteral(".instance") + QString::number(QCoreApplication::applicationPid());
        if (!bus.registerService(name)) {
            bus.unregisterObject(kObjectPath);
            delete object;
            return;
        }
    }
    m_service = name;
}

void SystemPlayback::withdraw()
{
    if (m_service.isEmpty())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(m_service);
    bus.unregisterObject(kObjectPath);
    delete findChild<QObject *>(QStringLiteral("mpris"), Qt::FindDirectChildrenOnly);
    m_service.clear();
}

void SystemPlayback::setSystemNowPlaying(bool on)
{
    Preferences preferences;
    preferences.setSystemNowPlaying(on);
    preferences.sync();
    if (on) {
        // Handlers registered earlier in the run stay; a first configure() brings them.
        if (m_configured)
            show();
        return;
    }
    // Tell the desktop the player stopped before it disappears.
    m_now = NowPlaying{};
    m_metadata.clear();
    publish({QStringLiteral("PlaybackStatus"), QStringLiteral("Metadata")});
    withdraw();
}

QString SystemPlayback::playbackStatus() const
{
    if (m_now.isEmpty())
        return QStringLiteral("Stopped");
    return m_now.isPlaying ? QStringLiteral("Playing") : QStringLiteral("Paused");
}

qlonglong SystemPlayback::position() const
{
    qlonglong us = qlonglong(m_now.elapsed) * 1000000;
    if (m_now.isPlaying && m_since.isValid())
        us += m_since.elapsed() * 1000;
    return m_now.duration > 0 ? std::min(us, length()) : us;
}

QDBusObjectPath SystemPlayback::trackPath() const
{
    // Valid object path characters only, outside /org/mpris as MPRIS asks.
    QString id = m_now.trackID.value_or(QString());
    if (id.isEmpty())
        id = QString::fromLatin1(QCryptographicHash::hash((m_now.title + QLatin1Char('\n') + m_now.artist).toUtf8(),
                                                          QCryptographicHash::Sha1).toHex().left(16));
    for (QChar &c : id) {
        if (!c.isLetterOrNumber() || c.unicode() > 127)
            c = QLatin1Char('_');
    }
    return QDBusObjectPath(QStringLiteral("/org/corvane/track/t") + id);
}

void SystemPlayback::update(const NowPlaying &nowPlaying, const std::optional<QUrl> &artworkURL)
{
    if (!enabled())
        return;
    const qlonglong expected = position();
    const bool sameTrack = nowPlaying.title == m_now.title && nowPlaying.artist == m_now.artist
        && nowPlaying.trackID == m_now.trackID;
    const QString status = playbackStatus();
    m_now = nowPlaying;
    m_since.start();

    QVariantMap metadata;
    if (!m_now.isEmpty()) {
        metadata.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(trackPath()));
        metadata.insert(QStringLiteral("xesam:title"), m_now.title);
        metadata.insert(QStringLiteral("xesam:artist"), QStringList{m_now.artist});
        metadata.insert(QStringLiteral("xesam:album"), m_now.album);
        metadata.insert(QStringLiteral("mpris:length"), qlonglong(m_now.duration) * 1000000);
        // A cover already downloaded for this URL stays in every update.
        if (artworkURL && *artworkURL == m_artFor && !m_artFile.isEmpty())
            metadata.insert(QStringLiteral("mpris:artUrl"), QUrl::fromLocalFile(m_artFile).toString());
    }
    QStringList changed;
    if (metadata != m_metadata) {
        m_metadata = metadata;
        changed << QStringLiteral("Metadata");
    }
    if (status != playbackStatus())
        changed << QStringLiteral("PlaybackStatus");
    publish(changed);

    // A jump the clock does not explain is a seek: tell the desktop where playback is.
    if (!m_service.isEmpty() && sameTrack && std::llabs(position() - expected) > 2000000) {
        QDBusMessage seeked = QDBusMessage::createSignal(kObjectPath, kPlayerInterface, QStringLiteral("Seeked"));
        seeked << position();
        QDBusConnection::sessionBus().send(seeked);
    }
    if (artworkURL)
        loadArtwork(*artworkURL);
    else
        m_lastArtworkURL = QUrl(); // a cover still on its way belongs to the track before
}

void SystemPlayback::publish(const QStringList &changed)
{
    if (m_service.isEmpty() || changed.isEmpty())
        return;
    QVariantMap properties;
    for (const QString &name : changed) {
        if (name == QLatin1String("Metadata"))
            properties.insert(name, m_metadata); // always the whole map
        else if (name == QLatin1String("PlaybackStatus"))
            properties.insert(name, playbackStatus());
        else if (name == QLatin1String("Volume"))
            properties.insert(name, m_volume);
    }
    properties.insert(QStringLiteral("CanSeek"), hasTrack());
    QDBusMessage signal = QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << properties << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

void SystemPlayback::updateVolume(double volume)
{
    volume = std::clamp(volume, 0.0, 1.0);
    if (qFuzzyCompare(volume + 1.0, m_volume + 1.0))
        return;
    m_volume = volume;
    if (enabled())
        publish({QStringLiteral("Volume")});
}

void SystemPlayback::setVolume(double volume)
{
    if (m_handlers.setVolume && enabled() && std::isfinite(volume))
        m_handlers.setVolume(std::clamp(volume, 0.0, 1.0));
}

void SystemPlayback::call(const std::function<void()> &handler)
{
    if (handler && enabled())
        handler();
}

void SystemPlayback::seekBy(qlonglong offset)
{
    const qlonglong target = std::max<qlonglong>(position() + offset, 0);
    if (!hasTrack())
        return;
    // Past the end acts as Next, as MPRIS asks.
    if (m_now.duration > 0 && target > length()) {
        if (m_handlers.next)
            m_handlers.next();
        return;
    }
    if (!m_handlers.seek)
        return;
    m_handlers.seek(double(target) / 1e6);
}

void SystemPlayback::setPosition(const QDBusObjectPath &track, qlonglong position)
{
    // A position for another track, or outside this one, is ignored as MPRIS asks.
    if (!hasTrack() || !m_handlers.seek || track != trackPath() || position < 0 || (m_now.duration > 0 && position > length()))
        return;
    m_handlers.seek(double(position) / 1e6);
}

void SystemPlayback::loadArtwork(QUrl url)
{
    if (m_lastArtworkURL == url)
        return;
    m_lastArtworkURL = url;
    downloadArtwork(url);
}

QCoro::Task<> SystemPlayback::downloadArtwork(QUrl url)
{
    QPointer<SystemPlayback> self(this);
    HttpRequest request;
    request.url = url;
    request.timeout = delays().artworkTimeout;
    request.maxBody = bodyLimit::artwork;
    const HttpResult result = co_await httpSend(url.port() == 1400 ? speakerNetwork() : webNetwork(), request);
    if (!self || result.status != 200)
        co_return;
    const std::optional<QImage> decoded = decodeImage(result.body);
    if (!decoded)
        co_return;
    const QImage &image = *decoded;
    // The track moved on to another cover meanwhile: this one is dropped.
    if (m_lastArtworkURL != url)
        co_return;
    // Desktops read the cover from a file: keep a copy in the cache folder.
    const QString folder = paths::cache() + QStringLiteral("/mpris");
    QDir().mkpath(folder);
    const QString file = folder + QLatin1Char('/')
        + QString::fromLatin1(QCryptographicHash::hash(url.toEncoded(), QCryptographicHash::Sha256).toHex()) + QStringLiteral(".png");
    if (!QFile::exists(file)) {
        if (!image.save(file, "PNG"))
            co_return;
        paths::trimFolder(folder, coverCopiesLimit);
    }
    m_artFile = file;
    m_artFor = url;
    if (m_metadata.isEmpty())
        co_return;
    m_metadata.insert(QStringLiteral("mpris:artUrl"), QUrl::fromLocalFile(file).toString());
    publish({QStringLiteral("Metadata")});
    Q_EMIT artworkPublished(url);
}

} // namespace corvane

#include "systemplayback.moc"
