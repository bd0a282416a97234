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
    <name>QObject</name>
    <message>
        <source>解压密码未定义</source>
        <translation>Kein Entpackpasswort festgelegt</translation>
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
