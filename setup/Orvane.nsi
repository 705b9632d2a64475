; Orvane.nsi - the setup program of Orvane. Installs the tray program, the command engine,
; the configuration library, the Control Panel applet and the picture files into a folder
; the user chooses, writes the installation data (modes, translation of the codes, a first
; assignment of every button) through OrvaneSetup.exe from orvane.ini, registers the applet
; with the Control Panel and starts the tray program at logon. The receiver stand-in and the
; virtual remote are an option for trying the system without the hardware.
;
; Everything is installed for the person who runs the setup, without an administrator's
; rights: the folder is theirs (below their local application data), and every key and
; shortcut goes to their own registry and Start menu. Run elevated, a setup would configure
; the administrator whose password was typed instead. Only the receiver stand-in needs a
; service of the machine: OrvaneSetup.exe asks for an administrator's rights for that step
; alone.
;
; Silent: setup.exe /S [/RECEIVER] [/D=folder]      uninstall.exe /S [/KEEP]
; An upgrade keeps the user's modes, translation and assignments; an uninstall keeps them
; only when asked to.
;
; Built by the normal build: makensis -DTARGET=... -DSTAGE=<staged files> -DOUTFILE=<setup.exe> Orvane.nsi

; TARGET is amd64-unicode for the x86_64 build, x86-unicode for the i686 one.
Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
; The name setup.exe is what users look for; the shims Windows applies to it are harmless.
!pragma warning disable 9000

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh
!include "${STAGE}/files.nsh"

!define PRODUCT         "Orvane"
!define VERSION         "1.22.00"
!define ROOT_KEY        "Software\Zendra\Orvane"
!define SETTINGS_KEY    "${ROOT_KEY}\Settings"
!define UNINSTALL_KEY   "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define CPLS_KEY        "Software\Microsoft\Windows\CurrentVersion\Control Panel\Cpls"
!define RUN_KEY         "Software\Microsoft\Windows\CurrentVersion\Run"
!define TRAY_CLASS      "TELLUMO"
!define TRAY_TITLE      "Zendra Remote Buttons"
!define TRAY_CLOSE      261
!define MENU_FOLDER     "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where the earlier installation is.
InstallDirRegKey HKCU "${SETTINGS_KEY}" "WorkingDirectory"
RequestExecutionLevel user
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "1.22.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "The ${PRODUCT} project"

Var TrayWasRunning

!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "This puts ${PRODUCT} ${VERSION} on your computer: the tray program that turns the presses of your remote control into actions, the button configuration and the Remote Mouse applet of the Control Panel.$\r$\n$\r$\nClick Next to continue."
!define MUI_COMPONENTSPAGE_SMALLDESC
; The details stay on the screen until the user goes on.
!define MUI_FINISHPAGE_NOAUTOCLOSE
!define MUI_UNFINISHPAGE_NOAUTOCLOSE
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartTrayProgram
!define MUI_FINISHPAGE_RUN_TEXT "Start the ${PRODUCT} tray program now"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Closes the tray program when it runs (every instance that shows up meanwhile): its files
; are replaced or removed. $0 becomes 1 when it was running.
!macro CloseTrayProgram
  StrCpy $0 0
  ${For} $2 1 50
    FindWindow $1 "${TRAY_CLASS}" "${TRAY_TITLE}"
    ${IfThen} $1 = 0 ${|} ${Break} ${|}
    StrCpy $0 1
    SendMessage $1 ${WM_COMMAND} ${TRAY_CLOSE} 0 /TIMEOUT=5000
    Sleep 100
  ${Next}
  ; The program ends a moment after its window.
  ${IfThen} $0 = 1 ${|} Sleep 500 ${|}
!macroend

; Runs OrvaneSetup.exe of the installation with the given arguments; stops on a failure.
; A program that could not be started at all ("error": a file just written may still be
; held by a scanner) is started once more.
!macro RunDataWriter ARGUMENTS
  nsExec::ExecToLog '"$INSTDIR\OrvaneSetup.exe" ${ARGUMENTS}'
  Pop $0
  ${If} $0 == "error"
    Sleep 500
    nsExec::ExecToLog '"$INSTDIR\OrvaneSetup.exe" ${ARGUMENTS}'
    Pop $0
  ${EndIf}
  ${If} $0 != 0
    DetailPrint `OrvaneSetup.exe ${ARGUMENTS} failed ($0)`
    SetErrors
  ${EndIf}
