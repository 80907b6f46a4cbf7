// Qt's own texts (the file dialogs' labels and buttons, standard buttons) in Italian, as the rest
// of the interface, whatever the user's locale.
#pragma once

// Installs Qt's Italian translations once per application; false when they are not installed
// (Debian: qt6-translations-l10n), in which case Qt's texts stay in English.
bool UseItalianQtTexts();
