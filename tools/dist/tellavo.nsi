; Tellavo's installer: per user, no administrator rights. package.sh passes the product facts
; (VERSION, VERSION_QUAD, TITLE, SETTINGS_ID, WEB_PAGE), the staged files (STAGE), the icon
; (ICON) and the output file (OUTFILE); they come from the build, never written here.
Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define EXE "Tellavo.exe"
!define CLOCKS_EXE "tellavo-clocks.exe"
!define UNINSTALLER "Uninstall.exe"
!define PUBLISHER "Kivo"
; The program reads its settings and the first-start flag "Silent" under this key.
!define PRODUCT_KEY "Software\Kivo\${SETTINGS_ID}"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${TITLE}"
!define STARTMENU_LINK "$SMPROGRAMS\${TITLE}.lnk"
!define WINDOW_CLASS "VandelWindowClass"
; How long a running copy gets to save its settings and end after being asked to close.
!define CLOSE_WAIT_MS 10000

Name "${TITLE}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Kivo\Tellavo"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
BrandingText "${TITLE} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_LICENSE "${STAGE}\License.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The languages of the program's own pack that NSIS has. English first: it is the fallback.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Belarusian"
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "Greek"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "Korean"
!insertmacro MUI_LANGUAGE "Hungarian"
!insertmacro MUI_LANGUAGE "Polish"
!insertmacro MUI_LANGUAGE "PortugueseBR"
!insertmacro MUI_LANGUAGE "Romanian"
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "Swedish"
!insertmacro MUI_LANGUAGE "Ukrainian"
!insertmacro MUI_LANGUAGE "Arabic"
!insertmacro MUI_LANGUAGE "Indonesian"
!insertmacro MUI_LANGUAGE "Bulgarian"
!insertmacro MUI_LANGUAGE "Czech"
!insertmacro MUI_LANGUAGE "Serbian"
!insertmacro MUI_LANGUAGE "TradChinese"
!insertmacro MUI_LANGUAGE "Danish"
!insertmacro MUI_LANGUAGE "Estonian"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "Croatian"
!insertmacro MUI_LANGUAGE "Dutch"
!insertmacro MUI_LANGUAGE "Farsi"
!insertmacro MUI_LANGUAGE "Slovak"
!insertmacro MUI_LANGUAGE "SerbianLatin"
!insertmacro MUI_LANGUAGE "Finnish"
!insertmacro MUI_LANGUAGE "Turkish"
!insertmacro MUI_LANGUAGE "Vietnamese"

!include "${__FILEDIR__}/strings.nsh"

VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${TITLE}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) 2013 ${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${TITLE} ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "OriginalFilename" "TellavoSetup-${VERSION}.exe"

; Asks every window of a copy running from $INSTDIR to close (the program saves its
; settings and ends on WM_CLOSE) and waits for that process. Then checks that no process
; still holds the program file; if one does, the user may retry or cancel (silent: cancel).
!macro CLOSE_RUNNING_COPY UN
Function ${UN}CloseRunningCopy
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
retry:
  StrCpy $0 0
  ${Do}
    System::Call 'user32::FindWindowExW(p 0, p r0, w "${WINDOW_CLASS}", p 0) p .r0'
    ${If} $0 P= 0
      ${Break}
    ${EndIf}
    ; The hidden owner window has no title; only the titled main window takes the close.
    System::Call 'user32::GetWindowTextLengthW(p r0) i .r1'
    ${If} $1 > 0
      System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
      ; PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE
      System::Call 'kernel32::OpenProcess(i 0x101000, i 0, i r1) p .r2'
      ${If} $2 P<> 0
        StrCpy $3 ${NSIS_MAX_STRLEN}
        System::Call 'kernel32::QueryFullProcessImageNameW(p r2, i 0, w .r4, *i r3) i .r1'
        ${If} $1 <> 0
        ${AndIf} $4 == "$INSTDIR\${EXE}"
          System::Call 'user32::PostMessageW(p r0, i 0x0010, p 0, p 0)'
          System::Call 'kernel32::WaitForSingleObject(p r2, i ${CLOSE_WAIT_MS}) i .r1'
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r2)'
      ${EndIf}
    ${EndIf}
  ${Loop}
  ; A running image cannot be opened for writing: that tells whether a copy still runs,
  ; with or without a window.
  ${If} ${FileExists} "$INSTDIR\${EXE}"
    ; GENERIC_WRITE, no sharing, OPEN_EXISTING
    System::Call 'kernel32::CreateFileW(w "$INSTDIR\${EXE}", i 0x40000000, i 0, p 0, i 3, i 0, p 0) p .r2 ?e'
    Pop $1
    ${If} $2 P= -1
      ${If} $1 = 32
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY retry
        SetErrorLevel 3
        Quit
      ${EndIf}
    ${Else}
      System::Call 'kernel32::CloseHandle(p r2)'
    ${EndIf}
  ${EndIf}
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_COPY ""
!insertmacro CLOSE_RUNNING_COPY "un."

