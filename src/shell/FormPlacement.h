#pragma once
// A window's state and bounds in the settings file, under a section named after the
// window's component name: "WindowState" (0 normal, 1 minimised, 2 maximised),
// "Left", "Top", "Width", "Height".

class QWidget;

void SaveFormPlacement(QWidget* form);

// Restores a saved placement. State 2 maximises and changes nothing else; otherwise
// the saved position (and with withSize the saved size) is applied and then kept on
// the primary screen: a left or top edge below 0, or at or beyond the screen's
// width or height, becomes 0.
void LoadFormPlacement(QWidget* form, bool withSize);
