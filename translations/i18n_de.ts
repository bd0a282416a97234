<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="zh_CN">
<context>
    <name>CArchiveExtractCallback</name>
    <message>
        <source>文件路径超出安装目录，未解压：%1</source>
        <translation>Der Dateipfad führt aus dem Installationsordner heraus, nicht entpackt: %1</translation>
    </message>
</context>
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>应用信息</source>
        <translation>Anwendungsdetails</translation>
    </message>
    <message>
        <source>游戏信息：</source>
        <translation>Spieldetails:</translation>
    </message>
    <message>
        <source>应用信息：</source>
        <translation>Anwendungsdetails:</translation>
    </message>
    <message>
        <source>启动器版本：</source>
        <translation>Launcher-Version:</translation>
    </message>
    <message>
        <source>好的</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CDlgCloseTip</name>
    <message>
        <source>你点击了关闭按钮，你期望：</source>
        <translation>Was möchtest du tun?</translation>
    </message>
    <message>
        <source>最小化到系统托盘</source>
        <translation>In den Infobereich minimieren</translation>
    </message>
    <message>
        <source>直接退出</source>
        <translation>Programm beenden</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>不再提醒</source>
        <translation>Nicht mehr anzeigen</translation>
    </message>
</context>
<context>
    <name>CDlgYesNo</name>
    <message>
        <source>确认</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CSetInstallPathDialog</name>
    <message>
        <source>晨岚安装</source>
        <translation>Aurelith installieren</translation>
    </message>
    <message>
        <source>安装目录</source>
        <translation>Zielordner</translation>
    </message>
    <message>
        <source>当前文件夹空间不足</source>
        <translation>Nicht genügend Speicherplatz</translation>
    </message>
    <message>
        <source>更改</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>所需空间：</source>
        <translation>Benötigter Speicher: </translation>
    </message>
    <message>
        <source>可用空间：</source>
        <translation>Verfügbarer Speicher: </translation>
    </message>
    <message>
        <source>默认语言</source>
        <translation>Standardsprache</translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation>Chinesisch (vereinfacht)</translation>
    </message>
    <message>
        <source>开始安装</source>
        <translation>Installieren</translation>
    </message>
    <message>
        <source>路径无效</source>
        <translation>Ungültiger Pfad</translation>
    </message>
    <message>
        <source>选择安装路径</source>
        <translation>Installationspfad wählen</translation>
    </message>
    <message>
        <source>%1 GB </source>
        <translation>%1 GB </translation>
    </message>
