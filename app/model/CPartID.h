#pragma once

#include "foundation/CParseField.h"

#include <QString>

#include <cstdint>
#include <memory>

class ArchiveWrapper;

// The identifier of a part: a number and a text. The text starts as the
// number with four digits and then lives on its own: SetNumber keeps it.
// Which of the two the user sees and sorts by follows the global display mode
// (1 number, 2 letters, 3 text).
class CPartID : public IFieldParseable
{
public:
    explicit CPartID(std::int32_t number = 1);
    CPartID(const CPartID& other);
    CPartID& operator=(const CPartID& other);
    virtual ~CPartID();

    // A blank and the identifier in the global mode, when flags bit 0 asks for text.
    bool ToField(CParseField& field, unsigned flags) const override;
    // The field's text, leading white space trimmed; the number stays.
    bool FromField(const CParseField& field) override;
    // int32 version 1, int32 number, text.
    virtual void Serialize(ArchiveWrapper& ar);

    std::int32_t GetNumber() const;
    void SetNumber(std::int32_t number);
    const QString& GetText() const;
    void SetText(const QString& text);

    // Mode 0 takes the global mode.
    QString FormatPartID(int mode = 0) const;

    static std::uint16_t GetPartIDDisplayMode();
    static void SetPartIDDisplayMode(std::uint16_t mode);

    static bool IsLess(const CPartID& a, const CPartID& b);
    static bool IsEqual(const CPartID& a, const CPartID& b);
    static bool IsNotEqual(const CPartID& a, const CPartID& b) { return !IsEqual(a, b); }
    static bool HasEqualText(const CPartID& a, const CPartID& b);

private:
    struct PartIDImpl;
    std::unique_ptr<PartIDImpl> d;
};
