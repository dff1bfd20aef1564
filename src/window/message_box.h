#pragma once

// The one message box of the game: a text, an OK button, no icon, the title
// "Zandrel". Tests and scripted runs can take the texts instead of a box.

#include <functional>
#include <string>

class QWidget;

namespace zandrel {

inline constexpr const char* kMessageTitle = "Zandrel";
/// When this environment variable names a file, every message text is appended
/// to it (one line each) instead of being shown, and nothing blocks.
inline constexpr const char* kMessageLogVariable = "ZANDREL_MESSAGE_LOG";

/// Receives message texts in place of the box.
using MessageHook = std::function<void(const std::string& text)>;

/// Sets the hook that takes every message from now on; an empty hook brings the
/// box (or the log file) back.
void setMessageHook(MessageHook hook);

/// Shows `text` modally and returns when the player has closed it (or at once
/// when the hook or the log file takes it). The box stands in the middle of
/// `parent` while that window shows, else in the middle of the screen.
void showMessageBox(const std::string& text, QWidget* parent = nullptr);

} // namespace zandrel
