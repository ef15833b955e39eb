#include "gridctrl/CUGCell.h"

#include "gridctrl/CellTextConversion.h"

#include "foundation/LocaleFormat.h"

using platform::SystemColor;
using platform::SystemColorRef;

CUGCell::CUGCell()
{
    ClearAll();
}

CUGCell::CUGCell(const CUGCell& other)
{
    ClearAll();
    CopyFrom(other);
}

CUGCell& CUGCell::operator=(const CUGCell& other)
{
    if (this != &other)
        CopyFrom(other);
    return *this;
}

CUGCell::~CUGCell() = default;

void CUGCell::ClearAll()
{
    m_flags = kResetFlags;
    m_styleObject = nullptr;
    m_styleCell = nullptr;
    m_number = 0.0;
    m_text.clear();
    m_label.clear();
    m_mask.clear();
    m_dataType = kTypeText;
    m_readOnly = false;
    m_param = -1;
    m_decimals = 0;
    m_cellType = -1;
    m_cellTypeStyle = -1;
    m_textColor = SystemColorRef(SystemColor::WindowText);
    m_backColor = SystemColorRef(SystemColor::Window);
    m_hTextColor = SystemColorRef(SystemColor::HighlightText);
    m_hBackColor = SystemColorRef(SystemColor::Highlight);
    m_borderStyle = 0;
    m_borderPen = nullptr;
    m_font = nullptr;
    m_bitmap = nullptr;
    m_alignment = kAlignLeft;
    m_extra.clear();
    m_join[0] = m_join[1] = m_join[2] = 0;
}

int CUGCell::SetText(const QString& text)
{
    m_text = text;
    if (text.isEmpty())
        m_flags &= ~kText;
    else
        m_flags |= kText | kDataType;
    m_dataType = kTypeText;
    return 0;
}

QString CUGCell::GetText()
{
    if (!(m_flags & kText))
        return QString();
    if (m_dataType == kTypeNumber)
        m_text = FormatNumberText();
    return m_text;
}

int CUGCell::GetTextLength()
{
    return (m_flags & kText) ? static_cast<int>(GetText().size()) : 0;
}

// "%lf" (or a fixed count of decimals), bare zeros stripped when the count
// is free, then the locale's separators unless the plain-number bit is set.
QString CUGCell::FormatNumberText() const
{
    const bool fixed = (m_flags & kDecimals) != 0;
    QString text = fixed ? QString::asprintf("%1.*f", qMax(0, m_decimals), m_number)
                         : QString::asprintf("%f", m_number);
    if (!fixed) {
        qsizetype start = 0;
        while (start < text.size() && text[start] == QLatin1Char('0'))
            ++start;
        qsizetype end = text.size();
        while (end > start && text[end - 1] == QLatin1Char('0'))
            --end;
        text = text.mid(start, end - start);
    }
    if (!(m_flags & kPlainNumber)) {
        const qsizetype point = text.lastIndexOf(QLatin1Char('.'));
        const int digits = fixed ? m_decimals
                                 : (point < 0 ? 0 : static_cast<int>(text.size() - point - 1));
        text = FormatLocaleNumber(m_number, digits, true);
    }
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (text.isEmpty())
        text = QStringLiteral("0");
    return text;
}

int CUGCell::SetLabelText(const QString& text)
{
    m_label = text;
    m_flags |= kLabel;
    return 0;
}

QString CUGCell::GetLabelText() const
{
    return (m_flags & kLabel) ? m_label : QString();
}

int CUGCell::GetLabel(QString& out) const
{
    if (!(m_flags & kLabel))
        return 1;
    out = m_label;
    return 0;
}

int CUGCell::SetMask(const QString& mask)
{
    m_mask = mask;
    m_flags |= kMask;
    return 0;
}

QString CUGCell::GetMask() const
{
    return (m_flags & kMask) ? m_mask : QString();
}

QString CUGCell::GetDisplayText()
{
    if ((m_flags & kLabel) && m_dataType == kTypeNumber)
        return m_label;
    return GetText();
}

int CUGCell::SetNumber(double number)
{
    m_number = number;
    m_text.clear();
    m_flags |= kText | kDataType;
    m_dataType = kTypeNumber;
    return 0;
}

