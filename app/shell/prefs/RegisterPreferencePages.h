#pragma once

// Puts the six preference pages of this module (display styles, B.O.M.,
// file locations, fonts, shading, reports) into their places of the
// preferences sheet. The shell calls it once at start-up, before any sheet
// is built; the string service also needs PrefsStringResources().
void RegisterShellPreferencePages();
