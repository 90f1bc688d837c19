#include "householdface.h"

#include "applemusic/publiccatalog.h"
#include "storage/preferences.h"
#include "system/configuration.h"

#include "applemusic/requests.h"
#include "model/corvanemodel.h"
#include "system/desktoplinks.h"

#include <QDesktopServices>

#include <QSet>

namespace corvane {

HouseholdFace::HouseholdFace(CorvaneModel *model)
    : QObject(model)
    , m_model(model)
{
    using M = CorvaneModel;
    using F = HouseholdFace;
    connect(model, &M::speakersChanged, this, &F::speakersChanged);
    connect(model, &M::groupsChanged, this, &F::groupsChanged);
    connect(model, &M::selectedChanged, this, &F::selectedChanged);
    connect(model, &M::isDiscoveringChanged, this, &F::isDiscoveringChanged);
    connect(model, &M::hasSearchedOnceChanged, this, &F::hasSearchedOnceChanged);
    connect(model, &M::hasCheckedAppleMusicChanged, this, &F::hasCheckedAppleMusicChanged);
    connect(model, &M::onboardingDoneChanged, this, &F::onboardingDoneChanged);
    connect(model, &M::onboardingReplayChanged, this, &F::onboardingReplayChanged);
    connect(model, &M::onboardingDoneChanged, this, &F::showsOnboardingChanged);
    connect(model, &M::onboardingReplayChanged, this, &F::showsOnboardingChanged);
    connect(model, &M::setupDismissedChanged, this, &F::setupDismissedChanged);
    connect(model, &M::linkChanged, this, &F::linkChanged);
    connect(model, &M::musicKitAuthorizedChanged, this, &F::musicKitAuthorizedChanged);
    connect(model, &M::musicKitAuthorizedChanged, this, &F::musicStateChanged);
    connect(model, &M::musicStateChanged, this, &F::musicStateChanged);
    connect(model, &M::needsAppleMusicChanged, this, &F::needsAppleMusicChanged);
    connect(model, &M::speakerHasLineInChanged, this, &F::speakerHasLineInChanged);
    connect(model, &M::setupChanged, this, &F::setupChanged);
    connect(model, &M::favoritesChanged, this, &F::favoritesChanged);
    connect(model, &M::batteryChanged, this, &F::batteryChanged);
}

QVariantList HouseholdFace::speakers() const { return variantsOf(m_model->speakers()); }
QVariantList HouseholdFace::groups() const { return variantsOf(m_model->groups()); }

QVariant HouseholdFace::selected() const
{
    return m_model->selected() ? QVariant::fromValue(*m_model->selected()) : QVariant();
}

QString HouseholdFace::selectedUUID() const
{
    return m_model->selected() ? m_model->selected()->uuid : QString();
}

bool HouseholdFace::isDiscovering() const { return m_model->isDiscovering(); }
bool HouseholdFace::hasSearchedOnce() const { return m_model->hasSearchedOnce(); }
bool HouseholdFace::hasCheckedAppleMusic() const { return m_model->hasCheckedAppleMusic(); }
bool HouseholdFace::onboardingDone() const { return m_model->onboardingDone(); }
bool HouseholdFace::onboardingReplay() const { return m_model->onboardingReplay(); }
void HouseholdFace::setOnboardingReplay(bool replay) { m_model->setOnboardingReplay(replay); }
bool HouseholdFace::launchedWithoutKnownSpeaker() const { return m_model->launchedWithoutKnownSpeaker(); }
bool HouseholdFace::setupDismissed() const { return m_model->setupDismissed(); }
void HouseholdFace::setSetupDismissed(bool dismissed) { m_model->setSetupDismissed(dismissed); }
bool HouseholdFace::hasLink() const { return m_model->hasLink(); }
bool HouseholdFace::musicKitAuthorized() const { return m_model->musicKitAuthorized(); }
bool HouseholdFace::connectingMusic() const { return m_model->connectingMusic(); }

bool HouseholdFace::musicRestricted() const
{
    const std::shared_ptr<const MusicService> service = m_model->music();
    return !service || service->authorizationStatus() == MusicService::Status::Restricted;
}

QString HouseholdFace::authorizationMessage() const
{
    const std::shared_ptr<const MusicService> service = m_model->music();
    return service ? AppleMusic::authorizationMessage(*service).value_or(QString()) : QString();
}

QString HouseholdFace::developerTokenHelp() const
{
    return AppleMusic::developerTokenMissingExplanation();
}

bool HouseholdFace::publicSearch() const
{
    const std::shared_ptr<const MusicService> service = m_model->music();
    return service && service->publicCatalog();
}

QString HouseholdFace::catalogCountry() const
{
    const std::shared_ptr<const MusicService> service = m_model->music();
    PublicCatalog *open = service ? service->publicCatalog() : nullptr;
    return open ? open->country() : Configuration::catalogCountry();
}

QVariantList HouseholdFace::catalogCountries() const
{
    QVariantList choices;
    for (const auto &[code, name] : PublicCatalog::storefronts())
        choices.append(QVariantMap{{QStringLiteral("id"), code}, {QStringLiteral("label"), name}});
    return choices;
}

void HouseholdFace::setCatalogCountry(const QString &country)
{
    const QString code = country.trimmed().toLower();
    if (code.size() != 2 || code == catalogCountry())
        return;
    Preferences preferences;
    preferences.setCatalogCountry(code);
    preferences.sync();
    const std::shared_ptr<const MusicService> service = m_model->music();
    if (PublicCatalog *open = service ? service->publicCatalog() : nullptr)
        open->setCountry(code);
    Q_EMIT catalogCountryChanged();
    // What was found belongs to the other storefront: look again.
    if (!m_model->query().trimmed().isEmpty())
        m_model->runSearch();
}

bool HouseholdFace::hasNetworkSettings() const { return !DesktopLinks::networkSettingsCommand().isEmpty(); }
void HouseholdFace::openNetworkSettings() { DesktopLinks::openNetworkSettings(); }
void HouseholdFace::openSonosApp() { QDesktopServices::openUrl(DesktopLinks::sonosAppUrl()); }
void HouseholdFace::openSettingsFolder() { QDesktopServices::openUrl(DesktopLinks::settingsFolder()); }

bool HouseholdFace::keepsTokenInFile() const
{
    const std::shared_ptr<const MusicService> service = m_model->music();
    return service && service->keepsTokenInFile();
}
bool HouseholdFace::needsAppleMusic() const { return m_model->needsAppleMusic(); }
bool HouseholdFace::speakerHasLineIn() const { return m_model->speakerHasLineIn(); }
int HouseholdFace::setupState() const { return m_model->setupState(); }
QString HouseholdFace::setupRoom() const { return m_model->setupRoom(); }
bool HouseholdFace::showsSetup() const { return m_model->showsSetup(); }
QVariantList HouseholdFace::favorites() const { return variantsOf(m_model->favorites()); }

QVariantList HouseholdFace::playableFavorites() const
{
    QList<SonosFavorite> playable = m_model->favorites();
    playable.removeIf([](const SonosFavorite &favorite) { return favorite.uri.isEmpty(); });
    return variantsOf(playable);
}

QVariant HouseholdFace::battery() const
{
    return m_model->battery() ? QVariant::fromValue(*m_model->battery()) : QVariant();
}

void HouseholdFace::refreshSpeakers() { m_model->refreshSpeakers(); }
void HouseholdFace::selectSpeaker(const QString &uuid) { m_model->selectSpeakerByUUID(uuid); }
void HouseholdFace::finishOnboarding() { m_model->finishOnboarding(); }

void HouseholdFace::toggleRoom(const QString &uuid, const QString &groupCoordinator)
{
    for (const Speaker &speaker : m_model->speakers()) {
        if (speaker.uuid == uuid) {
            m_model->toggleMembership(speaker, groupCoordinator.isEmpty() ? std::nullopt : std::optional(groupCoordinator));
            return;
        }
    }
}

QVariantList HouseholdFace::groupCards() const
{
    QVariantList cards;
    for (const SonosGroup &group : m_model->groups()) {
        QVariantList members;
        QSet<QString> inside;
        for (const Speaker &member : group.members) {
            const bool leads = member.uuid == group.coordinatorUUID;
            inside.insert(member.uuid);
            members.append(QVariantMap{{QStringLiteral("uuid"), member.uuid},
                                       {QStringLiteral("room"), member.roomName},
                                       {QStringLiteral("detail"), leads ? QStringLiteral("Pilote le groupe · ") + member.shortModel()
                                                                        : member.shortModel()},
                                       {QStringLiteral("isCoordinator"), leads},
                                       {QStringLiteral("group"), group.coordinatorUUID}});
        }
        QVariantList outsiders;
        for (const Speaker &speaker : m_model->speakers()) {
            if (!inside.contains(speaker.uuid))
                outsiders.append(QVariantMap{{QStringLiteral("uuid"), speaker.uuid},
                                             {QStringLiteral("room"), speaker.roomName},
                                             {QStringLiteral("detail"), speaker.shortModel()},
                                             {QStringLiteral("isCoordinator"), false},
                                             {QStringLiteral("group"), group.coordinatorUUID}});
        }
        const int rooms = int(group.members.size());
        cards.append(QVariantMap{{QStringLiteral("coordinatorUUID"), group.coordinatorUUID},
                                 {QStringLiteral("name"), group.displayName()},
                                 {QStringLiteral("symbol"), rooms > 1 ? QStringLiteral("rectangle.3.group.fill") : QStringLiteral("hifispeaker.fill")},
                                 {QStringLiteral("roomCount"), rooms},
                                 {QStringLiteral("members"), members},
                                 {QStringLiteral("outsiders"), outsiders}});
    }
    return cards;
}

void HouseholdFace::connectMusic() { m_model->connectAppleMusic(); }
void HouseholdFace::windowActivated() { m_model->windowActivated(); }

} // namespace corvane
