#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Runs the benchmark (median of 15 runs per figure), prints the README's
# Performance table and checks the budgets; exits non-zero if one is missed.
# Usage: bench/check.sh [BUILD_DIR]   (after ./dev.sh run or test has built it)
set -euo pipefail
build=${1:-build}
QT_QPA_PLATFORM=offscreen "$build/bench/bench_convert" -median 15 -csv 2>/dev/null | awk -F, '
    { gsub(/"/, ""); ms[$1 "/" $2] = $4; if (!($2 in seen)) { seen[$2]; rows[++n] = $2 } }
    END {
        print "| input | encode | floor | encode/floor | Convert click |"
        print "|---|---|---|---|---|"
        for (i = 1; i <= n; ++i) {
            r = rows[i]
            printf "| %s | %.3f ms | %.3f ms | %.2f | %.3f ms |\n", r, ms["encode/" r], ms["floor/" r],
                   ms["encode/" r] / ms["floor/" r], ms["convert/" r]
        }
        fail = 0
        if (ms["encode/largest"] / ms["floor/largest"] > 1.10) { print "MISSED: encode/floor on the largest input > 1.10"; fail = 1 }
        if (ms["convert/typical"] >= 1) { print "MISSED: Convert on the typical password >= 1 ms"; fail = 1 }
        if (ms["convert/largest"] >= 50) { print "MISSED: Convert on the largest input >= 50 ms"; fail = 1 }
        if (!fail) print "all budgets met"
        exit fail
    }'
