#include "output/print/CPrintEngineBase.h"

#include "foundation/PrintSettings.h"
#include "foundation/UserPrefsBase.h"
#include "output/print/CGDMPrintGenerator.h"
#include "output/print/CGridPrintGenerator.h"
#include "output/print/PrintPrefs.h"
#include "platform/ui/IPrintControl.h"

#include <QDate>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

using namespace PrintPrefId;

constexpr std::uint32_t kNoHatchShort = 0xFFFF;
constexpr std::uint32_t kNoHatch = 0xFFFFFFFF;

ProjectNameSource& NameSource()
{
    static ProjectNameSource source;
    return source;
}

int Truncated(double twips)
{
    return static_cast<int>(std::trunc(twips));
}

platform::PrintLength LengthOf(const QString& text)
{
    const auto length = platform::PrintLength::FromText(text);
    if (!length) {
        throw platform::PrintControlError(platform::StatusInvalidArgument, platform::PrintInterface::Control,
            QStringLiteral("bad length \"%1\"").arg(text));
    }
    return *length;
}

} // namespace

void SetProjectNameSource(ProjectNameSource source)
{
    NameSource() = std::move(source);
}

namespace {
ProjectPathSource& PathSource()
{
    static ProjectPathSource source;
    return source;
}
} // namespace

void SetProjectPathSource(ProjectPathSource source)
{
    PathSource() = std::move(source);
}

QString ProjectPathName(IDoc* document)
{
    const ProjectPathSource& source = PathSource();
    return source ? source(document) : QString();
}

CPrintEngineBase::CPrintEngineBase(
    IDoc* document, IPrintViewMgr* viewManager, QWidget* host, platform::IPrintControl* control)
    : m_control(control)
    , m_document(document)
    , m_viewManager(viewManager)
    , m_host(host)
{
    // The control's new-page event goes to the printer that is composing.
    if (m_control)
        m_control->SetNewPageHandler([this] { NewPage(); });
}

CPrintEngineBase::~CPrintEngineBase()
{
    if (m_control)
        m_control->SetNewPageHandler(nullptr);
}

platform::IPrintControl& CPrintEngineBase::GetControl()
{
    if (!m_control) {
        throw platform::PrintControlError(platform::StatusNullPointer, platform::PrintInterface::Control,
            QStringLiteral("no print control"));
    }
    return *m_control;
}

QPainter* CPrintEngineBase::GetDeviceContext()
{
    return GetControl().DeviceContext();
}

int CPrintEngineBase::GetTextHeight()
{
    return Truncated(GetControl().TextHeight(QStringLiteral("M")));
}

int CPrintEngineBase::GetSmallTextHeight()
{
    platform::IPrintControl& control = GetControl();
    control.SetFontName(PrintPrefs().GetString(DiagramFace));
    control.SetFontSize(PrintPrefPoints(SmallPartsHeight));
    control.SetSpaceBefore(platform::PrintLength::Twips(0.0));
    control.SetSpaceAfter(platform::PrintLength::Twips(0.0));
    control.SetFontBold(false);
    return GetTextHeight();
}

int CPrintEngineBase::GetTextWidth(const QString& text)
{
    return Truncated(GetControl().TextWidth(text)) + 2 * GetTextMarginX();
}

void CPrintEngineBase::DrawFramedText(platform::Rect rect, const QString& text)
{
    GetControl().PrintTextBox(text, rect.left, rect.top, rect.Width(), rect.Height(), false, false, true);
}

void CPrintEngineBase::DrawLabel(const QString& text, const platform::Rect& rect, bool vertical, int margin)
{
    platform::IPrintControl& control = GetControl();
    if (!vertical) {
        if (!rect.IsEmpty())
            control.PrintTextBox(text, rect.left, rect.top, rect.Width(), rect.Height(), true, false, false);
        return;
    }
    // Turned upwards: the box starts at the bottom-left corner and runs up.
    control.SetTextAngle(900);
    control.PrintTextBox(
        text, rect.left - margin, rect.bottom, rect.Height() + 2 * margin, rect.Width(), true, false, false);
    control.SetTextAngle(0);
}

bool CPrintEngineBase::TextFitsHeight(const QString& text, const platform::Rect& rect, bool vertical)
{
    const int extent = vertical ? rect.Width() : rect.Height();
    const int boxWidth = vertical ? rect.Height() : rect.Width();
    const double measured = GetControl().PrintTextBox(text, 0, 0, boxWidth, 0, true, true, false);
    return measured * 1.1 <= extent;
}

bool CPrintEngineBase::TextFitsWidth(const QString& text, const platform::Rect& rect)
{
    return std::abs(rect.Width()) > 1.4 * GetControl().TextWidth(text);
}

