// Drucken with a default printer that prints into a file it asks for, as
// "Microsoft Print to PDF" does: here Wine's PostScript driver on the port
// FILE:, whose driver would open its own dialog inside StartDoc. The window
// asks instead, and the report lands in the file the user chose.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <winspool.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "tests/ui/window_fixture.h"

namespace brennquist {
namespace {

constexpr const wchar_t* kPrinter = L"Ausdruck in Datei";
constexpr const wchar_t* kDriver = L"Wine PostScript Driver";

// Wine's driver reads the printer's page sizes from the PPD the driver
// names, in the spooler's driver folder.
bool InstallDriver() {
    std::array<wchar_t, MAX_PATH> folder{};
    DWORD needed = 0;
    if (::GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder.data()),
                                     sizeof folder, &needed) == 0) {
        return false;
    }
    std::error_code failed;
    std::filesystem::copy_file(BRENNQUIST_TEST_PPD,
                               std::filesystem::path(folder.data()) / L"file.ppd",
                               std::filesystem::copy_options::overwrite_existing, failed);
    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<wchar_t*>(kDriver);
    driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
    driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
    driver.pDataFile = const_cast<wchar_t*>(L"file.ppd");
    return !failed && (::AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&driver)) != 0 ||
                       ::GetLastError() == ERROR_PRINTER_DRIVER_ALREADY_INSTALLED);
}

// The print processor Wine gives its PostScript printers. From Wine 9 its
// driver spools EMF, which only Wine's own "wineps" processor plays (Windows'
// WinPrint takes EMF, Wine's does not); Wine 8's driver spools RAW, which
// only WinPrint takes. A mismatch loses the job while every call succeeds.
const wchar_t* PrintProcessor() {
    using Version = const char*(__cdecl*)();
    const auto version = reinterpret_cast<Version>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version")));
    return version != nullptr && std::atoi(version()) < 9 ? L"WinPrint" : L"wineps";
}

void RemovePrinter() {
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (::OpenPrinterW(const_cast<wchar_t*>(kPrinter), &printer, &access) != 0) {
        ::DeletePrinter(printer);
        ::ClosePrinter(printer);
    }
}

// What the user names in the save dialog (nullptr: Abbrechen), and what the
// file then begins with: the driver's PostScript, a PDF, or nothing.
struct ChosenFile {
    const char* name;
    QByteArray begins;
};

void PrintTo(const ChosenFile& file, std::ostream* out) {
    *out << (file.name != nullptr ? file.name : "Abbrechen");
}

// The printer on FILE:, made the default, for the test's time only: the
// rest of the suite expects a Windows without any printer.
class PrintToFileTest : public WindowTest, public ::testing::WithParamInterface<ChosenFile> {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        RemovePrinter();
        ASSERT_TRUE(InstallDriver()) << ::GetLastError();
        PRINTER_INFO_2W info{};
        info.pPrinterName = const_cast<wchar_t*>(kPrinter);
        info.pPortName = const_cast<wchar_t*>(L"FILE:");
        info.pDriverName = const_cast<wchar_t*>(kDriver);
        info.pPrintProcessor = const_cast<wchar_t*>(PrintProcessor());
        info.pDatatype = const_cast<wchar_t*>(L"RAW");
        HANDLE printer = ::AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
        ASSERT_NE(printer, nullptr) << ::GetLastError();
        ::ClosePrinter(printer);
        ASSERT_NE(::SetDefaultPrinterW(kPrinter), 0);
    }
    void TearDown() override { RemovePrinter(); }
};

// Abbrechen is no failure, and prints nothing.
TEST_P(PrintToFileTest, TheReportLandsInTheFileTheUserChose) {
    const QString file =
        GetParam().name != nullptr
            ? QDir::toNativeSeparators(folder_.filePath(QString::fromLatin1(GetParam().name)))
            : QString();
    Start();
    boxes_.shown.clear();  // the notice about the missing akku.dat
    boxes_.printFile = file.isEmpty() ? std::nullopt : std::optional(file);

    QTest::mouseClick(&Find<QPushButton>("cmdPrint"), Qt::LeftButton);

    EXPECT_EQ(boxes_.printFileAsked, 1);
    EXPECT_TRUE(boxes_.shown.empty()) << boxes_.shown.front().text.toStdString();
    QFile printed(file);
    EXPECT_EQ(
        printed.open(QIODevice::ReadOnly) ? printed.read(GetParam().begins.size()) : QByteArray(),
        GetParam().begins);
}

INSTANTIATE_TEST_SUITE_P(Files, PrintToFileTest,
                         ::testing::Values(ChosenFile{"Bericht.ps", "%!PS-Adobe"},
                                           ChosenFile{"Bericht.pdf", "%PDF-"},
                                           ChosenFile{nullptr, ""}));

}  // namespace
}  // namespace brennquist
