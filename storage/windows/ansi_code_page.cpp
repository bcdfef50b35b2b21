// The ANSI code page Windows names (GetACP), converted by Windows itself, so
// akku.dat reads the same here as in any other program on this Windows.
#include "storage/ansi_code_page.h"

#include <windows.h>

namespace brennquist {
namespace {

// A character WideCharToMultiByte cannot write in the code page.
constexpr const char* kUnmappable = "?";

std::wstring ToUtf16(std::string_view text, UINT codePage) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

// No look-alike for a character the code page lacks ("Ł" is no "L"), only
// '?'. UTF-8 as the ANSI code page (a Windows option) takes neither flags nor
// a default character.
std::string FromUtf16(std::wstring_view wide, UINT codePage) {
    if (wide.empty()) {
        return {};
    }
    const bool unicode = codePage == CP_UTF8 || codePage == CP_UTF7;
    const DWORD flags = unicode ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* const unmappable = unicode ? nullptr : kUnmappable;
    const int size = static_cast<int>(wide.size());
    const int length =
        ::WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, unmappable, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, flags, wide.data(), size, bytes.data(), length, unmappable,
                          nullptr);
    return bytes;
}

}  // namespace

std::string EncodeAnsiCodePage(std::string_view utf8) {
    return FromUtf16(ToUtf16(utf8, CP_UTF8), ::GetACP());
}

std::string DecodeAnsiCodePage(std::string_view bytes) {
    return FromUtf16(ToUtf16(bytes, ::GetACP()), CP_UTF8);
}

}  // namespace brennquist
