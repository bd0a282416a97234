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
    <name>MainViewModel</name>
    <message>
        <source>校验中</source>
        <translation>Проверка</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>游戏已启动，点击将关闭游戏，继续安装！</source>
        <translation>Aurelith запущена. Нажмите, чтобы закрыть игру и продолжить установку.</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Уведомление</translation>
    </message>
    <message>
        <source>检查更新中，请稍后！</source>
        <translation>Идёт проверка обновлений, подождите...</translation>
    </message>
    <message>
        <source>创建文件夹失败，请确认路径是否正确！</source>
        <translation>Не удалось создать папку. Проверьте правильность пути.</translation>
    </message>
    <message>
        <source>磁盘空间不足，请选择其他路径！</source>
        <translation>Недостаточно места на диске. Выберите другой путь.</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>下载错误</source>
        <translation>Ошибка загрузки</translation>
    </message>
    <message>
        <source>安装错误</source>
        <translation>Ошибка установки</translation>
    </message>
    <message>
        <source>游戏资源检查更新失败，是否重新连接</source>
        <translation>Не удалось проверить обновления игры. Подключиться снова?</translation>
    </message>
    <message>
        <source>启动器检查更新失败，是否重新连接</source>
        <translation>Не удалось проверить обновления лаунчера. Подключиться снова?</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器需要升级，点击下方“确认”按钮，下载并安装最新版本。</source>
        <translation>Текущий лаунчер нужно обновить. Нажмите кнопку «Подтвердить» ниже, чтобы скачать и установить последнюю версию.</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器版本过低，点击下方“确认”按钮，关闭启动器。</source>
        <translation>Версия лаунчера устарела. Нажмите кнопку «Подтвердить» ниже, чтобы закрыть лаунчер.</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Подтвердить</translation>
    </message>
    <message>
        <source>下载中%1%  (%2G/%3G)</source>
        <translation>Загрузка %1% (%2 ГБ/%3 ГБ)</translation>
    </message>
    <message>
        <source>安装中%1%  (%2G/%3G)</source>
        <translation>Установка %1% (%2 ГБ/%3 ГБ)</translation>
    </message>
    <message>
        <source>下载速度： %1MB/S</source>
        <translation>Скорость загрузки: %1 МБ/с</translation>
    </message>
    <message>
        <source>下载速度： %1KB/S</source>
        <translation>Скорость загрузки: %1 КБ/с</translation>
    </message>
    <message>
        <source>下载速度： 0KB/S</source>
        <translation>Скорость загрузки: 0 КБ/с</translation>
    </message>
    <message>
        <source>预计剩余时间：%02d:%02d:%02d</source>
        <translation>Осталось: %02d:%02d:%02d</translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>Осталось: 00:00:00</translation>
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
    <name>TrayIcon</name>
    <message>
        <source>打开主窗口</source>
        <translation>Открыть главное окно</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Выход</translation>
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
        <source>文件正在下载中</source>
        <translation>Файл уже загружается</translation>
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
    <name>main</name>
    <message>
        <source>晨岚</source>
        <translation>Aurelith</translation>
    </message>
    <message>
        <source>预览版本-请勿外传！！！！</source>
        <translation>Предварительная версия - не распространять!!!!</translation>
    </message>
    <message>
        <source>继续下载</source>
        <translation>Продолжить</translation>
    </message>
    <message>
        <source>获取游戏</source>
        <translation>Получить</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <source>开始游戏</source>
        <translation>Играть</translation>
    </message>
    <message>
        <source>修改安装路径</source>
        <translation>Изменить путь установки</translation>
    </message>
    <message>
        <source>下载中0%(0.0G/0.0G)</source>
        <translation>Загрузка 0% (0.0 ГБ/0.0 ГБ)</translation>
    </message>
    <message>
        <source>校验中 </source>
        <translation>Проверка </translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>Осталось: 00:00:00</translation>
    </message>
    <message>
        <source>下载速度：0.00KB/s</source>
        <translation>Скорость загрузки: 0.00 КБ/с</translation>
    </message>
    <message>
        <source>正在下载安装包...</source>
        <translation>Загрузка установочного пакета...</translation>
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
