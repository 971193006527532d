; The per-user installer: no administrator rights, the program in
; %LOCALAPPDATA%\Programs\Wordvane, where it can write its lists.
; makensis -INPUTCHARSET UTF8 -DVERSION=x.y.z -DSOURCE=DIR -DICON=FILE -DOUTFILE=PATH
;          wordvane.nsi
; (DIR holds wordvane.exe, README.txt and the shipped lists and vane.ini.)

; A 64-bit installer for the 64-bit program.
Target amd64-unicode
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "Sections.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Wordvane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "Wordvane"
OutFile "${OUTFILE}"
RequestExecutionLevel user
; Sharp text at every scale (the system would stretch a bitmap of it).
ManifestDPIAware true
InstallDir "$LOCALAPPDATA\Programs\Wordvane"
SetCompressor /SOLID lzma

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "Wordvane"
VIAddVersionKey /LANG=1041 "FileDescription" "Wordvane setup"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Copyright (C) 2026 the Wordvane developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\wordvane.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Wordvane を起動する"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; A running Wordvane is asked to quit (it saves every list without a
; question, nobody being there to answer one with /S) and waited for until
; its process has ended, told by its single-instance mutex: its windows go
; before it has finished saving. It is never killed.
!macro QUIT_RUNNING PREFIX
Function ${PREFIX}Running
    ; $0: 1 while a Wordvane runs in this session. A copy running elevated
    ; holds a mutex this installer may not open (access denied, 5).
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "Local\Wordvane.Running") p .r9 ?e'
    Pop $8
    StrCpy $0 1
    ${If} $9 P<> 0
        System::Call 'kernel32::CloseHandle(p r9)'
    ${ElseIf} $8 <> 5
        StrCpy $0 0
    ${EndIf}
FunctionEnd

Function ${PREFIX}QuitRunning
    Call ${PREFIX}Running
    StrCmp $0 0 done
    System::Call 'user32::RegisterWindowMessageW(w "Wordvane.Quit") i .r1'
    System::Call 'user32::PostMessageW(p 0xffff, i r1, p 0, p 0)'
    StrCpy $2 0
    wait:
        Sleep 200
        Call ${PREFIX}Running
        StrCmp $0 0 done
        IntOp $2 $2 + 1
        IntCmp $2 150 0 wait
    MessageBox MB_ICONEXCLAMATION "Wordvane が終了しませんでした。Wordvane を終了してから、もう一度実行してください。" /SD IDOK
    SetErrorLevel 2
    Quit
    done:
FunctionEnd
!macroend
!insertmacro QUIT_RUNNING ""
!insertmacro QUIT_RUNNING "un."

Section "Wordvane" SecProgram
    SectionIn RO
    Call QuitRunning
    SetOutPath "$INSTDIR"
    File "${SOURCE}\wordvane.exe"
    File "${SOURCE}\README.txt"
    ; The user's lists and settings are never replaced by an upgrade.
    SetOverwrite off
    File "${SOURCE}\vane.ini"
    File "${SOURCE}\Launch.txt"
    File "${SOURCE}\ClipBoad.txt"
    File "${SOURCE}\WordList1.txt"
    File "${SOURCE}\WordList2.txt"
    File "${SOURCE}\WordList3.txt"
    File "${SOURCE}\WordList4.txt"
    File "${SOURCE}\WordList5.txt"
    SetOverwrite on
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Wordvane.lnk" "$INSTDIR\wordvane.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Wordvane"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Wordvane"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\wordvane.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Windows の起動時に Wordvane を開始する" SecRun
    WriteRegStr HKCU "${RUN_KEY}" "Wordvane" '"$INSTDIR\wordvane.exe"'
SectionEnd

; The start at sign-in is removed only where it starts this installation's
; program (another copy of Wordvane keeps its own).
!macro REMOVE_OWN_RUN_VALUE
    ReadRegStr $0 HKCU "${RUN_KEY}" "Wordvane"
    ${If} $0 == '"$INSTDIR\wordvane.exe"'
    ${OrIf} $0 == "$INSTDIR\wordvane.exe"
        DeleteRegValue HKCU "${RUN_KEY}" "Wordvane"
    ${EndIf}
!macroend

; Unticked on an upgrade: the start the earlier installation set goes.
Section "-NoRun"
    ${IfNot} ${SectionIsSelected} ${SecRun}
        !insertmacro REMOVE_OWN_RUN_VALUE
    ${EndIf}
SectionEnd

; An upgrade offers the start at sign-in as the user left it (the tray
; menu turns it on and off); /NOSTARTATSIGNIN unticks it for a silent
; install.
Function .onInit
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $1 HKCU "${RUN_KEY}" "Wordvane"
    ${If} $0 != ""
    ${AndIf} $1 == ""
        !insertmacro UnselectSection ${SecRun}
    ${EndIf}
    ${GetParameters} $2
    ClearErrors
    ${GetOptions} $2 "/NOSTARTATSIGNIN" $3
    ${IfNot} ${Errors}
        !insertmacro UnselectSection ${SecRun}
    ${EndIf}
FunctionEnd

Section "un.Wordvane" UnSecProgram
    SectionIn RO
    Call un.QuitRunning
    Delete "$INSTDIR\wordvane.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\uninstall.exe"
    Delete "$SMPROGRAMS\Wordvane.lnk"
    !insertmacro REMOVE_OWN_RUN_VALUE
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.リストと設定も削除する" UnSecLists
    Delete "$INSTDIR\vane.ini"
    Delete "$INSTDIR\vane.ini.bak"
    Delete "$INSTDIR\*.txt"
    Delete "$INSTDIR\*.txt.bak"
SectionEnd

Section "-un.Folder"
    RMDir "$INSTDIR"
SectionEnd
