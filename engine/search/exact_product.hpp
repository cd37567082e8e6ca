#pragma once

namespace yinshi {

// True when f (degree df) times c (degree dc) equals a (degree df + dc)
// exactly, every coefficient compared. The search's own tests run in 32-bit
// floating point, which is exact only while every product and partial sum
// stays below 2^24; this check is the last word before a factor is accepted.
// Coefficients that are not integers or exceed 2^24 in magnitude cannot come
// from an exact split and fail the check.
bool ProductEquals(const float* f, int df, const float* c, int dc, const float* a);

}  // namespace yinshi
