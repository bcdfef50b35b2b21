#include "storage/ansi_code_page.h"

#include "storage/code_page_1252.h"

namespace brennquist {

std::string EncodeAnsiCodePage(std::string_view utf8) {
    return EncodeWindows1252(utf8);
}

std::string DecodeAnsiCodePage(std::string_view bytes) {
    return DecodeWindows1252(bytes);
}

}  // namespace brennquist
