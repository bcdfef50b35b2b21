#include "cell_type.h"

namespace brennquist {

double CellVoltage(std::string_view cellType) {
    if (cellType == kCellTypes[0]) {
        return 3.7;
    }
    if (cellType == kCellTypes[1] || cellType == kCellTypes[2]) {
        return 1.2;
    }
    return 0.0;
}

}  // namespace brennquist
