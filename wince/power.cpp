#include "wince/power.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "wince/log.h"

namespace {

struct PowerQueue {
  MSGQUEUEOPTIONS options{};
  std::deque<std::vector<uint8_t>> messages;
};

struct Registration {
  PowerQueue* queue;
  DWORD flags;
};

struct PowerState {
  std::mutex mutex;
  std::condition_variable arrived;
  std::vector<PowerQueue*> queues;
  std::vector<Registration*> registrations;
};

PowerState& powerState() {
  static PowerState* state = new PowerState;  // outlives exit() from any thread
  return *state;
}

// Callers hold the lock.
PowerQueue* findQueue(PowerState& state, HANDLE handle) {
  for (PowerQueue* queue : state.queues)
    if (queue == handle) return queue;
  return nullptr;
}

std::vector<uint8_t> transitionMessage(DWORD powerFlags) {
  const std::u16string stateName = (powerFlags & POWER_STATE_ON) ? u"on" : u"suspend";
  const DWORD nameBytes = DWORD((stateName.size() + 1) * sizeof(char16_t));
  std::vector<uint8_t> message(offsetof(POWER_BROADCAST, SystemPowerState) + nameBytes, 0);
  const DWORD header[3] = {PBT_TRANSITION, powerFlags, nameBytes};
  std::memcpy(message.data(), header, sizeof header);
  std::memcpy(message.data() + offsetof(POWER_BROADCAST, SystemPowerState), stateName.c_str(), nameBytes);
  return message;
}

}  // namespace

HANDLE CreateMsgQueue(LPCWSTR name, const MSGQUEUEOPTIONS* options) {
  if (name) {
    logPrintf("CreateMsgQueue: named queues are not offered\n");
    return nullptr;
  }
  if (!options || options->dwSize != sizeof(MSGQUEUEOPTIONS) || options->cbMaxMessage == 0 ||
      options->dwMaxMessages == 0)
    return nullptr;
  PowerState& state = powerState();
  std::lock_guard lock(state.mutex);
  auto queue = new PowerQueue;
  queue->options = *options;
  state.queues.push_back(queue);
  return queue;
}

BOOL ReadMsgQueue(HANDLE handle, void* buffer, DWORD bufferSize, DWORD* bytesRead, DWORD timeout, DWORD* flags) {
  PowerState& state = powerState();
  std::unique_lock lock(state.mutex);
  PowerQueue* queue = findQueue(state, handle);
  if (!queue || !buffer || !queue->options.bReadAccess) return FALSE;
  if (queue->messages.empty() && timeout != 0) {
    auto ready = [&] { return !findQueue(state, handle) || !queue->messages.empty(); };
    if (timeout == INFINITE)
      state.arrived.wait(lock, ready);
    else
      state.arrived.wait_for(lock, std::chrono::milliseconds(timeout), ready);
    if (!findQueue(state, handle)) return FALSE;
  }
  if (queue->messages.empty()) return FALSE;
  const std::vector<uint8_t>& message = queue->messages.front();
  if (message.size() > bufferSize) return FALSE;
  std::memcpy(buffer, message.data(), message.size());
  if (bytesRead) *bytesRead = DWORD(message.size());
  if (flags) *flags = 0;
  queue->messages.pop_front();
  return TRUE;
}

BOOL CloseMsgQueue(HANDLE handle) {
  PowerState& state = powerState();
  std::lock_guard lock(state.mutex);
  PowerQueue* queue = findQueue(state, handle);
  if (!queue) return FALSE;
  std::erase(state.queues, queue);
  // The registrations stay until StopPowerNotifications but deliver nothing.
  for (Registration* registration : state.registrations)
    if (registration->queue == queue) registration->queue = nullptr;
  state.arrived.notify_all();
  delete queue;
  return TRUE;
}

HANDLE RequestPowerNotifications(HANDLE handle, DWORD flags) {
  PowerState& state = powerState();
  std::lock_guard lock(state.mutex);
  PowerQueue* queue = findQueue(state, handle);
  if (!queue || flags == 0) return nullptr;
  auto registration = new Registration{queue, flags};
  state.registrations.push_back(registration);
  return registration;
}

DWORD StopPowerNotifications(HANDLE notifications) {
  PowerState& state = powerState();
  std::lock_guard lock(state.mutex);
  for (Registration* registration : state.registrations) {
    if (registration != notifications) continue;
    std::erase(state.registrations, registration);
    delete registration;
    return TRUE;
  }
  return FALSE;
}

namespace wince {

int sendPowerTransition(DWORD powerFlags) {
  PowerState& state = powerState();
  std::lock_guard lock(state.mutex);
  int taken = 0;
  const std::vector<uint8_t> message = transitionMessage(powerFlags);
  for (Registration* registration : state.registrations) {
    PowerQueue* queue = registration->queue;
    if (!queue || !(registration->flags & PBT_TRANSITION)) continue;
    if (queue->messages.size() >= queue->options.dwMaxMessages || message.size() > queue->options.cbMaxMessage)
      continue;
    queue->messages.push_back(message);
    ++taken;
  }
  state.arrived.notify_all();
  return taken;
}

int powerRegistrationCount() {
  PowerState& state = powerState();
  std::lock_guard lock(state.mutex);
  int count = 0;
  for (Registration* registration : state.registrations)
    if (registration->queue) ++count;
  return count;
}

}  // namespace wince
