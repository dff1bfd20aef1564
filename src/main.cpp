#include "platform/display.h"
#include "window/application.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    // Without a display the toolkit would abort with advice that does not help.
    if (zandrel::graphicalDisplayMissing()) {
        std::fputs(zandrel::kNoDisplayMessage, stderr);
        return 1;
    }
    return zandrel::runApplication(argc, argv);
}
