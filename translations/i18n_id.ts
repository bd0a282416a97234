<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="id" sourcelanguage="zh_CN">
<context>
    <name>CArchiveExtractCallback</name>
    <message>
        <source>文件路径超出安装目录，未解压：%1</source>
        <translation>Jalur berkas mengarah ke luar folder instalasi, tidak diekstrak: %1</translation>
    </message>
</context>
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>应用信息</source>
        <translation>Detail aplikasi</translation>
    </message>
    <message>
        <source>游戏信息：</source>
        <translation>Detail game:</translation>
    </message>
    <message>
        <source>应用信息：</source>
        <translation>Detail aplikasi:</translation>
    </message>
    <message>
        <source>启动器版本：</source>
        <translation>Versi peluncur:</translation>
    </message>
    <message>
        <source>好的</source>
        <translation>Oke</translation>
    </message>
</context>
<context>
    <name>CDlgCloseTip</name>
    <message>
        <source>你点击了关闭按钮，你期望：</source>
        <translation>Apa yang ingin Anda lakukan?</translation>
    </message>
    <message>
        <source>最小化到系统托盘</source>
        <translation>Perkecil ke baki sistem</translation>
    </message>
    <message>
        <source>直接退出</source>
        <translation>Keluar dari program</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Batal</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Konfirmasi</translation>
    </message>
    <message>
        <source>不再提醒</source>
        <translation>Jangan tampilkan lagi</translation>
    </message>
</context>
<context>
    <name>CDlgYesNo</name>
    <message>
        <source>确认</source>
        <translation>Konfirmasi</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Batal</translation>
    </message>
