#pragma once
// The main view's commands: undo and redo with their texts, the edit
// commands of the Parts and Raw Materials pages (copy, cut, paste, delete,
// duplicate, move, insert, renumber, sort), the column fit modes, the
// raw-materials backup and restore, the guides and the help contents, the
// vendors, the layouts page's pin commands, Snap to Kerf, Large Screen and
// the reoptimization of unplaced parts. Each has its handler and its enable (and tick) rule on the
// frame's command actions.

#include <QObject>
#include <QString>

class CKWLDoc;
class CKerfwellGDM;
class CKWLView;
class LayoutsViewMgr;
class ViewMgr;
class QWidget;

namespace platform {
class CommandActions;
}

class MainViewCommands : public QObject
{
    Q_OBJECT
public:
    // Registers the handlers and rules; lives as long as parent.
    MainViewCommands(platform::CommandActions& commands, CKWLView& view, CKWLDoc& document, QWidget* parent);

    void BackupMaterials();
    void RestoreMaterials();
    void OpenQuickStartGuide();
    void OpenUsersManual();
    // The quick-start invitation; the guide opens when the user chose OK.
    void ShowQuickStart();
    void EditVendors();
    void ToggleLargeScreen();

    // The edit commands of the Parts and Raw Materials pages.
    void Copy();
    void Cut();
    void Paste();
    void Delete();
    // Inserts copies of the selected parts; the clipboard keeps what it held.
    void Duplicate();
    void MoveUp();
    void MoveDown();
    void InsertNewPart();
    void Renumber();
    void SetFitMode(int mode);
    void EditNote();
    void DeleteNote();
    void GroupEdit();
    // The Raw Materials page's sheet goods: a new one (named in place), and
    // the rename and deletion of the one selected in the tree.
    void NewMaterial();
    void AddNewMaterial();
    void EditMaterialName();
    void DeleteSelectedMaterial();
    bool IsSheetGoodSelected() const;
    void ToggleAbbreviatedHeaders();

    // The enable rules of those commands, on the shown page.
    bool CanCopy() const;
    bool CanDelete() const;
    bool CanPaste() const;
    bool CanDuplicate() const;
    bool CanMoveUp() const;
    bool CanMoveDown() const;
    bool CanRenumber() const;
    bool CanEditNote() const;
    bool CanDeleteNote() const;

private:
    void Register(platform::CommandActions& commands);
    void RegisterPageCommands(platform::CommandActions& commands);
    int Page() const;
    // The selected row of the parts grid that holds a part, or -1.
    int FirstSelectedPartRow() const;
    bool IsSinglePartRowSelected() const;
    // The size/cost grid shows the rows of a sheet good (with one selected).
    bool IsSizeCostGridBound() const;
    bool IsSizeCostRowSelected() const;
    void MovePart(int step);
    // The parts grid's manager once editing has finished and the project is
    // not locked (which says so); null otherwise.
    CKerfwellGDM* PartsForEdit();
    // The note of the selected part or size/cost row; false when none.
    bool SelectedNote(QString& note) const;
    // Gives the selected part the note, as one undo step.
    void ReplaceSelectedPartNote(const QString& note);
    void RedrawTakeOffAndTree();
    LayoutsViewMgr* Layouts() const;
    bool OnLayoutsPage() const;
    // Opens a guide; a PDF that nothing can open gives the reader message.
    void OpenGuide(const QString& path);

    CKWLView& m_view;
    CKWLDoc& m_document;
    QWidget* m_parent;
};

// The undo and redo item texts as the menus show them: with the history's
// step name, and the part after the tab (none when there is no tab) as the
// shortcut text.
QString UndoItemText();
QString RedoItemText();

// The folder of the guides: the resource folder's "Manual/" (beside the
// program, else ../share/kwlsolo/). Tests point it elsewhere; empty restores.
void SetGuideFolder(const QString& folder);
QString GetGuideFolder();
