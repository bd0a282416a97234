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
    <name>MainViewModel</name>
    <message>
        <source>校验中</source>
        <translation>Verifying</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>游戏已启动，点击将关闭游戏，继续安装！</source>
        <translation>Aurelith is running. Click to close the game and continue installation.</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>检查更新中，请稍后！</source>
        <translation>Checking for updates, please wait...</translation>
    </message>
    <message>
        <source>创建文件夹失败，请确认路径是否正确！</source>
        <translation>Failed to create folder. Please check file path is correct.</translation>
    </message>
    <message>
        <source>磁盘空间不足，请选择其他路径！</source>
        <translation>Insufficient space on disk. Please try another destination.</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>下载错误</source>
        <translation>Download error</translation>
    </message>
    <message>
        <source>安装错误</source>
        <translation>Installation error</translation>
    </message>
    <message>
        <source>游戏资源检查更新失败，是否重新连接</source>
        <translation>Failed to check for updates. Try again?</translation>
    </message>
    <message>
        <source>启动器检查更新失败，是否重新连接</source>
        <translation>Failed to check for updates. Reconnect?</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器需要升级，点击下方“确认”按钮，下载并安装最新版本。</source>
        <translation>Current launcher needs updating. Click Confirm below to download and update.</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器版本过低，点击下方“确认”按钮，关闭启动器。</source>
        <translation>Current launcher version outdated. Click Confirm below to close the launcher.</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>下载中%1%  (%2G/%3G)</source>
        <translation>Downloading %1% (%2GB/%3GB)</translation>
    </message>
    <message>
        <source>安装中%1%  (%2G/%3G)</source>
        <translation>Installing %1% (%2GB/%3GB)</translation>
    </message>
    <message>
        <source>下载速度： %1MB/S</source>
        <translation>Download speed: %1 MB/s</translation>
    </message>
    <message>
        <source>下载速度： %1KB/S</source>
        <translation>Download speed: %1 KB/s</translation>
    </message>
    <message>
        <source>下载速度： 0KB/S</source>
        <translation>Download Speed: 0KB/s</translation>
    </message>
    <message>
        <source>预计剩余时间：%02d:%02d:%02d</source>
        <translation>Time remaining: %02d:%02d:%02d</translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>Time remaining: 00:00:00</translation>
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
    <name>TrayIcon</name>
    <message>
        <source>打开主窗口</source>
        <translation>Open main window</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
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
        <source>文件正在下载中</source>
        <translation>The file is being downloaded</translation>
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
    <name>main</name>
    <message>
        <source>晨岚</source>
        <translation>Aurelith</translation>
    </message>
    <message>
        <source>预览版本-请勿外传！！！！</source>
        <translation>Preview build - do not distribute!!!!</translation>
    </message>
    <message>
        <source>继续下载</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>获取游戏</source>
        <translation>Get</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>开始游戏</source>
        <translation>Launch</translation>
    </message>
    <message>
        <source>修改安装路径</source>
        <translation>Change file path</translation>
    </message>
    <message>
        <source>下载中0%(0.0G/0.0G)</source>
        <translation>Downloading 0% (0.0GB/0.0GB)</translation>
    </message>
    <message>
        <source>校验中 </source>
        <translation>Verifying </translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>Time Remaining: 00:00:00</translation>
    </message>
    <message>
        <source>下载速度：0.00KB/s</source>
        <translation>Download speed: 0.00 KB/s</translation>
    </message>
    <message>
        <source>正在下载安装包...</source>
        <translation>Downloading installation package...</translation>
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
