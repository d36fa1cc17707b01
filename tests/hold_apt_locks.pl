#!/usr/bin/perl
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Holds the given lock files as dpkg and apt hold them (fcntl write locks) for
# SECONDS, as another apt would; prints "held" once it holds them all.
# Usage (apt_client.sh): hold_apt_locks.pl SECONDS FILE...
use Fcntl;
my @held = map { my ($file, $lock) = (undef, pack("s s x4 q q i x4", F_WRLCK, 0, 0, 0, 0));
                 open($file, ">>", $_) && fcntl($file, F_SETLK, $lock) or die "$_: $!"; $file } @ARGV[1 .. $#ARGV];
print "held\n"; close STDOUT; sleep $ARGV[0];
