#pragma once
// The fixed names and lists of the uninstall record, shared by the installer that writes it and
// the uninstaller that reads it (portable: no Windows header).

inline constexpr char kUninstallGuid[] = "{5D0C3A71-2E94-4B6F-A1C8-7F03E9B24D16}";
inline constexpr char kUninstallExe[] = "unins.exe";
inline constexpr char kUninstallRecordName[] = "unins5100.dat";

// Lists the uninstaller reads; the installer only writes them.
inline constexpr char kExtraList[] =
    "*.log,quon.def,*.vnh,*.hfs,*.ini,std*.txt,quonw.exe|30,quonpyx.exe|30,*.wlb|2,vnhindex.dat,vnhlist.hfl,"
    "pr32.whlhtml\\welcomepage.mht";
inline constexpr char kRenameList[] = "dostessel.exe|quonw.exe,dospyx.exe|quonpyx.exe,dosbrisk.exe|quonbrisk.exe";
inline constexpr char kConditionalList[] =
    "tessel.exe|quonw.*,*.wlb;pyx.exe|quonpyx.*,*.wl3;brisk.exe|quonbrisk.*;qlx.exe,tessel.exe,pyx.exe,brisk.exe|"
    "dosbox\\*.*,dosbox.conf";
inline constexpr char kDelIfEmpty[] = "dosbox,manuals,tips";
