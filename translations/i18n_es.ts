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
    <name>QObject</name>
    <message>
        <source>解压密码未定义</source>
        <translation>Contraseña de descompresión no definida</translation>
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
