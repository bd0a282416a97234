<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt" sourcelanguage="zh_CN">
<context>
    <name>CArchiveExtractCallback</name>
    <message>
        <source>文件路径超出安装目录，未解压：%1</source>
        <translation>O caminho do arquivo sai da pasta de instalação; não extraído: %1</translation>
    </message>
</context>
<context>
    <name>CDlgAppInfo</name>
    <message>
        <source>应用信息</source>
        <translation>Detalhes do aplicativo</translation>
    </message>
    <message>
        <source>游戏信息：</source>
        <translation>Detalhes do jogo:</translation>
    </message>
    <message>
        <source>应用信息：</source>
        <translation>Detalhes do aplicativo:</translation>
    </message>
    <message>
        <source>启动器版本：</source>
        <translation>Versão do inicializador:</translation>
    </message>
    <message>
        <source>好的</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CDlgCloseTip</name>
    <message>
        <source>你点击了关闭按钮，你期望：</source>
        <translation>O que você deseja fazer?</translation>
    </message>
    <message>
        <source>最小化到系统托盘</source>
        <translation>Minimizar para a bandeja do sistema</translation>
    </message>
    <message>
        <source>直接退出</source>
        <translation>Sair do programa</translation>
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
        <translation>Não mostrar novamente</translation>
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
        <translation>Espaço de armazenamento insuficiente</translation>
    </message>
    <message>
        <source>更改</source>
        <translation>Alterar</translation>
    </message>
    <message>
        <source>所需空间：</source>
        <translation>Espaço necessário: </translation>
    </message>
    <message>
        <source>可用空间：</source>
        <translation>Espaço disponível: </translation>
    </message>
    <message>
        <source>默认语言</source>
        <translation>Idioma padrão</translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation>Chinês simplificado</translation>
    </message>
    <message>
        <source>开始安装</source>
        <translation>Instalar</translation>
    </message>
    <message>
        <source>路径无效</source>
        <translation>Caminho inválido</translation>
    </message>
    <message>
        <source>选择安装路径</source>
        <translation>Selecionar caminho de instalação</translation>
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
        <translation>Atenção</translation>
    </message>
    <message>
        <source>游戏已启动，点击将关闭游戏，继续安装！</source>
        <translation>Aurelith está em execução. Clique para fechar o jogo e continuar a instalação.</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>检查更新中，请稍后！</source>
        <translation>Verificando atualizações, aguarde...</translation>
    </message>
    <message>
        <source>创建文件夹失败，请确认路径是否正确！</source>
        <translation>Falha ao criar a pasta. Verifique se o caminho está correto.</translation>
    </message>
    <message>
        <source>磁盘空间不足，请选择其他路径！</source>
        <translation>Espaço em disco insuficiente. Escolha outro local.</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Erro</translation>
    </message>
    <message>
        <source>下载错误</source>
        <translation>Erro de download</translation>
    </message>
    <message>
        <source>安装错误</source>
        <translation>Erro de instalação</translation>
    </message>
    <message>
        <source>游戏资源检查更新失败，是否重新连接</source>
        <translation>Falha ao verificar atualizações do jogo. Reconectar?</translation>
    </message>
    <message>
        <source>启动器检查更新失败，是否重新连接</source>
        <translation>Falha ao verificar atualizações do inicializador. Reconectar?</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器需要升级，点击下方“确认”按钮，下载并安装最新版本。</source>
        <translation>O inicializador atual precisa ser atualizado. Clique em “Confirmar” abaixo para baixar e instalar a versão mais recente.</translation>
    </message>
    <message>
        <source>当前使用的游戏启动器版本过低，点击下方“确认”按钮，关闭启动器。</source>
        <translation>A versão do inicializador está desatualizada. Clique em “Confirmar” abaixo para fechar o inicializador.</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>下载中%1%  (%2G/%3G)</source>
        <translation>Baixando %1% (%2GB/%3GB)</translation>
    </message>
    <message>
        <source>安装中%1%  (%2G/%3G)</source>
        <translation>Instalando %1% (%2GB/%3GB)</translation>
    </message>
    <message>
        <source>下载速度： %1MB/S</source>
        <translation>Velocidade de download: %1 MB/s</translation>
    </message>
    <message>
        <source>下载速度： %1KB/S</source>
        <translation>Velocidade de download: %1 KB/s</translation>
    </message>
    <message>
        <source>下载速度： 0KB/S</source>
        <translation>Velocidade de download: 0 KB/s</translation>
    </message>
    <message>
        <source>预计剩余时间：%02d:%02d:%02d</source>
        <translation>Tempo restante: %02d:%02d:%02d</translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>Tempo restante: 00:00:00</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>解压密码未定义</source>
        <translation>Senha de descompactação não definida</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>打开主窗口</source>
        <translation>Abrir janela principal</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Sair</translation>
    </message>
