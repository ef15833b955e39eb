#include "gridctrl/CUGMaskedEdit.h"

#include "gridctrl/CUGCell.h"
#include "gridctrl/CUGCtrl.h"

#include <QKeyEvent>

namespace {

const QString kMaskCharacters = QStringLiteral("09#L?Aa&C");

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool isLetter(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}
bool isPrintable(QChar c) { return c.unicode() >= 32 && c.unicode() <= 126; }

} // namespace

CUGMask CUGMask::Compile(const QString& mask)
{
    CUGMask compiled;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        QChar c = mask[i];
        bool literal = true;
        if (c == QLatin1Char('\\') && i + 1 < mask.size())
            c = mask[++i];
        else
            literal = !kMaskCharacters.contains(c);
        compiled.pattern += literal ? kMarker : c;
        compiled.literals += literal ? c : kMarker;
    }
    return compiled;
}

bool CUGMask::Accepts(QChar mask, QChar c)
{
    const bool space = c == QLatin1Char(' ');
    switch (mask.unicode()) {
    case u'0': return isDigit(c);
    case u'9': return isDigit(c) || space;
    case u'#': return isDigit(c) || space || c == QLatin1Char('+') || c == QLatin1Char('-');
    case u'L': return isLetter(c);
    case u'?': return isLetter(c) || space;
    case u'A': return isLetter(c) || isDigit(c);
    case u'a': return isLetter(c) || isDigit(c) || space;
    case u'&':
    case u'C': return isPrintable(c);
    default: return false;
    }
}

QString CUGMask::Reformat(const QString& text) const
{
    QString out;
    qsizetype next = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == kMarker) {
            out += literals[i];
            continue;
        }
        while (next < text.size() && !Accepts(pattern[i], text[next]))
            ++next;
        if (next >= text.size())
            break;
        out += text[next++];
    }
    return out;
}

CUGMaskedEdit::CUGMaskedEdit(CUGCtrl* ctrl)
    : CUGEditBase(ctrl)
{ }

void CUGMaskedEdit::SetMask(const QString& mask)
{
    m_maskText = mask;
    m_maskActive = !mask.isEmpty();
    m_mask = m_maskActive ? CUGMask::Compile(mask) : CUGMask();
    if (!m_maskActive)
        return;
    // The limit counts the mask's characters, backslashes included.
    setMaxLength(static_cast<int>(mask.size()));
    if (!text().isEmpty()) {
        m_internalChange = true;
        setText(m_mask.Reformat(text()));
        m_internalChange = false;
    }
}

void CUGMaskedEdit::PrepareEdit()
{
    CUGCell cell;
    m_ctrl->GetCellWithDefaults(m_ctrl->GetEditColumn(), m_ctrl->GetEditRow(), &cell);
    SetMask(cell.IsPropertySet(CUGCell::kMask) ? cell.GetMask() : QString());
    CUGEditBase::PrepareEdit();
}

void CUGMaskedEdit::BeforeFocusLost()
{
    setMaxLength(32767);
}

void CUGMaskedEdit::TypeCharacter(QKeyEvent* event, int character)
{
    const QChar typed(static_cast<char16_t>(character));
    if (!m_maskActive || m_internalChange || !isPrintable(typed)) {
        CUGEditBase::TypeCharacter(event, character);
        return;
    }
    if (hasSelectedText())
        del();
    int position = cursorPosition();
    if (position >= m_mask.pattern.size())
        return;
    if (m_mask.IsLiteral(position)) {
        m_internalChange = true;
        insert(QString(m_mask.literals[position]));
        m_internalChange = false;
        ++position;
    }
    if (position >= m_mask.pattern.size())
        return;
    // A second literal in a row lets any character take its place.
    if (!m_mask.IsLiteral(position) && !CUGMask::Accepts(m_mask.pattern[position], typed))
        return;
    const int column = m_ctrl->GetEditColumn();
    const int row = m_ctrl->GetEditRow();
    if (m_ctrl->OnEditKey(column, row, this, &character) == 0)
        return;
    InsertCharacter(event, character);
}