</context>
<context>
    <name>CSetInstallPathDialog</name>
    <message>
        <source>晨岚安装</source>
        <translation>Instal Aurelith</translation>
    </message>
    <message>
        <source>安装目录</source>
        <translation>Folder instalasi</translation>
    </message>
    <message>
        <source>当前文件夹空间不足</source>
        <translation>Ruang penyimpanan tidak cukup</translation>
    </message>
    <message>
        <source>更改</source>
        <translation>Ubah</translation>
    </message>
    <message>
        <source>所需空间：</source>
        <translation>Ruang yang dibutuhkan: </translation>
    </message>
    <message>
        <source>可用空间：</source>
        <translation>Ruang tersedia: </translation>
    </message>
    <message>
        <source>默认语言</source>
        <translation>Bahasa bawaan</translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation>Bahasa Tionghoa Sederhana</translation>
    </message>
    <message>
        <source>开始安装</source>
        <translation>Mulai instalasi</translation>
    </message>
    <message>
        <source>路径无效</source>
        <translation>Jalur tidak valid</translation>
    </message>
    <message>
        <source>选择安装路径</source>
        <translation>Pilih lokasi instalasi</translation>
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
        <translation>Memverifikasi</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Peringatan</translation>
    </message>
    <message>
        <source>游戏已启动，点击将关闭游戏，继续安装！</source>
        <translation>Game sedang berjalan. Klik untuk menutup game dan melanjutkan instalasi!</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Pemberitahuan</translation>
    </message>
    <message>
        <source>检查更新中，请稍后！</source>
        <translation>Sedang memeriksa pembaruan, harap tunggu!</translation>
    </message>
    <message>
        <source>创建文件夹失败，请确认路径是否正确！</source>
        <translation>Gagal membuat folder, periksa apakah jalurnya benar!</translation>
    </message>
    <message>
        <source>磁盘空间不足，请选择其他路径！</source>
        <translation>Ruang disk tidak cukup, pilih lokasi lain!</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Kesalahan</translation>
    </message>
    <message>
        <source>下载错误</source>
        <translation>Kesalahan unduhan</translation>
    </message>
    <message>
        <source>安装错误</source>
        <translation>Kesalahan instalasi</translation>
    </message>
    <message>
        <source>游戏资源检查更新失败，是否重新连接</source>
        <translation>Gagal memeriksa pembaruan game. Sambungkan ulang?</translation>
    </message>
    <message>
        <source>启动器检查更新失败，是否重新连接</source>
        <translation>Peluncur gagal memeriksa pembaruan. Sambungkan ulang?</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器需要升级，点击下方“确认”按钮，下载并安装最新版本。</source>
        <translation>Peluncur saat ini perlu diperbarui. Klik tombol &quot;Konfirmasi&quot; di bawah untuk mengunduh dan memasang versi terbaru.</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器版本过低，点击下方“确认”按钮，关闭启动器。</source>
        <translation>Versi peluncur saat ini sudah usang. Klik tombol &quot;Konfirmasi&quot; di bawah untuk menutup peluncur.</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Konfirmasi</translation>
    </message>
    <message>
        <source>下载中%1%  (%2G/%3G)</source>
        <translation>Mengunduh %1% (%2GB/%3GB)</translation>
    </message>
    <message>
        <source>安装中%1%  (%2G/%3G)</source>
        <translation>Memasang %1% (%2GB/%3GB)</translation>
    </message>
    <message>
        <source>下载速度： %1MB/S</source>
        <translation>Kecepatan unduh: %1MB/s</translation>
    </message>
    <message>
        <source>下载速度： %1KB/S</source>
        <translation>Kecepatan unduh: %1KB/s</translation>
    </message>
    <message>
        <source>下载速度： 0KB/S</source>
        <translation>Kecepatan unduh: 0KB/s</translation>
    </message>
    <message>
        <source>预计剩余时间：%02d:%02d:%02d</source>
        <translation>Sisa waktu: %02d:%02d:%02d</translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>Sisa waktu: 00:00:00</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>解压密码未定义</source>
        <translation>Kata sandi ekstraksi belum ditentukan</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>打开主窗口</source>
        <translation>Buka jendela utama</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Keluar</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>网络资源获取失败(%1)</source>
        <translation>Gagal mengambil sumber daya jaringan (%1)</translation>
    </message>
    <message>
        <source>文件打开失败</source>
        <translation>Gagal membuka file</translation>
    </message>
    <message>
        <source>文件正在下载中</source>
        <translation>File sedang diunduh</translation>
    </message>
    <message>
        <source>硬盘空间不足</source>
        <translation>Ruang hard disk tidak cukup</translation>
    </message>
    <message>
        <source>写入文件缓存失败</source>
        <translation>Gagal menulis ke buffer file</translation>
    </message>
    <message>
        <source>缓存写入硬盘失败</source>
        <translation>Gagal menulis cache ke hard disk</translation>
    </message>
    <message>
        <source>网络返回错误</source>
        <translation>Kesalahan respons jaringan</translation>
    </message>
    <message>
        <source>网络请求错误</source>
        <translation>Kesalahan permintaan jaringan</translation>
    </message>
    <message>
        <source>文件校验错误</source>
        <translation>Gagal memverifikasi file</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>请求超时</source>
        <translation>Waktu permintaan habis</translation>
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
        <translation>Versi pratinjau - jangan disebarkan!!!!</translation>
    </message>
    <message>
        <source>继续下载</source>
        <translation>Lanjutkan</translation>
    </message>
    <message>
        <source>获取游戏</source>
        <translation>Dapatkan</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Perbarui</translation>
    </message>
    <message>
        <source>开始游戏</source>
        <translation>Mainkan</translation>
    </message>
    <message>
        <source>修改安装路径</source>
        <translation>Ubah lokasi instalasi</translation>
    </message>
    <message>
        <source>下载中0%(0.0G/0.0G)</source>
        <translation>Mengunduh 0% (0.0GB/0.0GB)</translation>
    </message>
    <message>
        <source>校验中 </source>
        <translation>Memverifikasi </translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>Sisa waktu: 00:00:00</translation>
    </message>
    <message>
        <source>下载速度：0.00KB/s</source>
        <translation>Kecepatan unduh: 0.00KB/s</translation>
    </message>
    <message>
        <source>正在下载安装包...</source>
        <translation>Mengunduh paket instalasi...</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>获取解压缩对象失败</source>
        <translation>Gagal mendapatkan objek ekstraksi</translation>
    </message>
    <message>
        <source>解压缩失败</source>
        <translation>Gagal mengekstrak</translation>
    </message>
    <message>
        <source>压缩格式的接口类获取失败</source>
        <translation>Gagal mendapatkan kelas antarmuka format kompresi</translation>
    </message>
    <message>
        <source>获取失败</source>
        <translation>gagal diambil</translation>
    </message>
    <message>
        <source>解压过程中失败</source>
        <translation>Gagal saat proses ekstraksi</translation>
    </message>
    <message>
        <source>删除失败</source>
        <translation>gagal dihapus</translation>
    </message>
</context>
</TS>
