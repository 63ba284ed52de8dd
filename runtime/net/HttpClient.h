#pragma once
// The native HTTP client the HTTP connection drives, apart from how it
// reaches the network. Texts are the platform's wide strings; copies into a
// caller's buffer are always zero-terminated.
#include <cstdint>

class HttpProgressListener {
 public:
  // After each chunk of a body: the bytes received so far and the bytes
  // expected (the announced length, or the received count when larger or
  // when none was announced).
  virtual void progress(uint32_t receivedBytes, uint32_t expectedBytes) = 0;

 protected:
  ~HttpProgressListener() = default;
};

class HttpClient {
 public:
  virtual ~HttpClient() = default;
  virtual void SetProgressListener(HttpProgressListener* listener) { m_listener = listener; }
  virtual void ClearProgressListener() { m_listener = nullptr; }
  virtual bool Connect(const char16_t* url) = 0;
  virtual void Close() = 0;
  virtual void Reset() = 0;
  // The status code of the response, or -1 when the request failed.
  virtual int32_t SendByGet(const char16_t* path, const char16_t* query) = 0;
  // Forgets the last response; answers -1.
  virtual int32_t ResetResponse() = 0;
  virtual void AddRequestHeader(const char16_t* name, const char16_t* value) = 0;
  virtual bool GetRequestHeader(const char16_t* name, char16_t* destination, uint32_t length) = 0;
  virtual int32_t GetStatusCode() = 0;
  virtual bool GetStatusText(char16_t* destination, uint32_t length) = 0;
  virtual bool GetRawHeaders(char16_t* destination, uint32_t length) = 0;
  virtual bool GetResponseHeader(const char16_t* name, char16_t* destination, uint32_t length) = 0;
  virtual uint32_t GetContentLength() = 0;
  virtual bool CopyContent(uint8_t* destination, uint32_t length) = 0;

 protected:
  HttpProgressListener* m_listener = nullptr;
};
