#pragma once
// The wave-out device: one output device (id 0) that plays queued PCM buffers
// of 8 or 16 bits, mono or stereo, at any rate. Completion messages reach the
// opener's callback function on the device's own audio thread.
//
// Guarantees callers rely on:
// - waveOutReset and waveOutClose deliver every message still due for the
//   handle before they return; after that no callback arrives for it.
// - Callbacks run without any device lock held, so a callback may call the
//   wave-out functions (but must not wait for a thread that is inside
//   waveOutReset or waveOutClose).
// - A handle is never reused after close; a stale one answers
//   MMSYSERR_INVALHANDLE.
// - Volumes are two 16-bit words, left in the low word and right in the
//   high word. The handle 0 names the device's own (master) volume.
#include <cstddef>
#include <cstdint>

#include "wince/types.h"

using DWORD_PTR = uintptr_t;
using UINT_PTR = uintptr_t;
using LPSTR = char*;

struct HWAVEOUT__;
using HWAVEOUT = HWAVEOUT__*;

using MMRESULT = UINT;
constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_NOTSUPPORTED = 8;
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT WAVERR_BADFORMAT = 32;
constexpr MMRESULT WAVERR_STILLPLAYING = 33;
constexpr MMRESULT WAVERR_UNPREPARED = 34;

constexpr UINT WAVE_MAPPER = 0xFFFFFFFFu;
constexpr WORD WAVE_FORMAT_PCM = 1;

// waveOutOpen flags.
constexpr DWORD CALLBACK_NULL = 0x00000000;
constexpr DWORD CALLBACK_FUNCTION = 0x00030000;
constexpr DWORD CALLBACK_TYPEMASK = 0x00070000;

// Callback messages.
constexpr UINT WOM_OPEN = 0x3BB;
constexpr UINT WOM_CLOSE = 0x3BC;
constexpr UINT WOM_DONE = 0x3BD;

// WAVEHDR flags.
constexpr DWORD WHDR_DONE = 0x01;
constexpr DWORD WHDR_PREPARED = 0x02;
constexpr DWORD WHDR_BEGINLOOP = 0x04;
constexpr DWORD WHDR_ENDLOOP = 0x08;
constexpr DWORD WHDR_INQUEUE = 0x10;

// WAVEOUTCAPS support bits.
constexpr DWORD WAVECAPS_PITCH = 0x01;
constexpr DWORD WAVECAPS_PLAYBACKRATE = 0x02;
constexpr DWORD WAVECAPS_VOLUME = 0x04;
constexpr DWORD WAVECAPS_LRVOLUME = 0x08;

// MMTIME kinds.
constexpr UINT TIME_MS = 0x01;
constexpr UINT TIME_SAMPLES = 0x02;
constexpr UINT TIME_BYTES = 0x04;
constexpr UINT TIME_SMPTE = 0x08;
constexpr UINT TIME_MIDI = 0x10;
constexpr UINT TIME_TICKS = 0x20;

struct WAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;
};

struct WAVEHDR {
  LPSTR lpData;
  DWORD dwBufferLength;
  DWORD dwBytesRecorded;
  DWORD_PTR dwUser;
  DWORD dwFlags;
  DWORD dwLoops;
  WAVEHDR* lpNext;
  DWORD_PTR reserved;
};

struct WAVEOUTCAPS {
  WORD wMid;
  WORD wPid;
  UINT vDriverVersion;
  WCHAR szPname[32];
  DWORD dwFormats;
  WORD wChannels;
  WORD wReserved1;
  DWORD dwSupport;
};

struct MMTIME {
  UINT wType;
  union {
    DWORD ms;
    DWORD sample;
    DWORD cb;
    DWORD ticks;
    struct {
      BYTE hour, min, sec, frame, fps, dummy;
      BYTE pad[2];
    } smpte;
    struct {
      DWORD songptrpos;
    } midi;
  } u;
};

// The callback function given to waveOutOpen with CALLBACK_FUNCTION.
// param1 of WOM_DONE is the finished WAVEHDR.
using WAVEOUTPROC = void (*)(HWAVEOUT waveOut, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                             DWORD_PTR param2);

UINT waveOutGetNumDevs();
MMRESULT waveOutGetDevCaps(UINT_PTR deviceId, WAVEOUTCAPS* caps, UINT capsSize);
MMRESULT waveOutOpen(HWAVEOUT* waveOut, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags);
MMRESULT waveOutClose(HWAVEOUT waveOut);
MMRESULT waveOutPrepareHeader(HWAVEOUT waveOut, WAVEHDR* header, UINT headerSize);
MMRESULT waveOutUnprepareHeader(HWAVEOUT waveOut, WAVEHDR* header, UINT headerSize);
MMRESULT waveOutWrite(HWAVEOUT waveOut, WAVEHDR* header, UINT headerSize);
MMRESULT waveOutReset(HWAVEOUT waveOut);
MMRESULT waveOutPause(HWAVEOUT waveOut);
MMRESULT waveOutRestart(HWAVEOUT waveOut);
// TIME_MS, TIME_SAMPLES and TIME_BYTES are answered; any other kind is
// answered in TIME_BYTES with wType changed to say so.
MMRESULT waveOutGetPosition(HWAVEOUT waveOut, MMTIME* time, UINT timeSize);
MMRESULT waveOutGetVolume(HWAVEOUT waveOut, DWORD* volume);
MMRESULT waveOutSetVolume(HWAVEOUT waveOut, DWORD volume);
// 16.16 fixed point, 0x10000 = normal speed; the device plays 1/16 to 8.
MMRESULT waveOutGetPlaybackRate(HWAVEOUT waveOut, DWORD* rate);
MMRESULT waveOutSetPlaybackRate(HWAVEOUT waveOut, DWORD rate);
