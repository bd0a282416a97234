<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="zh_CN">
<context>
    <name>CArchiveExtractCallback</name>
    <message>
        <source>文件路径超出安装目录，未解压：%1</source>
        <translation>파일 경로가 설치 폴더 밖을 가리켜 압축을 풀지 않았습니다: %1</translation>
    </message>
</context>
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>应用信息</source>
        <translation>앱 정보</translation>
    </message>
    <message>
        <source>游戏信息：</source>
        <translation>게임 정보:</translation>
    </message>
    <message>
        <source>应用信息：</source>
        <translation>앱 정보:</translation>
    </message>
    <message>
        <source>启动器版本：</source>
        <translation>런처 버전:</translation>
    </message>
    <message>
        <source>好的</source>
        <translation>확인</translation>
    </message>
</context>
<context>
    <name>CDlgCloseTip</name>
    <message>
        <source>你点击了关闭按钮，你期望：</source>
        <translation>어떻게 하시겠습니까?</translation>
    </message>
    <message>
        <source>最小化到系统托盘</source>
        <translation>시스템 트레이로 최소화</translation>
    </message>
    <message>
        <source>直接退出</source>
        <translation>프로그램 종료</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>不再提醒</source>
        <translation>다시 표시하지 않음</translation>
    </message>
</context>
<context>
    <name>CDlgYesNo</name>
    <message>
        <source>确认</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>취소</translation>
    </message>
