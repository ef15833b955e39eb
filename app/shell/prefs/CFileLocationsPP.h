#pragma once

#include "foundation/ui/CUserPrefsPropSheet.h"

class FolderEdit;

// The default folders of projects, of the raw-materials library and of
// exports. The page cannot be left while a folder field names no existing folder.
class CFileLocationsPP : public CPreferencePage
{
    Q_OBJECT

public:
    explicit CFileLocationsPP(GeneralSettings* record, QWidget* parent = nullptr);
    void CommitToRecord() override;
    bool OnKillActive() override;

    FolderEdit* ProjectsField() const { return m_projects; }
    FolderEdit* MaterialsField() const { return m_materials; }
    FolderEdit* ExportField() const { return m_export; }

private:
    FolderEdit* m_projects;
    FolderEdit* m_materials;
    FolderEdit* m_export;
};
