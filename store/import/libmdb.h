#pragma once

// mdbtools.h wraps its own includes in extern "C", and glib's headers pull in
// C++ headers when compiled as C++. Including them first keeps the templates
// out of the C linkage block.
#include <glib.h>
#include <iconv.h>

#include <mdbtools.h>
