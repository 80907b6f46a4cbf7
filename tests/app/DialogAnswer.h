// Answers file dialogs the way a user would, for tests that drive the file commands.
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QObject>
#include <QTimer>

namespace korvan::testing {

// Answers the next showing of a file dialog: the name to confirm, or "" to cancel.
class DialogAnswer : public QObject {
public:
    DialogAnswer(QFileDialog* dialog, QString name) : dialog_(dialog), name_(std::move(name))
    {
        connect(&poll_, &QTimer::timeout, this, [this] {
            if (!dialog_->isVisible())
                return;
            ++Shown;
            if (name_.isEmpty()) {
                dialog_->reject();
                return;
            }
            // As a user would: type the name into the file name box, then confirm. The dialog
            // may still be reading its folder and put the name it started with back into the
            // box: confirm only once the box holds the typed name.
            QElapsedTimer reading;
            reading.start();
            while (reading.elapsed() < 150)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            auto* box = dialog_->findChild<QLineEdit*>("fileNameEdit");
            for (int tries = 0; tries < 100; ++tries) {
                box->setText(name_);
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
                if (box->text() == name_)
                    break;
            }
            static_cast<QDialog*>(dialog_)->accept();
        });
        poll_.start(5);
    }
    int Shown = 0;

private:
    QFileDialog* dialog_;
    QString name_;
    QTimer poll_;
};

}  // namespace korvan::testing
