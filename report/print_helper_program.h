#pragma once

#include <filesystem>

namespace brennquist {

// The program Drucken starts as its helper (print_helper.h): a program of its
// own, so that the window's process never loads what printing needs. It lies
// beside the program ("brennquist-print-helper"), or, for a program installed
// in a bin folder, in ../libexec/brennquist. Empty when it is in neither place.
[[nodiscard]] std::filesystem::path PrintHelperProgram();

// For a program that answers as the print helper itself (AnswerAsPrintHelper
// first in its main(), as the tests' programs do): Drucken then starts the
// program itself again.
void ServeAsOwnPrintHelper();

}  // namespace brennquist
