#pragma once

#include <QStringList>
#include <functional>
#include <xcb/xproto.h>

class QWidget;

// The window X sends the keys to, as the X server itself sees it.
xcb_window_t keyboardWindow();
bool holdsKeyboard(const QWidget* window);
// Runs the event loop until the condition holds; false when it never did.
bool waitUntil(const std::function<bool()>& condition, int milliseconds = 5000);
// Keys and pointer moves as the user makes them, through the X server to
// whichever window it picks; false when xdotool failed.
bool xdotool(const QStringList& arguments);
