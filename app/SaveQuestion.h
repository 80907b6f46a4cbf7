// The question asked before unsaved edits would be lost: save them, drop them, or go back.
#pragma once

#include <functional>

class QWidget;

enum class SaveAnswer { Save, DontSave, Cancel };

// A modal box in the style of the error box (the program's title as caption), with the buttons
// "Salva", "Non salvare" and "Annulla"; Escape and the box's close box answer "Annulla".
SaveAnswer AskToSaveChanges();

// Tests replace the box with their own answers; returns the previous presenter.
using SaveQuestionPresenter = std::function<SaveAnswer()>;
SaveQuestionPresenter SetSaveQuestionPresenter(SaveQuestionPresenter presenter);
