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
!include "FileFunc.nsh"

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

; The folders on the way to $INSTDIR that are not there yet, $INSTDIR first,
; as CreatedFolder0, 1, ... in the program's entry: the uninstaller removes
; them again when they are empty.
Function RecordNewFolders
  StrCpy $0 "$INSTDIR"
  StrCpy $1 0
  record:
    IfFileExists "$0\*.*" recorded
    WriteRegStr HKLM "${UNINSTALL_KEY}" "CreatedFolder$1" "$0"
    IntOp $1 $1 + 1
    ${GetParent} "$0" $2
    StrCmp $2 "" recorded
    StrCmp $2 $0 recorded
    StrCpy $0 $2
    Goto record
  recorded:
FunctionEnd

Section "Orbiton 3D"
  SetShellVarContext all
  Call RecordNewFolders
  SetOutPath "$INSTDIR"
  File "${STAGE}/orbiton3d.exe"
  File "${STAGE}/README.txt"
  File "${STAGE}/LICENSE.txt"
  File "${STAGE}/THIRD-PARTY-NOTICES.txt"
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
; and so does the folder then, and the folders above it.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${NAME}.lnk"
  !insertmacro RemoveLevels
  RMDir "$INSTDIR\levels"
  Delete "$INSTDIR\orbiton3d.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\THIRD-PARTY-NOTICES.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; The folders the installer made on the way, deepest first: each goes only
  ; when nothing else is in it.
  StrCpy $1 0
  remove:
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "CreatedFolder$1"
    StrCmp $0 "" removed
    RMDir "$0"
    IntOp $1 $1 + 1
    Goto remove
  removed:
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; This uninstaller runs from a copy of itself in the temporary folder, so
  ; that it could remove its own file above; the copy and its folder cannot go
  ; while it runs, and go when Windows next starts.
  Delete /REBOOTOK "$EXEPATH"
  RMDir /REBOOTOK "$EXEDIR"
SectionEnd
