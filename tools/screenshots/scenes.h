#pragma once
// The scenes of the screenshot tool: each sets up the program's windows as the tests of those
// windows do and takes its pictures on the way.

namespace vireo::shots {

class Camera;

// The main window over a contest, a station being typed, and the Cabrillo export window.
void mainWindowInUse(Camera &camera);
// The main window with the longest values a contest brings (tests/app/tst_texts_fit.cpp).
void mainWindowWithLongValues(Camera &camera);
void statusBarWithLongMessages(Camera &camera);
void repeatsWindowWithLongValues(Camera &camera);
// The partial-check and data refresh windows (tests/stationinfo/tst_scp_window.cpp).
void scpWindow(Camera &camera);
void dataUpdateWindow(Camera &camera);
// The listener's position, in its window and in the first-run dialog
// (tests/app/tst_my_position_window.cpp).
void myPositionWindow(Camera &camera);
void firstRunPosition(Camera &camera);
// The statistics and the log check (tests/analysis/tst_stats_window.cpp, tst_log_check_window.cpp).
void statsWindow(Camera &camera);
void statsOfSixBands(Camera &camera);
void logCheckWindow(Camera &camera);
// The score window by a contest's rules (tests/contest_rules/tst_rules_in_program.cpp).
void scoreWindow(Camera &camera);
// The rig set-up window in the program's font (tests/rig/tst_rig_setup.cpp).
void rigSetupWindow(Camera &camera);
// The band map over a contest hour (tests/bandmap/tst_band_map_window.cpp).
void bandMapWindow(Camera &camera);

} // namespace vireo::shots
