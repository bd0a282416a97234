<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="vi" sourcelanguage="zh_CN">
<context>
    <name>CArchiveExtractCallback</name>
    <message>
        <source>文件路径超出安装目录，未解压：%1</source>
        <translation>Đường dẫn tệp nằm ngoài thư mục cài đặt, không giải nén: %1</translation>
    </message>
</context>
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>应用信息</source>
        <translation>Thông tin ứng dụng</translation>
    </message>
    <message>
        <source>游戏信息：</source>
        <translation>Thông tin trò chơi:</translation>
    </message>
    <message>
        <source>应用信息：</source>
        <translation>Thông tin ứng dụng:</translation>
    </message>
    <message>
        <source>启动器版本：</source>
        <translation>Phiên bản trình khởi chạy:</translation>
    </message>
    <message>
        <source>好的</source>
        <translation>Đồng ý</translation>
    </message>
</context>
<context>
    <name>CDlgCloseTip</name>
    <message>
        <source>你点击了关闭按钮，你期望：</source>
        <translation>Bạn muốn làm gì?</translation>
    </message>
    <message>
        <source>最小化到系统托盘</source>
        <translation>Thu nhỏ xuống khay hệ thống</translation>
    </message>
    <message>
        <source>直接退出</source>
        <translation>Thoát chương trình</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Hủy</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Xác nhận</translation>
    </message>
    <message>
        <source>不再提醒</source>
        <translation>Không nhắc lại</translation>
    </message>
</context>
<context>
    <name>CDlgYesNo</name>
    <message>
        <source>确认</source>
        <translation>Xác nhận</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Hủy</translation>
    </message>
