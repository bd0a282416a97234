#include "viewmodel/folderchoice.h"

#include "dialogs/csetinstallpathdialog.h"
#include "net/updateversioninfo.h"
#include "viewmodel/installfolder.h"
#include "viewmodel/messages.h"

FolderChoice::FolderChoice(const UpdateVersionInfo &info, InstallFolder &folder, Messages &messages, QObject *parent)
    : QObject(parent)
    , info(info)
    , folder(folder)
    , messages(messages)
{}

FolderChoice::~FolderChoice() = default;

void FolderChoice::open()
{
    if (!dialog) {
        dialog = std::make_unique<CSetInstallPathDialog>();
        connect(dialog.get(), &CSetInstallPathDialog::startInstallClicked, this, &FolderChoice::installRequested);
        connect(dialog.get(), &CSetInstallPathDialog::updateInstallPath, this, &FolderChoice::folderChosen);
    }
    dialog->setNeededBytes(info.size);
    dialog->setPath(folder.path().isEmpty() ? folder.defaultPath() : folder.path());
    messages.centre(dialog.get());
    messages.runOverMask([this] { return dialog->exec(); });
}
