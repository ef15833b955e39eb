#pragma once
// The printer side of the drawing surface and the base of the program's
// printers. It drives the print control: page-open flag and page number, the
// default print fonts, the four named text styles all printed text uses, the
// running page header, text blocks and page measures. Every length is twips.
// Nothing is caught here: a failing control call leaves as PrintControlError.

#include "layouts/IDeviceDriver.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <map>

class CUGRowMode;
class IDoc;
class IPrintable;
class QWidget;
class IPrintViewMgr;

namespace platform {
class IPrintControl;
}

// The project name the printed document is titled with. The project document
// installs its answer at start-up; without one the title is empty.
using ProjectNameSource = std::function<QString(IDoc* document)>;
void SetProjectNameSource(ProjectNameSource source);
// The full path of the project's file, as the cover page prints it; the
// project document installs its answer at start-up. Empty without one.
using ProjectPathSource = std::function<QString(IDoc* document)>;
void SetProjectPathSource(ProjectPathSource source);
QString ProjectPathName(IDoc* document);

class CPrintEngineBase : public IDeviceDriver
{
public:
    // Text style ids.
    enum : int { SectionTitle = 1, SubSectionTitle = 2, Body = 3, ColHeader = 4 };

    // control: the host's print control; a null control makes every call
    // that needs it fail with the null-pointer status.
    CPrintEngineBase(
        IDoc* document, IPrintViewMgr* viewManager, QWidget* host, platform::IPrintControl* control);
    ~CPrintEngineBase() override;
    CPrintEngineBase(const CPrintEngineBase&) = delete;
    CPrintEngineBase& operator=(const CPrintEngineBase&) = delete;

    // The drawing surface, in twips.
    QPainter* GetDeviceContext() override;
    int GetTextMarginX() override { return 72; }
    int GetTextMarginY() override { return 36; }
    int GetTextHeight() override;
    int GetSmallTextHeight() override;
    int GetTextWidth(const QString& text) override;
    void DrawFramedText(platform::Rect rect, const QString& text) override;
    void DrawLabel(const QString& text, const platform::Rect& rect, bool vertical, int margin) override;
    bool TextFitsHeight(const QString& text, const platform::Rect& rect, bool vertical) override;
    bool TextFitsWidth(const QString& text, const platform::Rect& rect) override;
    void DrawRectangle(const platform::Rect& rect) override;
    void DrawLine(int x1, int y1, int x2, int y2) override;
    void DrawFittedLabel(const QString& text, const platform::Rect& rect, int value) override;
    void DrawRightText(const QString& text, const platform::Rect& rect, bool opaque) override;
    void DrawVerticalLabel(const QString& text, const platform::Rect& rect, bool opaque) override;
    void DrawAlignedText(const QString& text, int mode, const platform::Rect& rect) override;
    void DrawTextInRect(const QString& text, const platform::Rect& rect, bool vertical) override;
    void DrawVerticalText(const QString& text, const platform::Rect& rect) override;
    void DrawRightCentredText(const QString& text, const platform::Rect& rect) override;

    // Composes the whole document; each printer has its own.
    virtual void PrintBody() = 0;
    // The last PrintBody stopped before it composed anything, after a
    // message that says why: there is nothing to print.
    virtual bool WasCancelled() const { return false; }
    // Runs when the control starts a page: counts it and sends the header.
    virtual void NewPage();
    virtual void BeginDocument();
    virtual void SetDefaultPrintFonts();
    virtual void DefineTextStyles();
    virtual void SetHeaderFont();
    // "date||title: n" (the date only when asked, "n" alone without title).
    virtual void SetPageHeader(const QString& title, bool withDate);
    virtual void SetDocumentTitle();

    void SendHeader();
    // Ends the open page first, if any.
    void StartNewPage(bool resetPageNumber);
    void ResetPageNumber() { m_pageNumber = 1; }
    int GetLineHeight();
    int GetRemainingHeight();
    bool IsNearPageEnd();
    platform::Rect GetPageRect();
    platform::IPrintControl& GetControl();
    void SetTextFormat(
        const QString& face, float size, double firstSpacing, double secondSpacing, bool bold, int alignment);
    void DefineTextStyle(const QString& name, const QString& face, float size, const QString& firstSpacing,
        const QString& secondSpacing, bool bold, int alignment);
    void DefineDrawingStyle(const QString& name, int a, int b, int c, int d);
    void ApplyTextStyle(int styleId);
    void PrintTextBlock(const QString& text, int styleId);

    // Table cells of the open table block, rows and columns from 1 (row 0
    // is a created table's heading row).
    void SetTableRows(int rows);
    // White bold text on dark grey.
    void SetHeaderCell(int row, int column);
    void SetCellText(int row, int column, const QString& text, bool bold);
    void SetCellSpan(int row, int column, int columns);
    // Keeps the row on one page with the row after it.
    void SetRowSetting8(int row);

    // Grids as tables, gridlines from the preferences. The parts list: on a
    // new page with the page number restarted, the caption in the section
    // title style, skipped when empty if the print settings say so.
    void PrintPartsGrid(IPrintable& manager, int captionId, const QString& title);
    // Any grid display manager, on the current page, the caption (when not
    // empty) in the subsection title style, columns stretched, a blank line after.
    void PrintGridDisplayManager(IPrintable& manager, const QString& caption);
    // A grid window, on the current page unless asked otherwise, the
    // caption in the subsection title style; a blank line after it unless it
    // was skipped as empty.
    void PrintUGGrid(CUGRowMode& grid, int captionId, bool skipWhenEmpty, bool stretch, bool startOnNewPage);

    // Fill patterns of printed diagrams: a colour with a hatch index 0 to 5;
    // 0xFFFF and 0xFFFFFFFF mean no hatch.
    static bool HasHatch(std::uint32_t hatchIndex);
    static int GetHatchCode(std::uint32_t hatchIndex);
    static std::uint32_t GetFillColour(std::uint32_t colour, std::uint32_t hatchIndex);

    int GetPageNumber() const { return m_pageNumber; }
    bool IsPageOpen() const { return m_pageOpen; }
    IDoc* GetDocument() const { return m_document; }
    IPrintViewMgr* GetViewManager() const { return m_viewManager; }
    QWidget* GetHost() const { return m_host; }

private:
    // Sets the label font at the given size in tenths of a point, then shrinks
    // it to the extent (fitting large labels).
    void FitLabelFont(int extent, int value);
    void SetDiagramTextFormat(int sizePreference, int alignment);

    platform::IPrintControl* m_control;
    IDoc* m_document;
    IPrintViewMgr* m_viewManager;
    QWidget* m_host;
    bool m_pageOpen = false;
    QString m_titleFace;
    QString m_subtitleFace;
    QString m_bodyFace;
    QString m_headerFace;
    float m_titleSize = 0.0F;
    float m_subtitleSize = 0.0F;
    float m_bodySize = 0.0F;
    float m_headerSize = 0.0F;
    std::map<int, QString> m_styles;
    int m_pageNumber = 0;
    // The header without its page number; the number is appended when the
    // header is sent, so no part of it is ever read as a format.
    QString m_headerLead;
    bool m_hasHeader = false;
};
