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
class Form;

// The reply to WM_GETOBJECT, or 0 when the form does not answer it (another object id).
LRESULT AnswerGetObject(HWND form, WPARAM wParam, LPARAM lParam);

// The form's accessible children, and one control's child id (1-based; 0 when it is none).
std::vector<Control*> AccessibleChildren(Form& form);
long AccessibleChildId(Form& form, const Control& control);
