#include "foundation/ui/CStaticWithTip.h"

CStaticWithTip::CStaticWithTip(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QString CutToolTipText(const QString& text)
{
    constexpr int kMaxToolTip = 79;
    return text.left(kMaxToolTip);
}
