#pragma once
// The uninstall record's keys and its constant lists: the installer writes them, the
// uninstaller reads them.

// The keys, in the order a completed record holds them. The reader matches them in any case.
inline constexpr char kKeyGuid[] = "guid";
inline constexpr char kKeyProgramName[] = "Program_Name";
inline constexpr char kKeyInstallDir[] = "Install_Dir";
inline constexpr char kKeyUninstallExe[] = "Uninstall_Exe";
inline constexpr char kKeyUninstallDat[] = "Uninstall_Dat";
inline constexpr char kKeyFileList[] = "File_List";
inline constexpr char kKeyExtraList[] = "Extra_List";
inline constexpr char kKeyRenameList[] = "Rename_List";
inline constexpr char kKeyConditionalList[] = "Conditional_list";
inline constexpr char kKeyDelIfEmpty[] = "Del_if_Empty";
inline constexpr char kKeyGroupFolder[] = "Group_Folder";
inline constexpr char kKeyShortcuts[] = "Shortcuts";

// Lists the uninstaller reads; the installer only writes them.
inline constexpr char kExtraList[] =
    "*.log,quon.def,*.vnh,*.hfs,*.ini,std*.txt,quonw.exe|30,quonpyx.exe|30,*.wlb|2,vnhindex.dat,vnhlist.hfl,"
    "pr32.whlhtml\\welcomepage.mht";
inline constexpr char kRenameList[] = "dostessel.exe|quonw.exe,dospyx.exe|quonpyx.exe,dosbrisk.exe|quonbrisk.exe";
inline constexpr char kConditionalList[] =
    "tessel.exe|quonw.*,*.wlb;pyx.exe|quonpyx.*,*.wl3;brisk.exe|quonbrisk.*;qlx.exe,tessel.exe,pyx.exe,brisk.exe|"
    "dosbox\\*.*,dosbox.conf";
inline constexpr char kDelIfEmpty[] = "dosbox,manuals,tips";
