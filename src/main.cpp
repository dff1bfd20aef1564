#include "platform/display.h"
#include "window/application.h"

#include <cstdio>
#include <string_view>

namespace {

/// True when the command line chooses Qt's platform itself ("-platform offscreen").
bool choosesPlatform(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.starts_with("-platform") || argument.starts_with("--platform"))
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    // Without a display the toolkit would abort with advice that does not help.
    if (!choosesPlatform(argc, argv) && zandrel::graphicalDisplayMissing()) {
        std::fputs(zandrel::kNoDisplayMessage, stderr);
        return 1;
    }
    return zandrel::runApplication(argc, argv);
}
