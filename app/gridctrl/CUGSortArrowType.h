#pragma once
// The sort indicator of a column heading: the caption with a small raised
// triangle at the right, pointing up for ascending (style 16) and down
// for descending (style 32).

#include "gridctrl/CUGCellType.h"

class CUGSortArrowType : public CUGCellType {
public:
    static constexpr int kAscending = 16;
    static constexpr int kDescending = 32;

    CUGSortArrowType();

    QString GetName() const override;
    Guid GetTypeGuid() const override;
    void Draw(QPainter* dc, const Rect& rect, int column, int row, CUGCell* cell, int selected, int current) override;
    void GetBestSize(QPainter* dc, QSize* size, CUGCell* cell) override;

private:
    int m_arrowWidth;
};
