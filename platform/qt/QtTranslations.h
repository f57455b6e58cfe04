#pragma once

// Qt's own texts (the file dialog's labels and buttons, the standard buttons
// of message boxes) in Japanese, as the rest of the interface is.

namespace platform
{

// Installs Qt's Japanese translations into the application (made already);
// false when they are not installed on this machine (Qt then speaks English).
bool InstallQtTranslations();

} // namespace platform
