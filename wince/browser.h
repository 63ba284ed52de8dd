#pragma once
// Web addresses handed to the device's browser: here xdg-open, started with
// an argument vector (no shell). Only http and https addresses (scheme in
// any case, then "://" and at least one more character) of printable ASCII
// without spaces, at most maxBrowserUrlLength long, are taken; anything
// else is refused with a log line. In headless runs a taken address is
// recorded instead of launched.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wince {

constexpr size_t maxBrowserUrlLength = 2048;

enum class BrowserResult {
  launched,  // the browser program was started
  recorded,  // headless: kept for browserRequests(), nothing started
  refused,   // not an address the browser is given
  failed,    // the browser program could not be started (logged)
};

enum class BrowserMode {
  automatic,  // record while no window of a real screen is open, else launch
  record,
  launch,
};

BrowserResult openInBrowser(std::u16string_view url);

// The addresses recorded so far, oldest first (UTF-8).
std::vector<std::string> browserRequests();
void clearBrowserRequests();
// Tests: force recording or launching, and the program that is started
// (looked up on PATH; default "xdg-open").
void setBrowserMode(BrowserMode mode);
void setBrowserProgram(std::string program);

}  // namespace wince
