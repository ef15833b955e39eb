#pragma once
// One grid cell's content and look. Each property has a bit in the flag
// word; a property whose bit is clear counts as "not set", so that laying
// one cell over another copies only what the upper layer really sets.

#include "platform/ui/ColorRef.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

class QFont;
class QPen;
class QPixmap;
class CUGCell;

// An object that amends a merged cell after the data-source layers.
class CUGStyleObject {
public:
    virtual ~CUGStyleObject() = default;
    virtual void AmendCell(CUGCell& cell) = 0;
};

class CUGCell {
public:
    using ColorRef = platform::ColorRef;

    // Property bits.
    static constexpr std::uint32_t kText = 0x1;
    static constexpr std::uint32_t kMask = 0x2;
    static constexpr std::uint32_t kLabel = 0x4;
    static constexpr std::uint32_t kDataType = 0x8;
    static constexpr std::uint32_t kParam = 0x10;
    static constexpr std::uint32_t kCellType = 0x20;
    static constexpr std::uint32_t kCellTypeStyle = 0x40;
    static constexpr std::uint32_t kTextColor = 0x80;
    static constexpr std::uint32_t kBackColor = 0x100;
    static constexpr std::uint32_t kHighlightTextColor = 0x200;
    static constexpr std::uint32_t kHighlightBackColor = 0x400;
    static constexpr std::uint32_t kBorderStyle = 0x800;
    static constexpr std::uint32_t kBorderPen = 0x1000;
    static constexpr std::uint32_t kFont = 0x2000;
    static constexpr std::uint32_t kBitmap = 0x4000;
    static constexpr std::uint32_t kAlignment = 0x8000;
    static constexpr std::uint32_t kExtraData = 0x10000;
    static constexpr std::uint32_t kJoin = 0x20000;
    static constexpr std::uint32_t kStyleObject = 0x200000;
    static constexpr std::uint32_t kStyleCell = 0x800000;
    static constexpr std::uint32_t kReadOnly = 0x1000000;
    static constexpr std::uint32_t kDecimals = 0x2000000;
    // No field: format a number without the locale's grouping (editors show plain numbers).
    static constexpr std::uint32_t kPlainNumber = 0x4000000;
    static constexpr std::uint32_t kResetFlags = 0x8788;

    // Data types.
    static constexpr int kTypeText = 1;
    static constexpr int kTypeNumber = 2;
    static constexpr int kTypeDate = 4;
    static constexpr int kTypeCurrency = 5;

    // Alignment bits.
    static constexpr int kAlignLeft = 1;
    static constexpr int kAlignRight = 2;
    static constexpr int kAlignCenter = 4;
    static constexpr int kAlignTop = 8;
    static constexpr int kAlignBottom = 16;
    static constexpr int kAlignVCenter = 32;

    CUGCell();
    CUGCell(const CUGCell& other);
    CUGCell& operator=(const CUGCell& other);
    ~CUGCell();

    void ClearAll();

    std::uint32_t GetPropertyFlags() const { return m_flags; }
    void SetPropertyFlags(std::uint32_t flags) { m_flags = flags; }
    bool IsPropertySet(std::uint32_t mask) const { return (m_flags & mask) != 0; }

    int SetText(const QString& text);
    // Null when not set; a number's text is formatted (and cached) here.
    QString GetText();
    int GetTextLength();
    int SetLabelText(const QString& text);
    QString GetLabelText() const;
    int GetLabel(QString& out) const;
    int SetMask(const QString& mask);
    QString GetMask() const;
    QString GetDisplayText();

    int SetNumber(double number);
    double GetNumber();
    int SetDataType(int type);
    int GetDataType() const;
    int SetNumberDecimals(int decimals);
    int GetNumberDecimals() const;

    int SetTextColor(ColorRef color);
    ColorRef GetTextColor() const;
    int SetBackColor(ColorRef color);
    ColorRef GetBackColor() const;
    int SetHighlightTextColor(ColorRef color);
    ColorRef GetHighlightTextColor() const;
    int SetHighlightBackColor(ColorRef color);
    ColorRef GetHighlightBackColor() const;

    int SetAlignment(int alignment);
    int GetAlignment() const;
    int SetBorderStyle(int style);
    int GetBorderStyle() const;
    // Pens, fonts and bitmaps are borrowed, never freed by the cell.
    int SetBorderPen(const QPen* pen);
    const QPen* GetBorderPen() const;
    int SetFont(const QFont* font);
    const QFont* GetFont() const;
    int SetBitmap(const QPixmap* bitmap);
    const QPixmap* GetBitmap() const;

    int SetReadOnly(int readOnly);
    bool GetReadOnly() const;
    int SetCellType(int index);
    int GetCellType() const;
    int SetCellTypeStyle(int style);
    int GetCellTypeStyle() const;
    int SetParam(int param);
    int GetParam() const;

    int SetExtraMemory(const QByteArray& bytes);
    QByteArray GetExtraMemory() const;
    // Join words: flag (0 = this cell belongs to a block whose first cell lies
    // at the offsets), column offset, row offset.
    int SetJoinInfo(int flag, int columnOffset, int rowOffset);
    int GetJoinInfo(int* flag, int* columnOffset, int* rowOffset) const;

    int SetStyleObject(CUGStyleObject* style);
    CUGStyleObject* GetStyleObject() const;
    int SetStyleCell(const CUGCell* style);
    const CUGCell* GetStyleCell() const;

    // Every field set in `from` is copied onto `to`; `to` keeps the rest.
    static void MergeProperties(const CUGCell& from, CUGCell& to);
    // The target ends with exactly the source's properties.
    void CopyFrom(const CUGCell& source);
    void CopyInto(CUGCell& target) const;
    // Overlays: the target keeps what the source does not set.
    void AddFrom(const CUGCell& source);
    void AddInto(CUGCell& target) const;

private:
    QString FormatNumberText() const;

    std::uint32_t m_flags = kResetFlags;
    CUGStyleObject* m_styleObject = nullptr;
    const CUGCell* m_styleCell = nullptr;
    double m_number = 0.0;
    QString m_text;
    QString m_label;
    QString m_mask;
    int m_dataType = kTypeText;
    bool m_readOnly = false;
    int m_param = -1;
    int m_decimals = 0;
    int m_cellType = -1;
    int m_cellTypeStyle = -1;
    ColorRef m_textColor = 0;
    ColorRef m_backColor = 0;
    ColorRef m_hTextColor = 0;
    ColorRef m_hBackColor = 0;
    int m_borderStyle = 0;
    const QPen* m_borderPen = nullptr;
    const QFont* m_font = nullptr;
    const QPixmap* m_bitmap = nullptr;
    int m_alignment = kAlignLeft;
    QByteArray m_extra;
    int m_join[3] = {0, 0, 0};
};
