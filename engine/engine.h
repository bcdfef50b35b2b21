#pragma once

// Everything the calculation engine offers.
#include "cell_type.h"
#include "compute.h"
#include "input_error.h"
#include "input_set.h"
#include "input_table.h"
#include "number_text.h"
#include "propeller.h"
#include "result_set.h"
#include "rounding.h"
#include "separators.h"
#include "vendor.h"
