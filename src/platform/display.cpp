#include "platform/display.h"

#include <cstdlib>
#include <string_view>

namespace zandrel {

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

} // namespace

bool graphicalDisplayMissing() {
    if (isSet("DISPLAY") || isSet("WAYLAND_DISPLAY"))
        return false;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::string_view list = platform != nullptr ? platform : "";
    // A list of fallbacks "a;b", each with optional arguments "name:arg".
    while (!list.empty()) {
        const std::size_t end = list.find(';');
        std::string_view entry = list.substr(0, end);
        entry = entry.substr(0, entry.find(':'));
        if (!entry.empty() && entry != "xcb" && !entry.starts_with("wayland"))
            return false;
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
    }
    return true;
}

} // namespace zandrel
