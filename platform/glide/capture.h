// capture.h - LUMIVEX_CAPTURE: every shown frame into a video file at exactly
// 30 frames a second, whatever the pacing. The file's extension chooses what
// it holds: .mkv is FFV1 RGB (lossless), .mp4 is H.264 yuv420p for sharing.
// Encoding runs on a thread of its own, so that the show and the encoder
// overlap. A capture that cannot be made, or whose file cannot be written
// whole, is reported on stderr in one line and in the exit status, and the
// show goes on without it; nothing here stops or slows it otherwise. The file
// is written as it goes, never more than half a second behind the frames, in
// pieces that play on their own: a process killed outright leaves a file
// that plays up to about then.
// One per host, in capture/: capture_load.cpp (Linux, over the FFmpeg module
// capture_ffmpeg.cpp); capture_none.cpp where FFmpeg is missing.
#ifndef LUMIVEX_GLIDE_CAPTURE_H
#define LUMIVEX_GLIDE_CAPTURE_H

#include <cstdint>

// Starts a capture to path of pictures of width x height (grSstWinOpen).
void capture_start(const char *path, int width, int height);

// Adds the picture a swap has just shown (0x00RRGGBB, row by row from the top).
void capture_frame(const uint32_t *xrgb);

// Completes the file: the last frames encoded, the index written. Harmless
// when there is no capture; also run when the process exits without
// closing the device.
void capture_finish();

#endif
