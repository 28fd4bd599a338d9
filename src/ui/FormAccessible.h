#pragma once
// What a screen reader sees of a form: the accessible object of its client area, answered to
// WM_GETOBJECT. Its children are the drawn controls that have a role (buttons by caption,
// labels as static text, the progress bar with its value), in tree order, and the real child
// windows (the edit field, the dialogs' push buttons) as their own objects. Each keeps its
// child id for the life of the window: a hidden one answers as invisible, it does not shift
// the others. Once the window is gone the object answers as disconnected. oleacc is loaded
// from the system folder when a client first asks; a program no one reads never loads it.

#include <vector>

#include <windows.h>

class Control;

// WM_GETOBJECT and a press asked for by a reader (PostAccessiblePress), for the form `window`
// whose client area is `root`; false when the message is none of them or the form does not
// answer it (another object id).
bool AccessibleMessage(HWND window, Control& root, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
// Presses the control once the reader's call has returned (a press may run a whole install).
void PostAccessiblePress(HWND window, Control& root, Control& control);

// The accessible children of a form's client area `root`, and one control's child id
// (1-based; 0 when it is none).
std::vector<Control*> AccessibleChildren(Control& root);
long AccessibleChildId(Control& root, const Control& control);
