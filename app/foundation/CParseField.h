#pragma once

#include <QString>

#include <cstdint>

// One field of a copied, pasted or edited grid row: its text and/or number,
// with flags saying which of the two is set.
class CParseField
{
public:
    enum Flags : unsigned { TextSet = 0x1, NumberSet = 0x2 };
    static constexpr std::uint16_t DefaultKind = 33;

    CParseField() = default;
    CParseField(const CParseField&) = default;
    CParseField& operator=(const CParseField&) = default;
    virtual ~CParseField() = default;

    void Reset() { *this = CParseField(); }

    const QString& GetText() const { return m_text; }
    // Sets the text and marks it present.
    void SetText(const QString& text)
    {
        m_text = text;
        m_flags |= TextSet;
    }
    double GetNumber() const { return m_value; }
    // Sets the number and marks it present.
    void SetNumber(double value)
    {
        m_value = value;
        m_flags |= NumberSet;
    }
    bool HasText() const { return m_flags & TextSet; }
    bool HasNumber() const { return m_flags & NumberSet; }
    unsigned GetFlags() const { return m_flags; }
    void SetFlags(unsigned flags) { m_flags = flags; }

    const QString& GetSecondText() const { return m_text2; }
    void SetSecondText(const QString& text) { m_text2 = text; }
    const QString& GetThirdText() const { return m_text3; }
    void SetThirdText(const QString& text) { m_text3 = text; }
    // Not 0 keeps the field out of the text form of a row.
    unsigned GetExclude() const { return m_exclude; }
    void SetExclude(unsigned exclude) { m_exclude = exclude; }
    // The grid column of the field, -1 for none.
    int GetColumn() const { return m_column; }
    void SetColumn(int column) { m_column = column; }
    std::uint16_t GetKind() const { return m_kind; }
    void SetKind(std::uint16_t kind) { m_kind = kind; }
    std::uint32_t GetIndex() const { return m_index; }
    void SetIndex(std::uint32_t index) { m_index = index; }

private:
    QString m_text;
    QString m_text2;
    double m_value = 0.0;
    unsigned m_flags = 0;
    unsigned m_exclude = 0;
    int m_column = -1;
    std::uint16_t m_kind = DefaultKind;
    std::uint32_t m_index = 0;
    QString m_text3;
};

// A value that exchanges itself with a field (lengths, part numbers, money).
class IFieldParseable
{
public:
    // Fills the field's text (flags bit 0) and/or number (bit 1).
    virtual bool ToField(CParseField& field, unsigned flags) const = 0;
    // Takes the value from the field; false when it cannot.
    virtual bool FromField(const CParseField& field) = 0;

protected:
    ~IFieldParseable() = default;
};
