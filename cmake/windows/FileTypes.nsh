; SPDX-License-Identifier: MIT
; The file types of the formats, opened by VSTE: written under Software\Classes of the install's
; context (the user's for a per-user install, the machine's for a machine-wide one) and removed by
; the uninstaller. An extension another program has taken since is left to it.
!include "FileFunc.nsh"

!macro VsteFileType EXT CLASS DESCRIPTION
  WriteRegStr SHCTX "Software\Classes\.${EXT}" "" "${CLASS}"
  WriteRegStr SHCTX "Software\Classes\${CLASS}" "" "${DESCRIPTION}"
  WriteRegStr SHCTX "Software\Classes\${CLASS}\DefaultIcon" "" "$INSTDIR\vste.exe,0"
  WriteRegStr SHCTX "Software\Classes\${CLASS}\shell\open\command" "" '"$INSTDIR\vste.exe" "%1"'
!macroend

!macro VsteRemoveFileType EXT CLASS
  ReadRegStr $0 SHCTX "Software\Classes\.${EXT}" ""
  StrCmp $0 "${CLASS}" 0 +3
    DeleteRegValue SHCTX "Software\Classes\.${EXT}" ""
    DeleteRegKey /ifempty SHCTX "Software\Classes\.${EXT}"
  DeleteRegKey SHCTX "Software\Classes\${CLASS}"
!macroend

!macro VsteFileTypeList DO
  !insertmacro ${DO} "csf" "Velmoran.CSF" "Compiled String Table Files"
  !insertmacro ${DO} "str" "Velmoran.STR" "Uncompiled String Table Files"
  !insertmacro ${DO} "uib" "Velmoran.UIB" "Dune 2000 String Table Files"
  !insertmacro ${DO} "eng" "Velmoran.Westwood" "Westwood String Table Files"
  !insertmacro ${DO} "ger" "Velmoran.Westwood" "Westwood String Table Files"
  !insertmacro ${DO} "fre" "Velmoran.Westwood" "Westwood String Table Files"
  !insertmacro ${DO} "dip" "Velmoran.Westwood" "Westwood String Table Files"
  !insertmacro ${DO} "lm" "Velmoran.Westwood" "Westwood String Table Files"
  !insertmacro ${DO} "lte" "Velmoran.LTE" "Liquid Text Files"
  !insertmacro ${DO} "trr" "Velmoran.TRR" "Blade Runner String Table Files"
  !insertmacro ${DO} "tre" "Velmoran.TRE" "Malcolm's Revenge String Table Files"
  !insertmacro ${DO} "trf" "Velmoran.TRE" "Malcolm's Revenge String Table Files"
  !insertmacro ${DO} "trg" "Velmoran.TRE" "Malcolm's Revenge String Table Files"
!macroend

!macro VsteRemoveFileTypeOf EXT CLASS DESCRIPTION
  !insertmacro VsteRemoveFileType "${EXT}" "${CLASS}"
!macroend

!macro VsteRegisterFileTypes
  !insertmacro VsteFileTypeList VsteFileType
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

!macro VsteRemoveFileTypes
  !insertmacro VsteFileTypeList VsteRemoveFileTypeOf
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

; /CurrentUser on the command line installs for the current user alone, also for an
; administrator; /AllUsers (the default for an administrator) for every user of the machine.
!macro VsteChooseInstallMode
  ${GetParameters} $R9
  ClearErrors
  ${GetOptions} $R9 "/CurrentUser" $R8
  IfErrors vste_mode_done
    SetShellVarContext current
    StrCpy $SV_ALLUSERS "JustMe"
    StrCmp $IS_DEFAULT_INSTALLDIR "1" 0 vste_mode_done
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\VSTE"
  vste_mode_done:
!macroend

; The uninstaller works in the context the program was installed in.
!macro VsteUninstallMode
  ReadRegStr $R9 HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\VSTE" "UninstallString"
  StrCmp $R9 "" +2 0
    SetShellVarContext current
!macroend
