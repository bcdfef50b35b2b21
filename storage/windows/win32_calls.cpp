#include "storage/windows/win32_calls.h"

namespace brennquist {

Win32Calls& Win32() {
    static Win32Calls calls;
    return calls;
}

}  // namespace brennquist
