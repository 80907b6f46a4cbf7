#include "SaveQuestion.h"

#include "ErrorBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace {

SaveAnswer ShowQuestionBox()
{
    QMessageBox box(QMessageBox::Warning, ApplicationTitle(), "La mappa è stata modificata. Salvare le modifiche?",
                    QMessageBox::NoButton, QApplication::activeWindow());
    QPushButton* save = box.addButton("Salva", QMessageBox::AcceptRole);
    QPushButton* drop = box.addButton("Non salvare", QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton("Annulla", QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveAnswer::Save;
    if (box.clickedButton() == drop)
        return SaveAnswer::DontSave;
    return SaveAnswer::Cancel;
}

SaveQuestionPresenter& Presenter()
{
    static SaveQuestionPresenter presenter = ShowQuestionBox;
    return presenter;
}

}  // namespace

SaveAnswer AskToSaveChanges()
{
    const ModalBoxSpan span;
    return Presenter()();
}

SaveQuestionPresenter SetSaveQuestionPresenter(SaveQuestionPresenter presenter)
{
    return std::exchange(Presenter(), std::move(presenter));
}
