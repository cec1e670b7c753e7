// Run-wide settings: version, clock offset, mute flags, file and event names,
// and the model at the present moment.
#pragma once

#include <string>
#include <vector>

namespace zolka {

struct RunState {
  std::string version;     // program version date, shown in the banner and on plots (text 128)
  double timezone = 0;     // hours that the local clock is ahead of UTC
  int mutefit0 = 0;        // 1 silences the inner fit's diagnostics
  int muteamoeba = 0;      // 1 silences the simplex minimiser's diagnostics
  int muteamoebaplot = 0;  // 1 silences the simplex progress plot
  bool whitebackground = false;  // plots use a white background
  std::string parfile;           // name of the parameter file last written (text 128)
  std::string datfile;           // name typed at the last load; a list keeps its "@" (text 128)
  std::string event;  // event name of the last file identified, e.g. OB-08-123 (text 128)
  std::string alias;  // the event's alias from multiples.list (text 128)
  std::string site;   // name of the current site (text 128)
  // Entries of the event alias list multiples.list (text 30 each), read on the
  // first identification of a run and again while it is still empty.
  std::vector<std::string> aliaslist;

  // The present moment and the model then, refreshed by now().
  double hjdnow = 0;  // Julian date of the current UTC time, days
  float tnow = 0;     // hjdnow - mjd0, days
  float xnow = 0;     // (hjdnow - hjd0)/te
  float unow = 0;     // source-lens separation now, Einstein radii
  float anow = 0;     // point-lens magnification now
  float smagnow = 0;  // model magnitude of site 1 now, mag

  float cpulast = -1;  // processor seconds at the previous cpu() reading; -1 before the first

  // Lines written this run to the summary files fort.20, fort.21, fort.22; a
  // file is created by the first line a run writes to it.
  std::vector<std::string> fort20, fort21, fort22;
};

}  // namespace zolka