!macroend

Section "${PRODUCT} (required)" SecMain
  SectionIn RO
  !insertmacro CloseTrayProgram
  StrCpy $TrayWasRunning $0
  SetOutPath "$INSTDIR"
  !insertmacro InstallMainFiles

  ; Modes, translation and first assignments; what is already there (an upgrade) stays.
  ClearErrors
  !insertmacro RunDataWriter '/data "$INSTDIR\orvane.ini" "$INSTDIR" /keep'
  ${If} ${Errors}
    MessageBox MB_ICONSTOP "The settings of ${PRODUCT} could not be written." /SD IDOK
    Abort
  ${EndIf}

  WriteRegStr HKCU "${CPLS_KEY}" "Selvane" "$INSTDIR\Selvane.cpl"
  WriteRegStr HKCU "${RUN_KEY}" "Tellumo" '"$INSTDIR\Tellumo.exe"'

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The ${PRODUCT} project"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tellumo.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\${PRODUCT} tray program.lnk" "$INSTDIR\Tellumo.exe"
  CreateShortcut "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe"
SectionEnd

Section /o "Receiver stand-in and virtual remote" SecReceiver
  SetOutPath "$INSTDIR"
  !insertmacro InstallReceiverFiles
  ; The one step that needs an administrator: OrvaneSetup.exe asks for the rights, copies
  ; the driver where only administrators can change it and makes it a service.
  ClearErrors
  !insertmacro RunDataWriter "/driver"
  ${If} ${Errors}
    MessageBox MB_ICONEXCLAMATION "The receiver stand-in could not be started." /SD IDOK
  ${EndIf}
  CreateShortcut "${MENU_FOLDER}\Virtual remote.lnk" "$INSTDIR\remote.exe"
SectionEnd

; Starts the installed tray program. One that could not be started at all is started once
; more, as the data writer is.
Function StartTrayProgram
  ClearErrors
  Exec '"$INSTDIR\Tellumo.exe"'
  ${If} ${Errors}
    Sleep 500
    Exec '"$INSTDIR\Tellumo.exe"'
  ${EndIf}
FunctionEnd

; The tray program ran before a silent upgrade: it runs again after it. (The wizard's last
; page offers to start it.)
Section "-Restart"
  ${If} $TrayWasRunning = 1
  ${AndIf} ${Silent}
    Call StartTrayProgram
  ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecMain} "The tray program, the command engine, the button configuration, the Control Panel applet and the pictures."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecReceiver} "A stand-in for the receiver's driver and a remote control on the screen, for trying ${PRODUCT} without the hardware."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  ; /RECEIVER chooses the receiver stand-in in a silent installation.
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/RECEIVER" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecReceiver}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  !insertmacro CloseTrayProgram

  ; The user's modes, translation and assignments stay only when asked for (/KEEP when
  ; silent).
  StrCpy $R2 ""
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/KEEP" $R1
  ${IfNot} ${Errors}
    StrCpy $R2 " /keep"
  ${ElseIfNot} ${Silent}
    MessageBox MB_YESNO|MB_ICONQUESTION "Keep your button assignments for a later installation of ${PRODUCT}?" IDNO +2
    StrCpy $R2 " /keep"
  ${EndIf}
  !insertmacro RunDataWriter '/remove "$INSTDIR\orvane.ini"$R2'
  ${If} ${FileExists} "$INSTDIR\mirelo.sys"
    !insertmacro RunDataWriter "/removedriver"
  ${EndIf}

  !insertmacro RemoveMainFiles
  !insertmacro RemoveReceiverFiles
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "${MENU_FOLDER}\${PRODUCT} tray program.lnk"
  Delete "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk"
  Delete "${MENU_FOLDER}\Virtual remote.lnk"
  RMDir "${MENU_FOLDER}"

  DeleteRegValue HKCU "${CPLS_KEY}" "Selvane"
  DeleteRegKey /ifempty HKCU "${CPLS_KEY}"
  DeleteRegValue HKCU "${RUN_KEY}" "Tellumo"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
