#include "runtime/net/BlockingCallScope.h"

#include <atomic>
#include <list>
#include <mutex>

namespace {

struct Hooks {
  BlockingCallScope::Hook enter;
  BlockingCallScope::Hook leave;
};
// Replaced as a whole, so a scope never sees one old and one new hook.
std::atomic<const Hooks*> installed{nullptr};
// Every pair ever installed stays: a scope on another thread may still hold
// an earlier one. Installs happen a few times per process at most.
std::mutex installMutex;
std::list<Hooks> everInstalled;

}  // namespace

void BlockingCallScope::installHooks(Hook enter, Hook leave) {
  if (!enter && !leave) {
    installed = nullptr;
    return;
  }
  std::lock_guard lock(installMutex);
  installed = &everInstalled.emplace_back(Hooks{enter, leave});
}

void BlockingCallScope::installedHooks(Hook* enter, Hook* leave) {
  const Hooks* hooks = installed.load(std::memory_order_acquire);
  *enter = hooks ? hooks->enter : nullptr;
  *leave = hooks ? hooks->leave : nullptr;
}

BlockingCallScope::BlockingCallScope() : m_leave(nullptr) {
  const Hooks* hooks = installed.load(std::memory_order_acquire);
  if (!hooks) return;
  if (hooks->enter) hooks->enter();
  m_leave = hooks->leave;
}

BlockingCallScope::~BlockingCallScope() {
  if (m_leave) m_leave();
}
