; SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer: the game, its levels, README and licence in one
; folder, a Start-menu entry, and an uninstaller listed in the system's
; "Apps" that takes all of it away again. Built by the build system:
;   makensis -DVERSION=X.Y.Z -DSTAGE=FOLDER -DICON=FILE.ico -DLEVELS=FILE.nsh
;            -DOUTFILE=SETUP.exe orbiton3d.nsi
; where FOLDER is the game as the zip holds it and FILE.nsh names its levels
; (the macros InstallLevels and RemoveLevels).
!include "${LEVELS}"
; A 64-bit installer for a 64-bit game: it needs no 32-bit Windows layer.
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"

!define NAME "Orbiton 3D"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orbiton3D"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${NAME}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; The GPL asks no one to accept it to use the program.
!define MUI_LICENSEPAGE_TEXT_BOTTOM "You need not accept this licence to install or play ${NAME}: it gives you the right to share and change it."
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_FINISHPAGE_RUN "$INSTDIR\orbiton3d.exe"
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${NAME}"
VIAddVersionKey "FileDescription" "${NAME} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "2026 The Orbiton 3D developers; GNU GPL version 3 or later"

Section "Orbiton 3D"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${STAGE}/orbiton3d.exe"
  File "${STAGE}/README.txt"
  File "${STAGE}/LICENSE.txt"
  SetOutPath "$INSTDIR\levels"
  !insertmacro InstallLevels
  ; The game starts in its own folder: a 1.lvl in the working directory
  ; would win over the installed levels.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\orbiton3d.exe" "" "$INSTDIR\orbiton3d.exe" 0
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Orbiton 3D developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\orbiton3d.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there: a player's own files in the folder stay,
; and so does the folder then.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${NAME}.lnk"
  !insertmacro RemoveLevels
  RMDir "$INSTDIR\levels"
  Delete "$INSTDIR\orbiton3d.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
