#pragma once
// A small base for the program's read-only grids: it sets up a row-mode
// grid (font, captions, alignments, sort indicator, fit mode) and refills
// every row from a forward-only cursor that the subclass provides. The
// cells live in the grid's own in-memory source.

#include <QString>

#include <cstdint>
#include <vector>

class CUGRowMode;
class QFont;

class QuickGridMgr {
public:
    explicit QuickGridMgr(CUGRowMode& grid);
    virtual ~QuickGridMgr();
    QuickGridMgr(const QuickGridMgr&) = delete;
    QuickGridMgr& operator=(const QuickGridMgr&) = delete;

    virtual int GetColumnCount() const = 0;
    // One UI string id per data column.
    virtual void AddColumnCaptions(std::vector<std::int32_t>& captions) const = 0;
    // One alignment per data column.
    virtual void AddColumnAlignments(std::vector<std::int16_t>& alignments) const = 0;
    virtual bool MoveFirst() = 0;
    virtual bool MoveNext() = 0;
    // Writes one cell of the cursor's current row.
    virtual void FillCell(int row, int dataColumn, int gridColumn) = 0;
    // Takes the column-fit mode from the preferences.
    virtual bool UsesFitModePreference() const { return true; }
    virtual void BeforeSetup() {}
    virtual void BeforeRefill() {}
    // 2 while "Pro-Rate Costs" is on (fractional quantities), else 0.
    virtual int GetQuantityDecimals() const;

    // Once, when the pane is created; the font is borrowed.
    void Setup(const QFont* gridFont);
    // Whenever the pane refreshes: all rows again, in the user's sort order.
    void Refill();
    void FitColumns();
    void DeleteAllRows();
    // Sets the fit mode and applies it at once.
    void SetFitMode(int mode);

    CUGRowMode& GetGrid() const { return m_grid; }

protected:
    // A text cell; with the flag, one line ending in an ellipsis.
    void SetTextCell(int gridColumn, int row, const QString& text, bool ellipsis);
    // Shows the text and sorts by the value.
    void SetNumberCell(int gridColumn, int row, const QString& text, double value);

private:
    void applyAlignments();

    CUGRowMode& m_grid;
    std::vector<std::int32_t> m_captions;
    std::vector<std::int16_t> m_alignments;
    bool m_fixedFit = false;
};
