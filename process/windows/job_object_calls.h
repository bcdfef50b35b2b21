#pragma once

#include <windows.h>

namespace brennquist {

// The job object calls of a helper's start that Windows can refuse where Wine
// does not: a window that itself runs in a job which allows no nesting gets
// no limits or no assignment for its helper's job. The program uses Windows'
// own; a test puts in ones that refuse as Windows documents and puts the old
// ones back.
struct JobObjectCalls {
    decltype(&::SetInformationJobObject) setInformation = &::SetInformationJobObject;
    decltype(&::AssignProcessToJobObject) assignProcess = &::AssignProcessToJobObject;
};

JobObjectCalls& JobObjects();

}  // namespace brennquist
