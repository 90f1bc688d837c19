#pragma once

#include <QObject>
#include <QVariant>

namespace corvane {

class CorvaneModel;

// The rooms, the selection, the Apple Music link and what the setup guide needs, as the screens
// read them. Logic stays in the model; this only forwards.
class HouseholdFace : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QVariantList speakers READ speakers NOTIFY speakersChanged)
    Q_PROPERTY(QVariantList groups READ groups NOTIFY groupsChanged)
    Q_PROPERTY(QVariant selected READ selected NOTIFY selectedChanged)
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
    Q_PROPERTY(QVariantList favorites READ favorites NOTIFY favoritesChanged)
    // Only the favorites a speaker can start (those with an address).
    Q_PROPERTY(QVariantList playableFavorites READ playableFavorites NOTIFY favoritesChanged)
    Q_PROPERTY(QVariant battery READ battery NOTIFY batteryChanged)
    // One card per group for the rooms screen: {coordinatorUUID, name, symbol, roomCount,
    // members and outsiders: [{uuid, room, detail, isCoordinator, group}]}.
    Q_PROPERTY(QVariantList groupCards READ groupCards NOTIFY groupsChanged)

public:
    explicit HouseholdFace(CorvaneModel *model);

    QVariantList speakers() const;
    QVariantList groups() const;
    QVariant selected() const;
    QString selectedUUID() const;
    bool isDiscovering() const;
    bool hasSearchedOnce() const;
    bool hasCheckedAppleMusic() const;
    bool onboardingDone() const;
    bool onboardingReplay() const;
    void setOnboardingReplay(bool replay);
    bool showsOnboarding() const { return !onboardingDone() || onboardingReplay(); }
    bool launchedWithoutKnownSpeaker() const;
    bool setupDismissed() const;
    void setSetupDismissed(bool dismissed);
    bool hasLink() const;
    bool musicKitAuthorized() const;
    bool connectingMusic() const;
    bool musicRestricted() const;
    QString authorizationMessage() const;
    bool keepsTokenInFile() const;
    QString developerTokenHelp() const;
    bool publicSearch() const;
    QString catalogCountry() const;
    QVariantList catalogCountries() const;
    Q_INVOKABLE void setCatalogCountry(const QString &country);
    bool hasNetworkSettings() const;
    Q_INVOKABLE void openNetworkSettings();
    Q_INVOKABLE void openSonosApp();
    Q_INVOKABLE void openSettingsFolder();
    bool needsAppleMusic() const;
    bool speakerHasLineIn() const;
    int setupState() const;
    QString setupRoom() const;
    bool showsSetup() const;
    QVariantList favorites() const;
    QVariantList playableFavorites() const;
    QVariant battery() const;
    QVariantList groupCards() const;

    Q_INVOKABLE void refreshSpeakers();
    Q_INVOKABLE void selectSpeaker(const QString &uuid);
    Q_INVOKABLE void finishOnboarding();
    // The room leaves the group whose coordinator is named, or joins it.
    Q_INVOKABLE void toggleRoom(const QString &uuid, const QString &groupCoordinator = {});
    Q_INVOKABLE void connectMusic();
    // The window came to the front: personal shelves again, and a new search with no speaker.
    Q_INVOKABLE void windowActivated();

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
    void favoritesChanged();
    void batteryChanged();

private:
    CorvaneModel *m_model;
};

} // namespace corvane
