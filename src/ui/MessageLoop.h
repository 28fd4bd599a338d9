#pragma once
// The message loops of the one UI thread: the top-level loop, the processing of what is
// pending (the progress window's calls), and the nested modal loop of dialogs and waits.
// Each passes key messages to their form's keyboard rules before the window sees them.

#include <functional>

#include <windows.h>

class Form;

// Translates and dispatches one message (keys go to their form first).
void DispatchOneMessage(MSG& msg);

// Runs until a quit message arrives; returns its exit code.
int RunMessageLoop();

// Handles every message that is waiting, then returns. A quit message ends it and is posted
// again, so that the loop that owns it sees it; the result is then false.
bool ProcessPendingMessages();

// Runs a nested loop until `done` is true: every other enabled top-level window of this thread
// (the owner chain included) is disabled for its length, and enabled again and the owner
// re-activated on every path. A quit message ends the loop and is posted again; the result is
// then false.
bool RunModal(Form& form, const std::function<bool()>& done);

// The topmost visible top-level window of this thread, or nullptr: the owner for a dialog.
HWND TopmostThreadWindow();
