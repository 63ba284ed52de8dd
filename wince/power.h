#pragma once
// The power manager's notifications through a point-to-point message queue.
// The test driver sends power transitions as the device would.
#include "wince/types.h"

struct MSGQUEUEOPTIONS {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwMaxMessages;
  DWORD cbMaxMessage;
  BOOL bReadAccess;
};

struct POWER_BROADCAST {
  DWORD Message;
  DWORD Flags;
  DWORD Length;  // bytes of SystemPowerState
  WCHAR SystemPowerState[1];
};

constexpr DWORD MSGQUEUE_NOPRECOMMIT = 0x00000001;
constexpr DWORD PBT_TRANSITION = 0x00000001;
constexpr DWORD POWER_NOTIFY_ALL = 0xFFFFFFFF;

constexpr DWORD POWER_STATE_ON = 0x00010000;
constexpr DWORD POWER_STATE_OFF = 0x00020000;
constexpr DWORD POWER_STATE_CRITICAL = 0x00040000;
constexpr DWORD POWER_STATE_BOOT = 0x00080000;
constexpr DWORD POWER_STATE_IDLE = 0x00100000;
constexpr DWORD POWER_STATE_SUSPEND = 0x00200000;
constexpr DWORD POWER_STATE_UNATTENDED = 0x00400000;
constexpr DWORD POWER_STATE_RESET = 0x00800000;

// Unnamed queues only; null when the options are unusable.
HANDLE CreateMsgQueue(LPCWSTR name, const MSGQUEUEOPTIONS* options);
// timeout 0 answers at once; FALSE when nothing arrived or the buffer is too
// small for the next message (which then stays queued).
BOOL ReadMsgQueue(HANDLE queue, void* buffer, DWORD bufferSize, DWORD* bytesRead, DWORD timeout, DWORD* flags);
BOOL CloseMsgQueue(HANDLE queue);
HANDLE RequestPowerNotifications(HANDLE queue, DWORD flags);
DWORD StopPowerNotifications(HANDLE notifications);

namespace wince {

// Sends a PBT_TRANSITION with these power flags to every registered queue;
// answers how many took it (a full queue drops it, as the device does).
int sendPowerTransition(DWORD powerFlags);
// How many power registrations are live.
int powerRegistrationCount();

}  // namespace wince
