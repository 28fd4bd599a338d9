#pragma once
// The payload items the install run turns into files, in the order it writes them. The run
// counts the items from the separators; the last three are DOSBox and its two libraries,
// written only when DOSBox is needed.

inline constexpr char kPayloadList[] =
    "rs_cmd,rs_exe,rs_hlp,rs_printers,rs_icon,rs_readme,rs_pa0640,rs_edkbp,rs_pr32,rs_vertxt,rs_Manual,rs_Quick,"
    "rs_reader,rs_readergpl,rs_tip01,rs_tip02,rs_tip03,rs_tip04,rs_tip05,rs_tip06,rs_tip07,rs_tip08,rs_tip09,"
    "rs_tip10,rs_tip11,rs_tip12,rs_tip13,rs_vnhhttp,rs_unins,rs_dosmon,rs_conf,rs_dosbox,rs_sdl,rs_sdl_net";
inline constexpr int kDosboxItemCount = 3;
