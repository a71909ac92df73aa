#pragma once
// The program's pictures: its own application icon (window, About, splash, the
// desktop entry) and the toolbar's icons from the desktop's icon theme by their
// freedesktop names, with Adwaita as the theme to fall back on.

#include <QIcon>
#include <QPixmap>

namespace telvor {

inline constexpr const char* kFallbackIconTheme = "Adwaita";

QIcon ApplicationIcon();

// The icon of the theme for name, else for secondChoice (a name not every theme has).
// Its disabled state is faded, so that a disabled toolbar button looks disabled
// also with a theme of grey (symbolic) icons, whose own disabled state is as grey.
QIcon ThemeIcon(const char* name, const char* secondChoice = nullptr);

// The picture of the splash window and the About box: icon, name and version.
QPixmap ProgramBanner();

}  // namespace telvor
