#include "runtime/glue/JavaArithmetic.h"

#include "runtime/exceptions/ThrowNew.h"

int32_t raiseDivisionByZero() {
  throwNew<java_lang_ArithmeticException>();
  return 0;
}
