#pragma once

class QWidget;

namespace strativex {

// Opens a window of the program on the screen that holds the main window and wholly on it:
// centred over the main window the first time, moved in from the screen's edges, and made
// smaller where it would not fit the screen's free area.
void PlaceOnScreenOf(QWidget& window, const QWidget& owner);

// Escape closes a window that is not a dialog, as it closes the dialogs.
void CloseOnEscape(QWidget& window);

}  // namespace strativex
