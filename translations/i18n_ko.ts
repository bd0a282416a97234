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
    <name>QObject</name>
    <message>
        <source>解压密码未定义</source>
        <translation>압축 해제 암호가 정의되지 않았습니다</translation>
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
