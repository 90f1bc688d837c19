#pragma once

#include "async/cancellation.h"
#include "base/preferences.h"
#include "base/records.h"
#include "model/routes.h"

#include <QCoroTask>
#include <QObject>
#include <QVariant>

#include <memory>
#include <optional>

namespace corvane {

class MusicService;
class Notices;
class SonosController;

// The rooms and groups, the selected speaker, discovery, the household's Apple Music link and
// what the setup guide and the introduction need.
class Household : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QVariantList speakers READ speakerList NOTIFY speakersChanged)
    Q_PROPERTY(QVariantList groups READ groupList NOTIFY groupsChanged)
    Q_PROPERTY(QVariant selected READ selectedValue NOTIFY selectedChanged)
    Q_PROPERTY(QString selectedUUID READ selectedUUID NOTIFY selectedChanged)
    Q_PROPERTY(bool isDiscovering READ isDiscovering NOTIFY isDiscoveringChanged)
    Q_PROPERTY(bool hasSearchedOnce READ hasSearchedOnce NOTIFY hasSearchedOnceChanged)
    Q_PROPERTY(bool hasCheckedAppleMusic READ hasCheckedAppleMusic NOTIFY hasCheckedAppleMusicChanged)
    Q_PROPERTY(bool onboardingDone READ onboardingDone NOTIFY onboardingDoneChanged)
    Q_PROPERTY(bool onboardingReplay READ onboardingReplay WRITE setOnboardingReplay NOTIFY onboardingReplayChanged)
    Q_PROPERTY(bool showsOnboarding READ showsOnboarding NOTIFY showsOnboardingChanged)
    Q_PROPERTY(bool launchedWithoutKnownSpeaker READ launchedWithoutKnownSpeaker CONSTANT)
    Q_PROPERTY(bool setupDismissed READ setupDismissed WRITE setSetupDismissed NOTIFY setupDismissedChanged)
    Q_PROPERTY(bool hasLink READ hasLink NOTIFY linkChanged)
    Q_PROPERTY(bool musicKitAuthorized READ musicKitAuthorized NOTIFY musicKitAuthorizedChanged)
    // The browser sign-in under way; no developer token configured (nothing to sign in to);
    // why access failed, if it did; the user's token kept in a private file, the keyring missing.
    Q_PROPERTY(bool connectingMusic READ connectingMusic NOTIFY musicStateChanged)
    Q_PROPERTY(bool musicRestricted READ musicRestricted NOTIFY musicStateChanged)
    Q_PROPERTY(QString authorizationMessage READ authorizationMessage NOTIFY musicStateChanged)
    Q_PROPERTY(bool keepsTokenInFile READ keepsTokenInFile NOTIFY musicStateChanged)
    // What to do when no developer token is configured.
    Q_PROPERTY(QString developerTokenHelp READ developerTokenHelp CONSTANT)
    // Without a developer token, the catalogue is searched through Apple's public search, in
    // the storefront of `catalogCountry` ("fr"); `catalogCountries` are the ones to choose from,
    // as {id, label}.
    Q_PROPERTY(bool publicSearch READ publicSearch NOTIFY musicStateChanged)
    Q_PROPERTY(QString catalogCountry READ catalogCountry NOTIFY catalogCountryChanged)
    Q_PROPERTY(QVariantList catalogCountries READ catalogCountries CONSTANT)
    // The desktop's network settings can be opened (a known one is installed).
    Q_PROPERTY(bool hasNetworkSettings READ hasNetworkSettings CONSTANT)
    Q_PROPERTY(bool needsAppleMusic READ needsAppleMusic NOTIFY needsAppleMusicChanged)
    Q_PROPERTY(bool speakerHasLineIn READ speakerHasLineIn NOTIFY speakerHasLineInChanged)
    Q_PROPERTY(int setupState READ setupState NOTIFY setupChanged)
    Q_PROPERTY(QString setupRoom READ setupRoom NOTIFY setupChanged)
    Q_PROPERTY(bool showsSetup READ showsSetup NOTIFY setupChanged)
    // One card per group for the rooms screen: {coordinatorUUID, name, symbol, roomCount,
    // members and outsiders: [{uuid, room, detail, isCoordinator, group}]}.
    Q_PROPERTY(QVariantList groupCards READ groupCards NOTIFY groupsChanged)

