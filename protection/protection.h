// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#pragma once

// Closes three ways out for the password: no core file or crash dump of it
// and, where the system allows, no other process of the same user reading or
// writing its memory or attaching a debugger. Both programs call it first, before any password reaches
// them. An administrator (root) can still read the process. One file per system.
void protectProcess();
