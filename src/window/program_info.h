#pragma once

// The program's own facts, shown on the menu screen, in the window caption and
// in the version window, and the author's addresses behind the menu screen's
// links (settings of the build).

namespace zandrel {

inline constexpr const char* kVersion = "0.02";
inline constexpr const char* kReleaseDate = "2000/3/12";
inline constexpr const char* kCopyrightLine = "Copyright (C) 2026 Zandrel developers";
inline constexpr const char* kMusicCreditLine = "Music composed by Quib";
inline constexpr const char* kAuthorMail = ZANDREL_AUTHOR_MAIL;
inline constexpr const char* kAuthorHomePage = ZANDREL_HOME_PAGE;

} // namespace zandrel
