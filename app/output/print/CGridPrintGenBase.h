#pragma once
// Turns a grid into a table of the print control: reads the cells from a
// source, measures them on the control, chooses the column widths, writes
// the rows with alignment, bold, rules and shading, and puts an optional
// caption before the table. Subclasses bind the source.

#include <QString>

#include <map>

class CPrintEngineBase;
class CUGCell;

namespace platform {
class IPrintControl;
}

class CGridPrintGenBase
{
public:
    explicit CGridPrintGenBase(CPrintEngineBase& engine);
    virtual ~CGridPrintGenBase();
    CGridPrintGenBase(const CGridPrintGenBase&) = delete;
    CGridPrintGenBase& operator=(const CGridPrintGenBase&) = delete;

    // Prints caption and table; a title that is not empty first becomes the
    // page header. Prints nothing, and answers false, when the grid is
    // skipped as empty.
    virtual bool Print(const QString& title);

    void SetGridlines(bool on) { m_gridlines = on; }
    void SetStretchColumns(bool on) { m_stretch = on; }
    void SetStartOnNewPage(bool on) { m_startOnNewPage = on; }
    void SetResetPageNumber(bool on) { m_resetPageNumber = on; }
    void SetSkipWhenEmpty(bool on) { m_skipWhenEmpty = on; }
    // The caption and the engine's text style it prints in.
    void SetCaption(int stringId, int style);
    void SetCaption(const QString& text, int style);

protected:
    // The source. Rows count from 0, row -1 is the heading row; printed
    // columns count from 1 and leave out the notes column.
    virtual void GetCell(int row, int printedColumn, CUGCell* cell) = 0;
    virtual int GetRowCount() = 0;
    virtual bool HasNotesColumn() = 0;
    virtual QString GetRowNotes(int row) = 0;
    virtual int GetNotesPosition() = 0;
    virtual int GetPrintColumnCount() = 0;
    virtual int GetVisibleColumnCount() = 0;
    virtual bool IsFreeTextColumn(int printedColumn) = 0;

    // The source's column (grid position) of a printed column, past the notes column.
    virtual int MapColumn(int printedColumn);
    virtual bool IsSkippedAsEmpty();
    virtual void PrintTable();
    virtual int GetNoteCellType() = 0;

private:
    QString CellText(CUGCell& cell);
    int NaturalWidth(int printedColumn, int rows, bool withHeading, int leastWidth);
    void LayOutColumns(int columns, int rows);
    void WriteRow(int tableRow, int sourceRow, int columns, bool shaded);

    CPrintEngineBase& m_engine;
    platform::IPrintControl& m_control;
    bool m_hasCaption = false;
    QString m_caption;
    int m_captionStyle = 1;
    bool m_gridlines = true;
    bool m_stretch = true;
    bool m_startOnNewPage = true;
    bool m_resetPageNumber = true;
    bool m_skipWhenEmpty = true;
    QString m_bodyFace;
    float m_bodySize = 0.0F;
    std::map<int, QString> m_styles;
};
