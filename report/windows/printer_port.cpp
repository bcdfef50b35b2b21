#include "report/windows/printer_port.h"

#include <windows.h>
// After windows.h, which it needs.
#include <winspool.h>

#include <algorithm>
#include <memory>
#include <string_view>
#include <vector>

namespace brennquist {
namespace {

struct PrinterCloser {
    void operator()(HANDLE printer) const { ::ClosePrinter(printer); }
};
using Printer = std::unique_ptr<void, PrinterCloser>;

// The printer's ports, as the spooler lists them: comma-separated for a pool.
std::wstring PortsOf(HANDLE printer) {
    DWORD needed = 0;
    ::GetPrinterW(printer, 5, nullptr, 0, &needed);
    if (needed == 0) {
        return {};
    }
    std::vector<BYTE> buffer(needed);
    if (::GetPrinterW(printer, 5, buffer.data(), needed, &needed) == 0) {
        return {};
    }
    const auto* const info = reinterpret_cast<const PRINTER_INFO_5W*>(buffer.data());
    return info->pPortName != nullptr ? std::wstring(info->pPortName) : std::wstring();
}

bool Prompts(std::wstring_view port) {
    while (!port.empty() && port.front() == L' ') {
        port.remove_prefix(1);
    }
    for (const std::wstring_view prompting : {L"FILE:", L"PORTPROMPT:"}) {
        if (::CompareStringOrdinal(port.data(), static_cast<int>(port.size()), prompting.data(),
                                   static_cast<int>(prompting.size()), TRUE) == CSTR_EQUAL) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool PortAsksForOutputFile(const std::wstring& printerName) {
    HANDLE opened = nullptr;
    std::wstring name = printerName;
    if (::OpenPrinterW(name.data(), &opened, nullptr) == 0) {
        return false;
    }
    const Printer printer(opened);
    const std::wstring ports = PortsOf(printer.get());
    for (std::size_t start = 0; start <= ports.size();) {
        const std::size_t end = std::min(ports.find(L',', start), ports.size());
        if (Prompts(std::wstring_view(ports).substr(start, end - start))) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace brennquist
