#!/usr/bin/python3
"""Live test-pattern RTSP source on 127.0.0.1 (RTP over UDP) for the Wi-Fi camera link."""
import argparse
import signal
import sys

import gi

gi.require_version("Gst", "1.0")
gi.require_version("GstRtsp", "1.0")
gi.require_version("GstRtspServer", "1.0")
from gi.repository import GLib, Gst, GstRtsp, GstRtspServer  # noqa: E402


def pipeline(codec, width, height, fps, pattern):
    # The valve lets a running session stop sending frames while it stays open.
    raw = (f"videotestsrc is-live=true pattern={pattern} ! "
           f"video/x-raw,format=I420,width={width},height={height},framerate={fps}/1 ! "
           f"valve name=valve drop=false")
    if codec == "mjpeg":
        # jpegenc needs planar I420 before it or the payloader refuses the caps.
        return f"( {raw} ! jpegenc quality=80 ! rtpjpegpay name=pay0 pt=26 )"
    return (f"( {raw} ! x264enc tune=zerolatency speed-preset=ultrafast key-int-max={fps} "
            f"bitrate=4000 ! video/x-h264,profile=baseline ! rtph264pay name=pay0 pt=96 config-interval=1 )")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--port", type=int, default=8554, help="0: any free port (see the URL printed)")
    ap.add_argument("--path", default="/stream/main")
    ap.add_argument("--codec", choices=["h264", "mjpeg"], default="h264")
    ap.add_argument("--width", type=int, default=640)
    ap.add_argument("--height", type=int, default=480)
    ap.add_argument("--fps", type=int, default=30)
    ap.add_argument("--pattern", default="smpte")
    ap.add_argument("--lifetime", type=float, default=0, help="seconds before exiting (0: run until killed)")
    ap.add_argument("--stall-control", action="store_true",
                    help="a line 'stall' on stdin stops the frames of every open session; "
                         "sessions opened later get frames again")
    args = ap.parse_args()

    Gst.init(None)
    server = GstRtspServer.RTSPServer()
    server.set_address("127.0.0.1")
    server.set_service(str(args.port))
    factory = GstRtspServer.RTSPMediaFactory()
    factory.set_launch(pipeline(args.codec, args.width, args.height, args.fps, args.pattern))
    # A stalled session's pipeline must not be shared by the sessions opened after it.
    factory.set_shared(not args.stall_control)
    valves = []
    factory.connect("media-configure",
                    lambda _f, media: valves.append(media.get_element().get_by_name("valve")))
    factory.set_protocols(GstRtsp.RTSPLowerTrans.UDP)
    pool = GstRtspServer.RTSPAddressPool()
    pool.add_range("127.0.0.1", "127.0.0.1", 40000, 49999, 0)
    factory.set_address_pool(pool)
    server.get_mount_points().add_factory(args.path, factory)
    if server.attach(None) == 0:
        print("cannot listen on 127.0.0.1:%d" % args.port, file=sys.stderr)
        return 1

    loop = GLib.MainLoop()
    if args.stall_control:
        def on_stdin(channel, _condition):
            line = channel.readline()
            if not line:
                loop.quit()
                return False
            if line.strip() == "stall":
                for valve in valves:
                    valve.set_property("drop", True)
                valves.clear()
                print("stalled", flush=True)
            return True
        GLib.io_add_watch(GLib.IOChannel.unix_new(sys.stdin.fileno()), GLib.IO_IN | GLib.IO_HUP, on_stdin)
    if args.lifetime > 0:
        GLib.timeout_add(int(args.lifetime * 1000), loop.quit)
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, loop.quit)
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGINT, loop.quit)
    # Port 0 lets the system pick a free one: the URL tells which.
    print("rtsp://127.0.0.1:%d%s" % (server.get_bound_port(), args.path), flush=True)
    loop.run()
    return 0


if __name__ == "__main__":
    sys.exit(main())
