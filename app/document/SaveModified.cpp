#include "document/SaveModified.h"

#include "document/DocumentStrings.h"
#include "document/IDocumentShell.h"

#include "foundation/FileNames.h"
#include "model/ModelStrings.h"

#include <platform/ui/Document.h>

#include <QFileInfo>

namespace {
QString NameShown(const platform::Document& document)
{
    if (!document.PathName().isEmpty())
        return DisplayFileName(QFileInfo(document.PathName()).fileName());
    if (!document.Title().isEmpty())
        return DisplayFileName(document.Title());
    return UiText(kStrUntitled);
}
}  // namespace

bool AskToSaveChanges(const platform::Document& document, IDocumentShell* shell, const std::function<bool()>& save)
{
    if (!document.IsModified())
        return true;
    if (!shell)
        return false;
    switch (shell->AskYesNoCancel(UiText(kStrSaveChanges).arg(NameShown(document)))) {
    case IDocumentShell::Answer::Yes:
        return save && save();
    case IDocumentShell::Answer::No:
        return true;
    case IDocumentShell::Answer::Cancel:
        break;
    }
    return false;
}
