#pragma once

class QEvent;
class QWidget;

namespace strativex {

// A field commits its value when the focus leaves it for another control of the same window.
// Switching to another window, opening a menu or pressing Alt for the menu bar is not leaving it.
bool LeavesForAnotherControl(const QEvent& focusOut);

// Gives the focus back to a field that refused its value, once the focus change under way has
// finished.
void HoldFocus(QWidget* field);

}  // namespace strativex
