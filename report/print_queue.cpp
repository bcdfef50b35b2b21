#include "report/print_queue.h"

#include <cups/cups.h>

#include <memory>

namespace brennquist {
namespace {

struct DestinationDeleter {
    void operator()(cups_dest_t* destination) const { cupsFreeDests(1, destination); }
};
using DestinationPtr = std::unique_ptr<cups_dest_t, DestinationDeleter>;

}  // namespace

bool SubmitToPrintQueue(const QString& destination, const QString& pdfFile, const QString& title) {
    const QByteArray name = destination.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray instance = destination.section(QLatin1Char('/'), 1).toLocal8Bit();
    // The destination carries the options the user saved for the queue.
    const DestinationPtr dest(cupsGetNamedDest(
        CUPS_HTTP_DEFAULT, name.constData(), instance.isEmpty() ? nullptr : instance.constData()));
    if (!dest) {
        return false;
    }
    const int job =
        cupsPrintFile(dest->name, pdfFile.toLocal8Bit().constData(),
                      title.toLocal8Bit().constData(), dest->num_options, dest->options);
    return job > 0;
}

}  // namespace brennquist
