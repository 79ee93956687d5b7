; The Windows installer, tilzo-<version>-setup.exe:
;   makensis -NOCD -DVERSION=<version> -DVERSION4=<a.b.c.d> -DEXE=path/tilzo.exe -DREADME=path/readme.txt
;            -DLICENSE=path/licence.txt -DICON=path/tilzo.ico -DWELCOME=path/164x314.bmp [-DOUTDIR=dir] tilzo.nsi
; -NOCD: relative paths are then taken from the current folder, not from this file's.
; For everyone (Program Files, HKLM) or for the player alone (%LOCALAPPDATA%\Programs\Tilzo, HKCU, no
; administrator rights needed). Silent with /S: for everyone, unless /CurrentUser says otherwise (/AllUsers
; says it outright). The uninstaller takes /S too.

!ifndef VERSION | VERSION4 | EXE | README | LICENSE | ICON | WELCOME
  !error "Define VERSION, VERSION4, EXE, README, LICENSE, ICON and WELCOME: makensis -DVERSION=... (see above)"
!endif
!ifndef OUTDIR
  !define OUTDIR "."
!endif

; The default 32-bit stub does not start where Wine (or Windows) has no 32-bit support.
Target amd64-unicode
SetCompressor /SOLID lzma

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tilzo"

; An administrator chooses for whom; anyone else installs for themselves. Over an earlier install the
; same mode and folder are offered again, so it is replaced in place.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Tilzo"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINST_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINST_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
; MultiUser's uninstaller would take its folder from the registry, which with both installs present may be
; the other one's: ours goes by where it is (un.onInit).
!define MULTIUSER_NOUNINSTALL
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

Name "Tilzo"
OutFile "${OUTDIR}/tilzo-${VERSION}-setup.exe"
BrandingText "Tilzo ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WELCOME}"
!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\tilzo.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Run Tilzo"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\readme.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show readme"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "Your high scores stay where they are kept, in %APPDATA%\Tilzo. Tilzo itself \
    will be removed from the folder below. $(^ClickUninstall)"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The program's own wording (frontends/win32/tilzo.rc), for the installer.
VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Tilzo"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Tilzo, a puzzle game: setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "The Tilzo developers"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "MIT licence, the Tilzo developers"
VIAddVersionKey /LANG=${LANG_ENGLISH} "OriginalFilename" "tilzo-${VERSION}-setup.exe"

Function .onInit
  SetRegView 64
  !insertmacro MULTIUSER_INIT
FunctionEnd

; SHCTX is HKLM for everyone, HKCU for the player alone, as $SMPROGRAMS follows the mode.
Section "Tilzo"
  SetOutPath "$INSTDIR"
  File "/oname=tilzo.exe" "${EXE}"
  File "/oname=readme.txt" "${README}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Tilzo.lnk" "$INSTDIR\tilzo.exe" "" "$INSTDIR\tilzo.exe" 0

  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayName" "Tilzo"
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINST_KEY}" "Publisher" "The Tilzo developers"
  WriteRegStr SHCTX "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\tilzo.exe,0"
  WriteRegDWORD SHCTX "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

; The per-user install is the one HKCU names; any other is for everyone and needs an administrator.
Function un.onInit
  SetRegView 64
  ReadRegStr $0 HKCU "${UNINST_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    SetShellVarContext current
  ${Else}
    SetShellVarContext all
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
      MessageBox MB_OK|MB_ICONSTOP "Tilzo was installed for all users: removing it needs an administrator." /SD IDOK
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; The scores in %APPDATA%\Tilzo are the player's and stay. RMDir without /r: a file someone else put
; in the folder keeps the folder, rather than being deleted with it.
Section "Uninstall"
  Delete "$INSTDIR\tilzo.exe"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Tilzo.lnk"
  DeleteRegKey SHCTX "${UNINST_KEY}"
SectionEnd
