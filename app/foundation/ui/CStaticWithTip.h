#pragma once

#include <QLabel>

// One line of text that explains itself in a tooltip. An empty tip shows none.
class CStaticWithTip : public QLabel
{
    Q_OBJECT

public:
    explicit CStaticWithTip(const QString& text, QWidget* parent = nullptr);

    void SetTipText(const QString& tip) { setToolTip(tip); }
    QString GetTipText() const { return toolTip(); }
};

// Tooltips keep their first 79 characters, as the tooltip buffers always did.
QString CutToolTipText(const QString& text);
