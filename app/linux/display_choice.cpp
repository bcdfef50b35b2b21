#include "app/linux/display_choice.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace brennquist {
namespace {

using Arguments = std::vector<std::string_view>;

std::optional<std::string> Variable(const char* name) {
    const char* const value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

// Qt takes "--name" for "-name".
std::string_view OptionName(std::string_view argument) {
    if (argument.size() < 2 || argument[0] != '-') {
        return {};
    }
    return argument[1] == '-' ? argument.substr(1) : argument;
}

// One round of Qt's option parsing: `valued` lists the options it takes here
// together with the argument after them. Calls `take` for each and leaves the
// arguments the round did not use, as Qt hands them on to the next round.
template <typename Valued, typename Take>
Arguments TakeOptions(const Arguments& arguments, Valued valued, Take take) {
    Arguments rest;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view name = OptionName(arguments[i]);
        if (name.empty() || !valued(name)) {
            rest.push_back(arguments[i]);
            continue;
        }
        if (i + 1 < arguments.size()) {
            take(name, arguments[++i]);
        }
    }
    return rest;
}

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The default list when neither -platform nor QT_QPA_PLATFORM names one: X11,
// with Wayland first where a Wayland display or session is announced.
std::string DefaultPlatforms() {
    const bool wayland = Variable("WAYLAND_DISPLAY").has_value() ||
                         Variable("XDG_SESSION_TYPE").value_or("") == "wayland";
    return wayland ? "wayland;xcb" : "xcb";
}

// A list such as "wayland;xcb", each name possibly followed by options after a colon.
void MarkPlatforms(std::string_view list, DisplayChoice& choice) {
    while (!list.empty()) {
        const std::size_t end = list.find(';');
        const std::string_view entry = list.substr(0, end);
        const std::string_view name = entry.substr(0, entry.find(':'));
        if (name == "xcb") {
            choice.x11 = true;
        } else if (name.starts_with("wayland")) {
            choice.wayland = true;
        } else if (!name.empty()) {
            choice.other = true;
        }
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
    }
}

}  // namespace

DisplayChoice ChooseDisplay(std::span<const char* const> arguments) {
    Arguments options;
    for (const char* const argument : arguments.subspan(arguments.empty() ? 0 : 1)) {
        if (argument != nullptr) {
            options.emplace_back(argument);
        }
    }
    DisplayChoice choice;
    std::string platforms = Variable("QT_QPA_PLATFORM").value_or("");
    choice.explicitChoice = !platforms.empty();
    if (platforms.empty()) {
        platforms = DefaultPlatforms();
    }

    // The application's own options come first, then the platform's, then
    // those of the X11 platform; each round sees only what the earlier left.
    options = TakeOptions(
        options,
        [](std::string_view name) {
            return IsOneOf(name, {"-plugin", "-session", "-style"});
        },
        [](std::string_view, std::string_view) {});
    options = TakeOptions(
        options,
        [&platforms](std::string_view name) {
            const bool x11Aliases = platforms.starts_with("xcb");
            return IsOneOf(name, {"-platformpluginpath", "-platform", "-platformtheme",
                                  "-qwindowgeometry", "-qwindowtitle", "-qwindowicon"}) ||
                   (x11Aliases && IsOneOf(name, {"-geometry", "-title", "-icon"}));
        },
        [&](std::string_view name, std::string_view value) {
            if (name == "-platform") {
                platforms = value;
                choice.explicitChoice = true;
            }
        });
    std::optional<std::string> display;
    static_cast<void>(TakeOptions(
        options,
        [](std::string_view name) {
            return IsOneOf(name, {"-display", "-name", "-visual"});
        },
        [&display](std::string_view name, std::string_view value) {
            if (name == "-display") {
                display = std::string(value);
            }
        }));

    MarkPlatforms(platforms, choice);
    choice.x11Display = display ? *display : Variable("DISPLAY").value_or("");
    // As libwayland: a socket handed over by WAYLAND_SOCKET, else the one named
    // by WAYLAND_DISPLAY, else "wayland-0".
    const std::optional<std::string> handedOver = Variable("WAYLAND_SOCKET");
    const std::optional<std::string> wayland = Variable("WAYLAND_DISPLAY");
    if (choice.wayland && handedOver) {
        choice.waylandSocket = handedOver;
    } else if (choice.wayland && (!wayland || !wayland->empty())) {
        choice.waylandDisplay = wayland.value_or("wayland-0");
    }
    return choice;
}

}  // namespace brennquist
