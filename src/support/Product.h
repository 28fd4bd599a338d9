#pragma once
// The product's fixed names and texts.

inline constexpr char kProductName[] = "Quillon";
inline constexpr char kProductLabel[] = "QL";
inline constexpr char kApplicationTitle[] = "Quillon Installer Version 3.55";
inline constexpr char kMainCaptionFormat[] = "Corvane %s Installer";
inline constexpr char kSingleInstanceMutex[] = "Corvane_Quillon_Start_Program";
inline constexpr char kUninstallerTitle[] = "Quillon Uninstall";
inline constexpr char kUninstallerMutex[] = "Corvane_Quillon_Uninstall";
