<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="zh_CN">
<context>
    <name>CArchiveExtractCallback</name>
    <message>
        <source>文件路径超出安装目录，未解压：%1</source>
        <translation>Le chemin du fichier sort du dossier d&apos;installation, non extrait : %1</translation>
    </message>
</context>
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>应用信息</source>
        <translation>Détails de l&apos;application</translation>
    </message>
    <message>
        <source>游戏信息：</source>
        <translation>Détails du jeu :</translation>
    </message>
    <message>
        <source>应用信息：</source>
        <translation>Détails de l&apos;application :</translation>
    </message>
    <message>
        <source>启动器版本：</source>
        <translation>Version du lanceur :</translation>
    </message>
    <message>
        <source>好的</source>
        <translation>D&apos;accord</translation>
    </message>
</context>
<context>
    <name>CDlgCloseTip</name>
    <message>
        <source>你点击了关闭按钮，你期望：</source>
        <translation>Que souhaitez-vous faire ?</translation>
    </message>
    <message>
        <source>最小化到系统托盘</source>
        <translation>Réduire dans la zone de notification</translation>
    </message>
    <message>
        <source>直接退出</source>
        <translation>Quitter le programme</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Confirmer</translation>
    </message>
    <message>
        <source>不再提醒</source>
        <translation>Ne plus afficher</translation>
    </message>
</context>
<context>
    <name>CDlgYesNo</name>
    <message>
        <source>确认</source>
        <translation>Confirmer</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>CSetInstallPathDialog</name>
    <message>
        <source>晨岚安装</source>
        <translation>Installer Aurelith</translation>
    </message>
    <message>
        <source>安装目录</source>
        <translation>Destination</translation>
    </message>
    <message>
        <source>当前文件夹空间不足</source>
        <translation>Espace de stockage insuffisant</translation>
    </message>
    <message>
        <source>更改</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>所需空间：</source>
        <translation>Espace requis : </translation>
    </message>
    <message>
        <source>可用空间：</source>
        <translation>Espace disponible : </translation>
    </message>
    <message>
        <source>默认语言</source>
        <translation>Langue par défaut</translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation>Chinois simplifié</translation>
    </message>
    <message>
        <source>开始安装</source>
        <translation>Installer</translation>
    </message>
    <message>
        <source>路径无效</source>
        <translation>Chemin non valide</translation>
    </message>
    <message>
        <source>选择安装路径</source>
        <translation>Choisir le dossier d&apos;installation</translation>
    </message>
    <message>
        <source>%1 GB </source>
        <translation>%1 Go </translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>解压密码未定义</source>
        <translation>Mot de passe de décompression non défini</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>网络资源获取失败(%1)</source>
        <translation>Impossible d&apos;obtenir les ressources réseau (%1)</translation>
    </message>
    <message>
        <source>文件打开失败</source>
        <translation>Impossible d&apos;ouvrir le fichier</translation>
    </message>
    <message>
        <source>硬盘空间不足</source>
        <translation>Espace disque insuffisant</translation>
    </message>
    <message>
        <source>写入文件缓存失败</source>
        <translation>Impossible d&apos;écrire dans le tampon du fichier</translation>
    </message>
    <message>
        <source>缓存写入硬盘失败</source>
        <translation>Impossible d&apos;écrire sur le disque</translation>
    </message>
    <message>
        <source>网络返回错误</source>
        <translation>Erreur de réponse du réseau</translation>
    </message>
    <message>
        <source>网络请求错误</source>
        <translation>Erreur de requête réseau</translation>
    </message>
    <message>
        <source>文件校验错误</source>
        <translation>Échec de la vérification des fichiers</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>请求超时</source>
        <translation>Délai de la requête dépassé</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>获取解压缩对象失败</source>
        <translation>Impossible d&apos;obtenir l&apos;objet de décompression</translation>
    </message>
    <message>
        <source>解压缩失败</source>
        <translation>Échec de la décompression</translation>
    </message>
    <message>
        <source>压缩格式的接口类获取失败</source>
        <translation>Impossible d&apos;obtenir la classe d&apos;interface du format d&apos;archive</translation>
    </message>
    <message>
        <source>获取失败</source>
        <translation>inaccessible</translation>
    </message>
    <message>
        <source>解压过程中失败</source>
        <translation>Échec pendant la décompression</translation>
    </message>
    <message>
        <source>删除失败</source>
        <translation>suppression impossible</translation>
    </message>
</context>
</TS>
