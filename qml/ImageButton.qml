import QtQuick 2.0
import QtQuick.Controls 1.4

// A button drawn from one picture per look: normal, hover, pressed, disabled.
Rectangle {
    id: root_Button

    property string nomal_Image: ""
    property string hover_Image: ""
    property string press_Image: ""
    property string disable_Image: ""
    property string nomal_textColor: "#704a1d"
    property string hover_textColor: nomal_textColor
    property string press_textColor: nomal_textColor
    property string disable_textColor: "#b2999999"
    property bool interactable: true
    property bool is_show_pointinghand: false
    property bool is_use_statusMask: false
    property int pixelSize: 18
    property alias text: button_Text.text
    property alias buttonText: button_Text
    property alias textColor: button_Text.color
    property alias fontSize: button_Text.font.pixelSize
    property alias buttonImage: button_Background

    signal clicked
    signal pressed(real xPosition, real yPosition)

    width: button_Text.contentWidth
    height: 30
    color: "#00ffffff"
    radius: 4
    state: "nomal"

    onInteractableChanged: state = interactable ? "nomal" : "disable"
    Component.onCompleted: if (!interactable) state = "disable"

    Rectangle {
        id: bg_color
        anchors.fill: parent
        radius: parent.radius
        color: "#4c999999"
        visible: false
    }

    Image {
        id: button_Background
        anchors.fill: parent
        source: root_Button.nomal_Image
    }

    Label {
        id: button_Text
        anchors.centerIn: parent
        color: "#704a1d"
        font.letterSpacing: 2
        font.family: "微软雅黑"
        font.pixelSize: root_Button.pixelSize
    }

    Rectangle {
        id: hover_mask
        anchors.fill: parent
        radius: parent.radius
        color: "#1dffffff"
        visible: false
    }

    Rectangle {
        id: press_mask
        anchors.fill: parent
        radius: parent.radius
        color: "#33000000"
        visible: false
    }

    MouseArea {
        id: button_Mousearea
        anchors.fill: parent
        hoverEnabled: true
        enabled: root_Button.interactable
        cursorShape: root_Button.is_show_pointinghand ? Qt.PointingHandCursor : Qt.ArrowCursor
        onEntered: root_Button.state = "hover"
        onExited: root_Button.state = "nomal"
        onPressed: {
            root_Button.state = "press"
            root_Button.pressed(mouse.x, mouse.y)
        }
        onClicked: {
            root_Button.state = "nomal"
            root_Button.clicked()
        }
    }

    states: [
        State {
            name: "nomal"
            PropertyChanges { target: button_Background; source: root_Button.nomal_Image }
            PropertyChanges { target: button_Text; color: root_Button.nomal_textColor }
        },
        State {
            name: "hover"
            PropertyChanges { target: button_Background; source: root_Button.hover_Image }
            PropertyChanges { target: button_Text; color: root_Button.hover_textColor }
            PropertyChanges { target: hover_mask; visible: root_Button.is_use_statusMask }
        },
        State {
            name: "press"
            PropertyChanges { target: button_Background; source: root_Button.press_Image }
            PropertyChanges { target: button_Text; color: root_Button.press_textColor }
            PropertyChanges { target: press_mask; visible: root_Button.is_use_statusMask }
        },
        State {
            name: "disable"
            PropertyChanges { target: button_Background; source: root_Button.disable_Image }
            PropertyChanges { target: button_Text; color: root_Button.disable_textColor }
            PropertyChanges { target: bg_color; visible: true }
        }
    ]

    transitions: [
        Transition { from: "nomal"; to: "hover"; ColorAnimation { duration: 100 } },
        Transition { from: "hover"; to: "press"; ColorAnimation { duration: 100 } },
        Transition { from: "press"; to: "nomal"; ColorAnimation { duration: 100 } },
        Transition { from: "disable"; to: "nomal"; ColorAnimation { duration: 100 } }
    ]
}
