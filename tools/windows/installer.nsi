; The viewer's installer: installs for the current user only, with no admin
; rights, into %LOCALAPPDATA%\Programs\OstrelView; associates .ostrelScript
; files with the viewer under HKCU\Software\Classes, adds a Start-menu
; shortcut and an entry in the user's list of installed programs.
; The uninstaller removes all of that again but keeps the viewer's settings.
;
; Built by make-installer.sh, which defines VERSION, ICON, OUTFILE and the two
; generated file lists FILES_NSH (install) and UNFILES_NSH (uninstall).

; A 64-bit installer: the programs it carries run on 64-bit Windows only,
; and wine64 runs it without a 32-bit wine beside it.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PRODUCT_NAME "OstrelScript ビューアー"
!define PUBLISHER "Brimwold"
!define EXE "OstrelView.exe"
!define EXTENSION ".ostrelScript"
!define PROGID "OstrelView.ostrelScript"
!define CLASSES "Software\Classes"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\OstrelView"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT_NAME}.lnk"
!define SHCNE_ASSOCCHANGED 0x08000000
!define SHCNF_IDLIST 0

Name "$(INSTALLER_NAME)"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\OstrelView"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; Japanese first: it is the viewer's own language and the installer's
; choice on every system whose language is neither.
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

; The program's own name stays Japanese (shortcut, installed apps); the
; pages name it in their language.
LangString INSTALLER_NAME ${LANG_JAPANESE} "${PRODUCT_NAME}"
LangString INSTALLER_NAME ${LANG_ENGLISH} "OstrelScript Viewer"
LangString FILE_TYPE_NAME ${LANG_JAPANESE} "OstrelScript スクリプトファイル"
LangString FILE_TYPE_NAME ${LANG_ENGLISH} "OstrelScript tournament"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${PRODUCT_NAME} セットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "© 2026 ${PUBLISHER}"

; Explorer reads associations at start; this makes it read them again.
!macro NotifyShellOfAssociations
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i ${SHCNF_IDLIST}, p 0, p 0)'
!macroend

Section
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  !include "${FILES_NSH}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr HKCU "${CLASSES}\${EXTENSION}" "" "${PROGID}"
  WriteRegStr HKCU "${CLASSES}\${EXTENSION}\OpenWithProgids" "${PROGID}" ""
  WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "$(FILE_TYPE_NAME)"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\${EXE}" "%1"'
  !insertmacro NotifyShellOfAssociations

  SetOutPath "$INSTDIR"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  ; File by file: the folder may hold files the user put there.
  !include "${UNFILES_NSH}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"

  ; The extension may have been given to another program since: it is only
  ; taken back while it still names this one.
  ReadRegStr $0 HKCU "${CLASSES}\${EXTENSION}" ""
  ${If} $0 == "${PROGID}"
    DeleteRegValue HKCU "${CLASSES}\${EXTENSION}" ""
  ${EndIf}
  DeleteRegValue HKCU "${CLASSES}\${EXTENSION}\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty /ifnovalues HKCU "${CLASSES}\${EXTENSION}\OpenWithProgids"
  DeleteRegKey /ifempty /ifnovalues HKCU "${CLASSES}\${EXTENSION}"
  DeleteRegKey HKCU "${CLASSES}\${PROGID}"
  !insertmacro NotifyShellOfAssociations

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
