#include "ErrorBox.h"

#include <QApplication>
#include <QElapsedTimer>
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

QElapsedTimer& BoxClock()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock;
}

qint64 boxMilliseconds = 0;
int openBoxes = 0;  // a box opened from inside another one adds no time of its own

}  // namespace

qint64 ModalBoxMilliseconds() { return boxMilliseconds; }

ModalBoxSpan::ModalBoxSpan() : start_(BoxClock().elapsed()) { ++openBoxes; }

ModalBoxSpan::~ModalBoxSpan()
{
    if (--openBoxes == 0)
        boxMilliseconds += BoxClock().elapsed() - start_;
}

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

void ShowErrorBox(const QString& message)
{
    const ModalBoxSpan span;
    Presenter()(ApplicationTitle(), ErrorBoxText(message));
}

ErrorPresenter SetErrorPresenter(ErrorPresenter presenter) { return std::exchange(Presenter(), std::move(presenter)); }
