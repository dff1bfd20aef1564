#pragma once

// The information strip above the table (play-mode icon, the game line, the
// current cue ball) and the two captions of the demonstration table. Text is
// painted with Qt; a QGuiApplication must exist.

#include "game/game.h"
#include "platform/surface.h"

#include <string>

namespace zandrel {

inline constexpr int kInfomationWidth = 321;
inline constexpr int kInfomationHeight = 25;

/// Draws the whole information strip anew for a PlayMode: black, the play-mode
/// icon from the table picture, `line` at (30, 3) in green, and (solo and two
/// sides) " Now :" with the cue ball's sprite in a green frame. The demonstration
/// shows the line alone; any other play mode leaves the strip plain black.
void drawInfomation(Surface& strip, const Surface& picTable, const Surface& picBalls, PlayMode playMode,
                    bool isVsCpu, int cueBallIndex, const std::string& line);

/// The demonstration captions on the table: "DEMO" large, and under it the
/// click caption, both dark green over what is already drawn.
void drawDemoCaptions(Surface& buffer, const std::string& clickCaption);

/// Clears the top byte of every pixel. QPainter writes 0xff there when it
/// paints into a surface through PictureBox::wrap; call this after painting so
/// the surface holds plain 0x00RRGGBB values again.
void clearAlphaBytes(Surface& surface);

} // namespace zandrel
