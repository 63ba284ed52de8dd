#pragma once
// SoundPlayerWAVE: a Player (class id 94) over a whole RIFF WAVE file. The
// PCM becomes one looping buffer on wave-out device 0.
//
// Threads: the game thread and the sound thread may call any operation at
// the same time; each holds the player's lock, which is never held across an
// object allocation (so a waiting thread never blocks the collector). The
// device's callback only moves the state from started to prefetched, without
// the lock, and none arrives after the device is closed.
//
// The file copy and the PCM live on the system heap: the device reads the PCM
// on its own thread, and the pool may move its blocks.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>

#include "runtime/media/javax_microedition_media_Controllable.h"
#include "runtime/media/javax_microedition_media_Player.h"
#include "runtime/media/javax_microedition_media_control_RateControl.h"
#include "runtime/media/javax_microedition_media_control_TempoControl.h"
#include "runtime/media/javax_microedition_media_control_VolumeControl.h"
#include "runtime/object/Object.h"
#include "wince/waveout.h"

class SoundPlayerWAVE : public Object,
                        public javax_microedition_media_Player,
                        public javax_microedition_media_Controllable,
                        public javax_microedition_media_control_VolumeControl,
                        public javax_microedition_media_control_TempoControl,
                        public javax_microedition_media_control_RateControl {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::javax_microedition_media_Player;
  static constexpr int32_t minimumRate = 50000;
  static constexpr int32_t maximumRate = 200000;

  // Keeps a copy of the file's bytes.
  void init(const uint8_t* bytes, int32_t length);

  void finalize() override;
  void* lookupInterface(int32_t interfaceId) override;

  // The class's own slots. Header and format: 1 on success, 0 on failure.
  // PCM: the byte count, its block stored in *ppData; -1 on failure.
  virtual int32_t readSoundFileHeader();
  virtual int32_t parseSoundFileFormat();
  virtual int32_t readSoundFilePcmData(uint8_t** ppData);

  // Player and Controllable.
  // The player itself for a name matching "VolumeControl", "RateControl" or
  // "TempoControl"; the caller takes the view by interface lookup.
  Object* getControl(String* controlType) override;
  ObjectArray* getControls() override { return nullptr; }
  void realize() override;
  void prefetch() override;
  // Muted players do not start.
  void start() override;
  void stop() override;
  void deallocate() override;
  void close() override;
  // Only 0 or less is acted on: the device resumes where it was.
  int64_t setMediaTime(int64_t now) override;
  // Microseconds played; -1 when the device cannot tell. Closed: pending
  // IllegalStateException.
  int64_t getMediaTime() override;
  int32_t getState() override { return m_state.load(std::memory_order_acquire); }
  // Microseconds. Closed: pending IllegalStateException.
  int64_t getDuration() override;
  // Closed or unrealized: pending IllegalStateException and null.
  String* getContentType() override;
  // Read at realize: below 0 loops (nearly) forever, 0 plays once.
  void setLoopCount(int32_t count) override;

  // VolumeControl.
  int32_t getLevel() override { return m_level; }
  bool isMuted() override { return m_muted != 0; }
  // Clamped into 0..100; answers the level before.
  int32_t setLevel(int32_t level) override;
  void setMute(bool mute) override { m_muted = mute ? 1 : 0; }

  // RateControl and TempoControl.
  int32_t getMinRate() override { return minimumRate; }
  int32_t getMaxRate() override { return maximumRate; }
  int32_t getRate() override;
  // Answers the rate before, or -1 (no device, r < 0, the device refused).
  int32_t setRate(int32_t millirate) override;
  int32_t setTempo(int32_t millitempo) override { return setRate(millitempo); }
  int32_t getTempo() override { return getRate(); }

  uint8_t* m_pSoundFileData;
  WAVEFORMATEX m_waveFormat;
  HWAVEOUT m_device;
  WAVEHDR m_waveHeader;
  int32_t m_fileLength;
  int32_t m_pcmDataLength;
  std::atomic<int32_t> m_state;
  int32_t m_loopCount;
  int32_t m_level;
  uint32_t m_savedVolume;
  uint8_t m_hasSavedVolume;
  uint8_t m_volumeCapable;
  uint8_t m_muted;
  int64_t m_duration;
  size_t m_pcmOffset;  // where the PCM starts in the file

 protected:
  // The bodies, with the lock held (or from the finaliser).
  void realizeLocked();
  void prefetchLocked();
  void stopLocked();
  void deallocateLocked();
  virtual void closeLocked();
  void freeSoundFileData();

  std::mutex m_lock;
};
