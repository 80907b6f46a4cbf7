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
// Time spent so far in the program's modal boxes (error boxes and questions), in milliseconds:
// the intro does not count it. ModalBoxSpan adds the time of one box.
qint64 ModalBoxMilliseconds();
class ModalBoxSpan {
public:
    ModalBoxSpan();
    ~ModalBoxSpan();
    ModalBoxSpan(const ModalBoxSpan&) = delete;
    ModalBoxSpan& operator=(const ModalBoxSpan&) = delete;

private:
    qint64 start_;
};

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
