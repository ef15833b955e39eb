#include "foundation/ui/Splitter.h"

#include <QSplitter>

QSplitter* CreateSplitter(QWidget* parent, int rows, int columns)
{
    auto* splitter = new QSplitter(rows > 1 && columns <= 1 ? Qt::Vertical : Qt::Horizontal, parent);
    splitter->setOpaqueResize(false);
    splitter->setChildrenCollapsible(false);
    return splitter;
}
