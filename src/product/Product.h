#pragma once
// The product's fixed names and texts, shared by the installer and the uninstaller.

inline constexpr char kProductName[] = "Quillon";
inline constexpr char kProductLabel[] = "QL";
inline constexpr char kProductVersion[] = "3.55";
inline constexpr char kDisplayVersion[] = "3.55.0.0";
inline constexpr char kPublisher[] = "Corvane";
inline constexpr char kApplicationTitle[] = "Quillon Installer Version 3.55";
inline constexpr char kMainCaptionFormat[] = "Corvane %s Installer";
inline constexpr char kSingleInstanceMutex[] = "Corvane_Quillon_Start_Program";
inline constexpr char kUninstallerTitle[] = "Quillon Uninstall";
inline constexpr char kUninstallerMutex[] = "Corvane_Quillon_Uninstall";

// The per-user entry in the list of installed programs: HKCU\<root key>\<guid>.
inline constexpr char kUninstallGuid[] = "{5D0C3A71-2E94-4B6F-A1C8-7F03E9B24D16}";
inline constexpr char kUninstallRootKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// The uninstaller and its record, both in the install folder.
inline constexpr char kUninstallExe[] = "unins.exe";
inline constexpr char kUninstallRecordName[] = "unins5100.dat";
