import QtQuick 2.4

// A ring filled in proportion to value (0 to 100) from two pictures.
Canvas {
    id: canvas

    property real value: 0
    property bool anticlockwise: false
    property string backgroundImg: ""
    property string foregroundImg: ""
    property alias text: process_text.text

    antialiasing: true

    onValueChanged: requestPaint()
    onImageLoaded: requestPaint()
    Component.onCompleted: {
        if (backgroundImg !== "")
            loadImage(backgroundImg)
        if (foregroundImg !== "")
            loadImage(foregroundImg)
    }

    onPaint: {
        var ctx = getContext("2d")
        ctx.reset()
        ctx.clearRect(0, 0, width, height)
        if (backgroundImg !== "" && isImageLoaded(backgroundImg))
            ctx.drawImage(backgroundImg, 0, 0, width, height)
        if (foregroundImg === "" || !isImageLoaded(foregroundImg))
            return
        var fraction = Math.max(0, Math.min(value, 100)) / 100
        var start = -Math.PI / 2
        var sweep = 2 * Math.PI * fraction
        ctx.save()
        ctx.beginPath()
        ctx.moveTo(width / 2, height / 2)
        ctx.arc(width / 2, height / 2, Math.max(width, height), start,
                anticlockwise ? start - sweep : start + sweep, anticlockwise)
        ctx.closePath()
        ctx.clip()
        ctx.drawImage(foregroundImg, 0, 0, width, height)
        ctx.restore()
    }

    Text {
        id: process_text
        anchors.centerIn: parent
        font.pointSize: 15
        color: "#ffffff"
        text: Math.floor(canvas.value) + "%"
    }
}
