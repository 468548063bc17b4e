#pragma once
// On-screen message boxes (QMessageBox) behind the replaceable message function.

namespace skerra {

void installWidgetMessageBoxes();

}  // namespace skerra
