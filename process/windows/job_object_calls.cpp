#include "process/windows/job_object_calls.h"

namespace brennquist {

JobObjectCalls& JobObjects() {
    static JobObjectCalls calls;
    return calls;
}

}  // namespace brennquist
