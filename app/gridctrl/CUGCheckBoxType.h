#pragma once
// A check box in a cell: the cell's number is its value (0 unchecked,
// 1 checked, 2 the third state). Clicks in the box and the space key
// advance the value and tell the grid through message 53.

#include "gridctrl/CUGCell.h"
#include "gridctrl/CUGCellType.h"

#include <QBrush>

class CUGCheckBoxType : public CUGCellType {
public:
    // Style bits.
    static constexpr int kSunken = 256;
    static constexpr int kRaised = 512;
    static constexpr int kRound = 1024;
    static constexpr int kAligned = 2048; // placed by the alignment, no text
    static constexpr int kCheckMark = 4096;
    static constexpr int kThreeState = 8192;
    static constexpr int kMessageChanged = 53;

    CUGCheckBoxType();

    QString GetName() const override;
    Guid GetTypeGuid() const override;
    void Draw(QPainter* dc, const Rect& rect, int column, int row, CUGCell* cell, int selected, int current) override;
    int OnLeftButton(int column, int row, int down, const Rect& rect, const Point& point) override;
    int OnDoubleClick(int column, int row, const Rect& rect, const Point& point) override;
    int OnChar(int column, int row, int* character) override;
    void GetBestSize(QPainter* dc, QSize* size, CUGCell* cell) override;
    void OnSystemColorsChanged() override;

    // The box within a cell rectangle for a cell's style and alignment.
    static Rect BoxRect(const Rect& cellRect, int style, int alignment);
    // The value after one click: +1 modulo 2, or modulo 3 with three states.
    static int NextValue(double value, int style);

private:
    // Advances the value of an editable cell; false for a read-only cell.
    bool toggle(int column, int row, long long parameter);

    QBrush m_patternBrush;
    CUGCell m_scratch;
};
