#pragma once

class QWidget;

// Follows, for the whole program, which of its top-level windows was activated last (dialogs
// and message boxes included; popups, tooltips and the splash kind not). Tracking starts with the
// first call of StartTrackingActiveWindows() after the application object exists.
void StartTrackingActiveWindows();

// The window activated last, or null once it is destroyed.
QWidget *LastActiveWindow();

// While a window handles its WindowActivate event: the window that was the last active one
// before it (itself when the program only got the focus back from another program).
QWidget *PreviousActiveWindow();
