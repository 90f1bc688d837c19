import QtQuick

// A Text item that shows text, never markup (see PlainLabel).
Text {
    textFormat: Text.PlainText
}
