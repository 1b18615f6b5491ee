// The embedded theme pictures (":/pictures/NAME.bmp") and program icons
// (":/icons/MAINICON-<size>.png") of the static resource library.
#pragma once

// Registers the embedded resources; safe to call any number of times.
void InitThemeResources();