void CPrintEngineBase::DrawRectangle(const platform::Rect& rect)
{
    GetControl().DrawRectangle(rect.left, rect.top, rect.right, rect.bottom);
}

void CPrintEngineBase::DrawLine(int x1, int y1, int x2, int y2)
{
    GetControl().DrawLine(x1, y1, x2, y2);
}

void CPrintEngineBase::FitLabelFont(int extent, int value)
{
    platform::IPrintControl& control = GetControl();
    const int largest = PrintPrefs().GetInt(ExLargeDiagramHeight);
    control.SetFontName(PrintPrefs().GetString(DiagramFace));
    control.SetFontSize(static_cast<float>(largest) / 10.0F);
    control.SetFontBold(true);
    control.SetTextAlign(7);
    control.SetTextColor(static_cast<std::uint32_t>(value));
    control.SetTextAngle(0);
    const int height = GetTextHeight();
    if (height > extent) {
        const auto scaled = static_cast<int>(static_cast<long long>(largest) * extent / height);
        const int tenths = std::max(scaled, PrintPrefs().GetInt(BoldDiagramDimsHeight));
        control.SetFontSize(static_cast<float>(tenths) / 10.0F);
        control.SetFontBold(false);
    }
}

void CPrintEngineBase::DrawFittedLabel(const QString& text, const platform::Rect& rect, int value)
{
    FitLabelFont(std::abs(rect.Height()), value);
    bool vertical = false;
    int margin = 0;
    // Too wide for a tall rectangle: turn the label and fit it to the width.
    if (!TextFitsWidth(text, rect) && std::abs(rect.Height()) > std::abs(rect.Width())) {
        vertical = true;
        margin = 72;
        FitLabelFont(std::abs(rect.Width()), value);
    }
    platform::Rect area = rect;
    area.Inflate(72, 72);
    DrawLabel(text, area, vertical, margin);
}

void CPrintEngineBase::SetDiagramTextFormat(int sizePreference, int alignment)
{
    SetTextFormat(
        PrintPrefs().GetString(DiagramFace), PrintPrefPoints(sizePreference), 0.0, 0.0, false, alignment);
}

void CPrintEngineBase::DrawRightText(const QString& text, const platform::Rect& rect, bool)
{
    SetDiagramTextFormat(BoldDiagramDimsHeight, 2);
    DrawLabel(text, rect, false, 0);
}

void CPrintEngineBase::DrawVerticalLabel(const QString& text, const platform::Rect& rect, bool)
{
    SetDiagramTextFormat(BoldDiagramDimsHeight, 0);
    DrawLabel(text, rect, true, 72);
}

void CPrintEngineBase::DrawAlignedText(const QString& text, int mode, const platform::Rect& rect)
{
    static constexpr int kAlignments[] = { 4, 1, 1, 4 };
    const bool known = mode >= 0 && mode <= 3;
    SetDiagramTextFormat(SmallPartsHeight, known ? kAlignments[mode] : 4);
    DrawLabel(text, rect, mode == 2 || mode == 3, 72);
}

void CPrintEngineBase::DrawTextInRect(const QString& text, const platform::Rect& rect, bool vertical)
{
    SetDiagramTextFormat(BoldDiagramDimsHeight, vertical ? 1 : 7);
    platform::Rect area = rect;
    area.Inflate(72, 72);
    if (vertical)
        area.Inflate(0, 720);
    else
        area.Inflate(720, 0);
    DrawLabel(text, area, vertical, 0);
}

void CPrintEngineBase::DrawVerticalText(const QString& text, const platform::Rect& rect)
{
    SetDiagramTextFormat(BoldDiagramDimsHeight, 0);
    platform::Rect area = rect;
    area.Inflate(72, 0);
    DrawLabel(text, area, true, 0);
}

void CPrintEngineBase::DrawRightCentredText(const QString& text, const platform::Rect& rect)
{
    SetDiagramTextFormat(BoldDiagramDimsHeight, 8);
    platform::Rect area = rect;
    area.Inflate(0, 72);
    DrawLabel(text, area, false, 0);
}

void CPrintEngineBase::NewPage()
{
    ++m_pageNumber;
    SendHeader();
}

void CPrintEngineBase::BeginDocument()
{
    SetDefaultPrintFonts();
    DefineTextStyles();
    SetHeaderFont();
}