; Puts an executable in place without ever leaving a half-written one: the new file is
; unpacked beside the old one and then replaces it in one rename.
!macro PLACE_EXE NAME
  File "/oname=${NAME}.new" "${STAGE}\${NAME}"
  ; MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH
  System::Call 'kernel32::MoveFileExW(w "$INSTDIR\${NAME}.new", w "$INSTDIR\${NAME}", i 9) i .r0'
  ${If} $0 = 0
    Delete "$INSTDIR\${NAME}.new"
    MessageBox MB_ICONSTOP "$(^ErrorCreating)$INSTDIR\${NAME}" /SD IDOK
    SetErrorLevel 4
    Quit
  ${EndIf}
!macroend

Section "-Program"
  Call CloseRunningCopy
  SetOutPath "$INSTDIR"
  !insertmacro PLACE_EXE "${EXE}"
  !insertmacro PLACE_EXE "${CLOCKS_EXE}"
  File "${STAGE}\ReadMe.txt"
  File "${STAGE}\License.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; Working folder = $OUTDIR. No arguments: the first start then handles "Silent".
  CreateShortcut "${STARTMENU_LINK}" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 SW_SHOWNORMAL "" "${TITLE}"

  ; The program's first start after an installation opens the product page and clears it.
  WriteRegDWORD HKCU "${PRODUCT_KEY}" "Silent" 1

  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${TITLE}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegStr HKCU "${UNINST_KEY}" "URLInfoAbout" "${WEB_PAGE}"
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

; Reads the target of a shell link into $0 (empty when it cannot be read).
Function un.LinkTarget
  Exch $1
  Push $2
  Push $3
  StrCpy $0 ""
  ; CLSID_ShellLink, IID_IShellLinkW
  System::Call 'ole32::CoCreateInstance(g "{00021401-0000-0000-C000-000000000046}", p 0, i 1, g "{000214F9-0000-0000-C000-000000000046}", *p .r2) i .r3'
  ${If} $3 = 0
    ; IID_IPersistFile; slot 5 is Load, slot 3 of IShellLinkW is GetPath
    System::Call '$2->0(g "{0000010b-0000-0000-C000-000000000046}", *p .r3) i .r0'
    ${If} $0 = 0
      System::Call '$3->5(w r1, i 0) i .r0'
      ${If} $0 = 0
        System::Call '$2->3(w .r0, i ${NSIS_MAX_STRLEN}, p 0, i 0)'
      ${Else}
        StrCpy $0 ""
      ${EndIf}
      System::Call '$3->2()'
    ${Else}
      StrCpy $0 ""
    ${EndIf}
    System::Call '$2->2()'
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
FunctionEnd

Section "-un.Program"
  Call un.CloseRunningCopy
  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\${EXE}.new"
  Delete "$INSTDIR\${CLOCKS_EXE}"
  Delete "$INSTDIR\${CLOCKS_EXE}.new"
  Delete "$INSTDIR\ReadMe.txt"
  Delete "$INSTDIR\License.txt"
  Delete "${STARTMENU_LINK}"

  ; "Start on System Boot" shortcuts of any version, when they start this copy.
  FindFirst $4 $5 "$SMSTARTUP\${TITLE} *.lnk"
  ${DoWhile} $5 != ""
    Push "$SMSTARTUP\$5"
    Call un.LinkTarget
    ${If} $0 == "$INSTDIR\${EXE}"
      Delete "$SMSTARTUP\$5"
    ${EndIf}
    FindNext $4 $5
  ${Loop}
  FindClose $4
SectionEnd

Section /o "un.$(SettingsSection)" SecSettings
  DeleteRegKey HKCU "${PRODUCT_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Kivo"
  ; The framework's file store, when a copy ever used it.
  RMDir /r "$INSTDIR\savedata"
SectionEnd

Section "-un.Finish"
  DeleteRegKey HKCU "${UNINST_KEY}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  ; The publisher's folder goes too when nothing else of it is left.
  ${GetParent} "$INSTDIR" $0
  ${GetFileName} $0 $1
  ${If} $1 == "Kivo"
    RMDir $0
  ${EndIf}
SectionEnd

Function un.onInit
  ; /RemoveSettings selects the settings, for silent uninstalls that should forget them.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/RemoveSettings" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecSettings}
  ${EndIf}
FunctionEnd
