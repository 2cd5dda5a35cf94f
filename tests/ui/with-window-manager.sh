#!/bin/sh
# Runs a test program on a virtual X display under openbox, so that windows
# get the frames and places a window manager gives them. Without Xvfb or
# openbox the run is skipped (status 77).
command -v xvfb-run >/dev/null 2>&1 && command -v openbox >/dev/null 2>&1 || exit 77
exec xvfb-run -a -s '-screen 0 1920x1080x24' sh -c '
    openbox --sm-disable >/dev/null 2>&1 &
    manager=$!
    # The window manager is ready once it has claimed the screen.
    for attempt in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.1
    done
    QT_QPA_PLATFORM=xcb "$@"
    status=$?
    kill $manager
    exit $status' sh "$@"
