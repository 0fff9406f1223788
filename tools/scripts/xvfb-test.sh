#!/bin/sh
# Runs a test program on a virtual X display (xvfb-run, the xcb platform), for
# tests that need what offscreen runs do not have: the platform's key
# bindings, keyboard focus, an active window. Without xvfb-run the test is
# skipped (exit status 77) with a note.
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "xvfb-run not found (packages xvfb and xauth): display test skipped"
  exit 77
fi
QT_QPA_PLATFORM=xcb exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
