// The main window's own title bar, for desktops where the window system draws none and Qt's
// stand-in cannot be told what the window is (a Wayland compositor without server-side
// decorations, such as weston or GNOME's): the caption from its first word, cut at its end only
// when it does not fit, a minimise and a close control, and no maximise control, since the
// window's size is fixed. A press on the bar lets the compositor move the window.
#pragma once

#include <QWidget>

class QAbstractButton;
class QLabel;

class TitleBar : public QWidget {
    Q_OBJECT

public:
    // A bar for `window` (its caption, its minimise and close); the window places it.
    explicit TitleBar(QWidget* window);

    QSize sizeHint() const override;
    // What the bar shows of the caption now.
    QString ShownCaption() const;
    QAbstractButton* MinimiseButton() const { return minimise_; }
    QAbstractButton* CloseButton() const { return close_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ShowCaption();

    QWidget* window_;
    QLabel* caption_;
    QAbstractButton* minimise_;
    QAbstractButton* close_;
};