</context>
<context>
    <name>downloadmanager</name>
    <message>
        <source>网络资源获取失败(%1)</source>
        <translation>Falha ao obter recursos de rede (%1)</translation>
    </message>
    <message>
        <source>文件打开失败</source>
        <translation>Falha ao abrir o arquivo</translation>
    </message>
    <message>
        <source>文件正在下载中</source>
        <translation>O arquivo está sendo baixado</translation>
    </message>
    <message>
        <source>硬盘空间不足</source>
        <translation>Espaço insuficiente no disco rígido</translation>
    </message>
    <message>
        <source>写入文件缓存失败</source>
        <translation>Falha ao gravar no buffer do arquivo</translation>
    </message>
    <message>
        <source>缓存写入硬盘失败</source>
        <translation>Falha ao gravar no disco rígido</translation>
    </message>
    <message>
        <source>网络返回错误</source>
        <translation>Erro de resposta da rede</translation>
    </message>
    <message>
        <source>网络请求错误</source>
        <translation>Erro de solicitação de rede</translation>
    </message>
    <message>
        <source>文件校验错误</source>
        <translation>Falha ao verificar os arquivos</translation>
    </message>
</context>
<context>
    <name>downloadtask</name>
    <message>
        <source>请求超时</source>
        <translation>Tempo limite da solicitação esgotado</translation>
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
        <translation>Versão prévia - não distribuir!!!!</translation>
    </message>
    <message>
        <source>继续下载</source>
        <translation>Continuar</translation>
    </message>
    <message>
        <source>获取游戏</source>
        <translation>Obter</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Atualizar</translation>
    </message>
    <message>
        <source>开始游戏</source>
        <translation>Jogar</translation>
    </message>
    <message>
        <source>修改安装路径</source>
        <translation>Alterar caminho de instalação</translation>
    </message>
    <message>
        <source>下载中0%(0.0G/0.0G)</source>
        <translation>Baixando 0% (0.0GB/0.0GB)</translation>
    </message>
    <message>
        <source>校验中 </source>
        <translation>Verificando </translation>
    </message>
    <message>
        <source>预计剩余时间：00:00:00</source>
        <translation>Tempo restante: 00:00:00</translation>
    </message>
    <message>
        <source>下载速度：0.00KB/s</source>
        <translation>Velocidade de download: 0.00 KB/s</translation>
    </message>
    <message>
        <source>正在下载安装包...</source>
        <translation>Baixando pacote de instalação...</translation>
    </message>
</context>
<context>
    <name>setupmanager</name>
    <message>
        <source>获取解压缩对象失败</source>
        <translation>Falha ao obter o objeto de descompactação</translation>
    </message>
    <message>
        <source>解压缩失败</source>
        <translation>Falha ao descompactar</translation>
    </message>
    <message>
        <source>压缩格式的接口类获取失败</source>
        <translation>Falha ao obter a classe de interface do formato compactado</translation>
    </message>
    <message>
        <source>获取失败</source>
        <translation>falha ao obter</translation>
    </message>
    <message>
        <source>解压过程中失败</source>
        <translation>Falha durante a descompactação</translation>
    </message>
    <message>
        <source>删除失败</source>
        <translation>falha ao excluir</translation>
    </message>
</context>
</TS>