void CPrintEngineBase::SetDefaultPrintFonts()
{
    m_titleFace = QStringLiteral("Verdana");
    m_titleSize = 14.0F;
    m_subtitleFace = QStringLiteral("Arial");
    m_subtitleSize = 12.0F;
    m_bodyFace = PrintPrefs().GetString(GridFace);
    m_bodySize = PrintPrefPoints(GridHeight);
    m_headerFace = QStringLiteral("Arial");
    m_headerSize = 11.0F;
}

void CPrintEngineBase::DefineTextStyles()
{
    m_styles = {
        { SectionTitle, QStringLiteral("SectionTitle") },
        { SubSectionTitle, QStringLiteral("SubSectionTitle") },
        { Body, QStringLiteral("Body") },
        { ColHeader, QStringLiteral("ColHeader") },
    };
    DefineTextStyle(
        m_styles[SectionTitle], m_titleFace, m_titleSize, QStringLiteral("5mm"), QString(), true, 0);
    DefineTextStyle(
        m_styles[SubSectionTitle], m_subtitleFace, m_subtitleSize, QStringLiteral("3mm"), QString(), true, 0);
    DefineTextStyle(m_styles[Body], m_bodyFace, m_bodySize, QString(), QString(), false, 0);
    DefineTextStyle(m_styles[ColHeader], m_bodyFace, m_bodySize, QString(), QString(), true, 0);
}

void CPrintEngineBase::SetHeaderFont()
{
    platform::IPrintControl& control = GetControl();
    control.SetHeaderFontName(m_headerFace);
    control.SetHeaderFontSize(m_headerSize);
}

void CPrintEngineBase::SetPageHeader(const QString& title, bool withDate)
{
    const QString date
        = withDate ? QLocale().toString(QDate::currentDate(), QLocale::ShortFormat) : QString();
    m_headerLead = date + QStringLiteral("||");
    if (!title.isEmpty())
        m_headerLead += title + QStringLiteral(": ");
    m_hasHeader = true;
    SendHeader();
}

void CPrintEngineBase::SetDocumentTitle()
{
    const ProjectNameSource& source = NameSource();
    GetControl().SetDocTitle(source ? source(m_document) : QString());
}

void CPrintEngineBase::SendHeader()
{
    GetControl().SetHeader(m_hasHeader ? m_headerLead + QString::number(m_pageNumber) : QString());
}

void CPrintEngineBase::StartNewPage(bool resetPageNumber)
{
    if (m_pageOpen)
        GetControl().NewPage();
    m_pageOpen = true;
    if (resetPageNumber && m_pageNumber != 1) {
        ResetPageNumber();
        // The header of the page just begun shows the restarted number.
        SendHeader();
    }
}

int CPrintEngineBase::GetLineHeight()
{
    return Truncated(GetControl().TextHeight(QStringLiteral("X")));
}

int CPrintEngineBase::GetRemainingHeight()
{
    platform::IPrintControl& control = GetControl();
    control.UpdateLayout();
    return std::max(0, Truncated(control.PageBottom() - control.CurrentY()));
}

bool CPrintEngineBase::IsNearPageEnd()
{
    return GetRemainingHeight() < 4 * GetLineHeight();
}

platform::Rect CPrintEngineBase::GetPageRect()
{
    platform::IPrintControl& control = GetControl();
    control.UpdateLayout();
    return platform::Rect(Truncated(control.PageLeft()), Truncated(control.PageTop()),
        Truncated(control.PageRight()), Truncated(control.PageBottom()));
}

void CPrintEngineBase::SetTextFormat(
    const QString& face, float size, double firstSpacing, double secondSpacing, bool bold, int alignment)
{
    platform::IPrintControl& control = GetControl();
    control.SetFontName(face);
    control.SetFontSize(size);
    control.SetSpaceBefore(platform::PrintLength::Twips(firstSpacing));
    control.SetSpaceAfter(platform::PrintLength::Twips(secondSpacing));
    control.SetFontBold(bold);
    control.SetTextAlign(alignment);
    control.SetTextColor(0);
}

void CPrintEngineBase::DefineTextStyle(const QString& name, const QString& face, float size,
    const QString& firstSpacing, const QString& secondSpacing, bool bold, int alignment)
{
    platform::IPrintControl& control = GetControl();
    control.SetFontName(face);
    control.SetFontSize(size);
    control.SetSpaceBefore(LengthOf(firstSpacing));
    control.SetSpaceAfter(LengthOf(secondSpacing));
    control.SetFontBold(bold);
    control.SetTextAlign(alignment);
    control.SetTextColor(0);
    control.Styles().Store(name, platform::StyleKindText);
}

