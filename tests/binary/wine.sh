#!/bin/sh
# Launcher of the Windows .exe for the tests: Wine, in the prefix that the
# environment names. With VELLMOOR_FAKETIME ("YYYY-MM-DD hh:mm:ss") the
# program's clock stands still there, so that two runs build one landscape;
# the monotonic clock, which drives the timers, runs on.
if [ -n "${VELLMOOR_FAKETIME:-}" ]; then
    LD_PRELOAD=$(dpkg -L libfaketime | grep '/libfaketime\.so\.1$') FAKETIME=$VELLMOOR_FAKETIME \
        FAKETIME_DONT_FAKE_MONOTONIC=1 exec wine "$@"
fi
exec wine "$@"
