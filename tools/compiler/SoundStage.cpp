#include "tools/compiler/SoundStage.h"

#include <nlohmann/json.hpp>

#include <map>
#include <stdexcept>

#include "game/toolkit/SoundIds.h"
#include "tools/compiler/SoundSynthesis.h"
#include "tools/writers/OggVorbisWriter.h"
#include "tools/writers/WavWriter.h"

namespace tools {
namespace {

using Json = nlohmann::json;

// Sounds longer than this are a recipe's mistake, not music.
constexpr double longestSoundMilliseconds = 120000;

Wave waveNamed(const std::string& name) {
  static const std::map<std::string, Wave> waves = {{"sine", Wave::sine},
                                                     {"square", Wave::square},
                                                     {"triangle", Wave::triangle},
                                                     {"saw", Wave::saw},
                                                     {"noise", Wave::noise}};
  const auto found = waves.find(name);
  if (found == waves.end()) throw std::runtime_error("unknown wave \"" + name + "\"");
  return found->second;
}

double positive(const Json& object, const char* key, double fallback) {
  const double value = object.value(key, fallback);
  if (!(value >= 0)) throw std::runtime_error(std::string("\"") + key + "\" must not be negative");
  return value;
}

Voice parseVoice(const Json& source, double tempo) {
  Voice voice;
  voice.wave = waveNamed(source.value("wave", std::string("sine")));
  voice.gain = positive(source, "gain", voice.gain);
  voice.attackMilliseconds = positive(source, "attack", voice.attackMilliseconds);
  voice.releaseMilliseconds = positive(source, "release", voice.releaseMilliseconds);
  if (source.contains("notes")) {
    voice.segments = parseNotes(source.at("notes").get<std::string>(), tempo);
  } else {
    for (const Json& segment : source.at("segments")) {
      const double from = positive(segment, "from", 0);
      voice.segments.push_back(
          {from, positive(segment, "to", from), positive(segment, "ms", 0), positive(segment, "gain", 1)});
    }
  }
  double total = 0;
  for (const ToneSegment& segment : voice.segments) total += segment.milliseconds;
  if (total > longestSoundMilliseconds) throw std::runtime_error("a voice lasts longer than two minutes");
  return voice;
}

SoundPackEntry compileSound(const Json& source, uint32_t rate, int32_t id) {
  SoundPackEntry entry;
  const std::string channel = source.at("channel").get<std::string>();
  if (channel != "A" && channel != "B") throw std::runtime_error("channel must be \"A\" or \"B\"");
  entry.type = channel == "A" ? sound::channelA : sound::channelB;
  if (source.value("empty", false)) return entry;

  const double tempo = source.value("tempo", 120.0);
  std::vector<Voice> voices;
  for (const Json& voice : source.at("voices")) voices.push_back(parseVoice(voice, tempo));
  const std::vector<int16_t> samples = synthesise(voices, rate, uint32_t(id));
  if (samples.empty()) throw std::runtime_error("the recipe makes no sound");

  const std::string format = source.value("format", std::string("wav"));
  if (format == "wav") {
    entry.bytes = writeWav(samples, rate);
  } else if (format == "ogg") {
    auto encoded = encodeOggVorbis(samples, 1, int(rate));
    if (!encoded) throw std::runtime_error("the Ogg Vorbis encoder (libvorbisenc) is missing");
    entry.bytes = std::move(*encoded);
  } else {
    throw std::runtime_error("format must be \"wav\" or \"ogg\"");
  }
  return entry;
}

}  // namespace

std::vector<SoundPackEntry> compileSounds(const std::string& recipes, const std::string& sourceName) {
  Json document;
  try {
    document = Json::parse(recipes);
  } catch (const Json::exception& error) {
    throw std::runtime_error(sourceName + ": " + error.what());
  }
  std::vector<SoundPackEntry> entries(static_cast<size_t>(sound::count));
  std::vector<bool> defined(size_t(sound::count), false);
  int32_t id = -1;
  try {
    const auto rate = document.at("rate").get<uint32_t>();
    if (rate < 4000 || rate > 48000) throw std::runtime_error("rate must lie in 4000..48000");
    for (const Json& source : document.at("sounds")) {
      id = -1;
      id = source.at("id").get<int32_t>();
      if (id < 0 || id >= sound::count) throw std::runtime_error("no such sound id");
      if (defined[size_t(id)]) throw std::runtime_error("defined twice");
      defined[size_t(id)] = true;
      entries[size_t(id)] = compileSound(source, rate, id);
    }
    id = -1;
    for (int32_t missing = 0; missing < sound::count; ++missing)
      if (!defined[size_t(missing)]) throw std::runtime_error("sound " + std::to_string(missing) + " has no recipe");
  } catch (const std::exception& error) {
    const std::string where = id >= 0 ? ": sound " + std::to_string(id) : "";
    throw std::runtime_error(sourceName + where + ": " + error.what());
  }
  return entries;
}

}  // namespace tools
