// The style sheet every report carries inline: screen and print, A4 and Letter alike.
#pragma once
#include <string>

// The rules, and the printed pages' footer: `footerTitle` on the left, "page / pages" on
// the right (Chromium draws @page margin boxes; a browser that does not leaves them out).
std::string ReportStyleSheet(const std::string& footerTitle);
