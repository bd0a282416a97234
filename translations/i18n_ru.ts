<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="zh_CN">
<context>
    <name>CArchiveExtractCallback</name>
    <message>
        <source>文件路径超出安装目录，未解压：%1</source>
        <translation>Путь к файлу ведёт за пределы папки установки, файл не распакован: %1</translation>
    </message>
</context>
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>应用信息</source>
        <translation>Сведения о приложении</translation>
    </message>
    <message>
        <source>游戏信息：</source>
        <translation>Сведения об игре:</translation>
    </message>
    <message>
        <source>应用信息：</source>
        <translation>Сведения о приложении:</translation>
    </message>
    <message>
        <source>启动器版本：</source>
        <translation>Версия лаунчера:</translation>
    </message>
    <message>
        <source>好的</source>
        <translation>ОК</translation>
    </message>
</context>
<context>
    <name>CDlgCloseTip</name>
    <message>
        <source>你点击了关闭按钮，你期望：</source>
        <translation>Что вы хотите сделать?</translation>
    </message>
    <message>
        <source>最小化到系统托盘</source>
        <translation>Свернуть в системный трей</translation>
    </message>
    <message>
        <source>直接退出</source>
        <translation>Выйти из программы</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Подтвердить</translation>
    </message>
    <message>
        <source>不再提醒</source>
        <translation>Больше не показывать</translation>
    </message>
</context>
<context>
    <name>CDlgYesNo</name>
    <message>
        <source>确认</source>
        <translation>Подтвердить</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>CSetInstallPathDialog</name>
    <message>
        <source>晨岚安装</source>
        <translation>Установка Aurelith</translation>
    </message>
    <message>
        <source>安装目录</source>
        <translation>Папка установки</translation>
    </message>
    <message>
        <source>当前文件夹空间不足</source>
        <translation>Недостаточно места</translation>
    </message>
    <message>
        <source>更改</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>所需空间：</source>
        <translation>Требуется места: </translation>
    </message>
    <message>
        <source>可用空间：</source>
        <translation>Доступно места: </translation>
    </message>
    <message>
        <source>默认语言</source>
        <translation>Язык по умолчанию</translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation>Китайский (упрощённый)</translation>
    </message>
    <message>
        <source>开始安装</source>
        <translation>Установить</translation>
    </message>
    <message>
        <source>路径无效</source>
        <translation>Недопустимый путь</translation>
    </message>
    <message>
        <source>选择安装路径</source>
        <translation>Выберите путь установки</translation>
    </message>
    <message>
        <source>%1 GB </source>
        <translation>%1 ГБ </translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>解压密码未定义</source>
        <translation>Пароль для распаковки не задан</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>网络资源获取失败(%1)</source>
        <translation>Не удалось получить сетевые ресурсы (%1)</translation>
    </message>
    <message>
        <source>文件打开失败</source>
        <translation>Не удалось открыть файл</translation>
    </message>
    <message>
        <source>硬盘空间不足</source>
        <translation>Недостаточно места на жёстком диске</translation>
    </message>
    <message>
        <source>写入文件缓存失败</source>
        <translation>Не удалось записать в буфер файла</translation>
    </message>
    <message>
        <source>缓存写入硬盘失败</source>
        <translation>Не удалось записать данные на диск</translation>
    </message>
    <message>
        <source>网络返回错误</source>
        <translation>Ошибка ответа сети</translation>
    </message>
    <message>
        <source>网络请求错误</source>
        <translation>Ошибка сетевого запроса</translation>
    </message>
    <message>
        <source>文件校验错误</source>
        <translation>Ошибка проверки файлов</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>请求超时</source>
        <translation>Превышено время ожидания запроса</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>获取解压缩对象失败</source>
        <translation>Не удалось получить объект распаковки</translation>
    </message>
    <message>
        <source>解压缩失败</source>
        <translation>Ошибка распаковки</translation>
    </message>
    <message>
        <source>压缩格式的接口类获取失败</source>
        <translation>Не удалось получить класс интерфейса формата архива</translation>
    </message>
    <message>
        <source>获取失败</source>
        <translation>не удалось получить</translation>
    </message>
    <message>
        <source>解压过程中失败</source>
        <translation>Сбой во время распаковки</translation>
    </message>
    <message>
        <source>删除失败</source>
        <translation>не удалось удалить</translation>
    </message>
</context>
</TS>