</context>
<context>
    <name>CSetInstallPathDialog</name>
    <message>
        <source>晨岚安装</source>
        <translation>Aurelith 설치</translation>
    </message>
    <message>
        <source>安装目录</source>
        <translation>설치 위치</translation>
    </message>
    <message>
        <source>当前文件夹空间不足</source>
        <translation>저장 공간이 부족합니다</translation>
    </message>
    <message>
        <source>更改</source>
        <translation>변경</translation>
    </message>
    <message>
        <source>所需空间：</source>
        <translation>필요한 공간: </translation>
    </message>
    <message>
        <source>可用空间：</source>
        <translation>사용 가능한 공간: </translation>
    </message>
    <message>
        <source>默认语言</source>
        <translation>기본 언어</translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation>중국어 간체</translation>
    </message>
    <message>
        <source>开始安装</source>
        <translation>설치 시작</translation>
    </message>
    <message>
        <source>路径无效</source>
        <translation>잘못된 경로입니다</translation>
    </message>
    <message>
        <source>选择安装路径</source>
        <translation>설치 경로 선택</translation>
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
        <translation>확인 중</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>경고</translation>
    </message>
    <message>
        <source>游戏已启动，点击将关闭游戏，继续安装！</source>
        <translation>게임이 실행 중입니다. 클릭하면 게임을 종료하고 설치를 계속합니다!</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>알림</translation>
    </message>
    <message>
        <source>检查更新中，请稍后！</source>
        <translation>업데이트를 확인하는 중입니다. 잠시 기다려 주세요!</translation>
    </message>
    <message>
        <source>创建文件夹失败，请确认路径是否正确！</source>
        <translation>폴더를 만들지 못했습니다. 경로가 올바른지 확인하세요!</translation>
    </message>
    <message>
        <source>磁盘空间不足，请选择其他路径！</source>
        <translation>디스크 공간이 부족합니다. 다른 경로를 선택하세요!</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>下载错误</source>
        <translation>다운로드 오류</translation>
    </message>
    <message>
        <source>安装错误</source>
        <translation>설치 오류</translation>
    </message>
    <message>
        <source>游戏资源检查更新失败，是否重新连接</source>
        <translation>게임 업데이트 확인에 실패했습니다. 다시 연결하시겠습니까?</translation>
    </message>
    <message>
        <source>启动器检查更新失败，是否重新连接</source>
        <translation>런처 업데이트 확인에 실패했습니다. 다시 연결하시겠습니까?</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器需要升级，点击下方“确认”按钮，下载并安装最新版本。</source>
        <translation>현재 런처를 업데이트해야 합니다. 아래 &apos;확인&apos; 버튼을 눌러 최신 버전을 다운로드하고 설치하세요.</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器版本过低，点击下方“确认”按钮，关闭启动器。</source>
        <translation>현재 런처 버전이 너무 낮습니다. 아래 &apos;확인&apos; 버튼을 눌러 런처를 종료하세요.</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>下载中%1%  (%2G/%3G)</source>
        <translation>다운로드 중 %1% (%2GB/%3GB)</translation>
    </message>
    <message>
        <source>安装中%1%  (%2G/%3G)</source>
        <translation>설치 중 %1% (%2GB/%3GB)</translation>
    </message>
    <message>
        <source>下载速度： %1MB/S</source>
        <translation>다운로드 속도: %1MB/s</translation>
    </message>
    <message>
        <source>下载速度： %1KB/S</source>
        <translation>다운로드 속도: %1KB/s</translation>
    </message>
    <message>
        <source>下载速度： 0KB/S</source>
        <translation>다운로드 속도: 0KB/s</translation>
    </message>
    <message>
        <source>预计剩余时间：%02d:%02d:%02d</source>
        <translation>남은 시간: %02d:%02d:%02d</translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>남은 시간: 00:00:00</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>解压密码未定义</source>
        <translation>압축 해제 암호가 정의되지 않았습니다</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>打开主窗口</source>
        <translation>메인 창 열기</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>종료</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>网络资源获取失败(%1)</source>
        <translation>네트워크 리소스를 가져오지 못했습니다(%1)</translation>
    </message>
    <message>
        <source>文件打开失败</source>
        <translation>파일을 열지 못했습니다</translation>
    </message>
    <message>
        <source>文件正在下载中</source>
        <translation>파일을 다운로드하는 중입니다</translation>
    </message>
    <message>
        <source>硬盘空间不足</source>
        <translation>하드 디스크 공간이 부족합니다</translation>
    </message>
    <message>
        <source>写入文件缓存失败</source>
        <translation>파일 버퍼에 쓰지 못했습니다</translation>
    </message>
    <message>
        <source>缓存写入硬盘失败</source>
        <translation>캐시를 디스크에 쓰지 못했습니다</translation>
    </message>
    <message>
        <source>网络返回错误</source>
        <translation>네트워크 응답 오류</translation>
    </message>
    <message>
        <source>网络请求错误</source>
        <translation>네트워크 요청 오류</translation>
    </message>
    <message>
        <source>文件校验错误</source>
        <translation>파일 검증에 실패했습니다</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>请求超时</source>
        <translation>요청 시간이 초과되었습니다</translation>
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
        <translation>미리보기 버전 - 외부 유출 금지!!!!</translation>
    </message>
    <message>
        <source>继续下载</source>
        <translation>다운로드 계속</translation>
    </message>
    <message>
        <source>获取游戏</source>
        <translation>게임 받기</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>업데이트</translation>
    </message>
    <message>
        <source>开始游戏</source>
        <translation>게임 시작</translation>
    </message>
    <message>
        <source>修改安装路径</source>
        <translation>설치 경로 변경</translation>
    </message>
    <message>
        <source>下载中0%(0.0G/0.0G)</source>
        <translation>다운로드 중 0% (0.0GB/0.0GB)</translation>
    </message>
    <message>
        <source>校验中 </source>
        <translation>확인 중 </translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>남은 시간: 00:00:00</translation>
    </message>
    <message>
        <source>下载速度：0.00KB/s</source>
        <translation>다운로드 속도: 0.00KB/s</translation>
    </message>
    <message>
        <source>正在下载安装包...</source>
        <translation>설치 패키지 다운로드 중...</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>获取解压缩对象失败</source>
        <translation>압축 해제 객체를 가져오지 못했습니다</translation>
    </message>
    <message>
        <source>解压缩失败</source>
        <translation>압축 해제에 실패했습니다</translation>
    </message>
    <message>
        <source>压缩格式的接口类获取失败</source>
        <translation>압축 형식 인터페이스 클래스를 가져오지 못했습니다</translation>
    </message>
    <message>
        <source>获取失败</source>
        <translation>가져오기 실패</translation>
    </message>
    <message>
        <source>解压过程中失败</source>
        <translation>압축 해제 중 실패했습니다</translation>
    </message>
    <message>
        <source>删除失败</source>
        <translation>삭제 실패</translation>
    </message>
</context>
</TS>
