#pragma once
// A cell with a note: the note text is the cell's label. A red corner marks
// a cell that has one; hovering over the cell shows the note in a small
// pale-yellow window, which a 200 ms timer hides once the pointer has left.

#include "gridctrl/CUGCell.h"
#include "gridctrl/CUGCellType.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>

// The note's pop-up window: word-wrapped text on pale yellow, sized to the text.
class CUGNoteTypeEWnd : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CUGNoteTypeEWnd(QWidget* parent);
    void SetNoteText(const QString& text);

private:
    void fitToText();
};

class CUGNoteType : public CUGCellType {
public:
    static constexpr int kNoteWidth = 150;
    static constexpr int kNoteHeight = 130;
    static constexpr int kTimerInterval = 200;

    CUGNoteType();
    ~CUGNoteType() override;

    QString GetName() const override;
    Guid GetTypeGuid() const override;
    void Draw(QPainter* dc, const Rect& rect, int column, int row, CUGCell* cell, int selected, int current) override;
    int OnMouseMove(int column, int row, const Point& point, unsigned buttons) override;
    void OnCellLostFocus(int column, int row, int word) override;
    void OnCurrentCellMoved(int column, int row, int word) override;

    CUGNoteTypeEWnd* GetNoteWindow() const { return m_note; }
    bool IsTimerRunning() const { return m_timer.isActive(); }
    // One tick of the timer: hides the note once the pointer has left the cell.
    void OnTimer();

private:
    void createWindow();
    void hideNote();

    QPointer<CUGNoteTypeEWnd> m_note;
    QTimer m_timer;
    QRect m_cellScreenRect;
    CUGCell m_scratch;
};
