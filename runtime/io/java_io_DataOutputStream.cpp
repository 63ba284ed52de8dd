#include "runtime/io/java_io_DataOutputStream.h"

#include "runtime/io/StreamRanges.h"
#include "runtime/lang/String.h"

void java_io_DataOutputStream::close() {
  if (streamPresent(m_out)) m_out->close();
}

void java_io_DataOutputStream::flush() {
  if (streamPresent(m_out)) m_out->flush();
}

void java_io_DataOutputStream::write(int32_t b) {
  if (streamPresent(m_out)) m_out->write(b);
}

void java_io_DataOutputStream::write(ByteArray* b, int32_t off, int32_t len) {
  if (streamPresent(m_out)) m_out->write(b, off, len);
}

void java_io_DataOutputStream::write(ByteArray* b) {
  if (streamPresent(m_out) && streamPresent(b)) m_out->write(b, 0, b->length());
}

void java_io_DataOutputStream::writeShort(int32_t v) {
  write((v >> 8) & 0xFF);
  write(v & 0xFF);
}

void java_io_DataOutputStream::writeInt(int32_t v) {
  write(v >> 24);
  write((v >> 16) & 0xFF);
  write((v >> 8) & 0xFF);
  write(v & 0xFF);
}

void java_io_DataOutputStream::writeLong(int64_t v) {
  writeInt(static_cast<int32_t>(v >> 32));
  writeInt(static_cast<int32_t>(v));
}

void java_io_DataOutputStream::writeChars(String* s) {
  if (!streamPresent(s)) return;
  for (int32_t i = 0; i < s->length(); ++i) writeShort(s->characters()[i]);
}

void java_io_DataOutputStream::writeUTF(String* s) {
  if (!streamPresent(s)) return;
  int64_t utflen = 0;
  for (int32_t i = 0; i < s->length(); ++i) {
    const char16_t c = s->characters()[i];
    utflen += (c >= 1 && c <= 127) ? 1 : (c >= 2048 ? 3 : 2);
  }
  if (utflen > 65535) {
    logFailedCheck("writeUTF: text too long");
    return;
  }
  ByteArray* bytes = newByteArray(static_cast<int32_t>(utflen) + 2);
  if (bytes == nullptr) return;
  int8_t* out = bytes->elements();
  const char16_t* text = s->characters();
  int32_t p = 0;
  out[p++] = static_cast<int8_t>((utflen >> 8) & 0xFF);
  out[p++] = static_cast<int8_t>(utflen & 0xFF);
  for (int32_t i = 0; i < s->length(); ++i) {
    const char16_t c = text[i];
    if (c >= 1 && c <= 127) {
      out[p++] = static_cast<int8_t>(c);
    } else if (c < 2048) {
      out[p++] = static_cast<int8_t>(0xC0 | ((c >> 6) & 0x1F));
      out[p++] = static_cast<int8_t>(0x80 | (c & 0x3F));
    } else {
      out[p++] = static_cast<int8_t>(0xE0 | (c >> 12));
      out[p++] = static_cast<int8_t>(0x80 | ((c >> 6) & 0x3F));
      out[p++] = static_cast<int8_t>(0x80 | (c & 0x3F));
    }
  }
  write(bytes);
}
