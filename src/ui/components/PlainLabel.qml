import QtQuick
import QtQuick.Controls

// Every label of the window: what it shows is text, never markup. Titles, names and messages
// come from speakers, the music service and other computers; read as rich text, a title such as
// <img src="http://…"> would make the window fetch that address.
Label {
    textFormat: Text.PlainText
}
