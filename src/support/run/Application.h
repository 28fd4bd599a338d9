#pragma once
// The application's title (shown as the caption of plain message boxes) and the two reports
// that do not go through the dialog service: InfoBox and the top-level error report. Both are
// system message boxes unless the app (silent modes) or a test routes them elsewhere.

#include <functional>
#include <string>

void SetApplicationTitle(std::string title);
const std::string& ApplicationTitle();

using MessageHandler = std::function<void(const std::string& message)>;

// Shows an error that reached the top of the program (a message box titled with the
// application title, unless routed elsewhere).
void ShowException(const std::string& message);
// Routes ShowException; an empty handler restores the message box.
void SetExceptionHandler(MessageHandler handler);
// Routes InfoBox; an empty handler restores the message box.
void SetInfoBoxHandler(MessageHandler handler);
const MessageHandler& InfoBoxHandler();
