#pragma once
// The exception classes under java_lang_Throwable. Each has the no-argument
// constructor (message = string literal 1) and the message constructor;
// handler tables rely on their superclass chain.
#include <cstdint>

#include "runtime/exceptions/java_lang_Throwable.h"

#define QUENDRILL_EXCEPTION_CLASS(name, superclass)                   \
  class name : public superclass {                                    \
   public:                                                            \
    using Super = superclass;                                         \
    static constexpr uint16_t classId = classid::name;                \
  }

QUENDRILL_EXCEPTION_CLASS(java_lang_Error, java_lang_Throwable);
QUENDRILL_EXCEPTION_CLASS(java_lang_Exception, java_lang_Throwable);
QUENDRILL_EXCEPTION_CLASS(java_lang_RuntimeException, java_lang_Exception);
QUENDRILL_EXCEPTION_CLASS(java_lang_ArithmeticException, java_lang_RuntimeException);
QUENDRILL_EXCEPTION_CLASS(java_lang_ArrayStoreException, java_lang_RuntimeException);
QUENDRILL_EXCEPTION_CLASS(java_lang_IllegalArgumentException, java_lang_RuntimeException);
QUENDRILL_EXCEPTION_CLASS(java_lang_IllegalStateException, java_lang_RuntimeException);
QUENDRILL_EXCEPTION_CLASS(java_lang_IndexOutOfBoundsException, java_lang_RuntimeException);
QUENDRILL_EXCEPTION_CLASS(java_lang_NullPointerException, java_lang_RuntimeException);
QUENDRILL_EXCEPTION_CLASS(java_util_EmptyStackException, java_lang_RuntimeException);
QUENDRILL_EXCEPTION_CLASS(java_util_NoSuchElementException, java_lang_RuntimeException);
QUENDRILL_EXCEPTION_CLASS(java_lang_ClassNotFoundException, java_lang_Exception);
QUENDRILL_EXCEPTION_CLASS(java_lang_InterruptedException, java_lang_Exception);
QUENDRILL_EXCEPTION_CLASS(java_io_IOException, java_lang_Exception);
QUENDRILL_EXCEPTION_CLASS(java_io_EOFException, java_io_IOException);
QUENDRILL_EXCEPTION_CLASS(java_io_UTFDataFormatException, java_io_IOException);
QUENDRILL_EXCEPTION_CLASS(javax_microedition_io_ConnectionNotFoundException, java_io_IOException);
QUENDRILL_EXCEPTION_CLASS(javax_microedition_media_MediaException, java_lang_Exception);
QUENDRILL_EXCEPTION_CLASS(javax_microedition_rms_RecordStoreException, java_lang_Exception);
QUENDRILL_EXCEPTION_CLASS(javax_microedition_rms_InvalidRecordIDException, javax_microedition_rms_RecordStoreException);
QUENDRILL_EXCEPTION_CLASS(javax_microedition_rms_RecordStoreFullException, javax_microedition_rms_RecordStoreException);
QUENDRILL_EXCEPTION_CLASS(javax_microedition_rms_RecordStoreNotFoundException, javax_microedition_rms_RecordStoreException);
QUENDRILL_EXCEPTION_CLASS(javax_microedition_rms_RecordStoreNotOpenException, javax_microedition_rms_RecordStoreException);

#undef QUENDRILL_EXCEPTION_CLASS

class java_lang_ArrayIndexOutOfBoundsException : public java_lang_IndexOutOfBoundsException {
 public:
  using Super = java_lang_IndexOutOfBoundsException;
  static constexpr uint16_t classId = classid::java_lang_ArrayIndexOutOfBoundsException;

  using java_lang_Throwable::init;
  // message = string literal 265 followed by the index in decimal.
  void init(int32_t index);
};
