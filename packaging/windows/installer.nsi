; Windows installer of the Halven tester PC suite, built on Linux by makensis (cmake/packaging.cmake
; passes PRODUCT_NAME, PRODUCT_VERSION, PUBLISHER, PROGRAM_DIR, SAMPLE_DIR and OUTFILE).
; Per user, without administrator rights: the programs write their exchange files (Tr.ini,
; InfoTrfTR.zel, the images, Results.log) in their own folder, so that folder must be the user's.

; A 64-bit installer for 64-bit programs (and the Wine of the tests, which runs no 32-bit code).
Target amd64-unicode
!include "MUI2.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\HalvenTesterPC"
!define START_MENU_FOLDER "$SMPROGRAMS\${PRODUCT_NAME}"

Name "${PRODUCT_NAME} ${PRODUCT_VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT_NAME}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ShowInstDetails show
BrandingText "${PRODUCT_NAME} ${PRODUCT_VERSION}"

VIProductVersion "${PRODUCT_VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey /LANG=0 "ProductVersion" "${PRODUCT_VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT_NAME} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${PRODUCT_VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
!define MUI_ABORTWARNING
; The French title ("Bienvenue dans le programme d'installation de ...") needs a third line.
!define MUI_WELCOMEPAGE_TITLE_3LINES
!define MUI_FINISHPAGE_TITLE_3LINES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Morvane.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one used when the system's language is none of the three.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "German"

Section "Programs"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${PROGRAM_DIR}\Morvane.exe"
  File "${PROGRAM_DIR}\Quillink.exe"
  File "${PROGRAM_DIR}\testersim.exe"
  File "${PROGRAM_DIR}\testerplan.exe"
  SetOutPath "$INSTDIR\Samples"
  File "${SAMPLE_DIR}\TransfertVersTR.zel"
  File "${SAMPLE_DIR}\TransfertVersTR.toml"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "${START_MENU_FOLDER}"
  CreateShortcut "${START_MENU_FOLDER}\Morvane.lnk" "$INSTDIR\Morvane.exe" "" "$INSTDIR\Morvane.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${PRODUCT_VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Morvane.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  ; The size the list of installed programs shows, in KiB, of what was just installed.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes the programs, the shortcut and the files the programs rebuild at every run; reports,
; an archive of uploads or anything else the user left in the folder stay, and so does the folder.
Section "Uninstall"
  SetShellVarContext current
  Delete "$INSTDIR\Morvane.exe"
  Delete "$INSTDIR\Quillink.exe"
  Delete "$INSTDIR\testersim.exe"
  Delete "$INSTDIR\testerplan.exe"
  Delete "$INSTDIR\Samples\TransfertVersTR.zel"
  Delete "$INSTDIR\Samples\TransfertVersTR.toml"
  RMDir "$INSTDIR\Samples"
  Delete "$INSTDIR\InfoTrfTR.zel"
  Delete "$INSTDIR\Tr.ini"
  Delete "$INSTDIR\VersionTr.zel"
  Delete "$INSTDIR\ResBin.zel"
  Delete "$INSTDIR\CfgBin.zel"
  Delete "$INSTDIR\MenuBin.zel"
  Delete "$INSTDIR\AcqBin.zel"
  Delete "$INSTDIR\Results.log"
  Delete "$INSTDIR\MenuCfg.h86"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "${START_MENU_FOLDER}\Morvane.lnk"
  RMDir "${START_MENU_FOLDER}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