double CUGCell::GetNumber()
{
    if (!(m_flags & kText))
        return 0.0;
    if (m_dataType == kTypeNumber || m_dataType == kTypeDate || m_dataType == kTypeCurrency)
        return m_number;
    return gridctrl::NumberFromText(m_text);
}

int CUGCell::SetDataType(int type)
{
    if (type == m_dataType && (m_flags & kDataType))
        return 0;
    if (m_flags & kText) {
        if (type == kTypeNumber) {
            m_number = gridctrl::NumberFromText(GetText());
            m_text.clear();
        } else if (type == kTypeDate) {
            m_number = gridctrl::DateFromText(GetText()).value_or(0.0);
        } else if (type == kTypeCurrency) {
            if (m_dataType == kTypeNumber)
                m_text = QString::asprintf("%.2f", m_number);
            else
                // Cents are kept: an edit that ends converts the text again,
                // so whole units would cut every edited amount.
                m_number = gridctrl::CurrencyFromText(m_text).value_or(0.0);
        }
    }
    m_flags |= kDataType;
    m_dataType = type;
    return 0;
}

int CUGCell::GetDataType() const
{
    return (m_flags & kDataType) ? m_dataType : kTypeText;
}

int CUGCell::SetNumberDecimals(int decimals)
{
    m_decimals = decimals;
    m_flags |= kDecimals;
    return 0;
}

int CUGCell::GetNumberDecimals() const
{
    return (m_flags & kDecimals) ? m_decimals : 0;
}

int CUGCell::SetTextColor(ColorRef color) { m_textColor = color; m_flags |= kTextColor; return 0; }
int CUGCell::SetBackColor(ColorRef color) { m_backColor = color; m_flags |= kBackColor; return 0; }
int CUGCell::SetHighlightTextColor(ColorRef color) { m_hTextColor = color; m_flags |= kHighlightTextColor; return 0; }
int CUGCell::SetHighlightBackColor(ColorRef color) { m_hBackColor = color; m_flags |= kHighlightBackColor; return 0; }

CUGCell::ColorRef CUGCell::GetTextColor() const
{
    return (m_flags & kTextColor) ? m_textColor : SystemColorRef(SystemColor::WindowText);
}
CUGCell::ColorRef CUGCell::GetBackColor() const
{
    return (m_flags & kBackColor) ? m_backColor : SystemColorRef(SystemColor::Window);
}
CUGCell::ColorRef CUGCell::GetHighlightTextColor() const
{
    return (m_flags & kHighlightTextColor) ? m_hTextColor : SystemColorRef(SystemColor::HighlightText);
}
CUGCell::ColorRef CUGCell::GetHighlightBackColor() const
{
    return (m_flags & kHighlightBackColor) ? m_hBackColor : SystemColorRef(SystemColor::Highlight);
}

int CUGCell::SetAlignment(int alignment) { m_alignment = alignment; m_flags |= kAlignment; return 0; }
int CUGCell::GetAlignment() const { return (m_flags & kAlignment) ? m_alignment : 0; }
int CUGCell::SetBorderStyle(int style) { m_borderStyle = style; m_flags |= kBorderStyle; return 0; }
int CUGCell::GetBorderStyle() const { return (m_flags & kBorderStyle) ? m_borderStyle : 0; }
int CUGCell::SetBorderPen(const QPen* pen) { m_borderPen = pen; m_flags |= kBorderPen; return 0; }
const QPen* CUGCell::GetBorderPen() const { return (m_flags & kBorderPen) ? m_borderPen : nullptr; }
int CUGCell::SetFont(const QFont* font) { m_font = font; m_flags |= kFont; return 0; }
const QFont* CUGCell::GetFont() const { return (m_flags & kFont) ? m_font : nullptr; }
int CUGCell::SetBitmap(const QPixmap* bitmap) { m_bitmap = bitmap; m_flags |= kBitmap; return 0; }
const QPixmap* CUGCell::GetBitmap() const { return (m_flags & kBitmap) ? m_bitmap : nullptr; }
int CUGCell::SetReadOnly(int readOnly) { m_readOnly = readOnly != 0; m_flags |= kReadOnly; return 0; }
bool CUGCell::GetReadOnly() const { return (m_flags & kReadOnly) ? m_readOnly : false; }
int CUGCell::SetCellType(int index) { m_cellType = index; m_flags |= kCellType; return 0; }
int CUGCell::GetCellType() const { return (m_flags & kCellType) ? m_cellType : 0; }
int CUGCell::SetCellTypeStyle(int style) { m_cellTypeStyle = style; m_flags |= kCellTypeStyle; return 0; }
int CUGCell::GetCellTypeStyle() const { return (m_flags & kCellTypeStyle) ? m_cellTypeStyle : 0; }
int CUGCell::SetParam(int param) { m_param = param; m_flags |= kParam; return 0; }
int CUGCell::GetParam() const { return (m_flags & kParam) ? m_param : 0; }

