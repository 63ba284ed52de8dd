#pragma once
// Between the interpreter and its commands (story-internal).
#include <cstdint>

class ScriptReader;

namespace eventcommands {

// Runs the command whose opcode was just read, reading its operands from in.
// track is the global number of the track that runs it, cutscene the
// running cutscene's index, firstKeyframe whether the track had consumed no
// time before this keyframe. True when the interpreter must stop at once.
bool run(int32_t opcode, ScriptReader& in, int32_t track, int32_t cutscene, bool firstKeyframe);

}  // namespace eventcommands
