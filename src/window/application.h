#pragma once

namespace zandrel {

/// Starts the game: builds the application and the main window and runs the event loop.
int runApplication(int argc, char* argv[]);

} // namespace zandrel
