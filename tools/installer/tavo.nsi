; The per-user installer of Tavo. Built by tools/package.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.04.2005 -DVERSION_NUMBERS=1.4.2005.0 -DSTAGE=<folder of the files>
;            -DICON=<tavo.ico> -DOUTFILE=<setup.exe> tavo.nsi
; Installs without administrator rights into the user's programs folder,
; which the user can write: the calendar keeps its data beside itself.
Unicode true
; A 64-bit installer for a 64-bit program (and Windows without 32-bit support).
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavo"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "Tavo"
Caption "Tavo ${VERSION} セットアップ"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tavo"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Tavo ${VERSION}"
VIProductVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=1041 "ProductName" "Tavo"
VIAddVersionKey /LANG=1041 "FileDescription" "Tavo セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Copyright (C) 2026 the Tavo project"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Tavo ${VERSION} をこのパソコンにインストールします.$\r$\n$\r$\nTavo は日本の祝日・休業日・六曜・元号に対応した卓上カレンダーです. 管理者の権限は要りません. 今お使いのユーザーだけに入ります.$\r$\n$\r$\n以前の版が入っているときは上書きします. 予定などのデータと設定はそのまま残ります."
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tavo.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Tavo を起動する"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; A running calendar keeps its files open and would lose what is being typed:
; it is asked to close (it saves as on any close), after the user agrees.
!macro CLOSE_RUNNING
    FindWindow $0 "Tavo"
    FindWindow $1 "TavoTray"
    ${If} $0 <> 0
    ${OrIf} $1 <> 0
        ${IfNot} ${Silent}
            MessageBox MB_OKCANCEL|MB_ICONQUESTION "Tavo が起動しています.$\r$\nTavo を終了してから続けます. 入力中の予定は保存されます." IDOK +2
            Abort
        ${EndIf}
        ${If} $1 <> 0
            SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=10000
        ${EndIf}
        FindWindow $0 "Tavo"
        ${If} $0 <> 0
            SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=10000
        ${EndIf}
        StrCpy $2 0
        ${Do}
            FindWindow $0 "Tavo"
            ${If} $0 = 0
                ${Break}
            ${EndIf}
            Sleep 100
            IntOp $2 $2 + 1
        ${LoopUntil} $2 >= 100
    ${EndIf}
!macroend

Function .onInit
    SetShellVarContext current
    !insertmacro CLOSE_RUNNING
FunctionEnd

Function un.onInit
    SetShellVarContext current
    !insertmacro CLOSE_RUNNING
FunctionEnd

Section "Tavo 本体 (必須)" SecProgram
    SectionIn RO
    SetOutPath "$INSTDIR"
    SetOverwrite on
    File "${STAGE}\Tavo.exe"
    File "${STAGE}\TavoCust.dll"
    File "${STAGE}\TavoTray.exe"
    File "${STAGE}\Birthday.Mid"
    File "${STAGE}\LICENSE.txt"
    File "${STAGE}\お読みください.txt"
    File /r "${STAGE}\help"
    ; A scheme the user changed under a shipped name stays as the user left it.
    SetOverwrite off
    File "${STAGE}\*.col"
    File "${STAGE}\*.scl"
    SetOverwrite on
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tavo"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tavo project"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tavo.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "スタート メニューのショートカット" SecShortcuts
    CreateDirectory "$SMPROGRAMS\Tavo"
    CreateShortcut "$SMPROGRAMS\Tavo\Tavo.lnk" "$INSTDIR\Tavo.exe"
    CreateShortcut "$SMPROGRAMS\Tavo\Tavo トレイ ランチャー.lnk" "$INSTDIR\TavoTray.exe"
    CreateShortcut "$SMPROGRAMS\Tavo\Tavo ヘルプ.lnk" "$INSTDIR\help\index.html"
SectionEnd

Section /o "サインイン時にトレイ ランチャーを起動する" SecRunAtSignIn
    WriteRegStr HKCU "${RUN_KEY}" "TavoTray" '"$INSTDIR\TavoTray.exe"'
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "カレンダー, オプション, トレイ ランチャー, ヘルプ, 配色."
    !insertmacro MUI_DESCRIPTION_TEXT ${SecShortcuts} "スタート メニューに Tavo のフォルダを作ります."
    !insertmacro MUI_DESCRIPTION_TEXT ${SecRunAtSignIn} "Windows にサインインすると, 通知領域に Tavo のアイコンが出ます."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; Only what the installer put there goes: data files, the user's schemes and
; the settings stay, so a later installation finds everything again.
Section "Uninstall"
    Delete "$INSTDIR\Tavo.exe"
    Delete "$INSTDIR\TavoCust.dll"
    Delete "$INSTDIR\TavoTray.exe"
    Delete "$INSTDIR\Birthday.Mid"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\お読みください.txt"
    RMDir /r "$INSTDIR\help"
    Delete "$INSTDIR\Uninstall.exe"
    Delete "$SMPROGRAMS\Tavo\Tavo.lnk"
    Delete "$SMPROGRAMS\Tavo\Tavo トレイ ランチャー.lnk"
    Delete "$SMPROGRAMS\Tavo\Tavo ヘルプ.lnk"
    RMDir "$SMPROGRAMS\Tavo"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegValue HKCU "${RUN_KEY}" "TavoTray"
    RMDir "$INSTDIR"
    ${If} ${FileExists} "$INSTDIR\*.*"
    ${AndIfNot} ${Silent}
        MessageBox MB_OK|MB_ICONINFORMATION "Tavo を削除しました.$\r$\n予定などのデータと配色は次のフォルダに残してあります. 要らなければフォルダごと削除してください.$\r$\n$\r$\n$INSTDIR"
    ${EndIf}
SectionEnd
