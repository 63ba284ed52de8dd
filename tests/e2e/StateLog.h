// The game's state changes as its log reports them, up to the end of the
// scripted frames. What the program does while it closes is not the run's:
// the closing threads' sleeps move the fixed clock, and a game thread held
// meanwhile sees a pause it then answers like a handset would.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace e2e {

struct StateChange {
  int from = 0;
  int to = 0;
  int afterMs = 0;
  bool operator==(const StateChange&) const = default;
};

inline std::vector<StateChange> stateChanges(const std::string& log) {
  const std::string scriptEnd = "Harness: the script ends at frame ";
  const size_t end = log.find(scriptEnd);
  const std::string marker = "cGame: GameState ";
  std::vector<StateChange> changes;
  for (size_t at = log.find(marker); at != std::string::npos && at < end; at = log.find(marker, at + 1)) {
    StateChange change;
    if (std::sscanf(log.c_str() + at + marker.size(), "%d -> %d after %d ms", &change.from, &change.to,
                    &change.afterMs) == 3)
      changes.push_back(change);
  }
  return changes;
}

}  // namespace e2e
