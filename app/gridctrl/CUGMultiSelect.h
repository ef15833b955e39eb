#pragma once
// The selection of one sheet: blocks of cells in the order they were begun.
// A later block can deselect what an earlier one selected, and the selected
// state of a cell is the state of the last block that holds it (or the
// first, in mode 16).

#include <vector>

class CUGCtrl;

class CUGMultiSelect {
public:
    // Mode bits.
    static constexpr int kModeOff = 1;        // multi-selection switched off
    static constexpr int kModeWholeRows = 2;  // blocks span every column
    static constexpr int kModeOneBlock = 8;   // beginning a block clears the others
    static constexpr int kModeFirstWins = 16; // the first block holding a cell decides
    // Key flags of a click.
    static constexpr unsigned kShift = 4;
    static constexpr unsigned kCtrl = 8;

    explicit CUGMultiSelect(CUGCtrl* grid);
    virtual ~CUGMultiSelect();

    virtual int RemoveAllBlocks();
    virtual int BeginBlock(int column, int row);
    virtual int ExtendBlock(int column, int row);
    virtual int OnClick(int column, int row, unsigned keyFlags);
    virtual int OnRightClick(int column, int row, unsigned keyFlags);
    virtual int OnKeyboardMove(int column, int row);
    virtual int OnDragMove(int column, int row, unsigned keyFlags);
    virtual int ToggleCellBlock(int column, int row);
    virtual int GetOrigin(int* column, int* row) const;
    virtual int GetLastBlock(int* left, int* top, int* right, int* bottom) const;
    virtual int GetBoundingBox(int* left, int* top, int* right, int* bottom) const;
    virtual int GetBlockCount() const;
    virtual int IsCellSelected(int column, int row, int* block = nullptr) const;
    virtual int IsColumnSelected(int column) const;
    virtual int IsRowSelected(int row) const;
    virtual int SetMode(int mode);
    virtual int GetMode() const;
    virtual int FirstSelectedCell(int* column, int* row);
    virtual int NextSelectedCell(int* column, int* row);
    virtual int FirstBlock(int* left, int* top, int* right, int* bottom);
    virtual int NextBlock(int* left, int* top, int* right, int* bottom);

private:
    struct Block {
        int startCol, startRow, endCol, endRow;
        int left, top, right, bottom; // inclusive
        bool selected;
    };
    void normalise(Block& block) const;
    void queueRange(int left, int top, int right, int bottom) const;
    void queueAll() const;
    int lastColumn() const;

    CUGCtrl* m_grid;
    std::vector<Block> m_blocks;
    int m_originCol = -1;
    int m_originRow = -1;
    int m_mode = 0;
    int m_lastCol = -1;
    int m_lastRow = -1;
    // Enumeration.
    int m_enumLeft = 0, m_enumTop = 0, m_enumRight = -1, m_enumBottom = -1;
    int m_enumCol = 0, m_enumRow = 0;
    std::size_t m_enumBlock = 0;
};
