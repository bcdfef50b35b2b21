// Whether the program finds a display, from the environment it is started in.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <optional>
#include <string>

#include "ui/display_check.h"

namespace brennquist {
namespace {

constexpr std::array<const char*, 3> kVariables = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};

struct DisplayCase {
    const char* name;
    const char* display;
    const char* wayland;
    const char* platform;
    bool available;
};

class DisplayCheckTest : public ::testing::TestWithParam<DisplayCase> {
  protected:
    void SetUp() override {
        for (std::size_t i = 0; i < kVariables.size(); ++i) {
            const char* const value = std::getenv(kVariables[i]);
            saved_[i] = value != nullptr ? std::optional<std::string>(value) : std::nullopt;
        }
    }
    void TearDown() override {
        for (std::size_t i = 0; i < kVariables.size(); ++i) {
            Set(kVariables[i], saved_[i] ? saved_[i]->c_str() : nullptr);
        }
    }
    static void Set(const char* name, const char* value) {
        if (value == nullptr) {
            unsetenv(name);
        } else {
            setenv(name, value, 1);
        }
    }

  private:
    std::array<std::optional<std::string>, 3> saved_;
};

TEST_P(DisplayCheckTest, FindsADisplayOnlyWhenOneIsNamed) {
    Set("DISPLAY", GetParam().display);
    Set("WAYLAND_DISPLAY", GetParam().wayland);
    Set("QT_QPA_PLATFORM", GetParam().platform);
    EXPECT_EQ(DisplayAvailable(), GetParam().available);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, DisplayCheckTest,
    ::testing::Values(DisplayCase{"NothingSet", nullptr, nullptr, nullptr, false},
                      DisplayCase{"AllEmpty", "", "", "", false},
                      DisplayCase{"X11", ":0", nullptr, nullptr, true},
                      DisplayCase{"Wayland", nullptr, "wayland-0", nullptr, true},
                      DisplayCase{"ChosenPlatform", nullptr, nullptr, "offscreen", true}),
    [](const ::testing::TestParamInfo<DisplayCase>& info) { return info.param.name; });

}  // namespace
}  // namespace brennquist
