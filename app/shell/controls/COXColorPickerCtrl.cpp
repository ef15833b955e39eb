#include "shell/controls/COXColorPickerCtrl.h"

#include "foundation/NamedColors.h"
#include "platform/ui/ColorRef.h"

#include <QColorDialog>
#include <QPainter>

using platform::ToQColor;

COXColorPickerCtrl::COXColorPickerCtrl(int buttonCount, int rowCount, std::uint32_t defaultValue,
    int buttonWidth, int buttonHeight, const QString& defaultButtonText, const QString& customButtonText)
    : SwatchBarCtrl(
        buttonCount, rowCount, defaultValue, buttonWidth, buttonHeight, defaultButtonText, customButtonText)
{ }

std::span<const std::uint32_t> COXColorPickerCtrl::StandardPalette()
{
    return NamedColorValues();
}

bool COXColorPickerCtrl::Pick(int alignment, const QRect* rect, int dx, int dy)
{
    return PickFrom(StandardPalette(), 0x00000000, alignment, rect, dx, dy);
}

void COXColorPickerCtrl::FillSwatch(QPainter& painter, const QRect& rect, std::uint32_t value) const
{
    painter.fillRect(rect, ToQColor(value));
}

bool COXColorPickerCtrl::OnCustomButton()
{
    QColorDialog dialog(ToQColor(SelectedValue()), parentWidget());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    SetSelectedIndexForCustom();
    SetSelectedValue(platform::FromQColor(dialog.selectedColor()));
    return true;
}
