#pragma once

#include "foundation/CParseField.h"

#include <QString>

#include <cstdint>
#include <vector>

// One copied or pasted grid row: its cells, and extra fields that travel
// with the row.
class ParseFieldRow
{
public:
    std::uint32_t GetIndex() const { return m_index; }
    void SetIndex(std::uint32_t index) { m_index = index; }

    int GetFieldCount() const { return static_cast<int>(m_fields.size()); }
    const CParseField& GetField(int position) const { return m_fields.at(static_cast<std::size_t>(position)); }
    CParseField& GetField(int position) { return m_fields.at(static_cast<std::size_t>(position)); }
    std::vector<CParseField>::const_iterator FieldsBegin() const { return m_fields.begin(); }
    void AppendField(const CParseField& field) { m_fields.push_back(field); }
    // Empties both lists.
    void ClearFields();

    const std::vector<CParseField>& GetFields() const { return m_fields; }
    std::vector<CParseField>& GetFieldsForEdit() { return m_fields; }
    const std::vector<CParseField>& GetExtraFields() const { return m_extraFields; }
    std::vector<CParseField>& GetExtraFieldsForEdit() { return m_extraFields; }

private:
    std::uint32_t m_index = 0;
    std::vector<CParseField> m_fields;
    std::vector<CParseField> m_extraFields;
};

using ParseFieldRows = std::vector<ParseFieldRow>;

// A row of two texts in columns 0 and 1.
void AppendTwoFieldRow(ParseFieldRows& rows, const QString& first, const QString& second);
// A row of one text in column 0.
void AppendSingleFieldRow(ParseFieldRows& rows, const QString& text);

// Conversions of a field: the number when one is set (truncated toward
// zero), else the text's leading decimal integer (0 when there is none).
int ParseFieldToInt(const CParseField& field);
std::int64_t ParseFieldToLong(const CParseField& field);
// The number when set (not 0 is true), else the text: "yes", the localized
// yes, "true", "ok", "1" or "-1", ignoring case.
bool ParseFieldToBool(const CParseField& field);
