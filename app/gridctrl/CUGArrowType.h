#pragma once
// Side arrows: a cell that shows a single or double arrow pointing left or
// right, chosen by the cell-type style (16 when none is set).

#include "gridctrl/CUGCellType.h"

class CUGArrowType : public CUGCellType {
public:
    static constexpr int kRight = 16;
    static constexpr int kLeft = 32;
    static constexpr int kDoubleRight = 64;
    static constexpr int kDoubleLeft = 128;

    CUGArrowType();

    QString GetName() const override;
    Guid GetTypeGuid() const override;
    void Draw(QPainter* dc, const Rect& rect, int column, int row, CUGCell* cell, int selected, int current) override;
    void GetBestSize(QPainter* dc, QSize* size, CUGCell* cell) override;
};
