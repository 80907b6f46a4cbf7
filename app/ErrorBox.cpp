#include "ErrorBox.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace {

void ShowModalBox(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

ErrorPresenter& Presenter()
{
    static ErrorPresenter presenter = ShowModalBox;
    return presenter;
}

}  // namespace

QString ErrorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QChar('.'))
        return message + '.';
    return message;
}

QString ApplicationTitle()
{
    QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (name.isEmpty())
        name = "Project_KORVAN";
    return name.left(1) + name.mid(1).toLower();
}

void ShowErrorBox(const QString& message) { Presenter()(ApplicationTitle(), ErrorBoxText(message)); }

ErrorPresenter SetErrorPresenter(ErrorPresenter presenter) { return std::exchange(Presenter(), std::move(presenter)); }