int CUGCell::SetExtraMemory(const QByteArray& bytes)
{
    m_extra = bytes;
    m_flags |= kExtraData;
    return 0;
}

QByteArray CUGCell::GetExtraMemory() const
{
    return (m_flags & kExtraData) ? m_extra : QByteArray();
}

int CUGCell::SetJoinInfo(int flag, int columnOffset, int rowOffset)
{
    m_join[0] = flag;
    m_join[1] = columnOffset;
    m_join[2] = rowOffset;
    m_flags |= kJoin;
    return 0;
}

int CUGCell::GetJoinInfo(int* flag, int* columnOffset, int* rowOffset) const
{
    if (!(m_flags & kJoin))
        return 1;
    if (flag) *flag = m_join[0];
    if (columnOffset) *columnOffset = m_join[1];
    if (rowOffset) *rowOffset = m_join[2];
    return 0;
}

int CUGCell::SetStyleObject(CUGStyleObject* style) { m_styleObject = style; m_flags |= kStyleObject; return 0; }
CUGStyleObject* CUGCell::GetStyleObject() const { return (m_flags & kStyleObject) ? m_styleObject : nullptr; }
int CUGCell::SetStyleCell(const CUGCell* style) { m_styleCell = style; m_flags |= kStyleCell; return 0; }
const CUGCell* CUGCell::GetStyleCell() const { return (m_flags & kStyleCell) ? m_styleCell : nullptr; }

void CUGCell::MergeProperties(const CUGCell& from, CUGCell& to)
{
    const std::uint32_t f = from.m_flags;
    to.m_flags |= f;
    if (f & kStyleObject) to.m_styleObject = from.m_styleObject;
    if (f & kStyleCell) to.m_styleCell = from.m_styleCell;
    if (f & kText) { to.m_text = from.m_text; to.m_number = from.m_number; }
    if (f & kLabel) to.m_label = from.m_label;
    if (f & kMask) to.m_mask = from.m_mask;
    if (f & kDataType) to.m_dataType = from.m_dataType;
    if (f & kReadOnly) to.m_readOnly = from.m_readOnly;
    if (f & kParam) to.m_param = from.m_param;
    if (f & kDecimals) to.m_decimals = from.m_decimals;
    if (f & kCellType) to.m_cellType = from.m_cellType;
    if (f & kCellTypeStyle) to.m_cellTypeStyle = from.m_cellTypeStyle;
    if (f & kTextColor) to.m_textColor = from.m_textColor;
    if (f & kBackColor) to.m_backColor = from.m_backColor;
    if (f & kHighlightTextColor) to.m_hTextColor = from.m_hTextColor;
    if (f & kHighlightBackColor) to.m_hBackColor = from.m_hBackColor;
    if (f & kBorderStyle) to.m_borderStyle = from.m_borderStyle;
    if (f & kBorderPen) to.m_borderPen = from.m_borderPen;
    if (f & kFont) to.m_font = from.m_font;
    if (f & kBitmap) to.m_bitmap = from.m_bitmap;
    if (f & kAlignment) to.m_alignment = from.m_alignment;
    if (f & kExtraData) to.m_extra = from.m_extra;
    if (f & kJoin) { to.m_join[0] = from.m_join[0]; to.m_join[1] = from.m_join[1]; to.m_join[2] = from.m_join[2]; }
}

void CUGCell::CopyFrom(const CUGCell& source)
{
    m_flags = source.m_flags;
    MergeProperties(source, *this);
}

void CUGCell::CopyInto(CUGCell& target) const
{
    target.CopyFrom(*this);
}

void CUGCell::AddFrom(const CUGCell& source)
{
    MergeProperties(source, *this);
}

void CUGCell::AddInto(CUGCell& target) const
{
    MergeProperties(*this, target);
}
