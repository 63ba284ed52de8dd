#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/wince/waveout_test_support.h"
#include "wince/audio_options.h"
#include "wince/clock.h"

namespace {

using waveout_test::Buffer;
using waveout_test::MessageRecorder;
using waveout_test::pcmFormat;

// 8 kHz mono 16-bit: 16 bytes per millisecond.
constexpr DWORD bytesPerMillisecond = 16;

class WaveOutNullDevice : public testing::Test {
 protected:
  void SetUp() override {
    wince::useFakeClock(5000, false);
    ASSERT_TRUE(wince::selectAudioBackend(wince::AudioChoice::null));
    ASSERT_EQ(recorder.open(&waveOut, pcmFormat(8000, 1, 16)), MMSYSERR_NOERROR);
  }
  void TearDown() override {
    if (waveOut) {
      waveOutReset(waveOut);
      EXPECT_EQ(waveOutClose(waveOut), MMSYSERR_NOERROR);
    }
    wince::useRealClock();
  }

  void play(Buffer& buffer) {
    ASSERT_EQ(waveOutPrepareHeader(waveOut, &buffer.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutWrite(waveOut, &buffer.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  }
  void advance(uint64_t milliseconds) {
    wince::advanceFakeClock(milliseconds);
    wince::waitForAudioCallbacks();
  }
  DWORD positionIn(UINT kind) {
    MMTIME time{};
    time.wType = kind;
    EXPECT_EQ(waveOutGetPosition(waveOut, &time, sizeof time), MMSYSERR_NOERROR);
    EXPECT_EQ(time.wType, kind);
    return time.u.ms;
  }

  MessageRecorder recorder;
  HWAVEOUT waveOut = nullptr;
};

TEST_F(WaveOutNullDevice, PositionFollowsFakeTimeAndTheBufferFinishesWhenItsTimeHasPassed) {
  Buffer buffer(100 * bytesPerMillisecond);
  play(buffer);
  advance(40);
  EXPECT_EQ(positionIn(TIME_MS), 40u);
  EXPECT_EQ(positionIn(TIME_BYTES), 40 * bytesPerMillisecond);
  EXPECT_EQ(positionIn(TIME_SAMPLES), 320u);
  advance(59);
  EXPECT_TRUE(recorder.finished().empty());
  EXPECT_TRUE(buffer.header.dwFlags & WHDR_INQUEUE);

  advance(1);
  const auto messages = recorder.messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].message, WOM_OPEN);
  EXPECT_EQ(messages[1].message, WOM_DONE);
  EXPECT_EQ(messages[1].header, &buffer.header);
  EXPECT_EQ(messages[1].waveOut, waveOut);
  EXPECT_NE(messages[1].thread, std::this_thread::get_id());
  EXPECT_EQ(buffer.header.dwFlags, WHDR_PREPARED | WHDR_DONE);

  // A device with nothing to play stands still.
  advance(1000);
  EXPECT_EQ(positionIn(TIME_MS), 100u);
}

TEST_F(WaveOutNullDevice, UnknownTimeKindsAreAnsweredInBytes) {
  Buffer buffer(100 * bytesPerMillisecond);
  play(buffer);
  advance(10);
  MMTIME time{};
  time.wType = TIME_SMPTE;
  ASSERT_EQ(waveOutGetPosition(waveOut, &time, sizeof time), MMSYSERR_NOERROR);
  EXPECT_EQ(time.wType, TIME_BYTES);
  EXPECT_EQ(time.u.cb, 10 * bytesPerMillisecond);
}

TEST_F(WaveOutNullDevice, LoopedBuffersPlayTheirCountAndComeBackTogetherAtTheEnd) {
  struct Case {
    DWORD loops;
    uint64_t finishesAt;  // milliseconds for a 50 ms buffer
  };
  for (const Case& c : {Case{0, 50}, Case{1, 50}, Case{3, 150}}) {
    SCOPED_TRACE(c.loops);
    const size_t before = recorder.finished().size();
    Buffer buffer(50 * bytesPerMillisecond, WHDR_BEGINLOOP | WHDR_ENDLOOP, c.loops);
    play(buffer);
    advance(c.finishesAt - 1);
    EXPECT_EQ(recorder.finished().size(), before);
    advance(1);
    EXPECT_EQ(recorder.finished().size(), before + 1);
    EXPECT_EQ(positionIn(TIME_MS), c.finishesAt);
    ASSERT_EQ(waveOutReset(waveOut), MMSYSERR_NOERROR);
  }
}

TEST_F(WaveOutNullDevice, ALoopOverTwoBuffersHoldsBothUntilItEndsThenPlaysWhatFollows) {
  Buffer first(10 * bytesPerMillisecond, WHDR_BEGINLOOP, 2);
  Buffer second(20 * bytesPerMillisecond, WHDR_ENDLOOP);
  Buffer after(5 * bytesPerMillisecond);
  play(first);
  play(second);
  play(after);
  advance(59);
  EXPECT_TRUE(recorder.finished().empty());
  advance(1);
  EXPECT_EQ(recorder.finished(), (std::vector<WAVEHDR*>{&first.header, &second.header}));
  advance(5);
  EXPECT_EQ(recorder.finished().back(), &after.header);
}

TEST_F(WaveOutNullDevice, ALoopOfEmptyBuffersEndsAtOnce) {
  Buffer empty(0, WHDR_BEGINLOOP | WHDR_ENDLOOP, 0x7FFFFFFF);
  play(empty);
  advance(0);
  EXPECT_EQ(recorder.finished(), std::vector<WAVEHDR*>{&empty.header});
}

TEST_F(WaveOutNullDevice, ResetMidBufferReturnsEveryBufferDoneBeforeItReturnsAndNothingAfter) {
  Buffer playing(100 * bytesPerMillisecond, WHDR_BEGINLOOP | WHDR_ENDLOOP, 0x7FFFFFFF);
  Buffer waiting(100 * bytesPerMillisecond);
  play(playing);
  play(waiting);
  advance(30);
  ASSERT_EQ(waveOutReset(waveOut), MMSYSERR_NOERROR);
  // No waiting for the audio thread: reset has delivered them already.
  EXPECT_EQ(recorder.finished(), (std::vector<WAVEHDR*>{&playing.header, &waiting.header}));
  EXPECT_EQ(playing.header.dwFlags, WHDR_PREPARED | WHDR_DONE | WHDR_BEGINLOOP | WHDR_ENDLOOP);
  EXPECT_EQ(waiting.header.dwFlags, WHDR_PREPARED | WHDR_DONE);
  EXPECT_EQ(positionIn(TIME_MS), 0u);

  const size_t delivered = recorder.messages().size();
  advance(500);
  EXPECT_EQ(recorder.messages().size(), delivered);

  // Played again after a reset, a buffer starts from its beginning.
  play(waiting);
  advance(100);
  EXPECT_EQ(recorder.finished().back(), &waiting.header);
}

TEST_F(WaveOutNullDevice, CloseDeliversWomCloseBeforeItReturnsAndRetiresTheHandle) {
  Buffer buffer(10 * bytesPerMillisecond);
  play(buffer);
  EXPECT_EQ(waveOutClose(waveOut), WAVERR_STILLPLAYING);
  EXPECT_EQ(waveOutUnprepareHeader(waveOut, &buffer.header, sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
  wince::advanceFakeClock(10);
  // The buffer's time is over, so the device has finished it by now.
  ASSERT_EQ(waveOutClose(waveOut), MMSYSERR_NOERROR);
  const auto messages = recorder.messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[1].message, WOM_DONE);
  EXPECT_EQ(messages[2].message, WOM_CLOSE);

  EXPECT_EQ(waveOutWrite(waveOut, &buffer.header, sizeof(WAVEHDR)), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(waveOutClose(waveOut), MMSYSERR_INVALHANDLE);
  // A new handle never takes the old one's value.
  HWAVEOUT next = nullptr;
  ASSERT_EQ(recorder.open(&next, pcmFormat(8000, 1, 16)), MMSYSERR_NOERROR);
  EXPECT_NE(next, waveOut);
  waveOut = next;
}

TEST_F(WaveOutNullDevice, HeadersMustBePreparedAndNotQueuedTwice) {
  Buffer buffer(10 * bytesPerMillisecond);
  EXPECT_EQ(waveOutWrite(waveOut, &buffer.header, sizeof(WAVEHDR)), WAVERR_UNPREPARED);
  EXPECT_EQ(waveOutWrite(waveOut, nullptr, sizeof(WAVEHDR)), MMSYSERR_INVALPARAM);
  EXPECT_EQ(waveOutPrepareHeader(waveOut, &buffer.header, sizeof(WAVEHDR) - 1), MMSYSERR_INVALPARAM);
  play(buffer);
  EXPECT_EQ(waveOutWrite(waveOut, &buffer.header, sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
  advance(10);
  EXPECT_EQ(waveOutUnprepareHeader(waveOut, &buffer.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  EXPECT_EQ(buffer.header.dwFlags & WHDR_PREPARED, 0u);
}

TEST_F(WaveOutNullDevice, PauseHoldsPositionAndRestartGoesOn) {
  Buffer buffer(100 * bytesPerMillisecond);
  play(buffer);
  advance(20);
  ASSERT_EQ(waveOutPause(waveOut), MMSYSERR_NOERROR);
  advance(500);
  EXPECT_EQ(positionIn(TIME_MS), 20u);
  EXPECT_TRUE(recorder.finished().empty());
  // Restart of a device that plays changes nothing.
  ASSERT_EQ(waveOutRestart(waveOut), MMSYSERR_NOERROR);
  ASSERT_EQ(waveOutRestart(waveOut), MMSYSERR_NOERROR);
  advance(79);
  EXPECT_TRUE(recorder.finished().empty());
  advance(1);
  EXPECT_EQ(recorder.finished().size(), 1u);
}

TEST_F(WaveOutNullDevice, BuffersWrittenWhilePausedWaitForRestart) {
  ASSERT_EQ(waveOutPause(waveOut), MMSYSERR_NOERROR);
  Buffer buffer(10 * bytesPerMillisecond);
  play(buffer);
  advance(100);
  EXPECT_EQ(positionIn(TIME_MS), 0u);
  ASSERT_EQ(waveOutRestart(waveOut), MMSYSERR_NOERROR);
  advance(10);
  EXPECT_EQ(recorder.finished().size(), 1u);
}

TEST_F(WaveOutNullDevice, PlaybackRateScalesHowFastTheBufferPlays) {
  DWORD rate = 0;
  ASSERT_EQ(waveOutGetPlaybackRate(waveOut, &rate), MMSYSERR_NOERROR);
  EXPECT_EQ(rate, 0x10000u);
  ASSERT_EQ(waveOutSetPlaybackRate(waveOut, 0x20000), MMSYSERR_NOERROR);
  Buffer buffer(100 * bytesPerMillisecond);
  play(buffer);
  advance(25);
  EXPECT_EQ(positionIn(TIME_MS), 50u);
  // Time played so far keeps the rate it was played at.
  ASSERT_EQ(waveOutSetPlaybackRate(waveOut, 0x8000), MMSYSERR_NOERROR);
  advance(99);
  EXPECT_TRUE(recorder.finished().empty());
  advance(1);
  EXPECT_EQ(recorder.finished().size(), 1u);

  for (DWORD refused : {DWORD(0), DWORD(0xFFF), DWORD(0x80001)})
    EXPECT_EQ(waveOutSetPlaybackRate(waveOut, refused), MMSYSERR_INVALPARAM) << refused;
  ASSERT_EQ(waveOutGetPlaybackRate(waveOut, &rate), MMSYSERR_NOERROR);
  EXPECT_EQ(rate, 0x8000u);
}

TEST_F(WaveOutNullDevice, VolumeBelongsToEachHandleAndTheDeviceHasItsOwn) {
  MessageRecorder otherRecorder;
  HWAVEOUT other = nullptr;
  ASSERT_EQ(otherRecorder.open(&other, pcmFormat(22050, 2, 8)), MMSYSERR_NOERROR);
  DWORD volume = 0;
  ASSERT_EQ(waveOutGetVolume(waveOut, &volume), MMSYSERR_NOERROR);
  EXPECT_EQ(volume, 0xFFFFFFFFu);
  ASSERT_EQ(waveOutSetVolume(waveOut, 0x80001234), MMSYSERR_NOERROR);
  ASSERT_EQ(waveOutGetVolume(waveOut, &volume), MMSYSERR_NOERROR);
  EXPECT_EQ(volume, 0x80001234u);
  ASSERT_EQ(waveOutGetVolume(other, &volume), MMSYSERR_NOERROR);
  EXPECT_EQ(volume, 0xFFFFFFFFu);

  DWORD master = 0;
  ASSERT_EQ(waveOutGetVolume(nullptr, &master), MMSYSERR_NOERROR);
  ASSERT_EQ(waveOutSetVolume(nullptr, 0x40004000), MMSYSERR_NOERROR);
  ASSERT_EQ(waveOutGetVolume(nullptr, &volume), MMSYSERR_NOERROR);
  EXPECT_EQ(volume, 0x40004000u);
  ASSERT_EQ(waveOutGetVolume(waveOut, &volume), MMSYSERR_NOERROR);
  EXPECT_EQ(volume, 0x80001234u);
  waveOutSetVolume(nullptr, master);
  EXPECT_EQ(waveOutClose(other), MMSYSERR_NOERROR);
}

TEST_F(WaveOutNullDevice, ACallbackMayQueueTheNextBuffer) {
  // The streaming pattern: each WOM_DONE writes the other buffer again.
  struct Stream {
    Buffer buffers[2]{Buffer(10 * bytesPerMillisecond), Buffer(10 * bytesPerMillisecond)};
    std::atomic<int> written{0};
    static void callback(HWAVEOUT waveOut, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR) {
      auto* stream = reinterpret_cast<Stream*>(instance);
      if (message != WOM_DONE || stream->written >= 6) return;
      Buffer& next = stream->buffers[stream->written++ % 2];
      waveOutWrite(waveOut, &next.header, sizeof(WAVEHDR));
    }
  } stream;
  HWAVEOUT streaming = nullptr;
  const WAVEFORMATEX format = pcmFormat(8000, 1, 16);
  ASSERT_EQ(waveOutOpen(&streaming, 0, &format, reinterpret_cast<DWORD_PTR>(&Stream::callback),
                        reinterpret_cast<DWORD_PTR>(&stream), CALLBACK_FUNCTION),
            MMSYSERR_NOERROR);
  for (Buffer& buffer : stream.buffers) waveOutPrepareHeader(streaming, &buffer.header, sizeof(WAVEHDR));
  stream.written = 1;
  ASSERT_EQ(waveOutWrite(streaming, &stream.buffers[0].header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  for (int step = 0; step < 10; ++step) advance(10);
  EXPECT_EQ(stream.written, 6);
  MMTIME time{TIME_MS, {}};
  waveOutGetPosition(streaming, &time, sizeof time);
  EXPECT_EQ(time.u.ms, 60u);
  EXPECT_EQ(waveOutClose(streaming), MMSYSERR_NOERROR);
}

TEST_F(WaveOutNullDevice, ACallbackMayResetAndCloseItsOwnHandle) {
  // Reset and close wait for the audio thread's messages; called on that
  // thread they hand them over in place instead of waiting for themselves.
  struct SelfClosing {
    Buffer buffers[2]{Buffer(10 * bytesPerMillisecond), Buffer(10 * bytesPerMillisecond)};
    std::vector<UINT> received;
    MMRESULT resetResult = MMSYSERR_ERROR, closeResult = MMSYSERR_ERROR;
    static void callback(HWAVEOUT waveOut, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR) {
      auto* self = reinterpret_cast<SelfClosing*>(instance);
      self->received.push_back(message);
      if (message != WOM_DONE || self->received.size() != 2) return;
      self->resetResult = waveOutReset(waveOut);
      self->closeResult = waveOutClose(waveOut);
    }
  } self;
  HWAVEOUT handle = nullptr;
  const WAVEFORMATEX format = pcmFormat(8000, 1, 16);
  ASSERT_EQ(waveOutOpen(&handle, 0, &format, reinterpret_cast<DWORD_PTR>(&SelfClosing::callback),
                        reinterpret_cast<DWORD_PTR>(&self), CALLBACK_FUNCTION),
            MMSYSERR_NOERROR);
  for (Buffer& buffer : self.buffers) {
    waveOutPrepareHeader(handle, &buffer.header, sizeof(WAVEHDR));
    waveOutWrite(handle, &buffer.header, sizeof(WAVEHDR));
  }
  advance(10);
  EXPECT_EQ(self.resetResult, MMSYSERR_NOERROR);
  EXPECT_EQ(self.closeResult, MMSYSERR_NOERROR);
  EXPECT_EQ(self.received, (std::vector<UINT>{WOM_OPEN, WOM_DONE, WOM_DONE, WOM_CLOSE}));
  EXPECT_EQ(waveOutClose(handle), MMSYSERR_INVALHANDLE);
}

TEST_F(WaveOutNullDevice, OpeningChecksTheFormatAndTheFlags) {
  struct Case {
    const char* name;
    WAVEFORMATEX format;
  };
  WAVEFORMATEX compressed = pcmFormat(8000, 1, 16);
  compressed.wFormatTag = 2;
  WAVEFORMATEX misaligned = pcmFormat(8000, 2, 16);
  misaligned.nBlockAlign = 2;
  WAVEFORMATEX noRate = pcmFormat(8000, 1, 8);
  noRate.nSamplesPerSec = 0;
  for (const Case& c : {Case{"compressed", compressed}, Case{"three channels", pcmFormat(8000, 3, 16)},
                        Case{"24 bits", pcmFormat(8000, 1, 24)}, Case{"block align", misaligned},
                        Case{"no rate", noRate}}) {
    HWAVEOUT refused = nullptr;
    EXPECT_EQ(recorder.open(&refused, c.format), WAVERR_BADFORMAT) << c.name;
  }
  const WAVEFORMATEX format = pcmFormat(8000, 1, 16);
  HWAVEOUT refused = nullptr;
  EXPECT_EQ(waveOutOpen(&refused, 1, &format, 0, 0, CALLBACK_NULL), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(waveOutOpen(&refused, 0, &format, 0, 0, 0x00050000), MMSYSERR_INVALFLAG);
  EXPECT_EQ(waveOutOpen(&refused, 0, &format, 0, 0, CALLBACK_FUNCTION), MMSYSERR_INVALPARAM);
  // The device may be opened without a callback.
  HWAVEOUT silent = nullptr;
  ASSERT_EQ(waveOutOpen(&silent, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  EXPECT_EQ(waveOutClose(silent), MMSYSERR_NOERROR);
}

TEST_F(WaveOutNullDevice, TheDeviceReportsVolumeAndRateControl) {
  EXPECT_EQ(waveOutGetNumDevs(), 1u);
  WAVEOUTCAPS caps{};
  ASSERT_EQ(waveOutGetDevCaps(0, &caps, sizeof caps), MMSYSERR_NOERROR);
  EXPECT_EQ(caps.dwSupport & (WAVECAPS_VOLUME | WAVECAPS_LRVOLUME | WAVECAPS_PLAYBACKRATE),
            WAVECAPS_VOLUME | WAVECAPS_LRVOLUME | WAVECAPS_PLAYBACKRATE);
  EXPECT_EQ(caps.wChannels, 2);
  EXPECT_EQ(waveOutGetDevCaps(1, &caps, sizeof caps), MMSYSERR_BADDEVICEID);
  EXPECT_FALSE(wince::selectAudioBackend(wince::AudioChoice::none));  // a handle is open
}

TEST_F(WaveOutNullDevice, NoCallbackArrivesAfterResetAndCloseWhileAnotherThreadDrivesTheClock) {
  struct Watch {
    std::atomic<bool> closed{false};
    std::atomic<int> late{0};
    static void callback(HWAVEOUT, UINT, DWORD_PTR instance, DWORD_PTR, DWORD_PTR) {
      auto* watch = reinterpret_cast<Watch*>(instance);
      if (watch->closed) ++watch->late;
    }
  };
  std::atomic<bool> running{true};
  std::thread clockDriver([&] {
    while (running) {
      wince::advanceFakeClock(1);
      wince::waitForAudioCallbacks();
    }
  });
  const WAVEFORMATEX format = pcmFormat(8000, 1, 16);
  for (int round = 0; round < 200; ++round) {
    Watch watch;
    HWAVEOUT handle = nullptr;
    ASSERT_EQ(waveOutOpen(&handle, 0, &format, reinterpret_cast<DWORD_PTR>(&Watch::callback),
                          reinterpret_cast<DWORD_PTR>(&watch), CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    Buffer buffers[3]{Buffer(16), Buffer(32), Buffer(16, WHDR_BEGINLOOP | WHDR_ENDLOOP, 3)};
    for (Buffer& buffer : buffers) {
      waveOutPrepareHeader(handle, &buffer.header, sizeof(WAVEHDR));
      waveOutWrite(handle, &buffer.header, sizeof(WAVEHDR));
    }
    if (round % 2) std::this_thread::yield();
    ASSERT_EQ(waveOutReset(handle), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutClose(handle), MMSYSERR_NOERROR);
    watch.closed = true;
    wince::waitForAudioCallbacks();
    ASSERT_EQ(watch.late, 0) << round;
  }
  running = false;
  clockDriver.join();
}

TEST(WaveOutWithoutDevice, OpeningFailsAndNothingPlays) {
  ASSERT_TRUE(wince::selectAudioBackend(wince::AudioChoice::none));
  EXPECT_STREQ(wince::audioBackendName(), "none");
  EXPECT_EQ(waveOutGetNumDevs(), 0u);
  WAVEOUTCAPS caps{};
  EXPECT_EQ(waveOutGetDevCaps(0, &caps, sizeof caps), MMSYSERR_BADDEVICEID);
  const WAVEFORMATEX format = pcmFormat(8000, 1, 16);
  HWAVEOUT waveOut = nullptr;
  EXPECT_EQ(waveOutOpen(&waveOut, 0, &format, 0, 0, CALLBACK_NULL), MMSYSERR_BADDEVICEID);
  DWORD volume = 0;
  EXPECT_EQ(waveOutGetVolume(nullptr, &volume), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(waveOutReset(waveOut), MMSYSERR_INVALHANDLE);
  wince::waitForAudioCallbacks();
  ASSERT_TRUE(wince::selectAudioBackend(wince::AudioChoice::null));
}

}  // namespace
