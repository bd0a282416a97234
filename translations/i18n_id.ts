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
    <name>QObject</name>
    <message>
        <source>解压密码未定义</source>
        <translation>Kata sandi ekstraksi belum ditentukan</translation>
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
