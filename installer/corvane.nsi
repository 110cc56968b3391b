; The per-user installer: no administrator, no elevation prompt. Built by
; scripts/package with
;   makensis -DVERSION=a.b.c.d -DSTAGE=<folder of the zip's files>
;            -DPRESETS_NSH=<preset_values.py nsis output> -DSIZE_KB=<n>
;            -DICON=<res/icons/main.ico>
;            -DOUTFILE=<setup.exe> installer/corvane.nsi
; The user's presets and settings (the program's registry key) are theirs:
; an upgrade or an uninstall never takes them, it only adds the shipped
; presets the user has no preset of that name for.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; No file times in the installer: two builds give the same bytes.
SetDateSave off
RequestExecutionLevel user
ManifestDPIAware true

!include LogicLib.nsh
!include MUI2.nsh

!define PRODUCT Corvane
!define PUBLISHER "Ostrel Corp"
!define PROGRAM_KEY "Software\Ostrel Corp\Corvane"
!define PRESETS_KEY "${PROGRAM_KEY}\ListPresets"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane"
!define DESKTOP_KEY "Control Panel\Desktop"
!define CLASSES_KEY "Software\Classes"
!define SHORTCUT "$SMPROGRAMS\Corvane.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Corvane"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 ProductName "${PRODUCT}"
VIAddVersionKey /LANG=1033 CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=1033 FileDescription "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 FileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 LegalCopyright "Copyright ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Corvane.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Open Corvane"
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

!include "${PRESETS_NSH}"

; $R0 <- what "SCRNSAVE.EXE" names for the installed saver: the short (8.3)
; path when the long one holds a blank, which some Windows versions ignore
; there. $R1 <- the long path.
!macro SAVER_PATH_FUNCTION PREFIX
Function ${PREFIX}SaverPath
  StrCpy $R1 "$INSTDIR\Corvane.scr"
  StrCpy $R0 $R1
  StrCpy $R2 0
  ${Do}
    StrCpy $R3 $R1 1 $R2
    ${If} $R3 == " "
      GetFullPathName /SHORT $R0 $R1
      ${Break}
    ${EndIf}
    IntOp $R2 $R2 + 1
  ${LoopUntil} $R3 == ""
FunctionEnd
!macroend
!insertmacro SAVER_PATH_FUNCTION ""
!insertmacro SAVER_PATH_FUNCTION "un."

!macro ASSOCIATE EXT KIND DESCRIPTION INDEX
  WriteRegStr HKCU "${CLASSES_KEY}\CorvaneScreenSaver.${KIND}" "" "${DESCRIPTION}"
  WriteRegStr HKCU "${CLASSES_KEY}\CorvaneScreenSaver.${KIND}\DefaultIcon" "" "$INSTDIR\Corvane.exe,${INDEX}"
  WriteRegStr HKCU "${CLASSES_KEY}\CorvaneScreenSaver.${KIND}\shell\open\command" "" '"$INSTDIR\Corvane.exe" "%1"'
  WriteRegStr HKCU "${CLASSES_KEY}\.${EXT}" "" "CorvaneScreenSaver.${KIND}"
!macroend

; Another program's claim on the extension stays; only our class goes.
!macro UNASSOCIATE EXT KIND
  ReadRegStr $0 HKCU "${CLASSES_KEY}\.${EXT}" ""
  ${If} $0 == "CorvaneScreenSaver.${KIND}"
    DeleteRegKey HKCU "${CLASSES_KEY}\.${EXT}"
  ${EndIf}
  DeleteRegKey HKCU "${CLASSES_KEY}\CorvaneScreenSaver.${KIND}"
!macroend

!define SHCNE_ASSOCCHANGED 0x08000000

Section
  ; An earlier version's entry means this is an upgrade in place.
  ClearErrors
  ReadRegStr $9 HKCU "${UNINSTALL_KEY}" "DisplayVersion"
  ${If} ${Errors}
    StrCpy $9 ""
  ${Else}
    StrCpy $9 upgrade
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "${STAGE}\Corvane.exe"
  File "${STAGE}\Corvane.scr"
  File "${STAGE}\ReadMe.txt"
  SetOutPath "$INSTDIR\Presets"
  !insertmacro INSTALL_PRESET_FILES
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\Corvane.exe" "" "$INSTDIR\Corvane.exe" 0

  ; The screen saver: the first install remembers the one it replaces (empty
  ; for none); an upgrade keeps whatever the user chose since.
  Call SaverPath
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $9 == ""
    WriteRegStr HKCU "${UNINSTALL_KEY}" "PreviousScreenSaver" $0
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $R0
  ${ElseIf} $0 == $R1
  ${OrIf} $0 == $R0
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $R0
  ${EndIf}

  ; Setup's own Install, per user: presets, list flags, file types. What the
  ; user already set stays.
  !insertmacro STORE_MISSING_PRESETS
  ClearErrors
  ReadRegStr $0 HKCU "${PRESETS_KEY}" "Name"
  ${If} ${Errors}
    WriteRegStr HKCU "${PRESETS_KEY}" "Name" "${LAST_PRESET}"
  ${EndIf}
  ClearErrors
  ReadRegDWORD $0 HKCU "${PRESETS_KEY}" "Random"
  ${If} ${Errors}
    WriteRegDWORD HKCU "${PRESETS_KEY}" "Random" 1
  ${EndIf}
  ClearErrors
  ReadRegDWORD $0 HKCU "${PRESETS_KEY}" "Shuffle"
  ${If} ${Errors}
    WriteRegDWORD HKCU "${PRESETS_KEY}" "Shuffle" 1
  ${EndIf}
  ; Setup has been done: the first start opens the program window.
  WriteRegDWORD HKCU "${PROGRAM_KEY}" "ShowSetup" 0
  WriteRegStr HKCU "${PROGRAM_KEY}" "FileVersion" "${VERSION}"
  !insertmacro ASSOCIATE cvp Preset "Corvane Screen Saver preset" 1
  !insertmacro ASSOCIATE cvw Wallpapers "Corvane Screen Saver wallpapers list" 2
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Corvane.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section Uninstall
  ; The earlier screen saver comes back only while ours is still current.
  Call un.SaverPath
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $0 == $R1
  ${OrIf} $0 == $R0
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "PreviousScreenSaver"
    ${If} $1 == ""
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $1
    ${EndIf}
  ${EndIf}

  Delete "${SHORTCUT}"
  Delete "$INSTDIR\Corvane.exe"
  Delete "$INSTDIR\Corvane.scr"
  Delete "$INSTDIR\ReadMe.txt"
  Delete "$INSTDIR\CorvaneErrors.log"
  Delete "$INSTDIR\Uninstall.exe"
  !insertmacro DELETE_PRESET_FILES
  RMDir "$INSTDIR\Presets"
  ; Not recursive: snapshots the user kept here stay, and so does the folder.
  RMDir "$INSTDIR"

  !insertmacro UNASSOCIATE cvp Preset
  !insertmacro UNASSOCIATE cvw Wallpapers
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
  ; The install's own records; the presets and settings stay.
  DeleteRegValue HKCU "${PROGRAM_KEY}" "ShowSetup"
  DeleteRegValue HKCU "${PROGRAM_KEY}" "FileVersion"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
