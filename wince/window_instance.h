#pragma once
// The program's identity across processes: a second copy must find the first
// one's window and bring it to the front. Each window that has a class name
// listens on an abstract unix socket named after the identity namespace and
// its class; FindWindowW and SetForegroundWindow reach it there.
#include <string>

#include "wince/types.h"

namespace wince {

// Processes see each other only within one namespace. The default is
// QUENDRILL_INSTANCE_NAMESPACE, else one per user; tests set their own so
// that parallel runs stay apart.
void setInstanceNamespace(const std::string& name);
std::string instanceNamespace();

// Internal to the window calls.
void publishWindowIdentity(HWND window);
void withdrawWindowIdentity(HWND window);
// Asks another process whether it has a window of this class and title
// (null title: any).
bool remoteWindowExists(const std::u16string& className, const char16_t* title);
bool bringRemoteWindowToFront(const std::u16string& className, const std::u16string& title);

}  // namespace wince
