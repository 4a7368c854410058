#pragma once
// "Справка" -> "Руководство пользователя": the manual (manual.pdf) opened in the desktop's viewer.

namespace vireo {

struct AppContext;

// Opens the manual from the working folder, where the program is installed and started; a
// manual that is missing or cannot be shown is said in a box.
void openManual(const AppContext &context);

} // namespace vireo
