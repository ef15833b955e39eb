#pragma once
// What the Raw Materials page's grid, strip and tree ask of the view manager
// that owns them. The shell implements it; the grids never see the shell.

class QWidget;

class IRawMaterialsHost
{
public:
    // Positions of the size/cost grid's context menu (2 is the separator).
    enum MenuPosition { kEditNote = 0, kDeleteNote = 1, kDeleteRows = 3, kCut = 4, kCopy = 5, kPaste = 6 };

    virtual ~IRawMaterialsHost() = default;

    // The bracket around asking the enabled states: false begins, true ends.
    virtual void UpdateSizeCostMenu(bool end) = 0;
    virtual bool IsSizeCostMenuItemEnabled(int position) = 0;
    // The context menu's commands, on the grid that has the focus.
    virtual void EditSizeCostNote() = 0;
    virtual void DeleteSizeCostNote() = 0;
    virtual void DeleteSizeCostRows() = 0;
    virtual void CutSizeCostRows() = 0;
    virtual void CopySizeCostRows() = 0;
    virtual void PasteSizeCostRows() = 0;
    // After the tree's selection changed: finish grid editing, bring the
    // tree's selection up to date and show the selected material.
    virtual void RefreshRawMaterialsDisplay() = 0;
    // The window that owns popup menus and receives their commands.
    virtual QWidget* GetMainWindow() = 0;
    // Commits the size/cost grid's pending row, then the strip's pending kerf.
    virtual void FinishRawMaterialsEdits() = 0;
    // Gives the keyboard focus back to the page's main control.
    virtual void FocusMainControl() = 0;
};
