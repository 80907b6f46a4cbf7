// The application's error box: every error that escapes a handler ends up here.
#pragma once

#include <QString>

#include <exception>
#include <functional>

class QWidget;

// The text shown for an error message: a full stop is added when the last character sorts after
// it (letters and digits do), so "File not found" reads "File not found.".
QString ErrorBoxText(const QString& message);

// "Project_korvan": the executable's base name, every letter after the first in lower case.
QString ApplicationTitle();

// Shows the modal box (error icon, one OK button). Tests replace the presenter to collect texts.
void ShowErrorBox(const QString& message);
using ErrorPresenter = std::function<void(const QString& caption, const QString& text)>;
ErrorPresenter SetErrorPresenter(ErrorPresenter presenter);  // returns the previous one

// Runs a handler body; an error it raises goes to the error box and the program carries on.
template <typename Body>
void RunHandler(Body&& body)
{
    try {
        body();
    } catch (const std::exception& error) {
        ShowErrorBox(QString::fromUtf8(error.what()));
    }
}
