// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#include "protection.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <werapi.h>

#include <string>

void protectProcess()
{
    // A crash report leaves out the heap, where the password is. (The only way to
    // turn Windows Error Reporting off for one program writes to the registry.)
    WerSetFlags(WER_FAULT_REPORTING_FLAG_NOHEAP);

    // A protected DACL in place of the inherited one, which gives the user all
    // rights: other processes of the user, and the owner's implicit rights
    // (OWNER RIGHTS), keep only seeing, waiting for and ending it, and reading
    // the DACL, as KeePassXC does. No reading or writing its memory, no thread
    // made in it, no handle of it taken. SYSTEM keeps all rights; an
    // administrator with the debug privilege passes any DACL.
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return;
    char buffer[SECURITY_MAX_SID_SIZE + sizeof(TOKEN_USER)];
    DWORD size;
    const bool gotUser = GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size);
    CloseHandle(token);
    wchar_t *user;
    if (!gotUser || !ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER *>(buffer)->User.Sid, &user))
        return;
    // 0x121001: READ_CONTROL | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE
    const std::wstring sddl = L"D:P(A;;GA;;;SY)(A;;0x121001;;;BA)(A;;0x121001;;;OW)(A;;0x121001;;;"
            + std::wstring(user) + L")";
    LocalFree(user);
    PSECURITY_DESCRIPTOR descriptor;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return;
    BOOL present, defaulted;
    PACL dacl;
    if (GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) && present)
        SetSecurityInfo(GetCurrentProcess(), SE_KERNEL_OBJECT,
                        DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr, dacl,
                        nullptr);
    LocalFree(descriptor);
}
