#pragma once
// The editor of cells with a mask: each position of the mask either takes
// one character of a class ("0" a digit, "L" a letter, ...) or is a literal
// that the editor puts in by itself.

#include "gridctrl/CUGEdit.h"

// A compiled mask: one entry per position of the text.
struct CUGMask {
    static constexpr QChar kMarker = QChar(8);
    QString pattern;  // the mask character at input positions, the marker at literals
    QString literals; // the literal at literal positions, the marker at input positions

    bool IsEmpty() const { return pattern.isEmpty(); }
    bool IsLiteral(int position) const { return pattern[position] == kMarker; }

    // A backslash makes the next character a literal; "09#L?Aa&C" are input
    // positions; anything else is a literal.
    static CUGMask Compile(const QString& mask);
    // Does the mask character's class take the character?
    static bool Accepts(QChar maskCharacter, QChar character);
    // The text rebuilt position by position against the mask.
    QString Reformat(const QString& text) const;
};

class CUGMaskedEdit : public CUGEditBase {
    Q_OBJECT
public:
    explicit CUGMaskedEdit(CUGCtrl* ctrl);

    // A null or empty mask switches masking off.
    void SetMask(const QString& mask);
    bool IsMaskActive() const { return m_maskActive; }
    const CUGMask& GetMask() const { return m_mask; }
    void PrepareEdit() override;

protected:
    void TypeCharacter(QKeyEvent* event, int character) override;
    void BeforeFocusLost() override;

private:
    bool m_internalChange = false;
    bool m_maskActive = false;
    QString m_maskText;
    CUGMask m_mask;
};
