#pragma once
// The grid's in-place editors. CUGEditBase holds the rules both share:
// Tab, Enter, Up and Down store the text and name the next cell, Esc
// cancels, every typed character is offered to the data source and the
// owner first, and losing the focus ends the edit through the grid.
// CUGEdit grows with its text; CUGMaskedEdit (CUGMaskedEdit.h) takes only
// what the cell's mask allows.

#include <QLineEdit>

class CUGCtrl;

class CUGEditBase : public QLineEdit {
    Q_OBJECT
public:
    explicit CUGEditBase(CUGCtrl* ctrl);

    // Readies the editor for the edit the grid has just begun: clears the
    // last key and the cancel and move flags, selects the text and follows
    // the cell's read-only state. Runs again whenever the editor gets the focus.
    virtual void PrepareEdit();

    int GetNextColumn() const { return m_nextColumn; }
    int GetNextRow() const { return m_nextRow; }
    bool IsCancelled() const { return m_cancel; }
    bool WillMove() const { return m_move; }
    int GetLastKey() const { return m_lastKey; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

    // A typed character that passed the key rules; inserts it when the data
    // source and the owner accept it.
    virtual void TypeCharacter(QKeyEvent* event, int character);
    // Before the edit ends on losing the focus.
    virtual void BeforeFocusLost() {}
    // The data source's and then the owner's check of one character.
    bool VerifyCharacter(int* character);
    // Inserts a character as if typed (the check already passed).
    void InsertCharacter(QKeyEvent* event, int character);

    CUGCtrl* m_ctrl;
    int m_nextColumn = 0;
    int m_nextRow = 0;
    bool m_cancel = false;
    bool m_move = false;
    int m_lastKey = 0;

private:
    // Ends the edit: the focus goes to the grid, which stores or cancels.
    void leaveToGrid();
    // The steps taken when the focus went to newFocus.
    void onFocusLost(QWidget* newFocus);
    bool isGridWindow(const QWidget* widget) const;

    bool m_ending = false;
    int m_endings = 0; // focus losses handled, to tell whether one happened
};

class CUGEdit : public CUGEditBase {
    Q_OBJECT
public:
    explicit CUGEdit(CUGCtrl* ctrl);

    // Sets the auto-size option; answers the previous value.
    bool EnableAutoSize(bool on);
    bool IsAutoSizeEnabled() const { return m_autoSize; }
    void PrepareEdit() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Widens the editor across whole columns to the text's end.
    void growToText();

    bool m_autoSize = true;
    bool m_autoSizeActive = false;
    int m_startHeight = 0;
};
