<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="th" sourcelanguage="zh_CN">
<context>
    <name>CArchiveExtractCallback</name>
    <message>
        <source>文件路径超出安装目录，未解压：%1</source>
        <translation>เส้นทางไฟล์อยู่นอกโฟลเดอร์ติดตั้ง จึงไม่ได้แตกไฟล์: %1</translation>
    </message>
</context>
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>应用信息</source>
        <translation>ข้อมูลแอปพลิเคชัน</translation>
    </message>
    <message>
        <source>游戏信息：</source>
        <translation>ข้อมูลเกม:</translation>
    </message>
    <message>
        <source>应用信息：</source>
        <translation>ข้อมูลแอปพลิเคชัน:</translation>
    </message>
    <message>
        <source>启动器版本：</source>
        <translation>เวอร์ชันตัวเปิดเกม:</translation>
    </message>
    <message>
        <source>好的</source>
        <translation>ตกลง</translation>
    </message>
</context>
<context>
    <name>CDlgCloseTip</name>
    <message>
        <source>你点击了关闭按钮，你期望：</source>
        <translation>คุณต้องการทำอะไร</translation>
    </message>
    <message>
        <source>最小化到系统托盘</source>
        <translation>ย่อไว้ที่ถาดระบบ</translation>
    </message>
    <message>
        <source>直接退出</source>
        <translation>ออกจากโปรแกรม</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>ยกเลิก</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>ยืนยัน</translation>
    </message>
    <message>
        <source>不再提醒</source>
        <translation>ไม่ต้องแสดงอีก</translation>
    </message>
</context>
<context>
    <name>CDlgYesNo</name>
    <message>
        <source>确认</source>
        <translation>ยืนยัน</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>ยกเลิก</translation>
    </message>
