; The Windows installer, tilzo-<VERSION>-setup.exe:
;   makensis -NOCD -DVERSION=<version> -DEXE=path/tilzo.exe -DREADME=path/readme.txt [-DOUTDIR=dir] tilzo.nsi
; -NOCD: relative paths are then taken from the current folder, not from this file's.
; Installed silently with /S; the uninstaller takes /S too.

!ifndef VERSION | EXE | README
  !error "Define VERSION, EXE and README: makensis -DVERSION=... -DEXE=... -DREADME=..."
!endif
!ifndef OUTDIR
  !define OUTDIR "."
!endif

; The default 32-bit stub does not start where Wine (or Windows) has no 32-bit support.
Target amd64-unicode
SetCompressor /SOLID lzma

!include FileFunc.nsh

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tilzo"

Name "Tilzo"
OutFile "${OUTDIR}/tilzo-${VERSION}-setup.exe"
InstallDir "$PROGRAMFILES64\Tilzo"
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Installed for every user of the machine: HKLM and the common Start menu.
Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Tilzo"
  SetOutPath "$INSTDIR"
  File "/oname=tilzo.exe" "${EXE}"
  File "/oname=readme.txt" "${README}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Tilzo.lnk" "$INSTDIR\tilzo.exe" "" "$INSTDIR\tilzo.exe" 0

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "Tilzo"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "The Tilzo developers"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\tilzo.exe,0"
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

; The scores in %APPDATA%\Tilzo are the player's and stay. RMDir without /r: a file someone else put
; in the folder keeps the folder, rather than being deleted with it.
Section "Uninstall"
  Delete "$INSTDIR\tilzo.exe"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Tilzo.lnk"
  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd
