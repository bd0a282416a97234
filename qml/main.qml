import QtQuick 2.12
import QtQuick.Controls 2.4
import QtQuick.Dialogs 1.2
import QtQuick.Controls.Styles 1.4
import QtWebEngine 1.2
import QtQuick.Window 2.2

ApplicationWindow {
    id: rootWindow
    objectName: "rootWindow"
    width: 1280
    height: 730
    minimumWidth: 1280
    maximumWidth: 1280
    minimumHeight: 730
    maximumHeight: 730
    color: "#141414"
    title: ""
    visible: true
    flags: Qt.FramelessWindowHint | Qt.Window

    onClosing: mainViewModel.onApplicationQuit()
    onVisibilityChanged: {
        if (visibility === Window.Windowed)
            mainViewModel.UpdateInfoByHttp()
    }

    Image {
        id: networkbg
        objectName: "networkbg"
        x: 0
        y: 0
        width: 1280
        height: 730
        cache: false
        clip: false
        asynchronous: true
        opacity: 1
        source: mainViewModel.bgPath
    }

    Image {
        id: bgBottomMask
        objectName: "bgBottomMask"
        anchors.left: parent.left
        anchors.bottom: parent.bottom
        width: 1280
        height: 224
        source: "pic/bg_mask.png"
        cache: false
        asynchronous: true
        opacity: 1
        visible: mainViewModel.downloading || mainViewModel.setupGameing
    }

    Rectangle {
        id: top_bar
        anchors.left: parent.left
        anchors.top: parent.top
        width: parent.width
        height: 30
        color: "#141414"

        MouseArea {
            // The first 80 pixels belong to the information area.
            anchors.fill: parent
            anchors.leftMargin: 80
            acceptedButtons: Qt.LeftButton
            property point clickPos: "0,0"
            // Where the window system places windows itself (Wayland) only it
            // can move one; by hand only where it declines (X11 without a
            // window manager).
            property bool movedBySystem: false
            onPressed: {
                clickPos = Qt.point(mouse.x, mouse.y)
                movedBySystem = rootWindow.startSystemMove()
            }
            onPositionChanged: {
                if (movedBySystem)
                    return
                rootWindow.x += mouse.x - clickPos.x
                rootWindow.y += mouse.y - clickPos.y
            }
        }

        Text {
            id: game_name
            anchors.left: parent.left
            anchors.leftMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            horizontalAlignment: Text.AlignLeft
            verticalAlignment: Text.AlignVCenter
            text: qsTr("晨岚")
            color: "#FFFFFF"
            font.family: "微软雅黑"
            font.pixelSize: 12
        }

        Text {
            id: versionText
            objectName: "versionText"
            anchors.left: game_name.right
            anchors.leftMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            color: "#50ffffff"
            text: ""
            fontSizeMode: Text.FixedSize
            elide: Text.ElideNone
            font.family: "微软雅黑"
            font.pixelSize: 12
        }

        Text {
            id: preTip
            objectName: "preTip"
            anchors.left: versionText.right
            anchors.leftMargin: 20
            anchors.verticalCenter: parent.verticalCenter
            width: 380
            text: qsTr("预览版本-请勿外传！！！！")
            color: "#ffff0000"
            font.pixelSize: 18
            visible: false
        }

        ImageButton {
            id: closebtn
            anchors.right: parent.right
            anchors.top: parent.top
            width: 30
            height: 30
            z: 2
            text: ""
            nomal_Image: "pic/btn_close_n.png"
            hover_Image: "pic/btn_close_o.png"
            press_Image: "pic/btn_close_d.png"
            state: "nomal"
            onClicked: mainViewModel.btnExitClick()
        }

        ImageButton {
            id: minisizebtn
            anchors.right: closebtn.left
            anchors.top: parent.top
            width: 30
            height: 30
            text: ""
            nomal_Image: "pic/btn_min_n.png"
            hover_Image: "pic/btn_min_o.png"
            press_Image: "pic/btn_min_d.png"
            state: "nomal"
            onClicked: rootWindow.showMinimized()
        }
    }

    WebEngineView {
        id: bgWebView
        objectName: "bgWebView"
        anchors.left: parent.left
        anchors.top: top_bar.bottom
        width: parent.width
        height: parent.height - top_bar.height
        backgroundColor: "#00000000"
        url: mainViewModel.mainBgUrl
        onNewViewRequested: Qt.openUrlExternally(request.requestedUrl)
        onLoadingChanged: {
            if (loadRequest.status === WebEngineView.LoadFailedStatus) {
                console.log("page load failed:", loadRequest.errorCode, loadRequest.errorString)
                mainViewModel.singleReloadWeb()
            }
        }
    }

    MouseArea {
        // Right clicks stay out of the page.
        anchors.fill: bgWebView
        acceptedButtons: Qt.RightButton
    }

    MouseArea {
        anchors.left: parent.left
        anchors.top: parent.top
        width: 80
        height: 80
        onPressed: mainViewModel.appInfoAreaClick()
    }

    ImageButton {
        id: viewActivity
        objectName: "viewActivity"
        anchors.right: parent.right
        anchors.rightMargin: 129
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 160
        width: 136
        height: 40
        is_use_statusMask: true
        radius: 20
        visible: false
        onClicked: {
            var link = mainViewModel.btnMoreActiveJumpUrl()
            if (link !== "")
                Qt.openUrlExternally(link)
        }
    }

    ImageButton {
        id: installBtn
        anchors.left: parent.left
        anchors.leftMargin: 50
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 39
        width: 238
        height: 64
        nomal_Image: "pic/main_btn_n.png"
        hover_Image: "pic/main_btn_o.png"
        press_Image: "pic/main_btn_d.png"
        pixelSize: 24
        state: "nomal"
        visible: mainViewModel.installEnable
        text: mainViewModel.isDownloadNotComplated ? qsTr("继续下载") : qsTr("获取游戏")
        onClicked: mainViewModel.installEnsureBtnClicked()
    }

    ImageButton {
        id: updateBtn
        anchors.fill: installBtn
        nomal_Image: installBtn.nomal_Image
        hover_Image: installBtn.hover_Image
        press_Image: installBtn.press_Image
        pixelSize: installBtn.pixelSize
        visible: mainViewModel.updateEnable
        text: qsTr("更新")
        onClicked: mainViewModel.updateBtnClicked()
    }

    ImageButton {
        id: startBtn
        anchors.fill: installBtn
        nomal_Image: installBtn.nomal_Image
        hover_Image: installBtn.hover_Image
        press_Image: installBtn.press_Image
        pixelSize: installBtn.pixelSize
        visible: mainViewModel.startGameVisible
        interactable: mainViewModel.startGameEnable
        text: qsTr("开始游戏")
        onClicked: {
            rootWindow.hide()
            mainViewModel.startGameBtnClicked()
        }
    }

    Rectangle {
        id: installPathRect
        anchors.left: installBtn.right
        anchors.leftMargin: 27
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 39
        width: 700
        height: 50
        color: "#00000000"
        visible: mainViewModel.installEnable

        Rectangle {
            id: installPathTip
            anchors.left: parent.left
            anchors.top: parent.top
            width: txtPath.contentWidth + 20
            height: 25
            color: "#19ffffff"
            radius: 2

            MouseArea {
                anchors.fill: parent
            }

            Text {
                id: txtPath
                objectName: "curinstallPath"
                anchors.left: parent.left
                anchors.leftMargin: 10
                anchors.verticalCenter: parent.verticalCenter
                color: "#ffffff"
                topPadding: 2
                font.family: "微软雅黑"
                font.pixelSize: 14
                font.weight: Font.Light
                text: mainViewModel.installPath
            }
        }

        ImageButton {
            id: chg_InstallPath_ico
            anchors.left: installPathTip.right
            anchors.leftMargin: 10
            anchors.top: parent.top
            anchors.topMargin: 6
            width: 18
            height: 18
            nomal_Image: "pic/change.png"
            hover_Image: "pic/change.png"
            press_Image: "pic/change.png"
            state: "nomal"
        }

        ImageButton {
            id: chg_InstallPath_btn
            anchors.left: chg_InstallPath_ico.right
            anchors.leftMargin: 2
            anchors.verticalCenter: chg_InstallPath_ico.verticalCenter
            height: 18
            is_show_pointinghand: true
            nomal_textColor: "#ffd846"
            hover_textColor: "#ffec5c"
            press_textColor: "#ffc43a"
            text: qsTr("修改安装路径")
            pixelSize: 16
            onClicked: mainViewModel.changeInstallPathBtnClicked()
        }
    }

    Rectangle {
        id: download_bg
        anchors.left: parent.left
        anchors.leftMargin: 50
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 23
        width: 820
        height: 80
        color: "#00000000"
        visible: mainViewModel.downloading || mainViewModel.setupGameing

        Text {
            id: download_percentage
            objectName: "download_percentage"
            anchors.left: parent.left
            anchors.top: parent.top
            height: 17
            text: qsTr("下载中0%(0.0G/0.0G)")
            color: "#ffffffff"
            font.family: "微软雅黑"
            font.pixelSize: 16
            visible: mainViewModel.downloading
        }

        Text {
            id: setup_percentage
            objectName: "setup_percentage"
            anchors.left: parent.left
            anchors.top: parent.top
            height: 17
            text: qsTr("校验中 ")
            color: "#ffffffff"
            font.pixelSize: 16
            visible: mainViewModel.setupGameing
        }

        ProgressBar {
            id: cProgress
            objectName: "progress"
            property color proColor: "#b2ffffff"
            property color proBackgroundColor: "#33ffffff"
            property real progress: 0
            property real proRadius: 4
            anchors.left: parent.left
            anchors.top: download_percentage.bottom
            anchors.topMargin: 9
            width: 776
            height: 24
            value: mainViewModel.progress

            background: Rectangle {
                id: progress_bg
                implicitWidth: 776
                implicitHeight: 24
                color: cProgress.proBackgroundColor
                radius: cProgress.proRadius
                border.width: 1
                border.color: "#7fcbcccd"
            }
            contentItem: Item {
                implicitWidth: 776
                implicitHeight: 24
                Rectangle {
                    width: cProgress.visualPosition * parent.width
                    height: parent.height
                    radius: cProgress.proRadius
                    color: cProgress.proColor
                }
            }
        }

        Text {
            id: task_needtime
            objectName: "task_needtime"
            anchors.left: cProgress.right
            anchors.leftMargin: -180
            anchors.top: parent.top
            text: qsTr("预计剩余时间：00:00:00")
            color: "#FFD846"
            font.pixelSize: 16
            visible: mainViewModel.downloading || mainViewModel.setupGameing
        }

        Text {
            id: download_speed
            objectName: "download_speed"
            anchors.left: cProgress.left
            anchors.leftMargin: 2
            anchors.top: cProgress.bottom
            anchors.topMargin: 9
            height: 15
            color: "#b2ffffff"
            text: qsTr("下载速度：0.00KB/s")
            font.pixelSize: 14
            visible: mainViewModel.downloading
        }

        ImageButton {
            id: pauseDownloadBtn
            objectName: "pauseDownloadBtn"
            anchors.left: cProgress.right
            anchors.leftMargin: 10
            anchors.top: cProgress.top
            anchors.topMargin: -3
            width: 30
            height: 30
            nomal_Image: "pic/continue_n.png"
            hover_Image: "pic/continue_o.png"
            press_Image: "pic/continue_d.png"
            state: "nomal"
            visible: mainViewModel.downloading
            onClicked: mainViewModel.pauseBtnClicked()
        }
    }

    Text {
        id: downloadOrZipTips
        objectName: "downloadOrZipTips"
        x: 1009
        y: 390
        width: 121
        height: 25
        color: "#ffffff"
        text: qsTr("正在下载安装包...")
        font.pixelSize: 15
        visible: false
    }

    Text {
        id: downloadOrZipTips1
        objectName: "downloadOrZipTipsvalue"
        x: 1126
        y: 390
        width: 81
        height: 25
        color: "#ffffff"
        text: "0.00MB/dd"
        font.pixelSize: 15
        visible: false
    }

    Text {
        id: downloadOrZipFileName
        objectName: "downloadOrZipFileName"
        x: 1001
        y: 402
        width: 222
        height: 72
        color: "#adadad"
        text: ""
        font.pixelSize: 12
    }

    Rectangle {
        id: bgMask_msgbox
        objectName: "bgMask_msgbox"
        x: 0
        y: 0
        width: 1280
        height: 730
        color: "#99000000"
        visible: false
    }
}