</context>
<context>
    <name>CSetInstallPathDialog</name>
    <message>
        <source>晨岚安装</source>
        <translation>Cài đặt Aurelith</translation>
    </message>
    <message>
        <source>安装目录</source>
        <translation>Thư mục cài đặt</translation>
    </message>
    <message>
        <source>当前文件夹空间不足</source>
        <translation>Không đủ dung lượng lưu trữ</translation>
    </message>
    <message>
        <source>更改</source>
        <translation>Thay đổi</translation>
    </message>
    <message>
        <source>所需空间：</source>
        <translation>Dung lượng cần: </translation>
    </message>
    <message>
        <source>可用空间：</source>
        <translation>Dung lượng trống: </translation>
    </message>
    <message>
        <source>默认语言</source>
        <translation>Ngôn ngữ mặc định</translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation>Tiếng Trung giản thể</translation>
    </message>
    <message>
        <source>开始安装</source>
        <translation>Bắt đầu cài đặt</translation>
    </message>
    <message>
        <source>路径无效</source>
        <translation>Đường dẫn không hợp lệ</translation>
    </message>
    <message>
        <source>选择安装路径</source>
        <translation>Chọn đường dẫn cài đặt</translation>
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
        <translation>Đang kiểm tra</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Cảnh báo</translation>
    </message>
    <message>
        <source>游戏已启动，点击将关闭游戏，继续安装！</source>
        <translation>Trò chơi đang chạy. Nhấn để đóng trò chơi và tiếp tục cài đặt!</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Thông báo</translation>
    </message>
    <message>
        <source>检查更新中，请稍后！</source>
        <translation>Đang kiểm tra cập nhật, vui lòng chờ!</translation>
    </message>
    <message>
        <source>创建文件夹失败，请确认路径是否正确！</source>
        <translation>Tạo thư mục thất bại, vui lòng kiểm tra lại đường dẫn!</translation>
    </message>
    <message>
        <source>磁盘空间不足，请选择其他路径！</source>
        <translation>Không đủ dung lượng ổ đĩa, vui lòng chọn đường dẫn khác!</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Lỗi</translation>
    </message>
    <message>
        <source>下载错误</source>
        <translation>Lỗi tải xuống</translation>
    </message>
    <message>
        <source>安装错误</source>
        <translation>Lỗi cài đặt</translation>
    </message>
    <message>
        <source>游戏资源检查更新失败，是否重新连接</source>
        <translation>Kiểm tra cập nhật trò chơi thất bại. Kết nối lại?</translation>
    </message>
    <message>
        <source>启动器检查更新失败，是否重新连接</source>
        <translation>Trình khởi chạy kiểm tra cập nhật thất bại. Kết nối lại?</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器需要升级，点击下方“确认”按钮，下载并安装最新版本。</source>
        <translation>Trình khởi chạy hiện tại cần được nâng cấp. Nhấn nút “Xác nhận” bên dưới để tải và cài đặt phiên bản mới nhất.</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器版本过低，点击下方“确认”按钮，关闭启动器。</source>
        <translation>Phiên bản trình khởi chạy hiện tại đã quá cũ. Nhấn nút “Xác nhận” bên dưới để đóng trình khởi chạy.</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Xác nhận</translation>
    </message>
    <message>
        <source>下载中%1%  (%2G/%3G)</source>
        <translation>Đang tải %1% (%2GB/%3GB)</translation>
    </message>
    <message>
        <source>安装中%1%  (%2G/%3G)</source>
        <translation>Đang cài đặt %1% (%2GB/%3GB)</translation>
    </message>
    <message>
        <source>下载速度： %1MB/S</source>
        <translation>Tốc độ tải: %1MB/s</translation>
    </message>
    <message>
        <source>下载速度： %1KB/S</source>
        <translation>Tốc độ tải: %1KB/s</translation>
    </message>
    <message>
        <source>下载速度： 0KB/S</source>
        <translation>Tốc độ tải: 0KB/s</translation>
    </message>
    <message>
        <source>预计剩余时间：%02d:%02d:%02d</source>
        <translation>Thời gian còn lại: %02d:%02d:%02d</translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>Thời gian còn lại: 00:00:00</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>解压密码未定义</source>
        <translation>Chưa thiết lập mật khẩu giải nén</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>打开主窗口</source>
        <translation>Mở cửa sổ chính</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Thoát</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>网络资源获取失败(%1)</source>
        <translation>Không lấy được tài nguyên mạng (%1)</translation>
    </message>
    <message>
        <source>文件打开失败</source>
        <translation>Không mở được tệp</translation>
    </message>
    <message>
        <source>文件正在下载中</source>
        <translation>Tệp đang được tải xuống</translation>
    </message>
    <message>
        <source>硬盘空间不足</source>
        <translation>Ổ cứng không đủ dung lượng</translation>
    </message>
    <message>
        <source>写入文件缓存失败</source>
        <translation>Ghi bộ đệm tệp thất bại</translation>
    </message>
    <message>
        <source>缓存写入硬盘失败</source>
        <translation>Ghi bộ đệm xuống ổ cứng thất bại</translation>
    </message>
    <message>
        <source>网络返回错误</source>
        <translation>Lỗi phản hồi mạng</translation>
    </message>
    <message>
        <source>网络请求错误</source>
        <translation>Lỗi yêu cầu mạng</translation>
    </message>
    <message>
        <source>文件校验错误</source>
        <translation>Xác minh tệp thất bại</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>请求超时</source>
        <translation>Hết thời gian chờ yêu cầu</translation>
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
        <translation>Bản xem trước - không phát tán!!!!</translation>
    </message>
    <message>
        <source>继续下载</source>
        <translation>Tải tiếp</translation>
    </message>
    <message>
        <source>获取游戏</source>
        <translation>Tải game</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Cập nhật</translation>
    </message>
    <message>
        <source>开始游戏</source>
        <translation>Vào game</translation>
    </message>
    <message>
        <source>修改安装路径</source>
        <translation>Đổi đường dẫn cài đặt</translation>
    </message>
    <message>
        <source>下载中0%(0.0G/0.0G)</source>
        <translation>Đang tải 0% (0.0GB/0.0GB)</translation>
    </message>
    <message>
        <source>校验中 </source>
        <translation>Đang kiểm tra </translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>Thời gian còn lại: 00:00:00</translation>
    </message>
    <message>
        <source>下载速度：0.00KB/s</source>
        <translation>Tốc độ tải: 0.00KB/s</translation>
    </message>
    <message>
        <source>正在下载安装包...</source>
        <translation>Đang tải gói cài đặt...</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>获取解压缩对象失败</source>
        <translation>Không lấy được đối tượng giải nén</translation>
    </message>
    <message>
        <source>解压缩失败</source>
        <translation>Giải nén thất bại</translation>
    </message>
    <message>
        <source>压缩格式的接口类获取失败</source>
        <translation>Không lấy được lớp giao diện của định dạng nén</translation>
    </message>
    <message>
        <source>获取失败</source>
        <translation>không truy cập được</translation>
    </message>
    <message>
        <source>解压过程中失败</source>
        <translation>Lỗi trong quá trình giải nén</translation>
    </message>
    <message>
        <source>删除失败</source>
        <translation>xóa thất bại</translation>
    </message>
</context>
</TS>
