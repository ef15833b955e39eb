#pragma once

#include <platform/ui/ColorRef.h>

#include <QString>

#include <array>

// One colour the colour pickers offer, with its name as the user reads it.
struct NamedColor
{
    platform::ColorRef color; // 0x00BBGGRR
    QString name;
};

inline constexpr int kNamedColorCount = 40;
using NamedColorList = std::array<NamedColor, kNamedColorCount>;

// The 40 colours in the pickers' cell order, named from the UI strings.
void BuildNamedColorList(NamedColorList& list);
// The same 40 colours without their names, for controls that need no string service.
const std::array<platform::ColorRef, kNamedColorCount>& NamedColorValues();