</context>
<context>
    <name>MainViewModel</name>
    <message>
        <source>校验中</source>
        <translation>Wird geprüft</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>游戏已启动，点击将关闭游戏，继续安装！</source>
        <translation>Aurelith läuft. Klicke, um das Spiel zu schließen und die Installation fortzusetzen.</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>检查更新中，请稍后！</source>
        <translation>Suche nach Updates, bitte warten...</translation>
    </message>
    <message>
        <source>创建文件夹失败，请确认路径是否正确！</source>
        <translation>Ordner konnte nicht erstellt werden. Bitte prüfe, ob der Pfad stimmt.</translation>
    </message>
    <message>
        <source>磁盘空间不足，请选择其他路径！</source>
        <translation>Nicht genügend Speicherplatz. Bitte wähle einen anderen Ort.</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>下载错误</source>
        <translation>Downloadfehler</translation>
    </message>
    <message>
        <source>安装错误</source>
        <translation>Installationsfehler</translation>
    </message>
    <message>
        <source>游戏资源检查更新失败，是否重新连接</source>
        <translation>Suche nach Spiel-Updates fehlgeschlagen. Erneut verbinden?</translation>
    </message>
    <message>
        <source>启动器检查更新失败，是否重新连接</source>
        <translation>Launcher-Updateprüfung fehlgeschlagen. Erneut verbinden?</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器需要升级，点击下方“确认”按钮，下载并安装最新版本。</source>
        <translation>Der aktuelle Launcher muss aktualisiert werden. Klicke unten auf „Bestätigen“, um die neueste Version herunterzuladen und zu installieren.</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器版本过低，点击下方“确认”按钮，关闭启动器。</source>
        <translation>Die Version des Launchers ist veraltet. Klicke unten auf „Bestätigen“, um den Launcher zu schließen.</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>下载中%1%  (%2G/%3G)</source>
        <translation>Download läuft %1% (%2GB/%3GB)</translation>
    </message>
    <message>
        <source>安装中%1%  (%2G/%3G)</source>
        <translation>Installation läuft %1% (%2GB/%3GB)</translation>
    </message>
    <message>
        <source>下载速度： %1MB/S</source>
        <translation>Downloadgeschwindigkeit: %1 MB/s</translation>
    </message>
    <message>
        <source>下载速度： %1KB/S</source>
        <translation>Downloadgeschwindigkeit: %1 KB/s</translation>
    </message>
    <message>
        <source>下载速度： 0KB/S</source>
        <translation>Downloadgeschwindigkeit: 0 KB/s</translation>
    </message>
    <message>
        <source>预计剩余时间：%02d:%02d:%02d</source>
        <translation>Verbleibende Zeit: %02d:%02d:%02d</translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>Verbleibende Zeit: 00:00:00</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>解压密码未定义</source>
        <translation>Kein Entpackpasswort festgelegt</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>打开主窗口</source>
        <translation>Hauptfenster öffnen</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>网络资源获取失败(%1)</source>
        <translation>Netzwerkressourcen konnten nicht abgerufen werden (%1)</translation>
    </message>
    <message>
        <source>文件打开失败</source>
        <translation>Datei konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>文件正在下载中</source>
        <translation>Die Datei wird gerade heruntergeladen</translation>
    </message>
    <message>
        <source>硬盘空间不足</source>
        <translation>Nicht genügend Festplattenspeicher</translation>
    </message>
    <message>
        <source>写入文件缓存失败</source>
        <translation>Schreiben in den Dateipuffer fehlgeschlagen</translation>
    </message>
    <message>
        <source>缓存写入硬盘失败</source>
        <translation>Schreiben auf die Festplatte fehlgeschlagen</translation>
    </message>
    <message>
        <source>网络返回错误</source>
        <translation>Fehlerhafte Netzwerkantwort</translation>
    </message>
    <message>
        <source>网络请求错误</source>
        <translation>Fehler bei der Netzwerkanfrage</translation>
    </message>
    <message>
        <source>文件校验错误</source>
        <translation>Dateiprüfung fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>请求超时</source>
        <translation>Zeitüberschreitung der Anfrage</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>晨岚</source>
        <translation>Aurelith</translation>
    </message>
    <message>
        <source>预览版本-请勿外传！！！！</source>
        <translation>Vorschauversion - nicht weitergeben!!!!</translation>
    </message>
    <message>
        <source>继续下载</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>获取游戏</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>开始游戏</source>
        <translation>Spielen</translation>
    </message>
    <message>
        <source>修改安装路径</source>
        <translation>Installationspfad ändern</translation>
    </message>
    <message>
        <source>下载中0%(0.0G/0.0G)</source>
        <translation>Download läuft 0% (0.0GB/0.0GB)</translation>
    </message>
    <message>
        <source>校验中 </source>
        <translation>Wird geprüft </translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>Verbleibende Zeit: 00:00:00</translation>
    </message>
    <message>
        <source>下载速度：0.00KB/s</source>
        <translation>Downloadgeschwindigkeit: 0.00 KB/s</translation>
    </message>
    <message>
        <source>正在下载安装包...</source>
        <translation>Installationspaket wird heruntergeladen...</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>获取解压缩对象失败</source>
        <translation>Entpackobjekt konnte nicht abgerufen werden</translation>
    </message>
    <message>
        <source>解压缩失败</source>
        <translation>Entpacken fehlgeschlagen</translation>
    </message>
    <message>
        <source>压缩格式的接口类获取失败</source>
        <translation>Schnittstellenklasse des Archivformats konnte nicht abgerufen werden</translation>
    </message>
    <message>
        <source>获取失败</source>
        <translation>konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>解压过程中失败</source>
        <translation>Fehler beim Entpacken</translation>
    </message>
    <message>
        <source>删除失败</source>
        <translation>konnte nicht gelöscht werden</translation>
    </message>
</context>
</TS>
