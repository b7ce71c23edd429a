; The Windows installer of Quillory Album, per machine: the window, qalbum,
; the help page and the licence in Program Files, a Start menu shortcut and an
; uninstaller that Windows lists under its programs. No file type is registered.
; scripts/package-windows makes it with makensis, defining
;   VERSION  the program's version (1.0.0)
;   ARCH     x86 (32-bit programs, 32-bit installer) or x64 (64-bit programs and installer)
;   FILES    the absolute path of the folder holding QuilloryAlbum.exe, qalbum.exe, QuilloryAlbum.htm and LICENSE.txt
;   OUTFILE  the installer to write
; Silent: "setup.exe /S" installs (/D=folder, last, picks another folder);
; "Uninstall.exe /S" removes everything it installed.

!macro REQUIRE SYMBOL
  !ifndef ${SYMBOL}
    !error "${SYMBOL} is not defined: makensis -DVERSION=... -DARCH=x86|x64 -DFILES=... -DOUTFILE=... QuilloryAlbum.nsi"
  !endif
!macroend
!insertmacro REQUIRE VERSION
!insertmacro REQUIRE ARCH
!insertmacro REQUIRE FILES
!insertmacro REQUIRE OUTFILE

Unicode true
; The 64-bit programs are named apart in the Start menu and the list of
; installed programs, so that each installation keeps its own entries.
!if "${ARCH}" == "x64"
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
  !define SHOWN_NAME "Quillory Album (64-bit)"
!else if "${ARCH}" == "x86"
  Target x86-unicode
  !define PROGRAM_FILES "$PROGRAMFILES"
  !define SHOWN_NAME "Quillory Album"
!else
  !error "ARCH is x86 or x64, not ${ARCH}"
!endif

!define NAME "Quillory Album"
!define PUBLISHER "Quillory"
; A 32-bit installer's key lands in the 32-bit view of the registry, which
; Windows lists too.
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuilloryAlbum"
; app/ProgramPlaces.h tells an installed program by this file beside it.
!define UNINSTALLER "Uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${SHOWN_NAME}.lnk"

Name "${SHOWN_NAME}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\${NAME}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "${NAME} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${NAME}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${NAME} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "MIT License"

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "../../resources/QuilloryAlbum.ico"
!define MUI_UNICON "../../resources/QuilloryAlbum.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_LICENSE "${FILES}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Install"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${FILES}/QuilloryAlbum.exe"
  File "${FILES}/qalbum.exe"
  File "${FILES}/QuilloryAlbum.htm"
  File "${FILES}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\QuilloryAlbum.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${SHOWN_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\QuilloryAlbum.exe,0"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "${SHORTCUT}"
  Delete "$INSTDIR\QuilloryAlbum.exe"
  Delete "$INSTDIR\qalbum.exe"
  Delete "$INSTDIR\QuilloryAlbum.htm"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: exports or files a user put there stay.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
