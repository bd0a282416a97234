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
    <name>MainViewModel</name>
    <message>
        <source>校验中</source>
        <translation>Vérification</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>游戏已启动，点击将关闭游戏，继续安装！</source>
        <translation>Aurelith est en cours d&apos;exécution. Cliquez pour fermer le jeu et poursuivre l&apos;installation.</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>检查更新中，请稍后！</source>
        <translation>Recherche de mises à jour, veuillez patienter...</translation>
    </message>
    <message>
        <source>创建文件夹失败，请确认路径是否正确！</source>
        <translation>Impossible de créer le dossier. Vérifiez que le chemin est correct.</translation>
    </message>
    <message>
        <source>磁盘空间不足，请选择其他路径！</source>
        <translation>Espace disque insuffisant. Choisissez un autre emplacement.</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>下载错误</source>
        <translation>Erreur de téléchargement</translation>
    </message>
    <message>
        <source>安装错误</source>
        <translation>Erreur d&apos;installation</translation>
    </message>
    <message>
        <source>游戏资源检查更新失败，是否重新连接</source>
        <translation>Échec de la recherche de mises à jour du jeu. Se reconnecter ?</translation>
    </message>
    <message>
        <source>启动器检查更新失败，是否重新连接</source>
        <translation>Échec de la recherche de mises à jour du lanceur. Se reconnecter ?</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器需要升级，点击下方“确认”按钮，下载并安装最新版本。</source>
        <translation>Le lanceur actuel doit être mis à jour. Cliquez sur « Confirmer » ci-dessous pour télécharger et installer la dernière version.</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器版本过低，点击下方“确认”按钮，关闭启动器。</source>
        <translation>La version du lanceur est obsolète. Cliquez sur « Confirmer » ci-dessous pour fermer le lanceur.</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Confirmer</translation>
    </message>
    <message>
        <source>下载中%1%  (%2G/%3G)</source>
        <translation>Téléchargement %1 % (%2 Go/%3 Go)</translation>
    </message>
    <message>
        <source>安装中%1%  (%2G/%3G)</source>
        <translation>Installation %1 % (%2 Go/%3 Go)</translation>
    </message>
    <message>
        <source>下载速度： %1MB/S</source>
        <translation>Vitesse de téléchargement : %1 Mo/s</translation>
    </message>
    <message>
        <source>下载速度： %1KB/S</source>
        <translation>Vitesse de téléchargement : %1 Ko/s</translation>
    </message>
    <message>
        <source>下载速度： 0KB/S</source>
        <translation>Vitesse de téléchargement : 0 Ko/s</translation>
    </message>
    <message>
        <source>预计剩余时间：%02d:%02d:%02d</source>
        <translation>Temps restant : %02d:%02d:%02d</translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>Temps restant : 00:00:00</translation>
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
    <name>TrayIcon</name>
    <message>
        <source>打开主窗口</source>
        <translation>Ouvrir la fenêtre principale</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quitter</translation>
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
        <source>文件正在下载中</source>
        <translation>Le fichier est en cours de téléchargement</translation>
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
    <name>main</name>
    <message>
        <source>晨岚</source>
        <translation>Aurelith</translation>
    </message>
    <message>
        <source>预览版本-请勿外传！！！！</source>
        <translation>Version préliminaire - ne pas diffuser !!!!</translation>
    </message>
    <message>
        <source>继续下载</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>获取游戏</source>
        <translation>Obtenir</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Mettre à jour</translation>
    </message>
    <message>
        <source>开始游戏</source>
        <translation>Jouer</translation>
    </message>
    <message>
        <source>修改安装路径</source>
        <translation>Modifier le dossier d&apos;installation</translation>
    </message>
    <message>
        <source>下载中0%(0.0G/0.0G)</source>
        <translation>Téléchargement 0 % (0.0 Go/0.0 Go)</translation>
    </message>
    <message>
        <source>校验中 </source>
        <translation>Vérification </translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>Temps restant : 00:00:00</translation>
    </message>
    <message>
        <source>下载速度：0.00KB/s</source>
        <translation>Vitesse de téléchargement : 0.00 Ko/s</translation>
    </message>
    <message>
        <source>正在下载安装包...</source>
        <translation>Téléchargement du paquet d&apos;installation...</translation>
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
