#include "viewmodel/mainviewmodel.h"

#include "app/language.h"
#include "report/statusreport.h"
#include "settings/configsettings.h"

MainViewModel::MainViewModel(QObject *parent)
    : QObject(parent)
{
    connectFlows();
}

MainViewModel::~MainViewModel() = default;

void MainViewModel::connectFlows()
{
    connect(&status, &GameStatus::changed, this, &MainViewModel::gameStateChanged);
    connect(&status, &GameStatus::versionChanged, this, &MainViewModel::versionChanged);
    connect(&folder, &InstallFolder::changed, this, &MainViewModel::installPathChanged);
    connect(&install, &GameInstall::progressChanged, this, &MainViewModel::progressChanged);
    connect(&install, &GameInstall::pageStale, &page, &PageActions::applyPageContent);
    connect(&page, &PageActions::bgPathChanged, this, &MainViewModel::bgPathChanged);
    connect(&page, &PageActions::mainBgResChanged, this, &MainViewModel::mainBgResChanged);
    connect(&page, &PageActions::versionTitleChanged, this, &MainViewModel::versionTitleChanged);
    connect(&page, &PageActions::versionDescChanged, this, &MainViewModel::versionDescChanged);
    connect(&page, &PageActions::versionTitleColorChanged, this, &MainViewModel::versionTitleColorChanged);
    connect(&page, &PageActions::versionDescColorChanged, this, &MainViewModel::versionDescColorChanged);
    connect(&request, &InstallRequest::checkAgain, &updateCheck, &UpdateCheck::requestGameRes);
    connect(&request, &InstallRequest::chooseFolder, &choice, &FolderChoice::open);
    connect(&choice, &FolderChoice::installRequested, &request, &InstallRequest::start);
    connect(&choice, &FolderChoice::folderChosen, &folder, &InstallFolder::choose);
}

void MainViewModel::setLanguageCode(const QString &code)
{
    updateCheck.setLanguage(code);
}

void MainViewModel::initialise()
{
    if (!currentLanguage().isEmpty())
        updateCheck.setLanguage(currentLanguage());
    // The reporter reads the language once, when the first report makes it.
    StatusReport::setClientLanguage(updateCheck.language());
    StatusReport::instance()->report(StatusReport::PROGRAM_OPEN_OPEN);
    ConfigSettings::applyProxyChoice(ConfigSettings::installerIniPath());
    folder.load();
    updateCheck.requestGameRes();
    updateCheck.requestLauncherContent();
}

void MainViewModel::setRootObject(QObject *root)
{
    scene = SceneAccess(root);
}
