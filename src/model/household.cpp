// The selection, the setup state and the household's Apple Music access.

#include "household.h"

#include "applemusic/musicservice.h"
#include "applemusic/publiccatalog.h"
#include "applemusic/requests.h"
#include "base/configuration.h"
#include "desktop/desktoplinks.h"
#include "model/failure.h"
#include "model/field.h"
#include "model/notices.h"
#include "model/recordlistmodel.h"
#include "sonos/sonoscontroller.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QPointer>

namespace corvane {

Household::Household(std::shared_ptr<MusicService> music, Notices *notices, QObject *parent)
    : QObject(parent)
    , m_music(std::move(music))
    , m_notices(notices)
{
    m_onboardingDone = m_preferences.onboardingDone();
    m_launchedWithoutKnownSpeaker = !m_preferences.hasEverFoundSpeaker();
    connect(this, &Household::musicKitAuthorizedChanged, this, &Household::musicStateChanged);
    connect(this, &Household::onboardingDoneChanged, this, &Household::showsOnboardingChanged);
    connect(this, &Household::onboardingReplayChanged, this, &Household::showsOnboardingChanged);
    // Every part of the setup state announces the guide's change.
    for (auto changed : {&Household::selectedChanged, &Household::isDiscoveringChanged, &Household::hasSearchedOnceChanged,
                         &Household::hasCheckedAppleMusicChanged, &Household::onboardingDoneChanged,
                         &Household::onboardingReplayChanged, &Household::setupDismissedChanged, &Household::linkChanged})
        connect(this, changed, this, &Household::setupChanged);
}

Household::~Household()
{
    if (m_discovery)
        m_discovery->cancel();
}

QVariantList Household::speakerList() const { return variantsOf(m_speakers); }
QVariantList Household::groupList() const { return variantsOf(m_groups); }
QVariant Household::selectedValue() const { return m_selected ? QVariant::fromValue(*m_selected) : QVariant(); }
QString Household::selectedUUID() const { return m_selected ? m_selected->uuid : QString(); }

void Household::setCheckedAppleMusic(bool checked)
{
    assign(this, m_hasCheckedAppleMusic, checked, &Household::hasCheckedAppleMusicChanged);
}

void Household::setOnboardingReplay(bool replay)
{
    assign(this, m_onboardingReplay, replay, &Household::onboardingReplayChanged);
}

void Household::setSetupDismissed(bool dismissed)
{
    assign(this, m_setupDismissed, dismissed, &Household::setupDismissedChanged);
}

void Household::setLink(const std::optional<AppleMusicLink> &link)
{
    assign(this, m_link, link, &Household::linkChanged);
}

void Household::setSelected(const std::optional<Speaker> &speaker)
{
    assign(this, m_selected, speaker, &Household::selectedChanged);
}

void Household::setMusicKitAuthorized(bool authorized)
{
    assign(this, m_musicKitAuthorized, authorized, &Household::musicKitAuthorizedChanged);
}

void Household::setNeedsAppleMusic(bool needs)
{
    assign(this, m_needsAppleMusic, needs, &Household::needsAppleMusicChanged);
}

// ---- setup

SetupState::Value Household::setupState() const
{
    if (m_isDiscovering || !m_hasSearchedOnce)
        return SetupState::Searching;
    if (!m_selected)
        return m_localControlOffHosts.isEmpty() ? SetupState::NoSpeaker : SetupState::LocalControlOff;
    if (!m_link)
        return SetupState::AppleMusicMissing;
    return SetupState::Ready;
}

QString Household::setupRoom() const
{
    switch (setupState()) {
    case SetupState::AppleMusicMissing:
        return m_selected ? m_selected->roomName : QString();
    case SetupState::LocalControlOff:
        return m_localControlOffHosts.value(0);
    default:
        return {};
    }
}

bool Household::showsSetup() const
{
    if (m_setupDismissed)
        return false;
    if (m_preferences.hasEverFoundSpeaker() && !(m_hasSearchedOnce && m_hasCheckedAppleMusic))
        return false;
    return setupState() != SetupState::Ready;
}

void Household::finishOnboarding()
{
    setOnboardingReplay(false);
    assign(this, m_onboardingDone, true, &Household::onboardingDoneChanged);
    m_preferences.setOnboardingDone(true);
    if (m_speakers.isEmpty())
        refreshSpeakers();
}

// ---- the selection

void Household::selectSpeaker(const std::optional<Speaker> &speaker)
{
    if (m_selected == speaker)
        return;
    setSelected(speaker);
    if (speaker)
        m_preferences.setPreferredSpeakerUUID(speaker->uuid);
    ++m_choice;
    Q_EMIT speakerChosen();
    refreshLineIn();
}

void Household::selectSpeaker(const QString &uuid)
{
    for (const Speaker &speaker : std::as_const(m_speakers)) {
        if (speaker.uuid == uuid) {
            selectSpeaker(speaker);
            return;
        }
    }
}

void Household::windowActivated()
{
    Q_EMIT activated();
    if (m_speakers.isEmpty())
        refreshSpeakers();
}

std::optional<SonosGroup> Household::currentGroup() const
{
    if (!m_selected)
        return std::nullopt;
    for (const SonosGroup &group : m_groups) {
        for (const Speaker &member : group.members) {
            if (member.uuid == m_selected->uuid)
                return group;
        }
    }
    return std::nullopt;
}

std::unique_ptr<SonosController> Household::coordinatorController() const
{
    if (!m_selected)
        return nullptr;
    const std::optional<SonosGroup> group = currentGroup();
    const std::optional<Speaker> coordinator = group ? group->coordinator() : std::nullopt;
    return std::make_unique<SonosController>(coordinator.value_or(*m_selected));
}

QString Household::roomForHistory() const
{
    if (const std::optional<SonosGroup> group = currentGroup())
        return group->displayName();
    return m_selected ? m_selected->roomName : QString();
}

QCoro::Task<> Household::rereadLink()
{
    const std::shared_ptr<SonosController> controller = coordinatorController();
    if (!controller)
        co_return;
    QPointer<Household> self(this);
    const int choice = m_choice;
    std::optional<AppleMusicLink> link;
    std::exception_ptr failure;
    try {
        link = co_await controller->appleMusicLink();
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self || m_choice != choice)
        co_return;
    if (link) {
        setLink(link);
        m_notices->setErrorMessage(std::nullopt);
    } else {
        m_notices->setErrorMessage(failureMessage(failure));
    }
}

QCoro::Task<> Household::refreshLineIn()
{
    QPointer<Household> self(this);
    const int choice = m_choice;
    std::unique_ptr<SonosController> controller = coordinatorController();
    bool hasLineIn = false;
    if (controller) {
        try {
            hasLineIn = co_await controller->hasLineIn();
        } catch (...) {
            // a speaker that cannot say has no input to offer
        }
    }
    if (self && m_choice == choice)
        assign(this, m_speakerHasLineIn, hasLineIn, &Household::speakerHasLineInChanged);
}

// ---- Apple Music

QCoro::Task<> Household::connectAppleMusic()
{
    QPointer<Household> self(this);
    const std::shared_ptr<MusicService> service = m_music;
    if (!service || m_connectingMusic)
        co_return;
    m_connectingMusic = true;
    Q_EMIT musicStateChanged();
    const bool granted = co_await AppleMusic::ensureAuthorized(service.get());
    if (!self)
        co_return;
    m_connectingMusic = false;
    Q_EMIT musicStateChanged();
    setMusicKitAuthorized(granted);
    if (!granted) {
        // A page closed or left unanswered decides nothing, but the person is owed a word.
        m_notices->setErrorMessage(AppleMusic::authorizationMessage(*service).value_or(QCoreApplication::translate("Household", "La connexion à Apple Music n'a pas abouti : la page du navigateur a été fermée ou n'a pas répondu à temps. "
            "Réessayez avec « Relier Apple Music ».")));
        co_return;
    }
    Q_EMIT musicConnected();
}

bool Household::musicRestricted() const
{
    return !m_music || m_music->authorizationStatus() == MusicService::Status::Restricted;
}

QString Household::authorizationMessage() const
{
    return m_music ? AppleMusic::authorizationMessage(*m_music).value_or(QString()) : QString();
}

QString Household::developerTokenHelp() const { return AppleMusic::developerTokenMissingExplanation(); }
bool Household::publicSearch() const { return m_music && m_music->publicCatalog(); }
bool Household::keepsTokenInFile() const { return m_music && m_music->keepsTokenInFile(); }

QString Household::catalogCountry() const
{
    PublicCatalog *open = m_music ? m_music->publicCatalog() : nullptr;
    return open ? open->country() : Configuration::catalogCountry();
}

QVariantList Household::catalogCountries() const
{
    QVariantList choices;
    for (const auto &[code, name] : PublicCatalog::storefronts())
        choices.append(QVariantMap{{QStringLiteral("id"), code}, {QStringLiteral("label"), name}});
    return choices;
}

void Household::setCatalogCountry(const QString &country)
{
    const QString code = country.trimmed().toLower();
    if (code.size() != 2 || code == catalogCountry())
        return;
    m_preferences.setCatalogCountry(code);
    m_preferences.sync();
    if (PublicCatalog *open = m_music ? m_music->publicCatalog() : nullptr)
        open->setCountry(code);
    Q_EMIT catalogCountryChanged();
}

bool Household::hasNetworkSettings() const { return !DesktopLinks::networkSettingsCommand().isEmpty(); }
void Household::openNetworkSettings() { DesktopLinks::openNetworkSettings(); }
void Household::openSonosApp() { QDesktopServices::openUrl(DesktopLinks::sonosAppUrl()); }
void Household::openSettingsFolder() { QDesktopServices::openUrl(DesktopLinks::settingsFolder()); }

} // namespace corvane
