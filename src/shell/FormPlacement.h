#pragma once
// A window's state and bounds in the settings file, under a section named after the
// window's component name: "WindowState" (0 normal, 1 minimised, 2 maximised),
// "Left", "Top", "Width", "Height".

class QWidget;

// Left and Top are the position of the window's frame. A window that has not been
// shown in this run keeps what is stored.
void SaveFormPlacement(QWidget* form);

// Restores a saved placement. State 2 maximises and changes nothing else; otherwise
// the saved position (and with withSize the saved size) is applied: a left or top
// edge below the screen's, or at or beyond its width or height, becomes the
// screen's edge, and then the whole frame is moved inside the screen's available
// area. With no position stored the window keeps its place (its default one until
// the user moves it), kept inside the available area too.
void LoadFormPlacement(QWidget* form, bool withSize);

// Whether the settings file stores a position for the window.
bool HasStoredPlacement(const QWidget* form);
