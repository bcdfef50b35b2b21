#pragma once

namespace brennquist {

// A sheet of paper and the margins the printer cannot print on, in
// hundredths of a millimetre, as the print service gives them.
struct PaperSize {
    int width = 0;
    int length = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    int top = 0;

    friend bool operator==(const PaperSize&, const PaperSize&) = default;
};

}  // namespace brennquist
