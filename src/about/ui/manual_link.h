#pragma once
// "Справка" -> "Руководство пользователя": the manual (manual.pdf, or manual-en.pdf
// with the English interface) opened in the desktop's viewer.

namespace vireo {

struct AppContext;

// Opens the manual from the program's shipped files (the working folder of a copy installed by
// the run command, <prefix>/share/vireo of the package); a manual that is missing or cannot be
// shown is said in a box.
void openManual(const AppContext &context);

} // namespace vireo
