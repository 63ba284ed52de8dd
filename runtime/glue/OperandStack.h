#pragma once
// The explicit operand stack of compiled methods whose control flow needs
// one (catch blocks, stack-juggling expressions). Each slot holds one
// pointer-sized value and a tag: 0 a primitive (or a null reference), 1 a
// non-null reference, 2 the second slot of a long. A long takes two slots;
// its whole value sits in both. The slots live in the method's own frame,
// so the collector's stack scan sees the references on it.
//
//   OperandStackFrame<6> stack;
//   stack.pushRef(array);
//   stack.pushInt(2);
//   stack.iaload();
//   int32_t value = stack.popInt();
//
// No operation allocates (except those that make objects) or locks. A null
// (or freed) array or object is logged as "NullPointer" and nothing is read
// or written through it; loads then push 0. Depth is the caller's to size.
#include <cstdint>

class Object;

class OperandStack {
 public:
  static constexpr uint8_t primitiveTag = 0;
  static constexpr uint8_t referenceTag = 1;
  static constexpr uint8_t longSecondTag = 2;

  void init(uintptr_t* values, uint8_t* tags);

  void pushInt(int32_t value) { push(static_cast<uintptr_t>(static_cast<intptr_t>(value)), primitiveTag); }
  void pushFloat(float value);
  void pushLong(int64_t value);
  // Tag 1 when non-null, else 0.
  void pushRef(Object* reference) { push(reinterpret_cast<uintptr_t>(reference), reference != nullptr ? referenceTag : primitiveTag); }
  // The new-and-dup idiom: the value twice.
  void pushRefDup(Object* reference) {
    pushRef(reference);
    pushRef(reference);
  }
  void pushIntDup(int32_t value) {
    pushInt(value);
    pushInt(value);
  }
  // String literal index of the literal pool, also answered.
  Object* pushLiteral(int32_t index);

  int32_t popInt() { return static_cast<int32_t>(pop()); }
  float popFloat();
  int64_t popLong();
  Object* popRef() { return reinterpret_cast<Object*>(pop()); }
  // Stores (value != 0) as one byte at address (a static boolean).
  void popBoolean(uint8_t* address) { *address = popInt() != 0 ? 1 : 0; }

  // Drops n slots, then pushes the value.
  void popPushRef(Object* reference, int32_t n) {
    drop(n);
    pushRef(reference);
  }
  void popPushInt(int32_t value, int32_t n) {
    drop(n);
    pushInt(value);
  }

  // ..., a, b -> ..., b, a, b
  void dupX1();
  // ..., z, a, b -> ..., a, b, z, a, b
  void dup2X1();
  // The value n slots below the top as a 64-bit integer: the long when that
  // slot is a long's second, else the sign-extended int.
  int64_t peekWide(int32_t n) const;
  int32_t depth() const { return static_cast<int32_t>(m_valueTop - m_valueBase); }
  uint8_t tagAt(int32_t n) const { return m_tagTop[-1 - n]; }

  // Pops value2, then value1; pushes value1 % value2 with value1's tag (a
  // remainder by zero raises java_lang_ArithmeticException and pushes 0).
  void irem();
  // Pop value2, then value1; 1 when the branch is taken.
  int32_t ifIcmpge();
  int32_t ifIcmpgt();
  int32_t ifIcmplt();
  int32_t ifIcmpeq();
  // Pops two floats; pushes 1 (value1 > value2), 0 (equal) or -1 (less, or
  // either is NaN).
  void fcmpl();

  // Pop index and array; push the element.
  void iaload();
  void saload();  // sign-extended
  void baload();  // sign-extended
  void caload();  // zero-extended
  void aaload();  // reference tag
  // Pop value, index and array; store 32, 16 or 8 bits.
  void iastore();
  void castore();
  void bastore();
  // Pops an array (any kind), pushes its length.
  void arraylength();
  // The object slot under the top value must not be null; the top value
  // goes to the field address; both are popped.
  void putfieldInt(int32_t* fieldAddress);
  void putfieldBoolean(uint8_t* fieldAddress);
  // Pops dimensionCount lengths (the last pushed is the innermost) and
  // pushes the new array (newMultiArray).
  void multianewarray(const char* descriptor, int32_t dimensionCount);

  // Pops a reference, pushes Object::instanceOf of it (tag 0).
  void instanceOf(int32_t classId);
  // Logs "check cast" when the top reference is not an instance; it stays.
  void checkcast(int32_t classId);
  // Pops the exception and makes it the pending one.
  void athrow();
  // "OperandStack dump:" and one line per slot from the top down.
  void dump() const;

 private:
  void push(uintptr_t value, uint8_t tag) {
    *m_valueTop++ = value;
    *m_tagTop++ = tag;
  }
  uintptr_t pop() {
    --m_tagTop;
    return *--m_valueTop;
  }
  void drop(int32_t n) {
    m_valueTop -= n;
    m_tagTop -= n;
  }

  uintptr_t* m_valueBase = nullptr;
  uintptr_t* m_valueTop = nullptr;
  uint8_t* m_tagTop = nullptr;
};

// An operand stack with room for slotCount slots in the method's frame.
template <int32_t slotCount>
class OperandStackFrame : public OperandStack {
 public:
  OperandStackFrame() { init(m_values, m_tags); }

 private:
  uintptr_t m_values[slotCount];
  uint8_t m_tags[slotCount];
};
