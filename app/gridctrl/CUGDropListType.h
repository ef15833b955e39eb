#pragma once
// A drop-down list in a cell: a button at the right edge opens a pop-up
// list of the choices held in the cell's label, one per line. The receiver
// of the type's messages may change the choices (100), refuse a choice
// (101) and learns what was chosen (102, 103).

#include "gridctrl/CUGCell.h"
#include "gridctrl/CUGCellType.h"

#include <QListWidget>
#include <QPointer>
#include <QStringList>

class CUGDropListType;

// The pop-up list. A choice is made with a click, Enter or Tab; Esc and
// losing the focus close it without one. Typed letters add up to a prefix
// (Backspace takes the last one back) and move to the first item that
// begins with all of them.
class CUGLstBox : public QListWidget {
    Q_OBJECT
public:
    CUGLstBox(CUGCtrl* grid, CUGDropListType* owner, QWidget* parent);

    bool IsShown() const { return m_shown; }
    // Starts the typed prefix over with this text and moves to its item.
    void SetTypedPrefix(const QString& prefix);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class CUGDropListType;
    class HandlerScope;
    void choose();
    void close(bool chosen, bool focusGrid = true);

    CUGCtrl* m_grid;
    CUGDropListType* m_owner;
    QString m_typed;
    bool m_shown = false;
    bool m_chosen = false;
    bool m_closing = false;
    // How many of the list's own event handlers are running: a close inside
    // one deletes the list only once the outermost has returned.
    int m_handlers = 0;
};

class CUGDropListType : public CUGCellType {
public:
    static constexpr int kButtonOnCurrentOnly = 512;
    static constexpr int kMessageOpening = 100;
    static constexpr int kMessageChoosing = 101;
    static constexpr int kMessageChosenPosition = 102;
    static constexpr int kMessageChosen = 103;
    static constexpr int kMaxVisibleItems = 15;

    CUGDropListType();
    ~CUGDropListType() override;

    QString GetName() const override;
    Guid GetTypeGuid() const override;
    void Draw(QPainter* dc, const Rect& rect, int column, int row, CUGCell* cell, int selected, int current) override;
    void AdjustEditRect(Rect* rect) override;
    void GetBestSize(QPainter* dc, QSize* size, CUGCell* cell) override;
    int OnLeftButton(int column, int row, int down, const Rect& rect, const Point& point) override;
    int OnDoubleClick(int column, int row, const Rect& rect, const Point& point) override;
    int OnMouseMove(int column, int row, const Point& point, unsigned buttons) override;
    int OnKeyDown(int column, int row, int* key) override;
    int OnChar(int column, int row, int* character) override;
    void OnCellLostFocus(int column, int row, int word) override;

    // The choices in a label: each piece ended by a line feed.
    static QStringList SplitItems(const QString& label);

    // The open list, null while none is shown.
    CUGLstBox* GetListBox() const;
    int GetButtonWidth() const { return m_buttonWidth; }

private:
    friend class CUGLstBox;
    // Opens the list for the current cell, preselecting the first item that
    // begins with the prefix.
    int openList(const QString& prefix);
    Rect buttonRect(const Rect& cellRect) const;
    // Enter, Ctrl+Down, Alt+Down and a plain F4 open the list.
    bool IsOpeningKey(int key) const;

    int m_buttonWidth;
    bool m_pressed = false;
    Rect m_buttonRect;
    int m_openColumn = -1;
    int m_openRow = -1;
    QPointer<CUGLstBox> m_list;
    CUGCell m_scratch;
};
