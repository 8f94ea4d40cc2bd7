// Small procedures over arrays of single-precision reals.
#pragma once

namespace tidewerk {

// Sets `imax` to the index (0-based) of the largest of values[0..n-1], compared at a
// resolution of 0.001: entry i replaces the current best only when trunc(1000*values[i]) is
// strictly greater than trunc(1000*best), so among entries equal in truncated thousandths the
// first wins.  The product is formed in double from the stored single-precision value, so
// 0.621f (0.62099999...) counts as 620.  n >= 1; with n < 1 imax := 0 and nothing is read.
void index_of_largest(int n, const float* values, int& imax);

// Sorts values[0..n-1] ascending in place by selection sort: for each position the smallest
// of the rest (the first of equal smallest ones) is exchanged into it when it is not already
// there.  Equal entries may change their order.
void sort_ascending(int n, float* values);

}  // namespace tidewerk
