; Orvanta's installer for 64-bit Windows: installs for the current user,
; without administrator rights, under the user's own programs folder.
;   makensis -DVERSION=... -DSTAGE=folder -DOUTFILE=setup.exe installer.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanta"

Name "Orvanta ${VERSION}"
OutFile "${OUTFILE}"
Icon "${STAGE}\orvanta.ico"
UninstallIcon "${STAGE}\orvanta.ico"
InstallDir "$LOCALAPPDATA\Programs\Orvanta"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "Orvanta"
VIAddVersionKey "FileDescription" "Orvanta ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "The Orvanta developers"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 the Orvanta developers"

Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles
LicenseData "${STAGE}\LICENSE.txt"

Section "Orvanta"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "${STAGE}\Orvanta.exe"
    File "${STAGE}\orvanta-reduce.exe"
    File "${STAGE}\README.txt"
    File "${STAGE}\LICENSE.txt"
    File "${STAGE}\flightplans.txt"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Orvanta.lnk" "$INSTDIR\Orvanta.exe" "" "$INSTDIR\Orvanta.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Orvanta"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Orvanta developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Orvanta.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\Orvanta.lnk"
    Delete "$INSTDIR\Orvanta.exe"
    Delete "$INSTDIR\orvanta-reduce.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\flightplans.txt"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
