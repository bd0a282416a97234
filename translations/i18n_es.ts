<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="zh_CN">
<context>
    <name>CArchiveExtractCallback</name>
    <message>
        <source>文件路径超出安装目录，未解压：%1</source>
        <translation>La ruta del archivo sale de la carpeta de instalación; no se ha extraído: %1</translation>
    </message>
</context>
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>应用信息</source>
        <translation>Detalles de la aplicación</translation>
    </message>
    <message>
        <source>游戏信息：</source>
        <translation>Detalles del juego:</translation>
    </message>
    <message>
        <source>应用信息：</source>
        <translation>Detalles de la aplicación:</translation>
    </message>
    <message>
        <source>启动器版本：</source>
        <translation>Versión del lanzador:</translation>
    </message>
    <message>
        <source>好的</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>CDlgCloseTip</name>
    <message>
        <source>你点击了关闭按钮，你期望：</source>
        <translation>¿Qué quieres hacer?</translation>
    </message>
    <message>
        <source>最小化到系统托盘</source>
        <translation>Minimizar a la bandeja del sistema</translation>
    </message>
    <message>
        <source>直接退出</source>
        <translation>Salir del programa</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>不再提醒</source>
        <translation>No volver a mostrar</translation>
    </message>
</context>
<context>
    <name>CDlgYesNo</name>
    <message>
        <source>确认</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>CSetInstallPathDialog</name>
    <message>
        <source>晨岚安装</source>
        <translation>Instalar Aurelith</translation>
    </message>
    <message>
        <source>安装目录</source>
        <translation>Destino</translation>
    </message>
    <message>
        <source>当前文件夹空间不足</source>
        <translation>Espacio de almacenamiento insuficiente</translation>
    </message>
    <message>
        <source>更改</source>
        <translation>Cambiar</translation>
    </message>
    <message>
        <source>所需空间：</source>
        <translation>Espacio necesario: </translation>
    </message>
    <message>
        <source>可用空间：</source>
        <translation>Espacio disponible: </translation>
    </message>
    <message>
        <source>默认语言</source>
        <translation>Idioma predeterminado</translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation>Chino simplificado</translation>
    </message>
    <message>
        <source>开始安装</source>
        <translation>Instalar</translation>
    </message>
    <message>
        <source>路径无效</source>
        <translation>Ruta no válida</translation>
    </message>
    <message>
        <source>选择安装路径</source>
        <translation>Seleccionar ruta de instalación</translation>
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
        <translation>Verificando</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>游戏已启动，点击将关闭游戏，继续安装！</source>
        <translation>Aurelith se está ejecutando. Haz clic para cerrar el juego y continuar la instalación.</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>检查更新中，请稍后！</source>
        <translation>Buscando actualizaciones, espera un momento...</translation>
    </message>
    <message>
        <source>创建文件夹失败，请确认路径是否正确！</source>
        <translation>No se pudo crear la carpeta. Comprueba que la ruta sea correcta.</translation>
    </message>
    <message>
        <source>磁盘空间不足，请选择其他路径！</source>
        <translation>Espacio en disco insuficiente. Elige otra ubicación.</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>下载错误</source>
        <translation>Error de descarga</translation>
    </message>
    <message>
        <source>安装错误</source>
        <translation>Error de instalación</translation>
    </message>
    <message>
        <source>游戏资源检查更新失败，是否重新连接</source>
        <translation>No se pudieron buscar actualizaciones del juego. ¿Volver a conectar?</translation>
    </message>
    <message>
        <source>启动器检查更新失败，是否重新连接</source>
        <translation>El lanzador no pudo buscar actualizaciones. ¿Volver a conectar?</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器需要升级，点击下方“确认”按钮，下载并安装最新版本。</source>
        <translation>El lanzador actual necesita actualizarse. Haz clic en «Confirmar» abajo para descargar e instalar la última versión.</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器版本过低，点击下方“确认”按钮，关闭启动器。</source>
        <translation>La versión del lanzador está obsoleta. Haz clic en «Confirmar» abajo para cerrar el lanzador.</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>下载中%1%  (%2G/%3G)</source>
        <translation>Descargando %1% (%2GB/%3GB)</translation>
    </message>
    <message>
        <source>安装中%1%  (%2G/%3G)</source>
        <translation>Instalando %1% (%2GB/%3GB)</translation>
    </message>
    <message>
        <source>下载速度： %1MB/S</source>
        <translation>Velocidad de descarga: %1 MB/s</translation>
    </message>
    <message>
        <source>下载速度： %1KB/S</source>
        <translation>Velocidad de descarga: %1 KB/s</translation>
    </message>
    <message>
        <source>下载速度： 0KB/S</source>
        <translation>Velocidad de descarga: 0 KB/s</translation>
    </message>
    <message>
        <source>预计剩余时间：%02d:%02d:%02d</source>
        <translation>Tiempo restante: %02d:%02d:%02d</translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>Tiempo restante: 00:00:00</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>解压密码未定义</source>
        <translation>Contraseña de descompresión no definida</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>打开主窗口</source>
        <translation>Abrir ventana principal</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Salir</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>网络资源获取失败(%1)</source>
        <translation>No se pudieron obtener los recursos de red (%1)</translation>
    </message>
    <message>
        <source>文件打开失败</source>
        <translation>No se pudo abrir el archivo</translation>
    </message>
    <message>
        <source>文件正在下载中</source>
        <translation>El archivo se está descargando</translation>
    </message>
    <message>
        <source>硬盘空间不足</source>
        <translation>Espacio insuficiente en el disco duro</translation>
    </message>
    <message>
        <source>写入文件缓存失败</source>
        <translation>No se pudo escribir en el búfer del archivo</translation>
    </message>
    <message>
        <source>缓存写入硬盘失败</source>
        <translation>No se pudo escribir en el disco duro</translation>
    </message>
    <message>
        <source>网络返回错误</source>
        <translation>Error de respuesta de la red</translation>
    </message>
    <message>
        <source>网络请求错误</source>
        <translation>Error de solicitud de red</translation>
    </message>
    <message>
        <source>文件校验错误</source>
        <translation>No se pudieron verificar los archivos</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>请求超时</source>
        <translation>Tiempo de espera agotado</translation>
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
        <translation>Versión preliminar - ¡no distribuir!!!!</translation>
    </message>
    <message>
        <source>继续下载</source>
        <translation>Continuar</translation>
    </message>
    <message>
        <source>获取游戏</source>
        <translation>Obtener</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Actualizar</translation>
    </message>
    <message>
        <source>开始游戏</source>
        <translation>Jugar</translation>
    </message>
    <message>
        <source>修改安装路径</source>
        <translation>Cambiar ruta de instalación</translation>
    </message>
    <message>
        <source>下载中0%(0.0G/0.0G)</source>
        <translation>Descargando 0% (0.0GB/0.0GB)</translation>
    </message>
    <message>
        <source>校验中 </source>
        <translation>Verificando </translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>Tiempo restante: 00:00:00</translation>
    </message>
    <message>
        <source>下载速度：0.00KB/s</source>
        <translation>Velocidad de descarga: 0.00 KB/s</translation>
    </message>
    <message>
        <source>正在下载安装包...</source>
        <translation>Descargando paquete de instalación...</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>获取解压缩对象失败</source>
        <translation>No se pudo obtener el objeto de descompresión</translation>
    </message>
    <message>
        <source>解压缩失败</source>
        <translation>Error al descomprimir</translation>
    </message>
    <message>
        <source>压缩格式的接口类获取失败</source>
        <translation>No se pudo obtener la clase de interfaz del formato de compresión</translation>
    </message>
    <message>
        <source>获取失败</source>
        <translation>no se pudo obtener</translation>
    </message>
    <message>
        <source>解压过程中失败</source>
        <translation>Error durante la descompresión</translation>
    </message>
    <message>
        <source>删除失败</source>
        <translation>no se pudo eliminar</translation>
    </message>
</context>
</TS>
