// The version of the Tidewerk library, and the versioned namespace of its names.
//
// The names of series.h and ship.h live in the inline namespace tidewerk::v0_1: a caller writes
// tidewerk::evaluate, while a program linked against objects of another version fails to link
// instead of running with a different layout.  The namespace follows the major and minor
// version (the interface may change with the minor version while the major version is 0).
#pragma once

#define TIDEWERK_VERSION_MAJOR 0
#define TIDEWERK_VERSION_MINOR 1
#define TIDEWERK_VERSION_PATCH 0

// One number for comparisons: 10000 major + 100 minor + patch.
#define TIDEWERK_VERSION_NUMBER \
  (TIDEWERK_VERSION_MAJOR * 10000 + TIDEWERK_VERSION_MINOR * 100 + TIDEWERK_VERSION_PATCH)

// Open and close the library's namespace.
#define TIDEWERK_BEGIN_NAMESPACE \
  namespace tidewerk {           \
  inline namespace v0_1 {
#define TIDEWERK_END_NAMESPACE \
  }                            \
  }
