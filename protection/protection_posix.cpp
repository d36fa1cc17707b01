// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#include "protection.h"

#include <sys/resource.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

void protectProcess()
{
    // No core file, however the system keeps them (systemd-coredump, apport).
    const rlimit none = {0, 0};
    setrlimit(RLIMIT_CORE, &none);
#ifdef __linux__
    // Not dumpable: no core dump by any handler, and another process of the user
    // can neither attach nor read /proc/PID/mem, as ssh-agent does.
    prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
#endif
    // Other Unix systems: only the core limit, their tracing controls are left as they are.
}
