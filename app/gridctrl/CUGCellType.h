#pragma once
// How a cell is drawn and how it reacts to mouse and keys. This class is
// both the interface of every cell type and the normal type, which draws
// background, borders, an optional bitmap and the text, and leaves clicks
// and keys to the grid's own editing.

#include "platform/Rect.h"
#include "platform/ui/ColorRef.h"

#include <QSize>
#include <QString>

#include <array>
#include <cstdint>

class CUGCell;
class CUGCtrl;
class QPainter;
class QPixmap;

class CUGCellType {
public:
    using Rect = platform::Rect;
    using Point = platform::Point;
    using Guid = std::array<std::uint8_t, 16>;

    // Border-style bits.
    static constexpr int kBorderThinLeft = 1, kBorderThinTop = 2, kBorderThinRight = 4, kBorderThinBottom = 8;
    static constexpr int kBorderMediumLeft = 16, kBorderMediumTop = 32, kBorderMediumRight = 64, kBorderMediumBottom = 128;
    static constexpr int kBorderThickLeft = 256, kBorderThickTop = 512, kBorderThickRight = 1024, kBorderThickBottom = 2048;
    static constexpr int kBorderRecessed = 4096;
    static constexpr int kBorderRaised = 8192;
    // Style bits the normal type reads.
    static constexpr int kStyleMultiLine = 2;
    static constexpr int kStyleEllipsis = 4;
    static constexpr int kStyleLabel = 8;

    CUGCellType();
    virtual ~CUGCellType();
    CUGCellType(const CUGCellType&) = delete;
    CUGCellType& operator=(const CUGCellType&) = delete;

    void SetGrid(CUGCtrl* grid) { m_ctrl = grid; }
    CUGCtrl* GetGrid() const { return m_ctrl; }
    void SetTypeIndex(int index) { m_typeIndex = index; }
    int GetTypeIndex() const { return m_typeIndex; }
    bool DrawsNormally() const { return m_drawsNormally != 0; }
    bool MayOverflow() const { return m_canOverflow != 0; }

    virtual int DrawBitmap(QPainter* dc, const QPixmap* bitmap, const Rect& rect, platform::ColorRef backColor);
    virtual void DrawBorder(QPainter* dc, const Rect& rect, Rect* inner, CUGCell* cell);
    virtual void DrawText(QPainter* dc, const Rect& rect, int offset, int column, int row, CUGCell* cell,
                          int selected, int current);
    virtual void DrawBackground(QPainter* dc, const Rect& rect, platform::ColorRef color);
    virtual int GetOverflowSource(QPainter* dc, int column, int row, int* sourceColumn, CUGCell* scratch);
    virtual QString GetName() const;
    virtual Guid GetTypeGuid() const;
    virtual void AdjustEditRect(Rect* rect) {}
    virtual int ReservedQuery14(int, int) { return -1; }
    virtual int ReservedQuery15(int, int) { return -1; }
    virtual int OnLeftButton(int column, int row, int down, const Rect& rect, const Point& point) { return 0; }
    virtual int OnRightButton(int column, int row, int down, const Rect& rect, const Point& point) { return 0; }
    virtual int OnDoubleClick(int column, int row, const Rect& rect, const Point& point) { return 0; }
    virtual int OnKeyDown(int column, int row, int* key) { return 0; }
    virtual int OnKeyUp(int column, int row, int* key) { return 0; }
    virtual int OnChar(int column, int row, int* character) { return 0; }
    virtual int OnMouseMove(int column, int row, const Point& point, unsigned buttons) { return 0; }
    virtual void Draw(QPainter* dc, const Rect& rect, int column, int row, CUGCell* cell, int selected, int current);
    virtual int DrawFocus(QPainter* dc, const Rect& rect, int column, int row) { return 0; }
    virtual void OnCellGotFocus(int column, int row, int word) {}
    virtual void OnCellLostFocus(int column, int row, int word) {}
    virtual void OnColumnWidthSet(int column, int row, int* width) {}
    virtual void OnColumnWidthDrag(int column, int row, int* width) {}
    virtual void OnRowHeightSet(int column, int row, int* height) {}
    virtual void OnRowHeightDrag(int column, int row, int* height) {}
    virtual void GetBestSize(QPainter* dc, QSize* size, CUGCell* cell);
    virtual void OnCurrentCellMoved(int column, int row, int word) {}
    virtual void OnSystemColorsChanged() {}
    virtual int OnTypeCommand(int word) { return 0; }
    virtual int Notify(int typeIndex, int column, int row, int message, long long parameter);

protected:
    // Where the text of a cell starts and how it is laid out.
    void drawCellText(QPainter* dc, const Rect& rect, int offset, CUGCell* cell, bool highlighted);

    int m_drawsNormally = 1;
    int m_showLabel = 0;
    int m_canOverflow = 1;
    double m_printScale = 1.0;
    CUGCtrl* m_ctrl = nullptr;
    int m_typeIndex = -1;
};
