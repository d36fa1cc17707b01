# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT

# Per generator: the installer is named apart from the zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
