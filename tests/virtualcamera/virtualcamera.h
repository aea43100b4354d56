#ifndef VIRTUALCAMERA_H
#define VIRTUALCAMERA_H

// A USB camera in user space for the tests: loaded with LD_PRELOAD (or linked into a
// test), it makes one device node (OCUMETRA_VCAM_NODE, default "/dev/video63") answer
// the V4L2 calls a UVC camera answers, streaming a moving test picture in MJPEG or YUYV.
// Calls that do not concern the camera never wait for it. In a child forked from the
// program every call goes straight to libc: the camera stays with the parent.
//
// Commands, one a line, through vcam_command() or appended to the file named by
// OCUMETRA_VCAM_CONTROL:
//   unplug | replug        every call on an open descriptor then fails with ENODEV
//   truncate N             the next N MJPEG frames lose their second half
//   stall MS               no frame for MS milliseconds
//   refuse WxH             S_FMT answers another size for WxH, as drivers do
//   controls none|all      a camera without picture controls, or with them (default)
//   fps N                  frame rate of every size (0: a frame whenever a buffer waits)
//   reset                  all of the above back to a plain camera, journal and counts cleared
//   hold MS                the camera's lock is held for MS milliseconds, as by a slow call
//                          (vcam_command returns when it ends)
// Events are journalled, one a line ("open", "s_fmt MJPG 640x480", "streamon",
// "s_ctrl brightness 12", ...), in memory and in the file named by OCUMETRA_VCAM_JOURNAL.

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

void vcam_command(const char* line);
// Counters: "open" descriptors, "streaming" (0/1), "mapped" regions the program holds,
// "frames" dequeued, "dropped" (no buffer queued), "truncated", "sets" (S_CTRL calls),
// "width", "height" of the stream, "ctrl:<name>" current control values, and "holding"
// (1 while a hold lasts). "mapped" and "holding" are answered without the camera's lock.
long vcam_counter(const char* name);
// Copies the journal (NUL-terminated, cut to size); returns its full length.
size_t vcam_journal(char* buffer, size_t size);

#ifdef __cplusplus
}
#endif

#endif
