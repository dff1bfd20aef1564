#pragma once

// Whether the game can hope to open a window at all.

namespace zandrel {

/// The one line (with its newline) the game prints when it has no display.
inline constexpr const char* kNoDisplayMessage =
    "zandrel: a graphical display is needed: start it in an X11 or Wayland session "
    "(DISPLAY or WAYLAND_DISPLAY must be set)\n";

/// True when the window system Qt would use is X11 or Wayland (QT_QPA_PLATFORM
/// unset, or naming only "xcb" and "wayland" platforms) and neither DISPLAY nor
/// WAYLAND_DISPLAY is set. Other platforms ("offscreen", "vnc", ...) are left to Qt.
bool graphicalDisplayMissing();

} // namespace zandrel
