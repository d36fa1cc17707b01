# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT

# CPack's External generator runs this on the staged files: the MSI beside the zip.
set(msi ${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.msi)
execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/msi.sh ${CPACK_TEMPORARY_DIRECTORY} ${msi}
                        ${CPACK_PACKAGE_VERSION} ${CPACK_MSI_ICON} COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_EXTERNAL_BUILT_PACKAGES ${msi})
