// The main window: it owns the editor's state and translates Qt events into core calls.
#pragma once

#include "edit/Editor.h"

#include <QMainWindow>
#include <memory>

class TForm_Main : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm_Main(QWidget* parent = nullptr);
    ~TForm_Main() override;

    korvan::Editor& State() { return *editor_; }

private:
    std::unique_ptr<korvan::Editor> editor_;
};

extern TForm_Main* Form_Main;
