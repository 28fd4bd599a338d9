#pragma once
// The fonts of the installer's windows: the progress window's panels (their buttons take the
// panel's font), the main window's left panel, and the main window's buttons.

#include "ui/Control.h"

inline const TFont kProgressPanelFont{.Name = "Tahoma", .Height = -13, .Bold = true, .Color = clWhite};
inline const TFont kMainPanelFont{.Name = "Tahoma", .Height = -16, .Bold = true, .Color = clWhite};
inline const TFont kMainButtonFont{.Name = "Tahoma", .Height = -15, .Bold = true, .Color = clWhite};
