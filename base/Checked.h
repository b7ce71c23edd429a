// Arithmetic on counts, indices and coordinates that raises "Integer overflow"
// instead of wrapping around.
#pragma once

#include <cstdint>

#include "base/Errors.h"

namespace base {

template <typename T>
T checkedAdd(T a, T b) {
  T r;
  if (__builtin_add_overflow(a, b, &r)) throw EIntOverflow();
  return r;
}

template <typename T>
T checkedSub(T a, T b) {
  T r;
  if (__builtin_sub_overflow(a, b, &r)) throw EIntOverflow();
  return r;
}

template <typename T>
T checkedMul(T a, T b) {
  T r;
  if (__builtin_mul_overflow(a, b, &r)) throw EIntOverflow();
  return r;
}

// Narrows a wider value to T, raising "Integer overflow" when it does not fit.
template <typename T, typename U>
T checkedCast(U value) {
  T r;
  if (__builtin_add_overflow(value, U{0}, &r)) throw EIntOverflow();
  return r;
}

}  // namespace base
