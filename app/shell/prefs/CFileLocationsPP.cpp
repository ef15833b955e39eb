#include "shell/prefs/CFileLocationsPP.h"

#include "foundation/ui/UIStringWidgets.h"
#include "shell/controls/CFileEditCtrl.h"
#include "shell/prefs/PageWidgets.h"
#include "shell/prefs/PrefsStrings.h"

#include <QFormLayout>
#include <QLabel>

#include <utility>

namespace {

// A field the user did not touch keeps the record's text as it was: a
// folder written differently (without its trailing separator, say) must not
// count as a new folder, which would move the materials library.
void CommitFolder(const CFileEditCtrl* field, QString& folder)
{
    if (field->text() != folder)
        folder = field->SavedText();
}

} // namespace

CFileLocationsPP::CFileLocationsPP(GeneralSettings* record, QWidget* parent)
    : CPreferencePage(record, parent)
    , m_projects(new CFileEditCtrl)
    , m_materials(new CFileEditCtrl)
    , m_export(new CFileEditCtrl)
{
    // Folder mode, folders ending in "/", the button's tooltip.
    constexpr quint32 flags
        = CFileEditCtrl::FolderMode | CFileEditCtrl::TrailingSeparator | CFileEditCtrl::ButtonTooltip;
    for (CFileEditCtrl* field : { m_projects, m_materials, m_export })
        field->SetFlags(flags);
    m_projects->LoadText(Record()->projectsFolder);
    m_materials->LoadText(Record()->materialsFolder);
    m_export->LoadText(Record()->exportFolder);

    auto* layout = new QFormLayout(this);
    layout->addRow(NewPageLabel(kStrProjectFilesLabel), m_projects);
    layout->addRow(NewPageLabel(kStrRawMaterialsLabel), m_materials);
    // This label has no string of its own.
    layout->addRow(new QLabel(QStringLiteral("Export:")), m_export);
}

bool CFileLocationsPP::OnKillActive()
{
    // Only a folder the user typed or chose is checked: a stored one that
    // is gone (removed since, or never made) would otherwise hold every
    // preference hostage, and the file dialogs start elsewhere without it.
    const std::pair<CFileEditCtrl*, const QString*> fields[] = { { m_projects, &Record()->projectsFolder },
        { m_materials, &Record()->materialsFolder }, { m_export, &Record()->exportFolder } };
    for (const auto& [field, stored] : fields)
        if (field->text() != *stored && !field->Validate()) {
            field->setFocus();
            return false;
        }
    return true;
}

void CFileLocationsPP::CommitToRecord()
{
    CommitFolder(m_projects, Record()->projectsFolder);
    CommitFolder(m_materials, Record()->materialsFolder);
    CommitFolder(m_export, Record()->exportFolder);
}
