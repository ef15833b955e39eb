#pragma once
// What the parts grid asks of the view that hosts it: the parts-list
// commands behind its context menu, the unpin prompt of a refused edit, and
// the update of the menu items. The main view implements it.

class CMilledPart;
class QAction;

class IPartsGridHost
{
public:
    // The context menu's items in their order; the ids are the menu ids.
    enum MenuCommand : int {
        kEditNote = 2000,
        kDeleteNote = 2001,
        kInsertNewPart = 2002,
        kInsertDuplicatePart = 2003,
        kDelete = 2004,
        kCut = 2005,
        kCopy = 2006,
        kPaste = 2007,
        kGroupEdit = 2008,
        kSwapLengthWidth = 2009,
        kJumpToDiagram = 2010,
    };

    virtual ~IPartsGridHost() = default;

    // Ends any in-place edit of the grids before a command.
    virtual void FinishEditing() = 0;
    // Runs the row edit state's unpin step with its prompt; false when the
    // edit may not go on.
    virtual bool CommitPendingPartEdits() = 0;
    // A refused edit of a part on pinned diagrams: shows the prompt (UI
    // string 227 or 228) and unpins the diagrams when the user agrees.
    virtual void ShowPinnedPartPrompt(CMilledPart* part, int messageId) = 0;

    virtual void OnEditNote() = 0;
    virtual void OnDeleteNote() = 0;
    virtual void OnInsertNewPart() = 0;
    virtual void OnInsertDuplicatePart() = 0;
    virtual void OnDelete() = 0;
    virtual void OnCut() = 0;
    virtual void OnCopy() = 0;
    virtual void OnPaste() = 0;
    virtual void OnGroupEdit() = 0;
    virtual void OnJumpToDiagram() = 0;

    // Around the update of the context menu's items: one call per item
    // (every item but the separators and "Insert New Part"), which sets the
    // action's enabled (and checked) state.
    virtual void BeginMenuUpdate() = 0;
    virtual void UpdateMenuItem(int commandId, QAction* action) = 0;
    virtual void EndMenuUpdate() = 0;
};
