import QtQuick 2.0
import QtQuick.Controls 1.4

// A plain coloured button with a centred title.
Rectangle {
    id: common_button

    property bool interactable: true
    property color normal_color: "#ffcf0d"
    property color disable_color: "#c5c5c5"
    property color normal_title_color: "#704a1d"
    property color disable_title_color: "#f1ebe2"
    property string font_family: "微软雅黑"
    property int pixelSize: 24
    property alias text: button_title.text

    signal clicked
    signal pressed(real xPosition, real yPosition)

    radius: 4
    color: normal_color
    state: "normal"

    onInteractableChanged: state = interactable ? "normal" : "disable"
    Component.onCompleted: if (!interactable) state = "disable"

    Label {
        id: button_title
        anchors.centerIn: parent
        color: common_button.normal_title_color
        font.family: common_button.font_family
        font.pixelSize: common_button.pixelSize
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
        anchors.fill: parent
        hoverEnabled: true
        enabled: common_button.interactable
        onEntered: common_button.state = "hover"
        onExited: common_button.state = "normal"
        onPressed: {
            common_button.state = "press"
            common_button.pressed(mouse.x, mouse.y)
        }
        onClicked: {
            common_button.state = "normal"
            common_button.clicked()
        }
    }

    states: [
        State { name: "normal" },
        State {
            name: "hover"
            PropertyChanges { target: hover_mask; visible: true }
        },
        State {
            name: "press"
            PropertyChanges { target: press_mask; visible: true }
        },
        State {
            name: "disable"
            PropertyChanges { target: common_button; color: common_button.disable_color }
            PropertyChanges { target: button_title; color: common_button.disable_title_color }
        }
    ]

    transitions: [
        Transition { from: "normal"; to: "hover"; ColorAnimation { duration: 100 } },
        Transition { from: "hover"; to: "press"; ColorAnimation { duration: 100 } },
        Transition { from: "press"; to: "normal"; ColorAnimation { duration: 100 } },
        Transition { from: "disable"; to: "normal"; ColorAnimation { duration: 100 } }
    ]
}