void CPrintEngineBase::DefineDrawingStyle(const QString& name, int a, int b, int c, int d)
{
    platform::IPrintControl& control = GetControl();
    control.SetPenStyle(6);
    control.SetPenWidth(a);
    control.SetPenColor(static_cast<std::uint32_t>(b));
    control.SetBrushColor(static_cast<std::uint32_t>(c));
    control.SetBrushStyle(d);
    control.Styles().Store(name, platform::StyleKindDrawing);
}

void CPrintEngineBase::ApplyTextStyle(int styleId)
{
    const auto it = m_styles.find(styleId);
    if (it == m_styles.end()) {
        throw platform::PrintControlError(platform::StatusInvalidArgument, platform::PrintInterface::Styles,
            QStringLiteral("no text style %1").arg(styleId));
    }
    GetControl().Styles().Apply(it->second);
}

void CPrintEngineBase::PrintTextBlock(const QString& text, int styleId)
{
    ApplyTextStyle(styleId);
    GetControl().PrintParagraph(text);
}

void CPrintEngineBase::SetTableRows(int rows)
{
    // The row count belongs to the whole table; the range is not read.
    GetControl().SetTableCell(platform::TableRows, 1, 1, 1, 1, rows);
}

void CPrintEngineBase::SetHeaderCell(int row, int column)
{
    platform::IPrintControl& control = GetControl();
    control.SetTableCell(platform::TableBackColor, row, column, row, column, 0x646464);
    control.SetTableCell(platform::TableTextColor, row, column, row, column, 0xFFFFFF);
    control.SetTableCell(platform::TableBold, row, column, row, column, true);
}

void CPrintEngineBase::SetCellText(int row, int column, const QString& text, bool bold)
{
    platform::IPrintControl& control = GetControl();
    control.SetTableCell(platform::TableText, row, column, row, column, text);
    control.SetTableCell(platform::TableBold, row, column, row, column, bold);
}

void CPrintEngineBase::SetCellSpan(int row, int column, int columns)
{
    GetControl().SetTableCell(platform::TableSpan, row, column, row, column, columns);
}

void CPrintEngineBase::SetRowSetting8(int row)
{
    GetControl().SetTableCell(platform::TableKeepWithNext, row, 1, row, 1, 1);
}

void CPrintEngineBase::PrintPartsGrid(IPrintable& manager, int captionId, const QString& title)
{
    CGDMPrintGenerator generator(*this, manager);
    generator.SetGridlines(PrintPrefs().GetFlag(Gridlines));
    generator.SetCaption(captionId, SectionTitle);
    generator.SetSkipWhenEmpty(PrintPrefs().GetPrintSettings().skipEmptyGrids == 1);
    generator.SetStretchColumns(true);
    generator.SetStartOnNewPage(true);
    generator.SetResetPageNumber(true);
    generator.Print(title);
}

void CPrintEngineBase::PrintGridDisplayManager(IPrintable& manager, const QString& caption)
{
    CGDMPrintGenerator generator(*this, manager);
    generator.SetGridlines(PrintPrefs().GetFlag(Gridlines));
    if (!caption.isEmpty())
        generator.SetCaption(caption, SubSectionTitle);
    // Never skipped as empty, so the blank line always follows.
    generator.SetSkipWhenEmpty(false);
    generator.SetStretchColumns(true);
    generator.SetStartOnNewPage(false);
    generator.SetResetPageNumber(false);
    generator.Print(QString());
    PrintTextBlock(QStringLiteral(" "), SectionTitle);
}

void CPrintEngineBase::PrintUGGrid(
    CUGRowMode& grid, int captionId, bool skipWhenEmpty, bool stretch, bool startOnNewPage)
{
    CGridPrintGenerator generator(*this, grid);
    generator.SetGridlines(PrintPrefs().GetFlag(Gridlines));
    generator.SetCaption(captionId, SubSectionTitle);
    generator.SetSkipWhenEmpty(skipWhenEmpty);
    generator.SetStretchColumns(stretch);
    generator.SetStartOnNewPage(startOnNewPage);
    generator.SetResetPageNumber(false);
    if (generator.Print(QString()))
        PrintTextBlock(QStringLiteral(" "), SectionTitle);
}

bool CPrintEngineBase::HasHatch(std::uint32_t hatchIndex)
{
    return hatchIndex != kNoHatchShort && hatchIndex != kNoHatch;
}

int CPrintEngineBase::GetHatchCode(std::uint32_t hatchIndex)
{
    return hatchIndex <= 5 ? static_cast<int>(hatchIndex) + 2 : 0;
}

std::uint32_t CPrintEngineBase::GetFillColour(std::uint32_t colour, std::uint32_t hatchIndex)
{
    return hatchIndex == kNoHatch ? 0xFFFFFFu : colour;
}
