import QtQuick
import Corvane

// Artwork cut as a disc (artists).
Artwork {
    cornerPercent: 50
    placeholder: "music.note"
}
