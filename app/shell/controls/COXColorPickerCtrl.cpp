#include "shell/controls/COXColorPickerCtrl.h"

#include "platform/ui/ColorRef.h"

#include <QColorDialog>
#include <QPainter>

using platform::ToQColor;

namespace {

// Black to white in rows of ten, darker shades first.
constexpr std::uint32_t kStandardPalette[40] = {
    0x00000000,
    0x002A2AA5,
    0x00404000,
    0x00005500,
    0x005E0000,
    0x008B0000,
    0x0082004B,
    0x00282828,
    0x0000008B,
    0x002068FF,
    0x00008B8B,
    0x00009300,
    0x008E8E38,
    0x00FF0000,
    0x00C07B7B,
    0x00666666,
    0x000000FF,
    0x005BADFF,
    0x0032CD32,
    0x0071B33C,
    0x00D4FF7F,
    0x00C09E7D,
    0x00800080,
    0x007F7F7F,
    0x00CBC0FF,
    0x0000D7FF,
    0x0000FFFF,
    0x0000FF00,
    0x00D0E040,
    0x00FFFFC0,
    0x00480048,
    0x00C0C0C0,
    0x00E1E4FF,
    0x008CB4D2,
    0x00E0FFFF,
    0x0098FB98,
    0x00EEEEAF,
    0x008B8368,
    0x00FAE6E6,
    0x00FFFFFF,
};

} // namespace

COXColorPickerCtrl::COXColorPickerCtrl(int buttonCount, int rowCount, std::uint32_t defaultValue,
    int buttonWidth, int buttonHeight, const QString& defaultButtonText, const QString& customButtonText)
    : SwatchBarCtrl(
        buttonCount, rowCount, defaultValue, buttonWidth, buttonHeight, defaultButtonText, customButtonText)
{ }

std::span<const std::uint32_t> COXColorPickerCtrl::StandardPalette()
{
    return kStandardPalette;
}

bool COXColorPickerCtrl::Pick(int alignment, const QRect* rect, int dx, int dy)
{
    return PickFrom(kStandardPalette, 0x00000000, alignment, rect, dx, dy);
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
