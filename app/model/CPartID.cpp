#include "model/CPartID.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/SchemaVersion.h"
#include "model/ModelTexts.h"

struct CPartID::PartIDImpl
{
    virtual ~PartIDImpl() = default;
    std::int32_t number = 1;
    QString text;
};

namespace {
std::uint16_t g_displayMode = 1;
}

CPartID::CPartID(std::int32_t number)
    : d(std::make_unique<PartIDImpl>())
{
    d->number = number;
    d->text = QString::asprintf("%.4d", number);
}

CPartID::CPartID(const CPartID& other)
    : d(std::make_unique<PartIDImpl>(*other.d))
{ }

CPartID& CPartID::operator=(const CPartID& other)
{
    d->number = other.d->number;
    d->text = other.d->text;
    return *this;
}

CPartID::~CPartID() = default;

std::int32_t CPartID::GetNumber() const
{
    return d->number;
}

void CPartID::SetNumber(std::int32_t number)
{
    d->number = number;
}

const QString& CPartID::GetText() const
{
    return d->text;
}

void CPartID::SetText(const QString& text)
{
    d->text = text;
}

std::uint16_t CPartID::GetPartIDDisplayMode()
{
    return g_displayMode;
}

void CPartID::SetPartIDDisplayMode(std::uint16_t mode)
{
    g_displayMode = mode;
}

QString CPartID::FormatPartID(int mode) const
{
    if (mode == 0)
        mode = g_displayMode;
    switch (mode) {
    case 1:
        return QString::number(d->number);
    case 2:
        return LetterName(d->number);
    default:
        return d->text;
    }
}

bool CPartID::IsLess(const CPartID& a, const CPartID& b)
{
    if (g_displayMode == 3)
        return a.d->text.compare(b.d->text) < 0;
    return a.d->number < b.d->number;
}

bool CPartID::IsEqual(const CPartID& a, const CPartID& b)
{
    return g_displayMode == 3 ? a.d->text == b.d->text : a.d->number == b.d->number;
}

bool CPartID::HasEqualText(const CPartID& a, const CPartID& b)
{
    return a.d->text == b.d->text;
}

bool CPartID::ToField(CParseField& field, unsigned flags) const
{
    if (!(flags & CParseField::TextSet))
        return false;
    field.SetText(QLatin1Char(' ') + FormatPartID(0));
    return true;
}

bool CPartID::FromField(const CParseField& field)
{
    if (!field.HasText())
        return false;
    QString text = field.GetText();
    qsizetype start = 0;
    while (start < text.size() && text.at(start).isSpace())
        ++start;
    d->text = text.mid(start);
    return true;
}

void CPartID::Serialize(ArchiveWrapper& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t { 1 } << d->number << d->text;
        return;
    }
    ReadOrThrowInRange(ar, 1, 1);
    ar >> d->number >> d->text;
}