</context>
<context>
    <name>CSetInstallPathDialog</name>
    <message>
        <source>晨岚安装</source>
        <translation>ติดตั้ง Aurelith</translation>
    </message>
    <message>
        <source>安装目录</source>
        <translation>โฟลเดอร์ติดตั้ง</translation>
    </message>
    <message>
        <source>当前文件夹空间不足</source>
        <translation>พื้นที่จัดเก็บไม่เพียงพอ</translation>
    </message>
    <message>
        <source>更改</source>
        <translation>เปลี่ยน</translation>
    </message>
    <message>
        <source>所需空间：</source>
        <translation>พื้นที่ที่ต้องใช้: </translation>
    </message>
    <message>
        <source>可用空间：</source>
        <translation>พื้นที่ว่าง: </translation>
    </message>
    <message>
        <source>默认语言</source>
        <translation>ภาษาเริ่มต้น</translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation>ภาษาจีนตัวย่อ</translation>
    </message>
    <message>
        <source>开始安装</source>
        <translation>เริ่มติดตั้ง</translation>
    </message>
    <message>
        <source>路径无效</source>
        <translation>เส้นทางไม่ถูกต้อง</translation>
    </message>
    <message>
        <source>选择安装路径</source>
        <translation>เลือกตำแหน่งติดตั้ง</translation>
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
        <translation>กำลังตรวจสอบ</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>คำเตือน</translation>
    </message>
    <message>
        <source>游戏已启动，点击将关闭游戏，继续安装！</source>
        <translation>Aurelith กำลังทำงานอยู่ คลิกเพื่อปิดเกมและติดตั้งต่อ</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>แจ้งเตือน</translation>
    </message>
    <message>
        <source>检查更新中，请稍后！</source>
        <translation>กำลังตรวจสอบอัปเดต โปรดรอสักครู่</translation>
    </message>
    <message>
        <source>创建文件夹失败，请确认路径是否正确！</source>
        <translation>สร้างโฟลเดอร์ไม่สำเร็จ โปรดตรวจสอบว่าเส้นทางถูกต้อง</translation>
    </message>
    <message>
        <source>磁盘空间不足，请选择其他路径！</source>
        <translation>พื้นที่ดิสก์ไม่เพียงพอ โปรดเลือกตำแหน่งอื่น</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>ข้อผิดพลาด</translation>
    </message>
    <message>
        <source>下载错误</source>
        <translation>ดาวน์โหลดผิดพลาด</translation>
    </message>
    <message>
        <source>安装错误</source>
        <translation>ติดตั้งผิดพลาด</translation>
    </message>
    <message>
        <source>游戏资源检查更新失败，是否重新连接</source>
        <translation>ตรวจสอบอัปเดตเกมไม่สำเร็จ ต้องการเชื่อมต่อใหม่หรือไม่</translation>
    </message>
    <message>
        <source>启动器检查更新失败，是否重新连接</source>
        <translation>ตัวเปิดเกมตรวจสอบอัปเดตไม่สำเร็จ ต้องการเชื่อมต่อใหม่หรือไม่</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器需要升级，点击下方“确认”按钮，下载并安装最新版本。</source>
        <translation>ตัวเปิดเกมปัจจุบันต้องได้รับการอัปเดต คลิกปุ่ม “ยืนยัน” ด้านล่างเพื่อดาวน์โหลดและติดตั้งเวอร์ชันล่าสุด</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器版本过低，点击下方“确认”按钮，关闭启动器。</source>
        <translation>ตัวเปิดเกมเวอร์ชันนี้เก่าเกินไป คลิกปุ่ม “ยืนยัน” ด้านล่างเพื่อปิดตัวเปิดเกม</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>ยืนยัน</translation>
    </message>
    <message>
        <source>下载中%1%  (%2G/%3G)</source>
        <translation>กำลังดาวน์โหลด %1% (%2GB/%3GB)</translation>
    </message>
    <message>
        <source>安装中%1%  (%2G/%3G)</source>
        <translation>กำลังติดตั้ง %1% (%2GB/%3GB)</translation>
    </message>
    <message>
        <source>下载速度： %1MB/S</source>
        <translation>ความเร็วดาวน์โหลด: %1MB/s</translation>
    </message>
    <message>
        <source>下载速度： %1KB/S</source>
        <translation>ความเร็วดาวน์โหลด: %1KB/s</translation>
    </message>
    <message>
        <source>下载速度： 0KB/S</source>
        <translation>ความเร็วดาวน์โหลด: 0KB/s</translation>
    </message>
    <message>
        <source>预计剩余时间：%02d:%02d:%02d</source>
        <translation>เวลาที่เหลือ: %02d:%02d:%02d</translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>เวลาที่เหลือ: 00:00:00</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>解压密码未定义</source>
        <translation>ไม่ได้กำหนดรหัสผ่านสำหรับแตกไฟล์</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>打开主窗口</source>
        <translation>เปิดหน้าต่างหลัก</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>ออก</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>网络资源获取失败(%1)</source>
        <translation>ดึงทรัพยากรเครือข่ายไม่สำเร็จ (%1)</translation>
    </message>
    <message>
        <source>文件打开失败</source>
        <translation>เปิดไฟล์ไม่สำเร็จ</translation>
    </message>
    <message>
        <source>文件正在下载中</source>
        <translation>กำลังดาวน์โหลดไฟล์นี้อยู่</translation>
    </message>
    <message>
        <source>硬盘空间不足</source>
        <translation>พื้นที่ฮาร์ดดิสก์ไม่เพียงพอ</translation>
    </message>
    <message>
        <source>写入文件缓存失败</source>
        <translation>เขียนบัฟเฟอร์ไฟล์ไม่สำเร็จ</translation>
    </message>
    <message>
        <source>缓存写入硬盘失败</source>
        <translation>เขียนข้อมูลลงฮาร์ดดิสก์ไม่สำเร็จ</translation>
    </message>
    <message>
        <source>网络返回错误</source>
        <translation>เครือข่ายตอบกลับผิดพลาด</translation>
    </message>
    <message>
        <source>网络请求错误</source>
        <translation>คำขอเครือข่ายผิดพลาด</translation>
    </message>
    <message>
        <source>文件校验错误</source>
        <translation>ตรวจสอบไฟล์ไม่สำเร็จ</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>请求超时</source>
        <translation>คำขอหมดเวลา</translation>
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
        <translation>เวอร์ชันทดลอง - ห้ามเผยแพร่!!!!</translation>
    </message>
    <message>
        <source>继续下载</source>
        <translation>ดาวน์โหลดต่อ</translation>
    </message>
    <message>
        <source>获取游戏</source>
        <translation>รับเกม</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>อัปเดต</translation>
    </message>
    <message>
        <source>开始游戏</source>
        <translation>เริ่มเกม</translation>
    </message>
    <message>
        <source>修改安装路径</source>
        <translation>เปลี่ยนตำแหน่งติดตั้ง</translation>
    </message>
    <message>
        <source>下载中0%(0.0G/0.0G)</source>
        <translation>กำลังดาวน์โหลด 0% (0.0GB/0.0GB)</translation>
    </message>
    <message>
        <source>校验中 </source>
        <translation>กำลังตรวจสอบ </translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>เวลาที่เหลือ: 00:00:00</translation>
    </message>
    <message>
        <source>下载速度：0.00KB/s</source>
        <translation>ความเร็วดาวน์โหลด: 0.00KB/s</translation>
    </message>
    <message>
        <source>正在下载安装包...</source>
        <translation>กำลังดาวน์โหลดแพ็กเกจติดตั้ง...</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>获取解压缩对象失败</source>
        <translation>ไม่สามารถรับออบเจ็กต์แตกไฟล์ได้</translation>
    </message>
    <message>
        <source>解压缩失败</source>
        <translation>แตกไฟล์ไม่สำเร็จ</translation>
    </message>
    <message>
        <source>压缩格式的接口类获取失败</source>
        <translation>ไม่สามารถรับคลาสอินเทอร์เฟซของรูปแบบไฟล์บีบอัดได้</translation>
    </message>
    <message>
        <source>获取失败</source>
        <translation>รับไม่สำเร็จ</translation>
    </message>
    <message>
        <source>解压过程中失败</source>
        <translation>เกิดข้อผิดพลาดระหว่างแตกไฟล์</translation>
    </message>
    <message>
        <source>删除失败</source>
        <translation>ลบไม่สำเร็จ</translation>
    </message>
</context>
</TS>
