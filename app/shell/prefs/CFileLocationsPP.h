#pragma once

#include "foundation/ui/CUserPrefsPropSheet.h"

class CFileEditCtrl;

// The default folders of projects, of the raw-materials library and of
// exports. The page cannot be left while a folder the user changed names no
// existing folder.
class CFileLocationsPP : public CPreferencePage
{
    Q_OBJECT

public:
    explicit CFileLocationsPP(GeneralSettings* record, QWidget* parent = nullptr);
    void CommitToRecord() override;
    bool OnKillActive() override;

    CFileEditCtrl* ProjectsField() const { return m_projects; }
    CFileEditCtrl* MaterialsField() const { return m_materials; }
    CFileEditCtrl* ExportField() const { return m_export; }

private:
    CFileEditCtrl* m_projects;
    CFileEditCtrl* m_materials;
    CFileEditCtrl* m_export;
};
