#pragma once

#include <QString>

namespace brennquist {

// Hands a finished PDF file to the CUPS queue named `destination` ("name" or
// "name/instance") under the given job title. True once the spooler has
// accepted the job; the spooler has the file's content by then.
[[nodiscard]] bool SubmitToPrintQueue(const QString& destination, const QString& pdfFile,
                                      const QString& title);

}  // namespace brennquist
