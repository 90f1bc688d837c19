import QtQuick
import QtQuick.Layouts
import Corvane

// Whether Apple Music is connected, and the way to connect it.
ColumnLayout {
    id: root

    readonly property bool authorized: App.household.musicKitAuthorized
    readonly property bool restricted: App.household.musicRestricted

    spacing: Theme.spacingXS

    RowLayout {
        spacing: Theme.spacingS
        Layout.fillWidth: true
        Icon {
            name: "music.note"
            color: Theme.textDim
        }
        PlainLabel {
            //: The music service's name
            text: qsTr("Apple Music")
            color: Theme.text
            font.pixelSize: Theme.fontBody
            Layout.fillWidth: true
        }
        Icon {
            visible: root.authorized
            name: "checkmark.circle.fill"
            color: Theme.success
        }
        PillButton {
            visible: !root.authorized && !root.restricted
            text: App.household.connectingMusic ? qsTr("Connexion…") : qsTr("Connecter")
            enabled: !App.household.connectingMusic
            primary: true
            onClicked: App.household.connectMusic()
        }
    }
    PlainLabel {
        visible: !root.restricted || !App.household.publicSearch
        text: root.authorized ? qsTr("Connecté — vos playlists et votre bibliothèque sont disponibles.")
            : root.restricted ? App.household.developerTokenHelp
            : qsTr("Non connecté. Sans accès, ni playlists, ni bibliothèque, ni recherche.")
        color: Theme.textDim
        font.pixelSize: Theme.fontCaption + 1
        wrapMode: Text.Wrap
        Layout.fillWidth: true
    }
    // Without a developer token: the public catalogue, its country, and what a token would add.
    RowLayout {
        visible: root.restricted && App.household.publicSearch
        spacing: Theme.spacingS
        Layout.fillWidth: true
        PlainLabel {
            //: Stands before the chooser of the catalogue's country ("Catalogue de France")
            text: qsTr("Catalogue de")
            color: Theme.textDim
            font.pixelSize: Theme.fontCaption + 1
        }
        PlainComboBox {
            objectName: "catalogCountryChooser"
            textRole: "label"
            valueRole: "id"
            model: App.household.catalogCountries
            currentIndex: Math.max(0, indexOfValue(App.household.catalogCountry))
            onActivated: App.household.setCatalogCountry(currentValue)
            font.pixelSize: Theme.fontBody
            Accessible.name: qsTr("Pays du catalogue Apple Music")
            Layout.fillWidth: true
        }
    }
    MusicLinkButton {
        visible: root.restricted && App.household.publicSearch
        brief: true
        Layout.fillWidth: true
    }
    PlainLabel {
        visible: !root.authorized && !root.restricted
        text: App.household.authorizationMessage.length > 0 ? App.household.authorizationMessage
            : qsTr("Si rien ne se passe, terminez la connexion dans la page qui s'est ouverte dans votre navigateur, ou relancez-la ici.")
        color: Theme.textFaint
        font.pixelSize: Theme.fontCaption + 1
        wrapMode: Text.Wrap
        Layout.fillWidth: true
    }
    PlainLabel {
        visible: root.authorized && App.household.keepsTokenInFile
        text: qsTr("Aucun trousseau de clés n'a répondu : la connexion est gardée dans un fichier privé de votre dossier personnel.")
        color: Theme.textFaint
        font.pixelSize: Theme.fontCaption + 1
        wrapMode: Text.Wrap
        Layout.fillWidth: true
    }
}
