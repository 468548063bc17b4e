#pragma once
// Undoing what a show did to a window, once the window hides again.

#include <functional>

class QWidget;

namespace skerra {

// Calls `undo` with the window the first time it hides after this call, then forgets it.
void whenHidden(QWidget* window, std::function<void(QWidget*)> undo);

}  // namespace skerra