public:
    Household(std::shared_ptr<MusicService> music, Notices *notices, QObject *parent = nullptr);
    ~Household() override;

    const QList<Speaker> &speakers() const { return m_speakers; }
    const QList<SonosGroup> &groups() const { return m_groups; }
    const std::optional<Speaker> &selected() const { return m_selected; }
    std::optional<SonosGroup> currentGroup() const;
    // The selected group's coordinator, which takes the group's commands; null without a selection.
    std::unique_ptr<SonosController> coordinatorController() const;
    // The group's name for the listening history: its rooms, or the selected room.
    QString roomForHistory() const;

    bool isDiscovering() const { return m_isDiscovering; }
    bool hasSearchedOnce() const { return m_hasSearchedOnce; }
    bool hasCheckedAppleMusic() const { return m_hasCheckedAppleMusic; }
    void setCheckedAppleMusic(bool checked);
    bool onboardingDone() const { return m_onboardingDone; }
    bool onboardingReplay() const { return m_onboardingReplay; }
    void setOnboardingReplay(bool replay);
    bool showsOnboarding() const { return !m_onboardingDone || m_onboardingReplay; }
    bool launchedWithoutKnownSpeaker() const { return m_launchedWithoutKnownSpeaker; }
    bool setupDismissed() const { return m_setupDismissed; }
    void setSetupDismissed(bool dismissed);
    const std::optional<AppleMusicLink> &link() const { return m_link; }
    bool hasLink() const { return m_link.has_value(); }
    void setLink(const std::optional<AppleMusicLink> &link);
    bool musicKitAuthorized() const { return m_musicKitAuthorized; }
    void setMusicKitAuthorized(bool authorized);
    bool connectingMusic() const { return m_connectingMusic; }
    bool musicRestricted() const;
    QString authorizationMessage() const;
    bool keepsTokenInFile() const;
    QString developerTokenHelp() const;
    bool publicSearch() const;
    QString catalogCountry() const;
    QVariantList catalogCountries() const;
    bool hasNetworkSettings() const;
    bool needsAppleMusic() const { return m_needsAppleMusic; }
    void setNeedsAppleMusic(bool needs);
    bool speakerHasLineIn() const { return m_speakerHasLineIn; }
    QStringList localControlOffHosts() const { return m_localControlOffHosts; }
    QVariantList groupCards() const;

    SetupState::Value setupState() const;
    // The room (or address) the setup guide names: the selected room when Apple Music is
    // missing, the refusing address when local control is off.
    QString setupRoom() const;
    bool showsSetup() const;

    QCoro::Task<> discoveryRun();
    void selectSpeaker(const std::optional<Speaker> &speaker);
    QCoro::Task<> connectAppleMusic();
    // A member of the group leaves it; any other room joins it. The group is the selected one's
    // unless a group card names its coordinator.
    QCoro::Task<> toggleMembership(Speaker speaker, std::optional<QString> groupCoordinator = {});
    // Asks the coordinator whether it has an audio input (the line-in control shows only then).
    QCoro::Task<> refreshLineIn();
    // The groups a topology event announced (models are filled from those already known).
    QCoro::Task<> takeTopology(QList<SonosGroup> groups);
    // The groups read again from the coordinator.
    QCoro::Task<> rereadGroups();

    Q_INVOKABLE void refreshSpeakers();
    Q_INVOKABLE void selectSpeaker(const QString &uuid);
    Q_INVOKABLE void finishOnboarding();
    // The room leaves the group whose coordinator is named, or joins it.
    Q_INVOKABLE void toggleRoom(const QString &uuid, const QString &groupCoordinator = {});
    Q_INVOKABLE void connectMusic() { connectAppleMusic(); }
    // The window came to the front: a new search while no speaker is known.
    Q_INVOKABLE void windowActivated();
    Q_INVOKABLE void setCatalogCountry(const QString &country);
    Q_INVOKABLE void openNetworkSettings();
    Q_INVOKABLE void openSonosApp();
    Q_INVOKABLE void openSettingsFolder();

Q_SIGNALS:
    void speakersChanged();
    void groupsChanged();
    void selectedChanged();
    void isDiscoveringChanged();
    void hasSearchedOnceChanged();
    void hasCheckedAppleMusicChanged();
    void onboardingDoneChanged();
    void onboardingReplayChanged();
    void showsOnboardingChanged();
    void setupDismissedChanged();
    void linkChanged();
    void musicKitAuthorizedChanged();
    void musicStateChanged();
    void needsAppleMusicChanged();
    void catalogCountryChanged();
    void speakerHasLineInChanged();
    void setupChanged();
    // Another speaker was chosen: its session begins.
    void speakerChosen();
    // The window came to the front.
    void activated();
    // A discovery run began (the moment for housekeeping).
    void discoveryStarted();
    // Apple Music access was granted from the window.
    void musicConnected();

private:
    QVariantList speakerList() const;
    QVariantList groupList() const;
    QVariant selectedValue() const;
    QString selectedUUID() const;
    void setSpeakersAndGroups(const QList<SonosGroup> &groups);
    void applyTopology(const QList<SonosGroup> &groups, const Speaker &answering);
    void chooseSelection();
    void setSelected(const std::optional<Speaker> &speaker);
    QCoro::Task<> rereadLink();
    QCoro::Task<QList<SonosGroup>> readTopology(Speaker answering, QStringList known, CancellationToken token);

    std::shared_ptr<MusicService> m_music;
    Notices *m_notices;
    Preferences m_preferences;

    QList<Speaker> m_speakers;
    QList<SonosGroup> m_groups;
    std::optional<Speaker> m_selected;
    // Counts the choices of speaker: a read begun for an earlier one lands nowhere.
    int m_choice = 0;
    bool m_isDiscovering = false;
    bool m_hasSearchedOnce = false;
    bool m_hasCheckedAppleMusic = false;
    bool m_onboardingDone = false;
    bool m_onboardingReplay = false;
    bool m_launchedWithoutKnownSpeaker = true;
    bool m_setupDismissed = false;
    std::optional<AppleMusicLink> m_link;
    bool m_musicKitAuthorized = false;
    bool m_connectingMusic = false;
    bool m_needsAppleMusic = false;
    bool m_speakerHasLineIn = false;
    QStringList m_localControlOffHosts;
    std::unique_ptr<CancellationSource> m_discovery;
};

} // namespace corvane
