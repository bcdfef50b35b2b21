#pragma once

#include <array>
#include <string_view>

namespace brennquist {

// The vendor behind the program: the window's address block, the report's
// footer and the mail inquiry all name the same one.
inline constexpr std::array<std::string_view, 5> kVendorAddressLines{
    "Modellbau Kessler GmbH",
    "Segelflugweg 12",
    "99999 Beispielstadt",
    "Tel. 0123 4567890   Fax 0123 4567891",
    "eMail: info@example.com   Web: www.example.com",
};

// "mailto:" and the order address are one constant text.
inline constexpr std::string_view kVendorMailTo = "mailto:bestellung@example.com";

// The maker's notice at the start of the report's footer.
inline constexpr std::string_view kMakerNotice = "Brennquist - Modellbau Kessler GmbH";

}  // namespace brennquist
