import QtQuick
import QtQuick.Layouts
import Corvane

Rectangle {
    color: Theme.divider
    implicitHeight: 1
    Layout.fillWidth: true
}
