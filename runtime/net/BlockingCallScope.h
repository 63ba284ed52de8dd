#pragma once
// Marks a call that may block for long (connect, send, receive, a whole
// HTTP request) so that the collector need not wait for the thread: the
// thread support installs hooks that enter and leave its safe region. A
// thread inside the scope touches no object memory, so buffers handed to
// such calls come from the system heap.
//
// Without hooks the scope does nothing. Install them before any thread
// makes a connection; a scope pairs its leave with the hooks it entered by.
class BlockingCallScope {
 public:
  using Hook = void (*)();
  static void installHooks(Hook enter, Hook leave);
  // The hooks now installed (null when none), so that whoever replaces them
  // for a while can put them back.
  static void installedHooks(Hook* enter, Hook* leave);

  BlockingCallScope();
  ~BlockingCallScope();
  BlockingCallScope(const BlockingCallScope&) = delete;
  BlockingCallScope& operator=(const BlockingCallScope&) = delete;

 private:
  Hook m_leave;
};
