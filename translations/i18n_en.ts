<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CArchiveExtractCallback</name>
    <message>
        <source>文件路径超出安装目录，未解压：%1</source>
        <translation>File path leads outside the install folder, not unpacked: %1</translation>
    </message>
</context>
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>应用信息</source>
        <translation>Application details</translation>
    </message>
    <message>
        <source>游戏信息：</source>
        <translation>Game Details:</translation>
    </message>
    <message>
        <source>应用信息：</source>
        <translation>Application details: </translation>
    </message>
    <message>
        <source>启动器版本：</source>
        <translation>Launcher Version:</translation>
    </message>
    <message>
        <source>好的</source>
        <translation>Okay</translation>
    </message>
</context>
<context>
    <name>CDlgCloseTip</name>
    <message>
        <source>你点击了关闭按钮，你期望：</source>
        <translation>What would you like to do?</translation>
    </message>
    <message>
        <source>最小化到系统托盘</source>
        <translation>Minimize to system tray</translation>
    </message>
    <message>
        <source>直接退出</source>
        <translation>Exit program</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>不再提醒</source>
        <translation>Don&apos;t show again</translation>
    </message>
</context>
<context>
    <name>CDlgYesNo</name>
    <message>
        <source>确认</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CSetInstallPathDialog</name>
    <message>
        <source>晨岚安装</source>
        <translation>Install Aurelith</translation>
    </message>
    <message>
        <source>安装目录</source>
        <translation>Destination</translation>
    </message>
    <message>
        <source>当前文件夹空间不足</source>
        <translation>Insufficient storage space</translation>
    </message>
    <message>
        <source>更改</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>所需空间：</source>
        <translation>Disk space required: </translation>
    </message>
    <message>
        <source>可用空间：</source>
        <translation>Disk space available: </translation>
    </message>
    <message>
        <source>默认语言</source>
        <translation>Default language</translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation>Simplified Chinese</translation>
    </message>
    <message>
        <source>开始安装</source>
        <translation>Install</translation>
    </message>
    <message>
        <source>路径无效</source>
        <translation>Invalid file pathway</translation>
    </message>
    <message>
        <source>选择安装路径</source>
        <translation>Select file installation pathway</translation>
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
        <translation>Unzip password undefined</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>网络资源获取失败(%1)</source>
        <translation>Failed to obtain network resources (%1)</translation>
    </message>
    <message>
        <source>文件打开失败</source>
        <translation>File opening error</translation>
    </message>
    <message>
        <source>硬盘空间不足</source>
        <translation>Insufficient hard drive storage space</translation>
    </message>
    <message>
        <source>写入文件缓存失败</source>
        <translation>Could not write to file buffer</translation>
    </message>
    <message>
        <source>缓存写入硬盘失败</source>
        <translation>Failed to write to hard disk</translation>
    </message>
    <message>
        <source>网络返回错误</source>
        <translation>Network return error</translation>
    </message>
    <message>
        <source>网络请求错误</source>
        <translation>Network request error</translation>
    </message>
    <message>
        <source>文件校验错误</source>
        <translation>Failed to verify files</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>请求超时</source>
        <translation>Request timeout</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>获取解压缩对象失败</source>
        <translation>Failed to obtain unzip object</translation>
    </message>
    <message>
        <source>解压缩失败</source>
        <translation>Failed to unzip</translation>
    </message>
    <message>
        <source>压缩格式的接口类获取失败</source>
        <translation>Failed to obtain unzip format port class</translation>
    </message>
    <message>
        <source>获取失败</source>
        <translation>Failed to obtain</translation>
    </message>
    <message>
        <source>解压过程中失败</source>
        <translation>Failed to unzip</translation>
    </message>
    <message>
        <source>删除失败</source>
        <translation>Failed to delete</translation>
    </message>
</context>
</TS>
